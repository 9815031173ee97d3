#include "tools/checks/fuzz_cases.h"

#include <iconv.h>
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

namespace {

constexpr size_t HEADER = 3;
constexpr size_t LONGEST_REPEAT = size_t{1} << 18;  // past the line buffer's usual 100000 bytes
const char FOOTER_START[] = "\r\n\r\n\r\n[modify by Tessaline  beta2 ver 2010.7.7]\r\n[Text modified date: ";

// A folder of its own per process, removed when the process ends.
struct WorkFolder {
    std::filesystem::path path;
    std::string input;    // the input path the writer forms the output name from
    std::string output;   // the output folder
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
    if (code == 0x7F) return 1999999998;   // the largest a nine-digit field can give
    if (code == 0x80) return -1999999998;
    return static_cast<int8_t>(code) * 2;
}

// Repeats the text into one stretch of 8 KiB to 256 KiB, so that small inputs reach long lines.
std::string repeated(const std::string& text, uint8_t code) {
    if (code < 0xF8 || text.empty()) return text;
    size_t target = std::min(size_t{8192} << (code - 0xF8), LONGEST_REPEAT);
    std::string stretch;
    while (stretch.size() < target) stretch += text;
    return stretch;
}

// The text part of a written file, or a description of what is wrong with its footer.
bool split_footer(const std::string& file, std::string& text, std::string& problem) {
    size_t start = file.rfind(FOOTER_START);
    if (start == std::string::npos) {
        problem = "the written file has no footer";
        return false;
    }
    std::string date = file.substr(start + sizeof FOOTER_START - 1);
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

// Converts the work folder's input through a whole batch of one file and checks what it showed
// and the written file against `source`, the decoded text.
std::string convert_and_check(const std::string& source, const tessaline::ConversionOptions& options,
                              InputEncoding setting) {
    const WorkFolder& folder = work_folder();
    BatchRequest request;
    request.files = {BatchFile{folder.input, folder.output, false}};
    request.shape = RunShape::SINGLE_FILE;
    request.options = options;
    request.input_encoding = setting;
    request.destination = Destination::OUTPUT_FOLDER;
    ViewRecord record;
    if (run_batch(request, record).failed != 0) return "the batch failed: " + record.failure;
    if (record.moved_back) return "the file progress moved back or left 0 to 100";
    if (record.last_progress != 100) return "the file progress did not end at 100";
    if (record.previews != 1) return "the preview was not shown exactly once";
    if (record.preview_length > PREVIEW_LIMIT_LAST + DOTTED_TAIL_LENGTH)
        return "the preview is longer than its limit and the dotted tail";
    std::string file = read_file(folder.path / "out" / "novel.txt");
    std::string problem = find_bad_line_end(file);
    if (!problem.empty()) return "written file: " + problem;
    std::string text;
    if (!split_footer(file, text, problem)) return problem;
    if (options.remove_hanja) return {};
    KeptTextAllowance allowance{options.mark_joins, false};
    problem = find_lost_text(source, text, allowance);
    return problem.empty() ? "" : "written file: " + problem;
}

// Converts with iconv; `clean` tells whether every byte converted without a replacement.
std::string iconv_convert(const std::string& text, const char* to, const char* from, bool& clean) {
    clean = false;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return {};
    std::string out(text.size() * 4 + 16, '\0');
    char* in_ptr = const_cast<char*>(text.data());
    size_t in_left = text.size();
    char* out_ptr = out.data();
    size_t out_left = out.size();
    clean = iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left) != static_cast<size_t>(-1) && in_left == 0;
    iconv_close(cd);
    out.resize(out.size() - out_left);
    return out;
}

bool valid_non_ascii_utf8(const std::string& raw) {
    bool clean = false;
    iconv_convert(raw, "UTF-16LE", "UTF-8", clean);
    return clean && std::any_of(raw.begin(), raw.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

bool starts_with(const std::string& text, const char* mark) { return text.rfind(mark, 0) == 0; }

std::string without_nul_units(std::string units) {
    if (units.size() % 2 == 1) units += '\0';
    std::string kept;
    for (size_t k = 0; k < units.size(); k += 2)
        if (units[k] != 0 || units[k + 1] != 0) kept.append(units, k, 2);
    return kept;
}

std::string without_nul_bytes(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    return text;
}

// What the loader must make of `raw`; `known` is false when characters had to be replaced, for
// which only the platform's own replacement is the reference.
std::string expected_source(const std::string& raw, InputEncoding setting, bool& known) {
    known = true;
    bool utf8_mark = starts_with(raw, "\xEF\xBB\xBF");
    bool utf16_mark = !utf8_mark && starts_with(raw, "\xFF\xFE");
    bool utf8 = utf8_mark || setting == InputEncoding::UTF8 ||
                (setting == InputEncoding::AUTO && !utf16_mark && valid_non_ascii_utf8(raw));
    bool utf16 = setting == InputEncoding::UTF16LE || (utf16_mark && setting != InputEncoding::UTF8);
    if (setting == InputEncoding::UTF16LE) utf8 = false;
    if (utf16) {
        std::string units = without_nul_units(raw.substr(starts_with(raw, "\xFF\xFE") ? 2 : 0));
        return iconv_convert(units, "CP949", "UTF-16LE", known);
    }
    if (utf8) {
        std::string text = without_nul_bytes(raw.substr(starts_with(raw, "\xEF\xBB\xBF") ? 3 : 0));
        return iconv_convert(text, "CP949", "UTF-8", known);
    }
    return without_nul_bytes(raw);
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
    c.options.joints = (flags & 0x10) != 0 && on ? tessaline::JointMode::vocabulary : tessaline::JointMode::rules;
    c.options.min_line_bytes = size > 1 ? min_line_bytes_from(data[1]) : 30;
    std::string text(reinterpret_cast<const char*>(data) + std::min(size, HEADER), size - std::min(size, HEADER));
    c.source = repeated(text, size > 2 ? data[2] : 0);
    return c;
}

std::string check_conversion_case(const uint8_t* data, size_t size) {
    ConversionCase c = decode_conversion_case(data, size);
    std::string result = tessaline::reflow(c.source, c.options);
    std::string problem = find_bad_line_end(result);
    if (!problem.empty()) return problem;
    if (!c.options.remove_hanja) {
        problem = find_lost_text(without_nul_bytes(c.source), result, KeptTextAllowance{c.options.mark_joins, false});
        if (!problem.empty()) return problem;
    }
    uint64_t seed = 0;
    for (size_t k = 0; k < size; ++k) seed = seed * 131 + data[k];
    return find_piece_difference(c.source, c.options, seed);
}

std::string check_loader_case(const uint8_t* data, size_t size) {
    // In the order of the settings' codes in the stored cases.
    constexpr InputEncoding SETTINGS[] = {InputEncoding::BY_MARK, InputEncoding::AUTO, InputEncoding::CP949,
                                          InputEncoding::UTF8, InputEncoding::UTF16LE};
    InputEncoding setting = SETTINGS[size > 0 ? data[0] % 5 : 0];
    std::string raw(reinterpret_cast<const char*>(data) + std::min<size_t>(size, 1), size - std::min<size_t>(size, 1));
    write_file(work_folder().input, raw);
    if (!load_source_file(work_folder().input.c_str(), setting)) return "load_source_file failed on a readable file";
    std::string loaded(reinterpret_cast<const char*>(source_text.bytes));
    if (source_size < loaded.size()) return "the source size is less than the decoded text";
    bool known = false;
    std::string expected = expected_source(raw, setting, known);
    if (known && loaded != expected)
        return "the decoded text differs from the reference at byte " +
               std::to_string(std::mismatch(loaded.begin(), loaded.end(), expected.begin(), expected.end()).first -
                              loaded.begin());
    uint8_t flags = size > 0 ? data[0] : 0;
    tessaline::ConversionOptions options;
    options.split_long_sentences = ((flags >> 3) & 1) != 0;
    options.blank_after_long = ((flags >> 4) & 1) != 0;
    options.mark_joins = false;
    options.remove_hanja = false;
    options.joints = ((flags >> 5) & 1) != 0 ? tessaline::JointMode::vocabulary : tessaline::JointMode::rules;
    options.min_line_bytes = 30;
    return convert_and_check(loaded, options, setting);
}
