#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "pipeline/encoding_detection.h"
#include "pipeline/stand_in_table.h"
#include "pipeline/text_decoder.h"
#include "pipeline/text_encoding.h"

namespace tessaline {

struct PlatformFile;

// The path that names standard input.
extern const char stdin_path[];

// Reads one input, a file or standard input, as CP949 for the engine: finds its encoding, then
// hands out its text in pieces of bounded size, as often as asked (the vocabulary mode reads a
// text twice). Standard input is first copied to a temporary file, so it too can be read again.
// Files are read to their end, whatever size they reported. When the result will be UTF-8,
// characters CP949 lacks are handed out as stand-ins, and the table the encoder needs to give
// them back is kept here; for a CP949 result they become "?".
class SourceReader {
public:
    using PieceSink = std::function<void(std::span<const unsigned char> cp949)>;

    // A reading of a file's text while its encoding is found from it, so that a first reading need
    // not read the file again: on the guess that it is CP949, as most such files are, the bytes
    // are decoded as that and handed out after `start` is told the size the file reported.
    struct Guess {
        std::function<void(uint64_t size)> start;
        PieceSink piece;
        bool beside = false;  // handed out on a thread of its own, while the file is read on
    };

    SourceReader(InputEncoding input, OutputEncoding output);
    ~SourceReader();
    SourceReader(const SourceReader&) = delete;
    SourceReader& operator=(const SourceReader&) = delete;

    // Opens `path` (stdin_path for standard input) and finds its encoding, handing out a file's
    // text on `guess` meanwhile when its encoding is found from its text. False when it cannot be
    // opened or read, or is plainly not text; failure() then says why.
    bool open(const std::string& path, const Guess* guess = nullptr);
    // Whether the text handed out on the guess was the text.
    bool guessed_right() const { return guessed_right_; }

    // Hands out the whole text from its start, in pieces that each end at a character's end.
    // False when reading fails; failure() then says why.
    bool read(const PieceSink& piece);

    // Says that the text will be read more than once. A text that must be decoded (any encoding
    // but CP949) is then kept as it is handed out, in a temporary file, and read from there the
    // next times, without decoding it again; where no temporary file can be written it is simply
    // decoded each time.
    void keep_text() { keep_text_ = detection_.encoding != TextEncoding::cp949; }

    TextEncoding encoding() const { return detection_.encoding; }
    // What the result is written in.
    TextEncoding result_encoding() const { return output_encoding_for(output_, detection_.encoding); }
    // The stand-ins of the text read so far (none for a CP949 result).
    const StandInTable& stand_ins() const { return stand_ins_; }
    // What the last read found that was not text, and the characters it wrote as "?".
    const DecodingDamage& damage() const { return damage_; }
    const UnkeptCharacters& unkept() const { return unkept_; }
    // Why open or read failed, in English, to follow the file's name: "cannot be opened: ...".
    const std::string& failure() const { return failure_; }
    // Bytes of the file read by the current or last read, and its size: as reported when it was
    // opened until it has been read to its end.
    uint64_t bytes_read() const { return bytes_read_; }
    uint64_t size() const { return size_; }

private:
    bool open_file(const std::string& path, const Guess* guess);
    bool spool_stdin();
    bool copy_to_spool(PlatformFile* input);
    bool sniff_rest(const Guess* guess, const std::vector<unsigned char>& head);
    bool read_piece(std::span<unsigned char> into, size_t& got);
    bool decode_text(const PieceSink& piece);
    void keep_piece(std::span<const unsigned char> cp949);
    bool read_kept(const PieceSink& piece);
    bool fail(const std::string& what);

    InputEncoding input_;
    OutputEncoding output_;
    PlatformFile* file_ = nullptr;
    bool keep_text_ = false;
    bool guessed_right_ = false;
    PlatformFile* kept_ = nullptr;  // the text as handed out, each piece after its length
    bool kept_whole_ = false;       // ... once a read has kept all of it
    uint64_t kept_bytes_ = 0;
    bool at_start_ = true;
    EncodingSniffer sniffer_;
    Detection detection_;
    StandInTable stand_ins_;
    DecodingDamage damage_;
    UnkeptCharacters unkept_;
    std::string failure_;
    uint64_t bytes_read_ = 0;
    uint64_t size_ = 0;
};

}  // namespace tessaline
