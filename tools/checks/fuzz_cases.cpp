#include "tools/checks/fuzz_cases.h"

#include <iconv.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "engine/reflow.h"
#include "pipeline/preview.h"
#include "pipeline/progress_view.h"
#include "pipeline/result_writer.h"
#include "pipeline/source_loader.h"
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

struct ViewRecord {
    int last_progress = -1;
    bool moved_back = false;
};

ProgressView recording_view(ViewRecord& record) {
    ProgressView view{};
    view.context = &record;
    view.set_file_progress = [](void* context, int percent) {
        auto& r = *static_cast<ViewRecord*>(context);
        if (percent < r.last_progress || percent < 0 || percent > 100) r.moved_back = true;
        r.last_progress = percent;
    };
    return view;
}

int32_t min_line_bytes_from(uint8_t code) {
    if (code == 0x7F) return 1999999998;   // the largest a nine-digit field can give
    if (code == 0x80) return -1999999998;
    return static_cast<int8_t>(code) * 2;
}

int preview_limit_from(uint8_t flags) {
    static const int limits[4] = {30000, 3000, 0, 5};
    return limits[(flags >> 6) & 3];
}

// Repeats the text into one stretch of 8 KiB to 256 KiB, so that small inputs reach long lines.
std::string repeated(const std::string& text, uint8_t code) {
    if (code < 0xF8 || text.empty()) return text;
    size_t target = std::min(size_t{8192} << (code - 0xF8), LONGEST_REPEAT);
    std::string stretch;
    while (stretch.size() < target) stretch += text;
    return stretch;
}

std::string up_to_nul(const std::string& text) { return text.substr(0, text.find('\0')); }

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

std::string check_final_text() {
    const unsigned char* text = final_text();
    uint32_t length = final_text_length();
    if (text[length] != 0) return "the final text is not NUL-terminated at its recorded length";
    return find_bad_line_end(std::string_view(reinterpret_cast<const char*>(text), length));
}

// Writes the final text as the result of the work folder's input; empty when it was written.
std::string write_result(int preview_limit) {
    const WorkFolder& folder = work_folder();
    ResultWriter writer(OutputEncoding::CP949, PREVIEW_LIMIT_LAST);
    FileFailure failure;
    if (!writer.open_file(folder.input, folder.output, failure)) return "the result could not be begun: " + failure.reason;
    writer.write(final_text(), final_text_length());
    if (!writer.finish(failure)) return "the result was not written: " + failure.reason;
    size_t limit = preview_limit > 0 ? static_cast<size_t>(preview_limit) : 0;
    if (preview_of(writer.head(), writer.length(), limit).size() > limit + DOTTED_TAIL_LENGTH)
        return "the preview is longer than its limit and the dotted tail";
    return {};
}

// Converts the loaded source text and checks the final text and the written file against `source`.
std::string convert_and_check(const std::string& source, int preview_limit) {
    const WorkFolder& folder = work_folder();
    ViewRecord record;
    ProgressView view = recording_view(record);
    reflow_document(&view);
    if (record.moved_back) return "the file progress moved back or left 0 to 100";
    std::string problem = check_final_text();
    if (!problem.empty()) return problem;
    problem = write_result(preview_limit);
    if (!problem.empty()) return problem;
    std::string file = read_file(folder.path / "out" / "novel.txt");
    problem = find_bad_line_end(file);
    if (!problem.empty()) return "written file: " + problem;
    std::string text;
    if (!split_footer(file, text, problem)) return problem;
    if (conversion_options.remove_hanja == 1) return {};
    KeptTextAllowance allowance{conversion_options.mark_joins == 1, false};
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
    int on = (flags & 0x20) != 0 ? 2 : 1;   // only 1 counts as on; 2 must act as off
    c.options.split_long_sentences = (flags & 0x01) != 0 ? on : 0;
    c.options.blank_after_long = (flags & 0x02) != 0 ? on : 0;
    c.options.mark_joins = (flags & 0x04) != 0 ? on : 0;
    c.options.remove_hanja = (flags & 0x08) != 0 ? on : 0;
    c.options.vocabulary_joints = (flags & 0x10) != 0 ? on : 0;
    c.preview_limit = preview_limit_from(flags);
    c.options.min_line_bytes = size > 1 ? min_line_bytes_from(data[1]) : 30;
    std::string text(reinterpret_cast<const char*>(data) + std::min(size, HEADER), size - std::min(size, HEADER));
    c.source = repeated(text, size > 2 ? data[2] : 0);
    return c;
}

std::string check_conversion_case(const uint8_t* data, size_t size) {
    ConversionCase c = decode_conversion_case(data, size);
    text_buffer_reset(source_text, c.source.size() + 2);
    if (!c.source.empty()) std::memcpy(source_text.bytes, c.source.data(), c.source.size());
    source_size = static_cast<uint32_t>(c.source.size());
    conversion_options = c.options;
    return convert_and_check(up_to_nul(c.source), c.preview_limit);
}

std::string check_loader_case(const uint8_t* data, size_t size) {
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
    conversion_options = ConversionOptions{};
    uint8_t flags = size > 0 ? data[0] : 0;
    conversion_options.split_long_sentences = (flags >> 3) & 1;
    conversion_options.blank_after_long = (flags >> 4) & 1;
    conversion_options.vocabulary_joints = (flags >> 5) & 1;
    conversion_options.min_line_bytes = 30;
    return convert_and_check(loaded, 30000);
}
