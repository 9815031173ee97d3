// The browser's entry to the command line's own conversion of a file: the page's worker puts the
// file into the module's memory file system, and the file is read, decoded, converted, trimmed,
// given its footer and encoded exactly as the command line does it, the result kept in memory.

#include <emscripten.h>
#include <sys/stat.h>

#include <cstdint>
#include <new>
#include <span>
#include <string>

#include "cli/messages.h"
#include "cli/reason_wording.h"
#include "pipeline/batch_request.h"
#include "pipeline/file_conversion.h"
#include "pipeline/file_report.h"
#include "pipeline/shared_output.h"
#include "pipeline/source_loader.h"
#include "pipeline/text_encoder.h"
#include "pipeline/text_encoding.h"

namespace tessaline {

namespace {

// The beginning of the original is kept for the page to show beside the result.
constexpr size_t original_shown_bytes = 200000;

// Tells the worker how far the conversion has come, from 0 to 1.
EM_JS(void, post_progress, (double fraction), {
    if (Module.onProgress) Module.onProgress(fraction);
});

// A result is at most half as long again as its file (two bytes of CP949 or UTF-16 become at most
// three of UTF-8), and its footer is short: the result's memory is taken once for that much.
constexpr size_t footer_room = 4096;

// Takes the memory of a result of the file at `path` at once, rather than doubling it as it grows.
void expect_result_of(MemoryOutput& output, const char* path) {
    struct stat file;
    if (stat(path, &file) == 0) output.bytes_.reserve(static_cast<size_t>(file.st_size) / 2 * 3 + footer_room);
}

// What the conversion tells of itself: its progress, why it failed, what it lost on the way.
class WebReport final : public FileReport {
public:
    void started(const std::string&) override {}
    void loaded() override {}
    void progress(int percent) override { post_progress(percent / 100.0); }
    void failed(const std::string&, const std::string& reason) override { failure_ = reason; }
    void written(const std::string&, uint64_t) override {}
    void warned(const std::string&, const std::string& warning) override { warnings_ += warning + '\n'; }
    void ended() override {}

    std::string failure_;
    std::string warnings_;  // one a line
};

// The beginning of the text as the engine reads it, in UTF-8, cut after a line end; and whether
// the text goes on.
struct Original {
    std::string utf8;
    bool cut = false;
};

Original original_of(const char* path, InputEncoding input_encoding) {
    LoadedText loaded;
    if (!load_text(path, input_encoding, OutputEncoding::utf8, loaded, original_shown_bytes + 1)) return {};
    Original original;
    original.cut = loaded.text.size() > original_shown_bytes;
    size_t shown = loaded.text.size();
    if (original.cut) shown = loaded.text.rfind('\n', original_shown_bytes - 1) + 1;
    TextEncoder encoder(TextEncoding::utf8, &loaded.stand_ins);
    encoder.encode(std::span(reinterpret_cast<const unsigned char*>(loaded.text.data()), shown), original.utf8);
    encoder.finish(original.utf8);
    return original;
}

MemoryOutput output;
WebReport report;
Original original;

}  // namespace

}  // namespace tessaline

// The module's entries keep their C names, outside the project's namespace, and use its names.
using namespace tessaline;

extern "C" {

// Converts the file at `path` of the memory file system. The flags are 1 or 0 like the command
// line's options; min_line_bytes is twice the minimum length; the encodings are named as on the
// command line. The page has no spelling dictionary. Afterwards web_result gives the result
// (empty when the file failed, web_failure then saying why) and web_warnings what was lost on
// the way. False when an encoding's name is unknown.
EMSCRIPTEN_KEEPALIVE bool web_convert(const char* path, int split_long_sentences, int remove_hanja,
                                      int blank_after_long, int mark_joins, int32_t min_line_bytes,
                                      int vocabulary_joints, int footer, const char* input_encoding,
                                      const char* output_encoding) {
    // Without exception handling a failed allocation would stop the module with no reason given;
    // thrown, it reaches the worker as what it is.
    std::set_new_handler([] { throw std::bad_alloc(); });
    output = MemoryOutput{};
    expect_result_of(output, path);
    report = WebReport{};
    BatchRequest request;
    if (!input_encoding_named(input_encoding, request.input_encoding) ||
        !output_encoding_named(output_encoding, request.output_encoding))
        return false;
    request.files.push_back(BatchFile{path, "", false});
    request.options = tessaline::ConversionOptions{
        .split_long_sentences = split_long_sentences == 1,
        .remove_hanja = remove_hanja == 1,
        .blank_after_long = blank_after_long == 1,
        .mark_joins = mark_joins == 1,
        .min_line_bytes = min_line_bytes,
        .joints = vocabulary_joints == 1 ? tessaline::JointMode::vocabulary : tessaline::JointMode::rules};
    request.destination = Destination::STANDARD_OUTPUT;
    // As on the command line, a footer already ending the input is replaced, not repeated.
    request.footer = footer == 1;
    request.replace_own_footer = true;
    convert_file(request.files[0], request, output, report);
    return true;
}

// Reads the beginning of the file at `path` as the engine reads it, for showing beside the
// result; afterwards web_original gives it. False when the encoding's name is unknown.
EMSCRIPTEN_KEEPALIVE bool web_read_original(const char* path, const char* input_encoding) {
    InputEncoding encoding;
    if (!input_encoding_named(input_encoding, encoding)) return false;
    original = original_of(path, encoding);
    return true;
}

EMSCRIPTEN_KEEPALIVE const char* web_result() { return output.bytes_.data(); }
EMSCRIPTEN_KEEPALIVE uint32_t web_result_length() { return static_cast<uint32_t>(output.bytes_.size()); }

EMSCRIPTEN_KEEPALIVE const char* web_original() { return original.utf8.data(); }
EMSCRIPTEN_KEEPALIVE uint32_t web_original_length() { return static_cast<uint32_t>(original.utf8.size()); }
// 1 when the text was longer than its beginning given by web_original.
EMSCRIPTEN_KEEPALIVE int web_original_cut() { return original.cut ? 1 : 0; }

// Why the last file failed, NUL-terminated; empty when it was converted.
EMSCRIPTEN_KEEPALIVE const char* web_failure() { return report.failure_.c_str(); }
// What the last file lost on the way, one warning a line, NUL-terminated; empty when nothing.
EMSCRIPTEN_KEEPALIVE const char* web_warnings() { return report.warnings_.c_str(); }

// A reason or warning of the pipeline, as the command line words it in Korean; valid until the next
// call.
EMSCRIPTEN_KEEPALIVE const char* web_in_korean(const char* english) {
    static std::string korean;
    choose_korean(true);
    korean = reason_in_run_language(english);
    return korean.c_str();
}
}
