// The browser's entry to the command line's own conversion of a file: the page's worker puts the
// file into the module's memory file system, and the file is read, decoded, converted, trimmed,
// given its footer and encoded exactly as the command line does it, the result kept in memory.

#include <emscripten.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <string_view>

#include "pipeline/batch_request.h"
#include "pipeline/file_conversion.h"
#include "pipeline/file_report.h"
#include "pipeline/shared_output.h"
#include "pipeline/source_loader.h"
#include "platform/platform.h"

namespace {

// The beginning of the original is kept for the page to show beside the result.
constexpr size_t ORIGINAL_SHOWN_BYTES = 200000;

// Tells the worker how far the conversion has come, from 0 to 1.
EM_JS(void, post_progress, (double fraction), {
    if (Module.onProgress) Module.onProgress(fraction);
});

class MemoryOutput final : public SharedOutput {
public:
    bool write(const unsigned char* bytes, size_t count) override {
        bytes_.append(reinterpret_cast<const char*>(bytes), count);
        return true;
    }
    bool flush() override { return true; }
    std::string bytes_;
};

// What the conversion tells of itself: its progress, its reason when it fails, and the text as
// the engine read it, in UTF-8 for the page's view.
class WebReport final : public FileReport {
public:
    void started(const std::string&) override {}
    void loaded() override {
        size_t length = std::strlen(reinterpret_cast<const char*>(source_text.bytes));
        size_t shown = shown_length(source_text.bytes, length);
        size_t count = 0;
        unsigned char* utf8 = platform_cp949_to_utf8(source_text.bytes, shown, &count);
        original_.assign(reinterpret_cast<const char*>(utf8), count);
        std::free(utf8);
        original_cut_ = shown < length;
    }
    void progress(int percent) override { post_progress(percent / 100.0); }
    void failed(const std::string&, const std::string& reason) override { failure_ = reason; }
    void written(const std::string&, uint64_t) override {}
    void ended() override {}

    std::string original_;
    bool original_cut_ = false;
    std::string failure_;

private:
    // A long text is cut after the last line end within the bytes shown, so no character is cut.
    static size_t shown_length(const unsigned char* text, size_t length) {
        if (length <= ORIGINAL_SHOWN_BYTES) return length;
        for (size_t end = ORIGINAL_SHOWN_BYTES; end > 0; --end)
            if (text[end - 1] == '\n') return end;
        return 0;
    }
};

struct NamedInput {
    std::string_view name;
    InputEncoding encoding;
};
// The page's names for the encodings a file is read in, as the command line spells them.
constexpr NamedInput INPUT_ENCODINGS[] = {
    {"auto", InputEncoding::AUTO}, {"cp949", InputEncoding::CP949}, {"utf-8", InputEncoding::UTF8},
    {"utf-16le", InputEncoding::UTF16LE}};

InputEncoding input_encoding_named(std::string_view name) {
    for (const NamedInput& input : INPUT_ENCODINGS)
        if (input.name == name) return input.encoding;
    return InputEncoding::AUTO;
}

MemoryOutput output;
WebReport report;

}  // namespace

extern "C" {

// Converts the file at `path` of the memory file system. The flags are 1 or 0 like the command
// line's options; min_line_bytes is twice the minimum length; the encodings are named as on the
// command line ("auto", "cp949", "utf-8", "utf-16le"). Afterwards web_result gives the result
// (empty when the file failed, web_failure then saying why) and web_original the beginning of
// the text as it was read.
EMSCRIPTEN_KEEPALIVE void web_convert(const char* path, int split_long_sentences, int remove_hanja,
                                      int blank_after_long, int mark_joins, int32_t min_line_bytes,
                                      int vocabulary_joints, const char* input_encoding, const char* output_encoding) {
    // Without exception handling a failed allocation would stop the module with no reason given;
    // thrown, it reaches the worker as what it is.
    std::set_new_handler([] { throw std::bad_alloc(); });
    output = MemoryOutput{};
    report = WebReport{};
    BatchRequest request;
    request.files.push_back(BatchFile{path, "", false});
    request.options = tessaline::ConversionOptions{
        .split_long_sentences = split_long_sentences == 1,
        .remove_hanja = remove_hanja == 1,
        .blank_after_long = blank_after_long == 1,
        .mark_joins = mark_joins == 1,
        .min_line_bytes = min_line_bytes,
        .joints = vocabulary_joints == 1 ? tessaline::JointMode::vocabulary : tessaline::JointMode::rules};
    request.input_encoding = input_encoding_named(input_encoding);
    request.output_encoding = std::string_view(output_encoding) == "utf-8" ? OutputEncoding::UTF8 : OutputEncoding::CP949;
    request.destination = Destination::STANDARD_OUTPUT;
    convert_file(request.files[0], request, output, report);
}

EMSCRIPTEN_KEEPALIVE const char* web_result() { return output.bytes_.data(); }
EMSCRIPTEN_KEEPALIVE uint32_t web_result_length() { return static_cast<uint32_t>(output.bytes_.size()); }

EMSCRIPTEN_KEEPALIVE const char* web_original() { return report.original_.data(); }
EMSCRIPTEN_KEEPALIVE uint32_t web_original_length() { return static_cast<uint32_t>(report.original_.size()); }
// 1 when the text was longer than its beginning given by web_original.
EMSCRIPTEN_KEEPALIVE int web_original_cut() { return report.original_cut_ ? 1 : 0; }

// Why the last file failed, NUL-terminated; empty when it was converted.
EMSCRIPTEN_KEEPALIVE const char* web_failure() { return report.failure_.c_str(); }

}
