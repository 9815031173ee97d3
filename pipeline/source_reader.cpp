#include "pipeline/source_reader.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <vector>

#include "pipeline/step_queue.h"
#include "platform/platform.h"

namespace tessaline {

namespace {

// Raw bytes read at a time: large enough for fast reading, small enough to keep memory bounded.
constexpr size_t piece_bytes = 64 * 1024;

// Bytes the longest byte-order mark needs before the first decision.
constexpr uint64_t mark_bytes = 3;

// Pieces handed out on a guess that may wait for the first pass: enough that the reading and the
// first pass seldom wait for each other, few enough that little text is held.
constexpr size_t pieces_waiting = 8;

// The text handed out on a guess, decoded as CP949 as it is read; handed out on a thread of its
// own when asked, each piece copied over. What that thread throws is thrown again when the text ends.
class GuessedText {
public:
    GuessedText(const SourceReader::Guess& guess, StandInTable* stand_ins)
        : guess_(guess), decoder_(TextEncoding::cp949, stand_ins, 0),
          beside_(std::in_place, guess.beside ? 1 : 0, pieces_waiting) {}

    void take(std::span<const unsigned char> bytes) {
        decoder_.decode_to(bytes, cp949_, [this](std::span<const unsigned char> piece) { hand_out(piece); });
    }
    void finish() {
        cp949_.clear();
        decoder_.finish(cp949_);
        if (!cp949_.empty()) hand_out(std::span(reinterpret_cast<const unsigned char*>(cp949_.data()), cp949_.size()));
        beside_.reset();
        if (failure_) std::rethrow_exception(failure_);
    }

private:
    void hand_out(std::span<const unsigned char> cp949) {
        beside_->run([this, piece = std::string(reinterpret_cast<const char*>(cp949.data()), cp949.size())] {
            if (failure_) return;
            try {
                guess_.piece(std::span(reinterpret_cast<const unsigned char*>(piece.data()), piece.size()));
            } catch (...) {
                failure_ = std::current_exception();
            }
        });
    }

