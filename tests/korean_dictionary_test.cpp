// The command line's Korean dictionary: loaded when first asked or ahead of it, shared by
// conversions side by side, and when it cannot be, the reason is told once and every word is
// unknown.

#include "dictionary/korean_dictionary.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/cp949.h"

namespace tessaline {

namespace fs = std::filesystem;

namespace {

struct Warnings {
    std::vector<std::string> told;
    std::function<void(const std::string&)> sink() {
        return [this](const std::string& why) { told.push_back(why); };
    }
};

TEST(KoreanDictionary, KnowsWordsWithTheirEndingsWhereHunspellKoIsInstalled) {
    Warnings warnings;
    KoreanDictionary dictionary("", warnings.sink());
    if (!dictionary.available()) GTEST_SKIP() << "no Korean dictionary here: " << warnings.told.at(0);
    EXPECT_TRUE(warnings.told.empty());
    for (const char* word : {"사람", "사람들은", "가방을", "기다렸다"})
        EXPECT_TRUE(dictionary.is_word(cp949(word))) << word;
    for (const char* fused : {"가방을기다렸다", "사람들은가방을"})
        EXPECT_FALSE(dictionary.is_word(cp949(fused))) << fused;
}

// Conversions side by side ask the same words while it loads ahead: each gets Hunspell's answer.
TEST(KoreanDictionary, AnswersConversionsSideBySideWhileLoadingAhead) {
    Warnings warnings;
    KoreanDictionary dictionary("", warnings.sink());
    dictionary.load_ahead();
    if (!dictionary.available()) GTEST_SKIP() << "no Korean dictionary here: " << warnings.told.at(0);
    const std::vector<std::pair<const char*, bool>> asked = {
        {"사람들은", true}, {"기다렸다", true}, {"가방을기다렸다", false}, {"낡은", true}};
    auto ask_all = [&](std::vector<bool>& answers) {
        for (int round = 0; round < 50; ++round)
            for (const auto& [word, known] : asked) answers.push_back(dictionary.is_word(cp949(word)) == known);
    };
    std::vector<bool> first, second;
    std::thread side(ask_all, std::ref(first));
    ask_all(second);
    side.join();
    EXPECT_EQ(std::count(first.begin(), first.end(), false), 0);
    EXPECT_EQ(std::count(second.begin(), second.end(), false), 0);
}

TEST(KoreanDictionary, AMissingDictionaryLoadedAheadIsToldOnceWhenFirstAsked) {
    Warnings warnings;
    KoreanDictionary dictionary("/no/such/folder", warnings.sink());
    dictionary.load_ahead();
    dictionary.load_ahead();
    EXPECT_FALSE(dictionary.is_word(cp949("사람")));
    EXPECT_FALSE(dictionary.available());
    ASSERT_EQ(warnings.told.size(), 1u);
    EXPECT_NE(warnings.told[0].find("'/no/such/folder'"), std::string::npos) << warnings.told[0];
}

TEST(KoreanDictionary, AMissingDictionaryIsToldOnce) {
    Warnings warnings;
    KoreanDictionary dictionary("/no/such/folder", warnings.sink());
    EXPECT_FALSE(dictionary.available());
    EXPECT_FALSE(dictionary.available());
    EXPECT_FALSE(dictionary.is_word(cp949("사람")));
    ASSERT_EQ(warnings.told.size(), 1u);
    EXPECT_NE(warnings.told[0].find("'/no/such/folder'"), std::string::npos) << warnings.told[0];
}

TEST(KoreanDictionary, FilesThatAreNoKoreanDictionaryAreNamed) {
    if (!TESSALINE_HAS_HUNSPELL) GTEST_SKIP() << "this build reads no dictionary";
    std::string pattern = (fs::temp_directory_path() / "tessaline-dictionary-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    fs::path folder = pattern;
    std::ofstream(folder / "ko.aff") << "SET UTF-8\n";
    std::ofstream(folder / "ko.dic") << "1\nhouse\n";
    Warnings warnings;
    KoreanDictionary dictionary(folder.string(), warnings.sink());
    EXPECT_FALSE(dictionary.available());
    ASSERT_EQ(warnings.told.size(), 1u);
    EXPECT_NE(warnings.told[0].find((folder / "ko.dic").string()), std::string::npos) << warnings.told[0];
    fs::remove_all(folder);
}

}  // namespace

}  // namespace tessaline
