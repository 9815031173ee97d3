// The browser's entry to the engine: the page's worker copies a file's bytes into the module's
// heap, converts them as the command line would and reads the result back.

#include <emscripten.h>

#include <algorithm>
#include <cstdint>
#include <new>
#include <span>
#include <string>
#include <string_view>

#include "engine/reflow.h"
#include "pipeline/batch_request.h"
#include "pipeline/end_trim.h"
#include "pipeline/result_writer.h"
#include "web/engine/text_codec.h"

namespace {

// The engine is fed this much at a time, so the file's bar moves and the browser's optimising
// compiler takes over after the first piece.
constexpr size_t PIECE_BYTES = size_t{1} << 18;
// The share of the bar the vocabulary mode's first reading takes: about a third of its time.
constexpr double FIRST_PASS_SHARE = 1.0 / 3;

// Tells the worker how far the conversion has come, from 0 to 1.
EM_JS(void, post_progress, (double fraction), {
    if (Module.onProgress) Module.onProgress(fraction);
});

// The bar moves in hundredths: the engine reports far more often than a bar can show.
constexpr int BAR_STEPS = 100;

// Moves the bar forward, a step at a time: the first reading of the vocabulary mode takes it from
// 0 to `start`, the conversion from `start` to 1.
class FileBar : public tessaline::ProgressSink {
public:
    FileBar(size_t total, double start) : total_(static_cast<double>(std::max<size_t>(total, 1))), start_(start) {}

    void read_first(uint64_t bytes) { show(start_ * static_cast<double>(bytes) / total_); }
    void consumed(uint64_t bytes) override { show(start_ + (1 - start_) * static_cast<double>(bytes) / total_); }

private:
    void show(double fraction) {
        int step = static_cast<int>(fraction * BAR_STEPS);
        if (step <= shown_) return;
        shown_ = step;
        post_progress(static_cast<double>(step) / BAR_STEPS);
    }

    double total_;
    double start_;
    int shown_ = 0;
};

// Gathers the result with its end cut to one line break, as the command line writes it.
class TrimmedText : public tessaline::OutputSink {
public:
    void write(std::span<const unsigned char> bytes) override { trim_.put(bytes.data(), bytes.size(), Append{text_}); }
    std::string finish() {
        trim_.finish(Append{text_});
        return std::move(text_);
    }

private:
    struct Append {
        std::string& text;
        void operator()(const unsigned char* bytes, size_t count) const {
            text.append(reinterpret_cast<const char*>(bytes), count);
        }
    };

    EndTrim trim_;
    std::string text_;
};

template <typename Feed>
void feed_in_pieces(const std::string& text, Feed feed) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    for (size_t at = 0; at < text.size(); at += PIECE_BYTES)
        feed(std::span<const unsigned char>(bytes + at, std::min(PIECE_BYTES, text.size() - at)));
}

std::string reflowed(const std::string& cp949, const tessaline::ConversionOptions& options) {
    FileBar bar(cp949.size(), options.joints == tessaline::JointMode::vocabulary ? FIRST_PASS_SHARE : 0);
    tessaline::Reflow reflow(options, &bar);
    while (reflow.needs_first_pass()) {
        uint64_t read = 0;
        feed_in_pieces(cp949, [&](std::span<const unsigned char> piece) {
            reflow.feed_first_pass(piece);
            bar.read_first(read += piece.size());
        });
        reflow.finish_first_pass();
    }
    TrimmedText result;
    feed_in_pieces(cp949, [&](std::span<const unsigned char> piece) { reflow.feed(piece, result); });
    reflow.finish(result);
    return result.finish();
}

// The names the page gives the encodings, as the command line spells them.
struct NamedInput {
    std::string_view name;
    InputEncoding encoding;
};
constexpr NamedInput INPUT_ENCODINGS[] = {
    {"auto", InputEncoding::AUTO}, {"cp949", InputEncoding::CP949}, {"utf-8", InputEncoding::UTF8},
    {"utf-16le", InputEncoding::UTF16LE}};

InputEncoding input_encoding_named(std::string_view name) {
    for (const NamedInput& input : INPUT_ENCODINGS)
        if (input.name == name) return input.encoding;
    return InputEncoding::AUTO;
}

// The last result: UTF-8 in `encoded`, or CP949 in `written`.
std::string written;
Bytes encoded;
bool result_is_encoded = false;
const char* read_as = "";

}  // namespace

extern "C" {

// Converts `count` bytes of a file. The flags are 1 or 0 like the command line's options;
// min_line_bytes is twice the minimum length; the encodings are named as on the command line
// ("auto", "cp949", "utf-8", "utf-16le"). The footer is dated year.month.day. The result is then
// read through web_result and web_result_length.
EMSCRIPTEN_KEEPALIVE void web_convert(const unsigned char* bytes, uint32_t count, int split_long_sentences,
                                      int remove_hanja, int blank_after_long, int mark_joins,
                                      int32_t min_line_bytes, int vocabulary_joints, const char* input_encoding,
                                      const char* output_encoding, int year, int month, int day) {
    tessaline::ConversionOptions options{
        .split_long_sentences = split_long_sentences == 1,
        .remove_hanja = remove_hanja == 1,
        .blank_after_long = blank_after_long == 1,
        .mark_joins = mark_joins == 1,
        .min_line_bytes = min_line_bytes,
        .joints = vocabulary_joints == 1 ? tessaline::JointMode::vocabulary : tessaline::JointMode::rules};
    // Without exception handling a failed allocation would stop the module with no reason given;
    // thrown, it reaches the worker as what it is.
    std::set_new_handler([] { throw std::bad_alloc(); });
    written.clear();
    encoded = Bytes{};
    DecodedText source = decode_input(bytes, count, input_encoding_named(input_encoding));
    read_as = source.encoding;
    written = reflowed(source.cp949, options);
    source.cp949 = std::string();
    written += result_footer(year, month, day);
    result_is_encoded = std::string_view(output_encoding) == "utf-8";
    if (result_is_encoded) {
        encoded = cp949_to_utf8(written);
        written = std::string();
    }
}

EMSCRIPTEN_KEEPALIVE const char* web_result() { return result_is_encoded ? encoded.data.get() : written.data(); }

EMSCRIPTEN_KEEPALIVE uint32_t web_result_length() {
    return static_cast<uint32_t>(result_is_encoded ? encoded.size : written.size());
}

// The encoding the last file was read as, NUL-terminated.
EMSCRIPTEN_KEEPALIVE const char* web_read_as() { return read_as; }

}