    const SourceReader::Guess& guess_;
    TextDecoder decoder_;
    std::string cp949_;
    std::exception_ptr failure_;
    std::optional<StepQueue> beside_;  // last, so its thread is done before the rest is gone
};

}  // namespace

const char stdin_path[] = "-";

SourceReader::SourceReader(InputEncoding input, OutputEncoding output) : input_(input), output_(output) {}

SourceReader::~SourceReader() {
    if (file_ != nullptr) platform_close(file_);
    if (kept_ != nullptr) platform_close(kept_);
}

bool SourceReader::open(const std::string& path, const Guess* guess) {
    if (path == stdin_path ? !spool_stdin() : !open_file(path, guess)) return false;
    detection_ = sniffer_.decide(input_);
    guessed_right_ = guessed_right_ && detection_.encoding == TextEncoding::cp949 && detection_.mark_length == 0 &&
                     detection_.not_text.empty();
    if (!guessed_right_) stand_ins_ = StandInTable{};  // a wrong guess's characters are not the file's
    if (!detection_.not_text.empty()) return fail("is not text: " + detection_.not_text);
    return true;
}

// Reads the first bytes for the byte-order mark and, when the encoding is to be found from the
// text, the rest of the file too, handing it out on the guess meanwhile when one is asked.
bool SourceReader::open_file(const std::string& path, const Guess* guess) {
    file_ = platform_open_existing(path.c_str(), &size_);
    if (file_ == nullptr) return fail(std::string("cannot be opened: ") + platform_error_text());
    sniffer_.expect_size(size_);
    std::vector<unsigned char> head;
    std::vector<unsigned char> piece(piece_bytes);
    size_t got = 1;
    while (got > 0 && bytes_read_ < mark_bytes) {
        if (!read_piece(piece, got)) return false;
        sniffer_.feed(std::span(piece.data(), got));
        head.insert(head.end(), piece.begin(), piece.begin() + static_cast<std::ptrdiff_t>(got));
    }
    if (got == 0) size_ = bytes_read_;
    if (got == 0 || sniffer_.decided_early(input_)) return true;
    return sniff_rest(guess, head);
}

// The bytes read for the mark are handed out on the guess first.
bool SourceReader::sniff_rest(const Guess* guess, const std::vector<unsigned char>& head) {
    std::optional<GuessedText> guessed;
    if (guess != nullptr) {
        guess->start(size_);
        bool to_utf8 = output_encoding_for(output_, TextEncoding::cp949) == TextEncoding::utf8;
        guessed.emplace(*guess, to_utf8 ? &stand_ins_ : nullptr);
        guessed->take(head);
    }
    std::vector<unsigned char> piece(piece_bytes);
    for (size_t got = 1; got > 0;) {
        if (!read_piece(piece, got)) return false;
        // Handed out first, so that a first pass beside this thread works while the piece is sniffed.
        if (guessed) guessed->take(std::span(piece.data(), got));
        sniffer_.feed(std::span(piece.data(), got));
    }
    size_ = bytes_read_;
    if (guessed) guessed->finish();
    guessed_right_ = guessed.has_value();
    return true;
}

bool SourceReader::spool_stdin() {
    PlatformFile* input = platform_open_stdin();
    if (input == nullptr) return fail(std::string("cannot be opened: ") + platform_error_text());
    file_ = platform_open_spool();
    bool spooled = file_ != nullptr ? copy_to_spool(input)
                                    : fail(std::string("cannot be kept in a temporary file: ") + platform_error_text());
    platform_close(input);
    at_start_ = false;
    return spooled;
}

bool SourceReader::copy_to_spool(PlatformFile* input) {
    std::vector<unsigned char> piece(piece_bytes);
    for (size_t got = 1; got > 0;) {
        if (!platform_read_some(input, piece.data(), piece.size(), &got))
            return fail(std::string("cannot be read: ") + platform_error_text());
        if (!platform_write(file_, piece.data(), got))
            return fail(std::string("cannot be kept in a temporary file: ") + platform_error_text());
        sniffer_.feed(std::span(piece.data(), got));
        size_ += got;
    }
    return true;
}

bool SourceReader::read(const PieceSink& piece) {
    if (kept_whole_) return read_kept(piece);
    if (keep_text_ && kept_ == nullptr) kept_ = platform_open_spool();
    kept_bytes_ = 0;
    bool decoded = decode_text(piece);
    kept_whole_ = decoded && kept_ != nullptr;
    return decoded;
}

bool SourceReader::decode_text(const PieceSink& piece) {
    if (!at_start_ && !platform_rewind(file_))
        return fail(std::string("cannot be read again: ") + platform_error_text());
    at_start_ = false;
    bytes_read_ = 0;
    TextDecoder decoder(detection_.encoding, result_encoding() == TextEncoding::utf8 ? &stand_ins_ : nullptr,
                        detection_.mark_length);
    std::vector<unsigned char> raw(piece_bytes);
    std::string cp949;
    auto hand_out = [&](std::span<const unsigned char> text) {
        keep_piece(text);
        piece(text);
    };
    for (size_t got = 1; got > 0;) {
        if (!read_piece(raw, got)) return false;
        // The byte-order mark lies at the start of the file, so only the first pieces hold it.
        uint64_t start = bytes_read_ - got;
        size_t skipped = start >= detection_.mark_length ? 0 : std::min<size_t>(detection_.mark_length - start, got);
        if (got > 0) {
            decoder.decode_to(std::span(raw.data() + skipped, got - skipped), cp949, hand_out);
            continue;
        }
        cp949.clear();
        decoder.finish(cp949);
        if (!cp949.empty()) hand_out(std::span(reinterpret_cast<const unsigned char*>(cp949.data()), cp949.size()));
    }
    damage_ = decoder.damage();
    unkept_ = decoder.unkept();
    size_ = bytes_read_;
    return true;
}

// A piece is kept after its length, so that it is handed out again exactly as it was cut. When it
// cannot be kept, nothing is: the text is decoded again the next time.
void SourceReader::keep_piece(std::span<const unsigned char> cp949) {
    if (kept_ == nullptr) return;
    auto length = static_cast<uint32_t>(cp949.size());
    if (platform_write(kept_, &length, sizeof length) && platform_write(kept_, cp949.data(), cp949.size())) {
        kept_bytes_ += sizeof length + cp949.size();
        return;
    }
    platform_close(kept_);
    kept_ = nullptr;
}

// The kept text, piece by piece; the file's share read is told by the share of the kept text.
bool SourceReader::read_kept(const PieceSink& piece) {
    if (!platform_rewind(kept_)) return fail(std::string("cannot be read again: ") + platform_error_text());
    std::vector<unsigned char> text;
    uint64_t done = 0;
    while (done < kept_bytes_) {
        uint32_t length = 0;
        if (!platform_read_exact(kept_, &length, sizeof length)) break;
        text.resize(length);
        if (!platform_read_exact(kept_, text.data(), length)) break;
        done += sizeof length + length;
        bytes_read_ = static_cast<uint64_t>(static_cast<double>(size_) * static_cast<double>(done) /
                                            static_cast<double>(kept_bytes_));
        piece(std::span<const unsigned char>(text.data(), length));
    }
    if (done < kept_bytes_) return fail(std::string("cannot be read again: ") + platform_error_text());
    return true;
}

// Reads the next piece; at the end of the file `got` is 0.
bool SourceReader::read_piece(std::span<unsigned char> into, size_t& got) {
    if (!platform_read_some(file_, into.data(), into.size(), &got))
        return fail(std::string("cannot be read: ") + platform_error_text());
    at_start_ = false;
    bytes_read_ += got;
    return true;
}

bool SourceReader::fail(const std::string& what) {
    failure_ = what;
    return false;
}

}  // namespace tessaline
