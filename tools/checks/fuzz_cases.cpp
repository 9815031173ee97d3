#include "tools/checks/fuzz_cases.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "engine/reflow.h"
#include "pipeline/batch_run.h"
#include "pipeline/preview.h"
#include "pipeline/source_loader.h"
#include "tools/checks/piece_check.h"
#include "tools/checks/text_kept.h"
#include "tools/checks/unicode_reference.h"

namespace tessaline {

namespace {

constexpr size_t header = 3;
constexpr size_t longest_repeat = size_t{1} << 18;  // past the line buffer's usual 100000 bytes
const char footer_start[] = "\r\n\r\n\r\n[modify by Tessaline  beta2 ver 2010.7.7]\r\n[Text modified date: ";

// A folder of its own per process, removed when the process ends.
struct WorkFolder {
    std::filesystem::path path;
    std::string input;   // the input path the writer forms the output name from
    std::string output;  // the output folder
    WorkFolder() {
        path = std::filesystem::temp_directory_path() / ("tessaline-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(path / "out");
        input = (path / "novel.txt").string();
        output = (path / "out").string();
    }
    ~WorkFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

const WorkFolder& work_folder() {
    static WorkFolder folder;
    return folder;
}

void write_file(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What a batch of one file shows of its progress, preview and failure.
struct ViewRecord final : BatchView {
    int last_progress = -1;
    bool moved_back = false;
    size_t preview_length = 0;
    int previews = 0;
    std::string failure;

    void set_file_progress(int percent) override {
        if (percent < last_progress || percent < 0 || percent > 100) moved_back = true;
        last_progress = percent;
    }
    void show_preview(const std::string& text) override {
        preview_length = text.size();
        ++previews;
    }
    void report_failure(const std::string&, const std::string& reason) override { failure = reason; }
};

int32_t min_line_bytes_from(uint8_t code) {
    if (code == 0x7F) return 1999999998;  // the largest a nine-digit field can give
    if (code == 0x80) return -1999999998;
    return static_cast<int8_t>(code) * 2;
}

// Repeats the text into one stretch of 8 KiB to 256 KiB, so that small inputs reach long lines.
std::string repeated(const std::string& text, uint8_t code) {
    if (code < 0xF8 || text.empty()) return text;
    size_t target = std::min(size_t{8192} << (code - 0xF8), longest_repeat);
    std::string stretch;
    while (stretch.size() < target) stretch += text;
    return stretch;
}

// The text part of a written file, or a description of what is wrong with its footer.
bool split_footer(const std::string& file, std::string& text, std::string& problem) {
    size_t start = file.rfind(footer_start);
    if (start == std::string::npos) {
        problem = "the written file has no footer";
        return false;
    }
    std::string date = file.substr(start + sizeof footer_start - 1);
    int year = 0, month = 0, day = 0;
    char closing[4] = {};
    if (std::sscanf(date.c_str(), "%4d.%2d.%2d%3c", &year, &month, &day, closing) != 4 ||
        std::strcmp(closing, "]\r\n") != 0 || month < 1 || month > 12 || day < 1 || day > 31 ||
        date.size() != std::to_string(year).size() + std::to_string(month).size() + std::to_string(day).size() + 5) {
        problem = "the footer's date line is malformed";
        return false;
    }
    text = file.substr(0, start);
    return true;
}

// Converts the work folder's input through a whole batch of one file into a result in
// `output` and checks what it showed and the written file against `loaded`, the text the loader
// made of the same file.
std::string convert_and_check(const LoadedText& loaded, const ConversionOptions& options, InputEncoding input,
                              OutputEncoding output) {
    const WorkFolder& folder = work_folder();
    BatchRequest request;
    request.files = {BatchFile{folder.input, folder.output, false}};
    request.shape = RunShape::SINGLE_FILE;
    request.options = options;
    request.input_encoding = input;
    request.output_encoding = output;
    request.destination = Destination::OUTPUT_FOLDER;
    ViewRecord record;
    if (run_batch(request, record).failed != 0) return "the batch failed: " + record.failure;
    if (record.moved_back) return "the file progress moved back or left 0 to 100";
    if (record.last_progress != 100) return "the file progress did not end at 100";
    if (record.previews != 1) return "the preview was not shown exactly once";
    if (record.preview_length > preview_limit_last + dotted_tail_length)
        return "the preview is longer than its limit and the dotted tail";
    std::string file = read_file(folder.path / "out" / "novel.txt");
    std::string problem = find_bad_line_end(file);
    if (!problem.empty()) return "written file: " + problem;
    std::string text;
    if (!split_footer(file, text, problem)) return problem;
    if (options.remove_hanja) return {};
    KeptTextAllowance allowance{options.mark_joins, false};
    if (output_encoding_for(output, loaded.encoding) == TextEncoding::utf8)
        problem = find_lost_utf8(loaded.text, loaded.stand_ins, text, allowance);
    else problem = find_lost_text(loaded.text, text, allowance);
    return problem.empty() ? "" : "written file: " + problem;
}

std::string without_nul_bytes(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    return text;
}

}  // namespace

ConversionCase decode_conversion_case(const uint8_t* data, size_t size) {
    ConversionCase c;
    uint8_t flags = size > 0 ? data[0] : 0;
    // A flag set to 2, as a window could read a check box, means off.
    bool on = (flags & 0x20) == 0;
    c.options.split_long_sentences = (flags & 0x01) != 0 && on;
    c.options.blank_after_long = (flags & 0x02) != 0 && on;
    c.options.mark_joins = (flags & 0x04) != 0 && on;
    c.options.remove_hanja = (flags & 0x08) != 0 && on;
    c.options.joints = (flags & 0x10) != 0 && on ? JointMode::vocabulary : JointMode::rules;
    c.options.min_line_bytes = size > 1 ? min_line_bytes_from(data[1]) : 30;
    std::string text(reinterpret_cast<const char*>(data) + std::min(size, header), size - std::min(size, header));
    c.source = repeated(text, size > 2 ? data[2] : 0);
    return c;
}

std::string check_conversion_case(const uint8_t* data, size_t size) {
    ConversionCase c = decode_conversion_case(data, size);
    std::string result = reflow(c.source, c.options);
    std::string problem = find_bad_line_end(result);
    if (!problem.empty()) return problem;
    if (c.options.remove_hanja) return {};
    return find_lost_text(without_nul_bytes(c.source), result, KeptTextAllowance{c.options.mark_joins, false});
}

std::string check_piece_case(const uint8_t* data, size_t size) {
    ConversionCase c = decode_conversion_case(data, size);
    uint64_t seed = 0;
    for (size_t k = 0; k < size; ++k) seed = seed * 131 + data[k];
    return find_piece_difference(c.source, c.options, seed);
}

namespace {

// The input encodings and result encodings a loader case's first byte chooses from.
constexpr InputEncoding loader_inputs[8] = {InputEncoding::automatic, InputEncoding::automatic, InputEncoding::cp949,
                                            InputEncoding::utf8,      InputEncoding::utf16le,   InputEncoding::utf16be,
                                            InputEncoding::utf16,     InputEncoding::automatic};
constexpr OutputEncoding loader_outputs[4] = {OutputEncoding::cp949, OutputEncoding::same, OutputEncoding::utf8,
                                              OutputEncoding::same};

// Loads `raw` as a file and checks the text the loader made of it against iconv's reading, then
// converts it and checks the result.
std::string check_load(const std::string& raw, const ConversionOptions& options, InputEncoding input,
                       OutputEncoding output) {
    write_file(work_folder().input, raw);
    LoadedText loaded;
    if (!load_text(work_folder().input, input, output, loaded)) {
        if (input == InputEncoding::automatic && loaded.failure.starts_with("is not text")) return {};
        return "load_text failed on a readable file: " + loaded.failure;
    }
    if (loaded.size < loaded.text.size()) return "the size is less than the decoded text";
    std::string problem = find_cut_character(loaded.text);
    if (problem.empty())
        problem = check_decoding(raw, loaded.text, loaded, output_encoding_for(output, loaded.encoding));
    if (!problem.empty()) return problem;
    return convert_and_check(loaded, options, input, output);
}

}  // namespace

std::string check_loader_case(const uint8_t* data, size_t size) {
    uint8_t flags = size > 0 ? data[0] : 0;
    std::string raw(reinterpret_cast<const char*>(data) + std::min<size_t>(size, 1), size - std::min<size_t>(size, 1));
    ConversionOptions options;
    options.split_long_sentences = ((flags >> 3) & 1) != 0;
    options.blank_after_long = ((flags >> 4) & 1) != 0;
    options.joints = ((flags >> 5) & 1) != 0 ? JointMode::vocabulary : JointMode::rules;
    options.min_line_bytes = 30;
    std::string problem = check_load(raw, options, loader_inputs[flags % 8], loader_outputs[flags >> 6]);
    if (!problem.empty()) return problem;
    problem = check_load(raw, options, InputEncoding::utf8, OutputEncoding::utf8);
    return problem.empty() ? "" : "UTF-8 in and out: " + problem;
}

}  // namespace tessaline
