#include <gtest/gtest.h>

#include <string>

#include "cli/messages.h"
#include "cli/reason_wording.h"
#include "pipeline/text_warnings.h"

namespace tessaline {

namespace {

bool holds_hangul(const std::string& text) {
    for (size_t k = 0; k + 2 < text.size(); ++k) {
        // Hangul syllables U+AC00 to U+D7A3 begin with the bytes EA to ED in UTF-8.
        auto lead = static_cast<unsigned char>(text[k]);
        if (lead >= 0xEA && lead <= 0xED) return true;
    }
    return false;
}

class MessagesTest : public ::testing::Test {
protected:
    void TearDown() override { choose_korean(false); }
};

TEST_F(MessagesTest, EveryTextIsWordedInBothLanguages) {
    for (int k = 0; k <= static_cast<int>(Text::interrupted); ++k) {
        auto text = static_cast<Text>(k);
        choose_korean(false);
        std::string english = message(text);
        choose_korean(true);
        std::string korean = message(text);
        EXPECT_FALSE(english.empty()) << "text " << k;
        EXPECT_FALSE(holds_hangul(english)) << "text " << k << ": " << english;
        EXPECT_TRUE(holds_hangul(korean)) << "text " << k << ": " << korean;
        EXPECT_EQ(korean.find("자장"), std::string::npos) << korean;
    }
}

TEST_F(MessagesTest, ArgumentsTakeTheirPlaceInEitherWordOrder) {
    choose_korean(false);
    EXPECT_EQ(message(Text::would_replace_result, {"'out/a.txt'", "'b/a.txt'"}),
              "is not converted: its result 'out/a.txt' would replace that of 'b/a.txt'");
    choose_korean(true);
    EXPECT_EQ(message(Text::would_replace_result, {"'out/a.txt'", "'b/a.txt'"}),
              "파일은 변환하지 않습니다: 결과 'out/a.txt'이(가) 'b/a.txt'의 결과를 덮어쓰게 됩니다");
    EXPECT_EQ(message(Text::summary, {"3", "1", "2.5", "0.4"}), "3개 변환, 1개 실패, 2.5 MB, 0.4초.");
}

TEST_F(MessagesTest, TheHelpIsTheSameListOfOptionsInBothLanguages) {
    choose_korean(false);
    std::string english = message(Text::help);
    choose_korean(true);
    std::string korean = message(Text::help);
    int options = 0;
    for (size_t start = 0; start < english.size(); start = english.find('\n', start) + 1) {
        size_t first = english.find_first_not_of(' ', start);
        if (first == start || english[first] != '-') continue;
        std::string option = english.substr(first, english.find_first_of(" ,\n", first) - first);
        bool listed = korean.find(" " + option + " ") != std::string::npos ||
                      korean.find(" " + option + ",") != std::string::npos;
        EXPECT_TRUE(listed) << option;
        ++options;
    }
    EXPECT_GT(options, 15);
}

TEST_F(MessagesTest, ThePipelinesEnglishReasonsAreToldInKorean) {
    struct Case {
        std::string english;
        std::string korean;
    } cases[] = {
        {"cannot be opened: No such file or directory", "파일을 열 수 없습니다: 그런 파일이나 폴더가 없습니다"},
        {"cannot be opened: it is a FIFO (named pipe), not a regular file",
         "파일을 열 수 없습니다: 일반 파일이 아니라 FIFO(이름 있는 파이프)입니다"},
        {"cannot be written: No space left on device", "파일을 쓸 수 없습니다: 저장 공간이 모자랍니다"},
        {"cannot create the folder out/: a file of that name is in the way",
         "폴더를 만들 수 없습니다: 같은 이름의 파일이 이미 있습니다"},
        {"cannot be converted: out of memory", "파일을 변환할 수 없습니다: 메모리가 모자랍니다"},
        {"cannot be read: Input/output error", "파일을 읽을 수 없습니다: 입출력 오류가 났습니다"},
        {"cannot be read: Stale file handle", "파일을 읽을 수 없습니다: Stale file handle"},
        {"cannot be read again: No such file or directory",
         "파일을 다시 읽을 수 없습니다: 그런 파일이나 폴더가 없습니다"},
        {"is not text: it begins like a PNG image", "파일은 텍스트가 아닙니다: PNG 그림처럼 시작합니다"},
        {"is not text: 31% of its bytes are control codes that text does not hold",
         "파일은 텍스트가 아닙니다: 바이트의 31%가 텍스트에 없는 제어 코드입니다"},
        {damage_warning(TextEncoding::utf8, TextEncoding::utf8, DecodingDamage{3, 120}),
         "UTF-8이 아닌 바이트 3개를 U+FFFD로 썼습니다 (첫째는 120번째 바이트)"},
        {damage_warning(TextEncoding::utf16le, TextEncoding::cp949, DecodingDamage{1, 7}),
         "UTF-16이 아닌 코드 단위 1개를 \"?\"로 썼습니다 (첫째는 7번째 바이트)"},
        {unkept_warning(UnkeptCharacters{{U'😀', 3}, {U'—', 12}}),
         "CP949에 없는 문자 15개를 \"?\"로 썼습니다: — ×12, 😀 ×3. --output-encoding utf-8이면 그대로 남습니다"},
        {"holds nothing we know of", "holds nothing we know of"},
    };
    choose_korean(true);
    for (const Case& c : cases) EXPECT_EQ(reason_in_run_language(c.english), c.korean) << c.english;
    choose_korean(false);
    for (const Case& c : cases) EXPECT_EQ(reason_in_run_language(c.english), c.english);
}

}  // namespace

}  // namespace tessaline
