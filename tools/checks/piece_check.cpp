#include "tools/checks/piece_check.h"

#include <algorithm>
#include <optional>
#include <random>
#include <span>
#include <vector>

#include "engine/joint_scan.h"
#include "tools/checks/text_kept.h"

namespace tessaline {

namespace {

class StringSink : public OutputSink {
public:
    void write(std::span<const unsigned char> bytes) override { text.append(bytes.begin(), bytes.end()); }
    std::string text;
};

class ProgressRecord : public ProgressSink {
public:
    void consumed(uint64_t bytes) override { told.push_back(bytes); }
    std::vector<uint64_t> told;
};

// Piece sizes: mostly a few bytes, so cuts fall inside characters, marks and line ends, now and
// then thousands, so the windows also move in large steps.
std::vector<size_t> random_cuts(size_t length, std::mt19937_64& random) {
    std::vector<size_t> sizes;
    std::uniform_int_distribution<int> kind(0, 9);
    for (size_t at = 0; at < length;) {
        int k = kind(random);
        size_t largest = k < 5 ? 1 : k < 9 ? 17 : 5000;
        size_t size = std::min(length - at, std::uniform_int_distribution<size_t>(1, largest)(random));
        sizes.push_back(size);
        at += size;
    }
    return sizes;
}

template <typename Feed>
void feed_in_pieces(std::span<const unsigned char> text, const std::vector<size_t>& sizes, Feed feed) {
    size_t at = 0;
    for (size_t size : sizes) {
        feed(text.subspan(at, size));
        at += size;
    }
}

ScanPlace scan_place(const ConversionOptions& options, std::mt19937_64& random) {
    if (options.joints != JointMode::vocabulary) return ScanPlace::none;
    return static_cast<ScanPlace>(std::uniform_int_distribution<int>(0, 3)(random));
}

size_t without_nul_length(std::string_view text) {
    return text.size() - static_cast<size_t>(std::count(text.begin(), text.end(), '\0'));
}

}  // namespace

// Every piece goes to the scan before the conversion starts, a piece ahead of it, or after it.
void feed_with_scan(Reflow& reflow, std::span<const unsigned char> text, const std::vector<size_t>& sizes,
                    ScanPlace place, OutputSink& sink) {
    std::vector<std::span<const unsigned char>> pieces;
    feed_in_pieces(text, sizes, [&](auto piece) { pieces.push_back(piece); });
    std::optional<JointScan> scan;
    if (place != ScanPlace::none) reflow.read_joints_from(&scan.emplace(reflow));
    auto scan_piece = [&](size_t k) {
        if (k >= pieces.size()) return;
        scan->feed(pieces[k]);
        if (k + 1 == pieces.size()) scan->finish();
    };
    if (place == ScanPlace::all_ahead)
        for (size_t k = 0; k < pieces.size(); ++k) scan_piece(k);
    if (place == ScanPlace::one_piece_ahead) scan_piece(0);
    for (size_t k = 0; k < pieces.size(); ++k) {
        if (place == ScanPlace::one_piece_ahead) scan_piece(k + 1);
        reflow.feed(pieces[k], sink);
        if (place == ScanPlace::behind) scan_piece(k);
    }
    reflow.read_joints_from(nullptr);
}

std::string find_piece_difference(std::string_view source, const ConversionOptions& options, uint64_t seed) {
    std::string whole = reflow(source, options);
    std::span<const unsigned char> text(reinterpret_cast<const unsigned char*>(source.data()), source.size());
    std::mt19937_64 random(seed);
    ProgressRecord progress;
    Reflow reflow(options, &progress);
    // The length told beforehand, if any, is right or wrong by up to a few MiB: neither may matter.
    int told = std::uniform_int_distribution<int>(0, 2)(random);
    if (told == 1) reflow.expect_length(source.size());
    if (told == 2) reflow.expect_length(std::uniform_int_distribution<uint64_t>(0, uint64_t{4} << 20)(random));
    while (reflow.needs_first_pass()) {
        feed_in_pieces(text, random_cuts(text.size(), random), [&](auto piece) { reflow.feed_first_pass(piece); });
        reflow.finish_first_pass();
    }
    StringSink sink;
    feed_with_scan(reflow, text, random_cuts(text.size(), random), scan_place(options, random), sink);
    reflow.finish(sink);
    if (sink.text != whole) {
        auto parted = std::mismatch(sink.text.begin(), sink.text.end(), whole.begin(), whole.end());
        auto at = static_cast<size_t>(parted.first - sink.text.begin());
        return "fed in pieces, the output parts from the whole text's at byte " + std::to_string(at) + ": pieces " +
               hex_context(sink.text, at) + ", whole " + hex_context(whole, at);
    }
    for (size_t k = 1; k < progress.told.size(); ++k)
        if (progress.told[k] <= progress.told[k - 1]) return "the progress told did not move forward";
    if (progress.told.empty() || progress.told.back() != without_nul_length(source))
        return "the progress told did not end at the whole input";
    return {};
}

}  // namespace tessaline
