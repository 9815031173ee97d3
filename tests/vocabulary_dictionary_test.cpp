// The vocabulary mode with a spelling dictionary: where the book is silent (a short text), the
// dictionary tells whether the pieces at a joint make one word or two; long texts and
// conversions without a dictionary never ask it.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "engine/vocabulary/dictionary.h"
#include "tests/support/cp949.h"
#include "tests/support/engine_harness.h"

namespace tessaline {

namespace {

// A dictionary of a few words, written in Hangul; it counts how often it is asked.
class ListedWords : public WordDictionary {
public:
    explicit ListedWords(std::set<std::string> words, bool loads = true) : words_(std::move(words)), loads_(loads) {}
    bool available() override { return loads_; }
    bool is_word(std::string_view cp949_word) override {
        ++lookups;
        return words_.count(utf8(std::string(cp949_word))) > 0;
    }
    int lookups = 0;

private:
    std::set<std::string> words_;
    bool loads_;
};

ConversionOptions asking(WordDictionary* dictionary) {
    ConversionOptions options = plain_options();
    options.joints = JointMode::vocabulary;
    options.dictionary = dictionary;
    return options;
}

// The one joined line of a two-line text, as the engine writes it.
std::string joined(const std::string& line, const std::string& next, const ConversionOptions& options) {
    std::string result = reflow_utf8(line + "\n" + next + "\n", options);
    return result.substr(0, result.find('\r'));
}

struct DictionaryCase {
    const char* what;
    const char* line;
    const char* next;
    std::set<std::string> words;  // what the dictionary knows
    const char* by_rules;         // the joined line by the rules alone
    const char* by_dictionary;    // ... with the dictionary asked
};

class DictionaryJoint : public testing::TestWithParam<DictionaryCase> {};

TEST_P(DictionaryJoint, DecidesWhereTheBookIsSilent) {
    const DictionaryCase& c = GetParam();
    ConversionOptions rules = plain_options();
    EXPECT_EQ(joined(c.line, c.next, rules), c.by_rules) << "rules";
    ListedWords dictionary(c.words);
    EXPECT_EQ(joined(c.line, c.next, asking(&dictionary)), c.by_dictionary) << "dictionary";
    EXPECT_GT(dictionary.lookups, 0);
    // A short text alone says too little to overrule the rules.
    EXPECT_EQ(joined(c.line, c.next, asking(nullptr)), c.by_rules) << "vocabulary without a dictionary";
}

INSTANTIATE_TEST_SUITE_P(Readings, DictionaryJoint,
                         testing::Values(DictionaryCase{"a_fused_word_takes_back_the_rules_space",
                                                        "그는 서랍에서 낡은 편지",
                                                        "봉투를 꺼냈다.",
                                                        {"편지봉투를"},
                                                        "그는 서랍에서 낡은 편지 봉투를 꺼냈다.",
                                                        "그는 서랍에서 낡은 편지봉투를 꺼냈다."},
                                         DictionaryCase{"two_words_get_the_space_the_rules_left_out",
                                                        "그녀가 마당",
                                                        "한가운데 서 있었다.",
                                                        {"마당", "한가운데"},
                                                        "그녀가 마당한가운데 서 있었다.",
                                                        "그녀가 마당 한가운데 서 있었다."},
                                         DictionaryCase{"a_one_syllable_particle_stays_fused",
                                                        "배를 기다렸다. 민서",
                                                        "는 낡은 가방을 들었다.",
                                                        {"는", "가방을"},
                                                        "배를 기다렸다. 민서는 낡은 가방을 들었다.",
                                                        "배를 기다렸다. 민서는 낡은 가방을 들었다."}),
                         [](const testing::TestParamInfo<DictionaryCase>& info) {
                             return std::string(info.param.what);
                         });

TEST(DictionaryAsking, EachRunIsLookedUpOnceAConversion) {
    ListedWords dictionary({"마당", "한가운데"});
    std::string text;
    for (int k = 0; k < 5; ++k) text += "그녀가 마당\n한가운데 서 있었다.\n";
    reflow_utf8(text, asking(&dictionary));
    EXPECT_EQ(dictionary.lookups, 3) << "the runs before and after the cut, and the two together";
}

TEST(DictionaryAsking, ADictionaryThatDoesNotLoadIsNeverAsked) {
    ListedWords dictionary({"마당", "한가운데"}, false);
    EXPECT_EQ(joined("그녀가 마당", "한가운데 서 있었다.", asking(&dictionary)), "그녀가 마당한가운데 서 있었다.");
    EXPECT_EQ(dictionary.lookups, 0);
}

TEST(DictionaryAsking, ALongTextGoesByItsOwnWords) {
    ListedWords dictionary({"마당", "한가운데"});
    std::string lines = cp949("그녀가 마당\n한가운데 서 있었다.\n");
    auto repeated_past = [&lines](int64_t size) {
        std::string text;
        while (static_cast<int64_t>(text.size()) <= size) text += lines;
        return text;
    };
    reflow(repeated_past(dictionary_text_limit), asking(&dictionary));
    EXPECT_EQ(dictionary.lookups, 0);
    reflow(repeated_past(dictionary_text_limit / 2), asking(&dictionary));
    EXPECT_GT(dictionary.lookups, 0) << "a text of half the limit asks";
}

TEST(DictionaryAsking, TheRulesModeNeverAsks) {
    ListedWords dictionary({"마당", "한가운데"});
    ConversionOptions options = asking(&dictionary);
    options.joints = JointMode::rules;
    EXPECT_EQ(joined("그녀가 마당", "한가운데 서 있었다.", options), "그녀가 마당한가운데 서 있었다.");
    EXPECT_EQ(dictionary.lookups, 0);
}

}  // namespace

}  // namespace tessaline
