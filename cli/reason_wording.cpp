#include "cli/reason_wording.h"

#include <regex>

#include "cli/messages.h"
#include "platform/platform.h"

namespace tessaline {

namespace {

struct PhraseWording {
    const char* english;  // the opening of the pipeline's reason
    const char* korean;
};

// A longer phrase comes before a shorter one it begins with.
const PhraseWording pipeline_phrases[] = {
    {"cannot be opened", "파일을 열 수 없습니다"},
    {"cannot be read again", "파일을 다시 읽을 수 없습니다"},
    {"cannot be read", "파일을 읽을 수 없습니다"},
    {"cannot be kept in a temporary file", "파일을 임시 파일에 담아 둘 수 없습니다"},
    {"cannot be written", "파일을 쓸 수 없습니다"},
    {"is too large (4 GiB or more)", "파일이 너무 큽니다 (4 GiB 이상)"},
    {"would replace its own input file", "파일이 자기 입력 파일을 덮어쓰게 됩니다"},
    {"cannot create the folder", "폴더를 만들 수 없습니다"},
    {"cannot be converted: out of memory", "파일을 변환할 수 없습니다: 메모리가 모자랍니다"},
    {"is not written: the Tessaline folder is a symbolic link (name an output folder with -o)",
     "파일을 쓰지 않습니다: Tessaline 폴더가 심볼릭 링크입니다 (-o로 출력 폴더를 정해 주십시오)"},
};

bool starts_with(const std::string& text, const std::string& opening) {
    return text.compare(0, opening.size(), opening) == 0;
}

// The system's explanation at the end of a reason, in Korean when the platform knows its words.
std::string explanation(const std::string& english) {
    size_t colon = english.rfind(": ");
    if (colon == std::string::npos) return "";
    std::string told = english.substr(colon + 2);
    std::string korean = korean_reason(platform_error_kind_of(told.c_str()));
    return korean.empty() ? told : korean;
}

// The warnings about bytes that were not text, and about characters CP949 lacks.
const std::regex DAMAGE(
    R"(has (\d+) (?:byte|bytes|(code unit|code units)) that (?:is|are) not (CP949 text|UTF-8|UTF-16) )"
    R"(\((?:the first )?at byte (\d+)\), written as (.+))");
const std::regex UNKEPT(
    R"(holds (\d+) characters? that CP949 lacks, written as "\?": (.*); --output-encoding utf-8 keeps them)");
const std::regex others_pattern(R"(, (\d+) others?$)");

// The refusals of files that are plainly not text.
const std::regex BEGINS_LIKE(R"(is not text: it begins like an? (.+))");
const std::regex CONTROL_CODES(R"(is not text: (\d+)% of its bytes are control codes that text does not hold)");

const PhraseWording kinds_of_file[] = {
    {"PNG image", "PNG 그림"},
    {"JPEG image", "JPEG 그림"},
    {"ZIP archive", "ZIP 압축 파일"},
    {"gzip archive", "gzip 압축 파일"},
    {"7-Zip archive", "7-Zip 압축 파일"},
    {"RAR archive", "RAR 압축 파일"},
    {"xz archive", "xz 압축 파일"},
    {"tar archive", "tar 묶음 파일"},
    {"program", "실행 프로그램"},
    {"old Office or Hangul document", "예전 Office 문서나 한글 문서"},
    {"PDF document", "PDF 문서"},
};

std::string kind_in_korean(const std::string& english) {
    for (const PhraseWording& kind : kinds_of_file)
        if (english == kind.english) return kind.korean;
    return english;
}

std::string damage_in_korean(const std::smatch& found) {
    std::string encoding = found[3] == "CP949 text" ? "CP949 텍스트가" : found[3].str() + "이";
    std::string unit = found[2].matched ? "코드 단위" : "바이트";
    return encoding + " 아닌 " + unit + " " + found[1].str() + "개를 " + found[5].str() + "로 썼습니다 (첫째는 " +
           found[4].str() + "번째 바이트)";
}

std::string unkept_in_korean(const std::smatch& found) {
    std::string list = std::regex_replace(found[2].str(), others_pattern, ", 그 밖에 $1자");
    return "CP949에 없는 문자 " + found[1].str() + "개를 \"?\"로 썼습니다: " + list +
           ". --output-encoding utf-8이면 그대로 남습니다";
}

}  // namespace

std::string reason_in_run_language(const std::string& english) {
    if (!korean_chosen()) return english;
    std::smatch found;
    if (std::regex_match(english, found, DAMAGE)) return damage_in_korean(found);
    if (std::regex_match(english, found, UNKEPT)) return unkept_in_korean(found);
    if (std::regex_match(english, found, BEGINS_LIKE))
        return "파일은 텍스트가 아닙니다: " + kind_in_korean(found[1].str()) + "처럼 시작합니다";
    if (std::regex_match(english, found, CONTROL_CODES))
        return "파일은 텍스트가 아닙니다: 바이트의 " + found[1].str() + "%가 텍스트에 없는 제어 코드입니다";
    for (const PhraseWording& phrase : pipeline_phrases) {
        if (!starts_with(english, phrase.english)) continue;
        std::string system = explanation(english.substr(std::string(phrase.english).size()));
        return phrase.korean + (system.empty() ? "" : ": " + system);
    }
    return english;
}

}  // namespace tessaline
