#include "pipeline/source_loader.h"

#include <cstdint>
#include <cstring>

#include "pipeline/run_settings.h"
#include "pipeline/source_reader.h"
#include "pipeline/text_warnings.h"

LoadedSource loaded_source;

TextBuffer source_text;
uint32_t source_size;

namespace {

// The source size is a 32-bit count; larger files are refused rather than misread.
constexpr uint64_t LARGEST_FILE = UINT32_MAX - 16;

constexpr char STDIN_NAME[] = "standard input";

bool refuse(const std::string& name, const std::string& reason) {
    report_failure(name.c_str(), reason.c_str());
    return false;
}

// Reads the whole text into `text`; false when it cannot be read or is too large.
bool read_whole(SourceReader& reader, TextBuffer& text, size_t& length, bool& too_large) {
    length = 0;
    too_large = false;
    return reader.read([&](std::span<const unsigned char> piece) {
        if (too_large || length + piece.size() > LARGEST_FILE) {
            too_large = true;
            return;
        }
        text_buffer_reserve(text, length + piece.size() + 2);
        std::memcpy(text.bytes + length, piece.data(), piece.size());
        length += piece.size();
    });
}

}  // namespace

bool load_source_file(const char* path) {
    std::string name = std::strcmp(path, STDIN_PATH) == 0 ? STDIN_NAME : path;
    SourceReader reader(run_settings.input_encoding, run_settings.output_encoding);
    if (!reader.open(path)) return refuse(name, reader.failure());
    // Decoded CP949 is seldom longer than the file, so the text mostly fits as it is read.
    TextBuffer text{};
    text_buffer_reset(text, static_cast<size_t>(reader.size() < LARGEST_FILE ? reader.size() : LARGEST_FILE) + 2);
    size_t length = 0;
    bool too_large = false;
    bool read = read_whole(reader, text, length, too_large);
    if (!read || too_large || reader.size() > LARGEST_FILE) {
        text_buffer_release(text);
        return refuse(name, read ? "is too large (4 GiB or more)" : reader.failure());
    }
    text.bytes[length] = 0;
    text_buffer_release(source_text);
    source_text = text;
    // The engine sizes its output from the source size, so it never falls below the text.
    source_size = static_cast<uint32_t>(length > reader.size() ? length : reader.size());
    report_warning(name.c_str(), damage_warning(reader.encoding(), reader.result_encoding(), reader.damage()));
    loaded_source = LoadedSource{name, reader.encoding(), reader.stand_ins(), reader.unkept()};
    return true;
}
