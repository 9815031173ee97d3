#include "cli/reason_wording.h"

#include "cli/messages.h"
#include "platform/platform.h"

namespace {

struct PhraseWording {
    const char* english;    // the opening of the pipeline's reason
    const char* korean;
};

const PhraseWording PIPELINE_PHRASES[] = {
    {"cannot be opened", "파일을 열 수 없습니다"},
    {"cannot be read", "파일을 읽을 수 없습니다"},
    {"cannot be written", "파일을 쓸 수 없습니다"},
    {"is too large (4 GiB or more)", "파일이 너무 큽니다 (4 GiB 이상)"},
    {"would replace its own input file", "파일이 자기 입력 파일을 덮어쓰게 됩니다"},
    {"cannot create the folder", "폴더를 만들 수 없습니다"},
    {"cannot be converted: out of memory", "파일을 변환할 수 없습니다: 메모리가 모자랍니다"},
    {"is not written: the Tessaline folder is a symbolic link (name an output folder with -o)",
     "파일을 쓰지 않습니다: Tessaline 폴더가 심볼릭 링크입니다 (-o로 출력 폴더를 정해 주십시오)"},
};

bool starts_with(const std::string& text, const std::string& opening) { return text.compare(0, opening.size(), opening) == 0; }

// The system's explanation at the end of a reason, in Korean when the platform knows its words.
std::string explanation(const std::string& english) {
    size_t colon = english.rfind(": ");
    if (colon == std::string::npos) return "";
    std::string told = english.substr(colon + 2);
    std::string korean = korean_reason(platform_error_kind_of(told.c_str()));
    return korean.empty() ? told : korean;
}

}  // namespace

std::string reason_in_run_language(const std::string& english) {
    if (!korean_chosen()) return english;
    for (const PhraseWording& phrase : PIPELINE_PHRASES) {
        if (!starts_with(english, phrase.english)) continue;
        std::string system = explanation(english.substr(std::string(phrase.english).size()));
        return phrase.korean + (system.empty() ? "" : ": " + system);
    }
    return english;
}
