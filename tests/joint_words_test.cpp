// Every word of the joint tables, checked against its Hangul spelling: a missing, extra or
// misspelt entry, or a compared length that does not cover the whole word, fails here.

#include <gtest/gtest.h>

#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "engine/attaching_words.h"
#include "engine/joint_words.h"
#include "tests/support/cp949.h"

namespace {

using Spellings = std::vector<std::string>;

void expect_word(const Word& word, const std::string& spelling) {
    SCOPED_TRACE(spelling);
    std::string expected = cp949(spelling);
    EXPECT_EQ(std::string(word.bytes, std::strlen(word.bytes)), expected);
    EXPECT_EQ(word.length, static_cast<int>(expected.size()));
}

void expect_words(std::span<const Word> words, const Spellings& spellings) {
    ASSERT_EQ(words.size(), spellings.size());
    for (size_t i = 0; i < words.size(); ++i) expect_word(words[i], spellings[i]);
}

struct TailRuleSpelling {
    std::string tail;
    Spellings required_befores{};
    Spellings excluded_befores{};
    Spellings required_heads{};
    Spellings excluded_heads{};
};

void expect_tail_rules(std::span<const TailRule> rules, const std::vector<TailRuleSpelling>& spellings) {
    ASSERT_EQ(rules.size(), spellings.size());
    for (size_t i = 0; i < rules.size(); ++i) {
        SCOPED_TRACE("rule for " + spellings[i].tail);
        expect_word(rules[i].tail, spellings[i].tail);
        expect_words(rules[i].required_befores, spellings[i].required_befores);
        expect_words(rules[i].excluded_befores, spellings[i].excluded_befores);
        expect_words(rules[i].required_heads, spellings[i].required_heads);
        expect_words(rules[i].excluded_heads, spellings[i].excluded_heads);
    }
}

struct ReviewRuleSpelling {
    Spellings heads;
    Spellings required_befores{};
    Spellings excluded_befores{};
};

void expect_review_rules(std::span<const ReviewRule> rules, const std::vector<ReviewRuleSpelling>& spellings) {
    ASSERT_EQ(rules.size(), spellings.size());
    for (size_t i = 0; i < rules.size(); ++i) {
        SCOPED_TRACE("rule " + std::to_string(i));
        expect_words(rules[i].heads, spellings[i].heads);
        expect_words(rules[i].required_befores, spellings[i].required_befores);
        expect_words(rules[i].excluded_befores, spellings[i].excluded_befores);
    }
}

size_t count_of_length(std::span<const Word> words, int length) {
    size_t count = 0;
    for (const Word& word : words) count += word.length == length ? 1 : 0;
    return count;
}

const Spellings attaching_syllable_spellings = {
    "니", "은", "에", "도", "을", "감", "를", "데", "게", "며", "겐", "만", "인", "건", "의", "요",
    "고", "것", "려", "야", "나", "기", "지", "운", "가", "던", "면", "라", "들", "리", "우"};

const Spellings attaching_ending_spellings = {
    "에도", "에서", "에는", "에만", "에게", "으로", "하고", "서도", "로도", "이야", "에야", "로야",
    "다면", "것은", "것이", "것을", "것도", "것에", "로는", "로서", "부터", "까지", "서는", "라도",
    "라고", "라서", "여야", "여서", "여도", "르지", "하곤", "라곤", "지는", "하여", "하기", "하며",
    "하면", "에선", "로선", "게서", "게선", "게는", "게로", "어야", "라는", "하는", "자는", "게도",
    "들이", "들을", "들은", "들에", "들도", "기에", "게만", "로만", "명을", "명은", "명의"};

TEST(JointWords, AlwaysSpacedTails) {
    expect_words(always_spaced_tails,
                 {"부터", "까지", "러나", "그건", "거나", "또한", "모두", "함께", "이나", "경우", "그런",
                  "달리", "다른", "적인", "처럼", "만일", "만약", "끝내", "침내", "문득", "잠시", "한참",
                  "오늘", "내일", "어떤", "모든", "벌써", "직전", "도중", "직후", "처음", "중간", "다음",
                  "이전", "이후", "마다", "조차", "말로", "전부", "물론", "역시", "다시", "한테", "쉬운",
                  "되어", "맞춰", "스런", "마치", "동안", "이건", "저건", "없어", "에겐", "에선", "로선",
                  "러운", "곧장", "다해", "통해", "당장",
                  "데 선", "들 중", "것 중", "던 중", "그 중", "할 수",
                  "어려운", "아니라", "도대체", "드디어", "더구나", "하지만",
                  "눈을 떠"});
    EXPECT_EQ(count_of_length(always_spaced_tails, 4), 60u);
    EXPECT_EQ(count_of_length(always_spaced_tails, 5), 6u);
    EXPECT_EQ(count_of_length(always_spaced_tails, 6), 6u);
    EXPECT_EQ(count_of_length(always_spaced_tails, 7), 1u);
}

TEST(JointWords, ExceptedTails) {
    expect_tail_rules(excepted_tails, {
        {.tail = "하여", .excluded_heads = {"금"}},
        {.tail = "이자", .excluded_heads = {"식"}},
        {.tail = "아주", .excluded_heads = {"리"}},
        {.tail = "정말", .excluded_heads = {"로", "이지"}},
        {.tail = "대해", .excluded_heads = {"본 ", "온 ", "진 "}},
        {.tail = "인 양", .excluded_heads = {"피지", "초", "식"}},
    });
}

TEST(JointWords, OpeningHeads) {
    expect_words(opening_heads, {"그렇", "그리고", "그런데", "그래서", "그러나", "그래도", "또한 ", "또한,",
                                 "또는 ", "또는,", "따라서", "요컨데", "더구나", "하물며"});
    ASSERT_EQ(opening_rules.size(), 3u);
    expect_word(opening_rules[0].head, "것도");
    EXPECT_EQ(opening_rules[0].offset, 2);
    expect_words(opening_rules[0].excluded_tails, {});
    expect_word(opening_rules[1].head, "다만");
    EXPECT_EQ(opening_rules[1].offset, 0);
    expect_words(opening_rules[1].excluded_tails, {"니"});
    expect_word(opening_rules[2].head, "만약");
    EXPECT_EQ(opening_rules[2].offset, 0);
    expect_words(opening_rules[2].excluded_tails, {});
}

TEST(JointWords, SingleWordRules) {
    expect_tail_rules(single_word_rules, {
        {.tail = "듯"},
        {.tail = "게"},
        {.tail = "뿐"},
        {.tail = "때", .excluded_heads = {"문"}},
        {.tail = "난", .excluded_heads = {"세", "국", "초", "장", "처"}},
        {.tail = "에 선", .excluded_heads = {"명", "사", "선", "물", "혈", "지", "생", "망"}},
        {.tail = "될", .excluded_heads = {"만", "법"}},
        {.tail = "것", .required_heads = {"같", "뿐", "잘", "아닌", "이상", "만큼", "이외"}},
        {.tail = "곳", .excluded_heads = {"간", "곳"}},
        {.tail = "수", .excluded_heads = {"도", "건", "영", "작", "식", "장", "문", "해"}},
        {.tail = "채", .excluded_heads = {"송화"}},
        {.tail = "서", .excluded_heads = {"서 ", "자 ", "려", "는"}},
        {.tail = "한", .excluded_heads = {"마리", "쪽"}},
        {.tail = "꽤", .excluded_heads = {"병", "할"}},
        {.tail = "걸", .excluded_heads = {"프", "걸", "레", "작", "고리"}},
        {.tail = "할", .excluded_heads = {"머니", "아버", "아범", "멈", "망", "로", "복", "애"}},
        {.tail = "전", .required_befores = {"기 ", "금 ", "간 ", "얼마 "}},
        {.tail = "건", .excluded_heads = {"지", "진", "설", "가", "네", "넨", "넬", "너", "넌", "널", "넜", "넸", "강",
                                  "더", "드", "들", "든", "축", "조", "데", "국", "달", "전", "빵", "성", "물"}},
    });
    EXPECT_EQ(single_word_rules.back().excluded_heads.size(), 26u);
}

TEST(JointWords, DaniRule) {
    expect_tail_rules(std::span<const TailRule>(&dani_rule, 1), {{.tail = "다니", .excluded_befores = {" "}}});
}

TEST(JointWords, EndingRules) {
    expect_tail_rules(ending_rules, {
        {.tail = "을"}, {.tail = "를"}, {.tail = "엔"}, {.tail = "는"}, {.tail = "은"}, {.tail = "며"},
        {.tail = "과"}, {.tail = "와"}, {.tail = "에"}, {.tail = "데"}, {.tail = "히"}, {.tail = "게"},
        {.tail = "던"}, {.tail = "네"}, {.tail = "진"}, {.tail = "본"}, {.tail = "한"}, {.tail = "것"},
        {.tail = "켜"}, {.tail = "든"}, {.tail = "질"}, {.tail = "낼"}, {.tail = "쳐"}, {.tail = "힌"},
        {.tail = ","},
        {.tail = "면", .excluded_heads = {"서"}},
        {.tail = "의", .excluded_heads = {"자"}},
        {.tail = "씩", .excluded_heads = {"씩"}},
        {.tail = "도", .excluded_heads = {"로", "시", "둑", "마", "안"}},
        {.tail = "로", .excluded_befores = {"그"}},
        {.tail = "가", .excluded_befores = {"불"}, .excluded_heads = {"락", "수", "치", "씨"}},
        {.tail = "만", .excluded_heads = {"큼", "세", "한", "지", "진", "질"}},
        {.tail = "니", .required_befores = {"으", "가", "오", "우", "보", "러", "하", "서", "더", "내"},
               .excluded_heads = {"까", "다만"}},
        {.tail = "이", .excluded_heads = {"건", "빨", "불", "커", "었", "글", "니까"}},
        {.tail = "고", .excluded_heads = {"기", "향", "개"}},
        {.tail = "린", .excluded_befores = {"카"}},
        {.tail = "자", .excluded_heads = {"루", "비", "리", "국", "손"}},
        {.tail = "서", .excluded_heads = {"자", "서", "려", "리"}},
        {.tail = "기", .excluded_befores = {"남"}, .excluded_heads = {"사", "지"}},
        {.tail = "지", .excluded_befores = {"마"}, .excluded_heads = {"지"}},
        {.tail = "인", .required_befores = {"적", "덮", "섞", "묶"}},
        {.tail = "야", .excluded_heads = {"기"}},
    });
}

TEST(JointWords, ClosingMarks) {
    expect_words(closing_marks, {".", "?", "!", "\"", "'", "]", "”", "’"});
}

TEST(JointWords, AttachingSyllablesAndEndings) {
    expect_words(attaching_syllables, attaching_syllable_spellings);
    EXPECT_EQ(attaching_syllables.size(), 31u);
    expect_words(attaching_endings, attaching_ending_spellings);
    EXPECT_EQ(attaching_endings.size(), 59u);
    EXPECT_EQ(count_of_length(attaching_endings, 4), 59u);
}

TEST(JointWords, ReviewRules) {
    expect_review_rules(attaching_one_syllable_rules, {
        {{"로", "는"}},
        {attaching_syllable_spellings},
        {{"록"}, {"도"}},
        {{"선"}, {"에"}},
        {{"든"}, {}, {"에", "을", "를", "찍"}},
        {{"이"}, {"만", "면", "것", "들", "곳", "한참", "오늘", "내일"}, {"지만", "러면"}},
        {{"러", "지", "한"}, {"질"}},
        {{"온", "둔", "둘", "쥔", "야", "면", "라", "니", "네"}, {"켜"}},
    });
    expect_review_rules(attaching_two_syllable_rules, {
        {attaching_ending_spellings},
        {{"말로"}, {"야"}},
        {{"다는"}, {"힌", "한"}},
    });
    expect_review_rules(attaching_opening_rules, {
        {{"주는 ", "나게 ", "드릴 "}, {"켜"}},
        {{"지겠"}},
    });
    expect_word(space_keeping_head, "없");
    expect_word(standing_head, "서");
    expect_word(standing_verb, "있");
}

}  // namespace
