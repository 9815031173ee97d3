#include "pipeline/source_loader.h"

#include "pipeline/source_reader.h"
#include "pipeline/text_warnings.h"

namespace tessaline {

bool load_text(const std::string& path, InputEncoding input, OutputEncoding output, LoadedText& loaded,
               size_t kept_bytes) {
    loaded = LoadedText{};
    SourceReader reader(input, output);
    uint64_t length = 0;
    bool read = reader.open(path) && reader.read([&](std::span<const unsigned char> piece) {
        length += piece.size();
        size_t room = kept_bytes - loaded.text.size();
        loaded.text.append(reinterpret_cast<const char*>(piece.data()), piece.size() < room ? piece.size() : room);
    });
    if (!read) {
        loaded.failure = reader.failure();
        return false;
    }
    // A lone byte may decode wider than itself, so the text can be longer than its file.
    loaded.size = length > reader.size() ? length : reader.size();
    loaded.encoding = reader.encoding();
    loaded.stand_ins = reader.stand_ins();
    loaded.unkept = reader.unkept();
    loaded.warning = damage_warning(reader.encoding(), reader.result_encoding(), reader.damage());
    return true;
}

}  // namespace tessaline
