#include <gtest/gtest.h>

#include <span>
#include <string>

#include "pipeline/own_footer.h"
#include "tests/support/cp949.h"

namespace tessaline {

namespace {

const std::string footer_text = "[modify by Tessaline  beta2 ver 2010.7.7]\r\n[Text modified date: 2024.3.5]\r\n";

size_t kept(const std::string& text) {
    return length_without_own_footer(reinterpret_cast<const unsigned char*>(text.data()), text.size());
}

TEST(OwnFooter, OnlyAFooterOfThisProgramAtTheVeryEndIsFound) {
    const std::string body = cp949("바다는 아침부터 잿빛이었다.\r\n");
    const std::string lf_footer = "[modify by Tessaline  beta2 ver 2010.7.7]\n[Text modified date: 2010.12.24]\n";
    const std::string bad_date = "[modify by Tessaline  beta2 ver 2010.7.7]\r\n[Text modified date: today]\r\n";
    const std::string other_version = "[modify by Tessaline  beta3]\r\n[Text modified date: 2024.3.5]\r\n";
    struct Case {
        const char* what;
        std::string text;
        std::string kept;
    } cases[] = {
        {"a result's own footer", body + "\r\n\r\n\r\n" + footer_text, body + "\r\n\r\n\r\n"},
        {"with LF line ends", body + "\n" + lf_footer, body + "\n"},
        {"blank lines after it", body + footer_text + "\r\n  \r\n", body},
        {"nothing after its bracket", body + footer_text.substr(0, footer_text.size() - 2), body},
        {"a footer alone", footer_text, ""},
        {"text after the footer", body + footer_text + cp949("끝.\r\n"), body + footer_text + cp949("끝.\r\n")},
        {"not at the start of a line", body + "x" + footer_text, body + "x" + footer_text},
        {"the date is not a date", body + bad_date, body + bad_date},
        {"another version line", body + other_version, body + other_version},
        {"only the date line", body + "[Text modified date: 2024.3.5]\r\n",
         body + "[Text modified date: 2024.3.5]\r\n"},
        {"an empty text", "", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(c.text.substr(0, kept(c.text)), c.kept) << c.what;
}

TEST(OwnFooter, TheFooterOfTheFirstOfTwoConversionsStaysWhenItIsNotAtTheEnd) {
    const std::string twice = footer_text + "\r\n\r\n\r\n" + footer_text;
    EXPECT_EQ(kept(twice), footer_text.size() + 6);
}

// The text passed through the filter in pieces of `piece` bytes.
std::string filtered(const std::string& text, size_t piece) {
    OwnFooterFilter filter;
    std::string passed;
    auto take = [&](std::span<const unsigned char> bytes) {
        passed.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    };
    for (size_t at = 0; at < text.size(); at += piece) {
        std::string part = text.substr(at, piece);
        filter.put({reinterpret_cast<const unsigned char*>(part.data()), part.size()}, take);
    }
    filter.finish(take);
    return passed;
}

TEST(OwnFooter, AStreamedTextLosesTheSameFooterInPiecesOfAnySize) {
    std::string long_body;
    while (long_body.size() < 5000) long_body += cp949("긴 소설의 한 줄이다.\r\n");
    const std::string texts[] = {
        long_body + "\r\n\r\n\r\n" + footer_text,
        long_body + footer_text + std::string(300, ' ') + "\r\n",
        long_body + "x" + footer_text,
        long_body,
        footer_text,
        "x",
        "",
        long_body + footer_text + cp949("끝.\r\n"),
    };
    for (const std::string& text : texts)
        for (size_t piece : {size_t{1}, size_t{7}, size_t{64}, size_t{4096}, text.size() + 1})
            EXPECT_EQ(filtered(text, piece), text.substr(0, kept(text)))
                << "pieces of " << piece << ", text of " << text.size();
}

TEST(OwnFooter, AFooterBeforeAFloodOfBlanksIsNotAtTheEnd) {
    const std::string text = cp949("본문.\r\n") + footer_text + std::string(100000, '\n');
    EXPECT_EQ(kept(text), text.size());
    EXPECT_EQ(filtered(text, 4096), text);
}

}  // namespace

}  // namespace tessaline
