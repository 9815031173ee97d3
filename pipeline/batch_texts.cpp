#include "pipeline/batch_texts.h"

#include <cstddef>

namespace tessaline {

namespace {

// " 번째파일 처리중.."
constexpr char processing[] = " \xB9\xF8\xC2\xB0\xC6\xC4\xC0\xCF \xC3\xB3\xB8\xAE\xC1\xDF..";
// "개 파일 처리완료."
constexpr char files_done[] = "\xB0\xB3 \xC6\xC4\xC0\xCF \xC3\xB3\xB8\xAE\xBF\xCF\xB7\xE1.";
// "\nTessaline 폴더에 자장되었습니다."
constexpr char saved[] =
    "\nTessaline \xC6\xFA\xB4\xF5\xBF\xA1 \xC0\xDA\xC0\xE5\xB5\xC7\xBE\xFA\xBD\xC0\xB4\xCF\xB4\xD9.";
// "개 파일 처리실패:"
constexpr char files_failed[] = "\xB0\xB3 \xC6\xC4\xC0\xCF \xC3\xB3\xB8\xAE\xBD\xC7\xC6\xD0:";
// "외 " and "개": the count of failed files beyond those named
constexpr char others_pattern[] = "\xBF\xDC ";
constexpr char text_pieces[] = "\xB0\xB3";

// A message box taller than the screen would hide its button, so only this many are named.
constexpr size_t named_failures = 20;

std::string number(long value) { return std::to_string(value); }

std::string converted_part(int converted, const std::string& after) {
    if (converted == 0) return "";
    return number(converted) + files_done + after;
}

std::string name_list(const std::vector<std::string>& names, const char* separator) {
    std::string list;
    for (size_t k = 0; k < names.size() && k < named_failures; ++k) list += (k == 0 ? "" : separator) + names[k];
    if (names.size() > named_failures)
        list += separator + std::string(others_pattern) + number(static_cast<long>(names.size() - named_failures)) +
                text_pieces;
    return list;
}

}  // namespace

// "1개 파일 처리 완료."
const char single_finished_status[] = "1\xB0\xB3 \xC6\xC4\xC0\xCF \xC3\xB3\xB8\xAE \xBF\xCF\xB7\xE1.";

std::string progress_status(int file_count, int file_number) {
    return number(file_count) + " / " + number(file_number) + processing;
}

std::string finished_status(int file_count) { return number(file_count) + files_done; }

std::string finished_message(int file_count, bool saved_in_tessaline) {
    return finished_status(file_count) + (saved_in_tessaline ? saved : "");
}

// "2개 파일 처리완료. 1개 파일 처리실패: a.txt"
std::string failed_status(int converted, const std::vector<std::string>& failed_names) {
    return converted_part(converted, " ") + number(static_cast<long>(failed_names.size())) + files_failed + " " +
           name_list(failed_names, ", ");
}

// "2개 파일 처리완료.\nTessaline 폴더에 자장되었습니다.\n1개 파일 처리실패:\na.txt"
std::string failed_message(int converted, const std::vector<std::string>& failed_names, bool saved_in_tessaline) {
    return converted_part(converted, std::string(saved_in_tessaline ? saved : "") + "\n") +
           number(static_cast<long>(failed_names.size())) + files_failed + "\n" + name_list(failed_names, "\n");
}

}  // namespace tessaline
