// The word tables against the lists they are generated from: every compiled entry must spell its
// list's Hangul over exactly its own bytes, and every list must reach the engine, so that a joint,
// a review, a sentence end or a header line turns out as the list says.

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "engine/rules/attaching_words.h"
#include "engine/rules/board_header_words.h"
#include "engine/rules/joint_words.h"
#include "engine/rules/quotation_words.h"
#include "engine/rules/sentence_words.h"
#include "tests/support/cp949.h"
#include "tests/support/engine_harness.h"
#include "tests/support/word_lists.h"

namespace tessaline {

namespace {

using Words = std::vector<std::string>;

const std::map<std::string, ListedTable>& lists() {
    static const std::map<std::string, ListedTable> tables = read_word_tables(TESSALINE_WORD_LISTS);
    return tables;
}

const ListedTable& list(const std::string& name) {
    auto found = lists().find(name);
    if (found == lists().end()) throw std::runtime_error("no word list named " + name);
    return found->second;
}

Words field(const ListEntry& entry, const std::string& name) {
    auto found = entry.fields.find(name);
    return found == entry.fields.end() ? Words{} : found->second;
}

// A review rule's heads: its own words, or every word of the list it names with "@".
Words heads_of(const ListEntry& entry) {
    if (entry.words.size() == 1 && entry.words[0].starts_with("@")) return listed_words(list(entry.words[0].substr(1)));
    return entry.words;
}

// ---------------------------------------------------------------------------------------------
// Every compiled entry decodes back to its list's word.

void expect_word(const Word& word, const std::string& spelling) {
    std::string expected = cp949(spelling);
    std::string actual(word.bytes, std::strlen(word.bytes));
    EXPECT_EQ(actual, expected) << "compiled as \"" << utf8(actual) << "\", listed as \"" << spelling << "\"";
    EXPECT_EQ(word.length, static_cast<int>(expected.size())) << "compared length of \"" << spelling << "\"";
}

void expect_words(std::span<const Word> words, const Words& spellings) {
    ASSERT_EQ(words.size(), spellings.size());
    for (size_t i = 0; i < words.size(); ++i) expect_word(words[i], spellings[i]);
}

void expect_tail_rules(std::span<const TailRule> rules, const ListedTable& table) {
    ASSERT_EQ(rules.size(), table.entries.size());
    for (size_t i = 0; i < rules.size(); ++i) {
        const ListEntry& entry = table.entries[i];
        SCOPED_TRACE("rule for " + entry.words[0]);
        expect_word(rules[i].tail, entry.words[0]);
        expect_words(rules[i].required_befores, field(entry, "required_befores"));
        expect_words(rules[i].excluded_befores, field(entry, "excluded_befores"));
        expect_words(rules[i].required_heads, field(entry, "required_heads"));
        expect_words(rules[i].excluded_heads, field(entry, "excluded_heads"));
    }
}

void expect_head_rules(std::span<const HeadRule> rules, const ListedTable& table) {
    ASSERT_EQ(rules.size(), table.entries.size());
    for (size_t i = 0; i < rules.size(); ++i) {
        const ListEntry& entry = table.entries[i];
        SCOPED_TRACE("rule for " + entry.words[0]);
        expect_word(rules[i].head, entry.words[0]);
        Words offset = field(entry, "offset");
        EXPECT_EQ(rules[i].offset, offset.empty() ? 0 : std::stoi(offset[0]));
        expect_words(rules[i].excluded_tails, field(entry, "excluded_tails"));
    }
}

void expect_review_rules(std::span<const ReviewRule> rules, const ListedTable& table) {
    ASSERT_EQ(rules.size(), table.entries.size());
    for (size_t i = 0; i < rules.size(); ++i) {
        const ListEntry& entry = table.entries[i];
        SCOPED_TRACE("rule for " + entry.words[0]);
        expect_words(rules[i].heads, heads_of(entry));
        expect_words(rules[i].required_befores, field(entry, "required_befores"));
        expect_words(rules[i].excluded_befores, field(entry, "excluded_befores"));
    }
}

void expect_single_word(const Word& word, const ListedTable& table) {
    ASSERT_EQ(table.entries.size(), 1u);
    expect_word(word, table.entries[0].words[0]);
}

// Each compiled table beside the check that compares it with its list.
const std::map<std::string, std::function<void(const ListedTable&)>>& compiled_tables() {
    static const std::map<std::string, std::function<void(const ListedTable&)>> checks = {
        {"always_spaced_tails", [](const ListedTable& t) { expect_words(always_spaced_tails, listed_words(t)); }},
        {"excepted_tails", [](const ListedTable& t) { expect_tail_rules(excepted_tails, t); }},
        {"opening_heads", [](const ListedTable& t) { expect_words(opening_heads, listed_words(t)); }},
        {"opening_rules", [](const ListedTable& t) { expect_head_rules(opening_rules, t); }},
        {"single_word_rules", [](const ListedTable& t) { expect_tail_rules(single_word_rules, t); }},
        {"dani_rule", [](const ListedTable& t) { expect_tail_rules(std::span(&dani_rule, 1), t); }},
        {"ending_rules", [](const ListedTable& t) { expect_tail_rules(ending_rules, t); }},
        {"closing_marks", [](const ListedTable& t) { expect_words(closing_marks, listed_words(t)); }},
        {"attaching_syllables", [](const ListedTable& t) { expect_words(attaching_syllables, listed_words(t)); }},
        {"attaching_endings", [](const ListedTable& t) { expect_words(attaching_endings, listed_words(t)); }},
        {"attaching_one_syllable_rules",
         [](const ListedTable& t) { expect_review_rules(attaching_one_syllable_rules, t); }},
        {"attaching_two_syllable_rules",
         [](const ListedTable& t) { expect_review_rules(attaching_two_syllable_rules, t); }},
        {"attaching_opening_rules", [](const ListedTable& t) { expect_review_rules(attaching_opening_rules, t); }},
        {"space_keeping_head", [](const ListedTable& t) { expect_single_word(space_keeping_head, t); }},
        {"standing_head", [](const ListedTable& t) { expect_single_word(standing_head, t); }},
        {"standing_verb", [](const ListedTable& t) { expect_single_word(standing_verb, t); }},
        {"sentence_endings",
         [](const ListedTable& t) {
             expect_words(std::span(sentence_endings, sentence_ending_count), listed_words(t));
         }},
        {"continuation_heads",
         [](const ListedTable& t) {
             expect_words(std::span(continuation_heads, continuation_head_count), listed_words(t));
         }},
        {"board_header_words", [](const ListedTable& t) { expect_words(board_header_words, listed_words(t)); }},
        {"quotative_openings", [](const ListedTable& t) { expect_words(quotative_openings, listed_words(t)); }},
    };
    return checks;
}

TEST(WordTables, EveryCompiledEntrySpellsItsListedWord) {
    for (const auto& [name, check] : compiled_tables()) {
        SCOPED_TRACE(name);
        check(list(name));
    }
}

TEST(WordTables, EveryListHasItsCompiledTable) {
    std::set<std::string> listed, compiled;
    for (const auto& [name, table] : lists()) listed.insert(name);
    for (const auto& [name, check] : compiled_tables()) compiled.insert(name);
    EXPECT_EQ(listed, compiled);
}

// ---------------------------------------------------------------------------------------------
// Every list reaches the engine. A joined line is the neutral opening below plus the words under
// test; the next line begins with the words under test and goes on neutrally.

// A syllable that no list holds as a word of its own.
const std::string unlisted_syllable = "늘";
const std::string line_opening = "그날 밤의 하" + unlisted_syllable;
const std::string next_going_on = "바다를 보았다.";  // calls for no space and takes none away

std::string line_ending_in(const std::string& words) { return line_opening + words; }

std::string next_opening_with(const std::string& words) {
    return words + (words.ends_with(" ") ? "" : " ") + next_going_on;
}

// Whether the engine joins `line` to `next` with a space (false: without one).
bool joined_with_space(const std::string& line, const std::string& next) {
    std::string result = reflow_utf8(line + "\r\n" + next, plain_options());
    if (result == line + " " + next + "\r\n") return true;
    if (result == line + next + "\r\n") return false;
    ADD_FAILURE() << "not joined: " << result;
    return false;
}

TEST(WordTablesReachTheEngine, NeutralJointTakesNoSpace) {
    EXPECT_FALSE(joined_with_space(line_ending_in(""), next_going_on));
}

TEST(WordTablesReachTheEngine, AlwaysSpacedTails) {
    for (const std::string& tail : listed_words(list("always_spaced_tails")))
        EXPECT_TRUE(joined_with_space(line_ending_in(tail), next_going_on)) << tail;
}

TEST(WordTablesReachTheEngine, OpeningHeads) {
    for (const std::string& head : listed_words(list("opening_heads")))
        EXPECT_TRUE(joined_with_space(line_ending_in(""), next_opening_with(head))) << head;
}

TEST(WordTablesReachTheEngine, OpeningRules) {
    for (const ListEntry& rule : list("opening_rules").entries) {
        SCOPED_TRACE(rule.words[0]);
        Words offset = field(rule, "offset");
        // The bytes before a head read further into the line: one syllable for every two.
        std::string lead;
        for (int i = 0; !offset.empty() && i < std::stoi(offset[0]) / 2; ++i) lead += "그";
        std::string next = next_opening_with(lead + rule.words[0]);
        EXPECT_TRUE(joined_with_space(line_ending_in(""), next));
        for (const std::string& tail : field(rule, "excluded_tails"))
            EXPECT_FALSE(joined_with_space(line_ending_in(tail), next)) << "after " << tail;
    }
}

// Whether the joint takes a space when the rule for `tail` does not fire: as with the tail's
// first character swapped for a syllable in no list, which leaves the last syllable to the rules
// that read it. A one-syllable tail is that last syllable; there no other rule adds a space.
bool spaced_without_the_rule(const std::string& before, const std::string& tail, const std::string& next) {
    size_t first = static_cast<unsigned char>(tail[0]) < 0x80 ? 1 : 3;  // ASCII, or a syllable in UTF-8
    if (first == tail.size()) return false;
    return joined_with_space(line_ending_in(before + unlisted_syllable + tail.substr(first)), next);
}

// A tail rule adds the space with a matching before and opening. With an excluded before or
// opening, or without a required one, the joint turns out as if the tail did not match at all.
// `before_tail` separates the tail from the line's opening: a space for a one-syllable last word.
void expect_tail_rules_fire(const ListedTable& table, const std::string& before_tail) {
    for (const ListEntry& rule : table.entries) {
        const std::string& tail = rule.words[0];
        SCOPED_TRACE(tail);
        Words required_befores = field(rule, "required_befores");
        Words required_heads = field(rule, "required_heads");
        std::string before = required_befores.empty() ? before_tail : required_befores[0];
        std::string next = required_heads.empty() ? next_going_on : next_opening_with(required_heads[0]);
        auto stopped = [&](const std::string& other_before, const std::string& other_next) {
            return joined_with_space(line_ending_in(other_before + tail), other_next) ==
                   spaced_without_the_rule(other_before, tail, other_next);
        };
        EXPECT_TRUE(joined_with_space(line_ending_in(before + tail), next));
        for (const std::string& excluded : field(rule, "excluded_befores"))
            EXPECT_TRUE(stopped(excluded, next)) << "after " << excluded;
        for (const std::string& head : field(rule, "excluded_heads"))
            EXPECT_TRUE(stopped(before, next_opening_with(head))) << "before " << head;
        if (!required_befores.empty()) {
            EXPECT_TRUE(stopped(before_tail, next)) << "without its before";
        }
        if (!required_heads.empty()) {
            EXPECT_TRUE(stopped(before, next_going_on)) << "without its head";
        }
    }
}

TEST(WordTablesReachTheEngine, ExceptedTails) { expect_tail_rules_fire(list("excepted_tails"), ""); }

TEST(WordTablesReachTheEngine, SingleWordRules) { expect_tail_rules_fire(list("single_word_rules"), " "); }

TEST(WordTablesReachTheEngine, DaniRule) { expect_tail_rules_fire(list("dani_rule"), ""); }

TEST(WordTablesReachTheEngine, EndingRules) { expect_tail_rules_fire(list("ending_rules"), ""); }

// The review. A line's own trailing space stays only in a document whose long lines mostly end
// without one, so ten such lines open every case; the line's last syllable stands before its space.

std::string unspaced_document_start() {
    std::string start;
    for (int i = 0; i < 10; ++i) start += "이 줄은 서른 바이트가 넘는 긴 문장으로 끝난다.\r\n";
    return start;
}

// Whether the space that ends a line ending in `before` stays before `next`.
bool space_kept(const std::string& before, const std::string& next) {
    const std::string start = unspaced_document_start();
    const std::string line = line_ending_in(before);
    std::string result = reflow_utf8(start + line + " \r\n" + next, plain_options());
    if (result == start + line + " " + next + "\r\n") return true;
    if (result == start + line + next + "\r\n") return false;
    ADD_FAILURE() << "not joined: " << result.substr(start.size());
    return false;
}

TEST(WordTablesReachTheEngine, NeutralOpeningKeepsTheSpace) { EXPECT_TRUE(space_kept("", next_going_on)); }

TEST(WordTablesReachTheEngine, ClosingMarks) {
    for (const std::string& mark : listed_words(list("closing_marks")))
        EXPECT_FALSE(space_kept("", "다" + mark)) << mark;
}

TEST(WordTablesReachTheEngine, AttachingSyllablesAndEndings) {
    for (const char* name : {"attaching_syllables", "attaching_endings"})
        for (const std::string& word : listed_words(list(name)))
            EXPECT_FALSE(space_kept("", next_opening_with(word))) << name << ": " << word;
}

const char* const review_rule_lists[] = {"attaching_one_syllable_rules", "attaching_two_syllable_rules",
                                         "attaching_opening_rules"};

// Heads that a rule without conditions attaches whatever stands before the space.
std::set<std::string> unconditional_heads() {
    std::set<std::string> heads;
    for (const char* name : review_rule_lists)
        for (const ListEntry& rule : list(name).entries)
            if (rule.fields.empty())
                for (const std::string& head : heads_of(rule)) heads.insert(head);
    return heads;
}

// A review rule takes the space away before each of its heads after a required syllable, and
// keeps it after an excluded one or without a required one, unless another rule attaches the
// head anyway.
void expect_review_rules_fire(const ListedTable& table) {
    const std::set<std::string> attached_anyway = unconditional_heads();
    for (const ListEntry& rule : table.entries) {
        Words required = field(rule, "required_befores");
        for (const std::string& head : heads_of(rule)) {
            SCOPED_TRACE(head);
            std::string next = next_opening_with(head);
            EXPECT_FALSE(space_kept(required.empty() ? "" : required[0], next));
            if (attached_anyway.contains(head)) continue;
            for (const std::string& excluded : field(rule, "excluded_befores"))
                EXPECT_TRUE(space_kept(excluded, next)) << "after " << excluded;
            if (!required.empty()) {
                EXPECT_TRUE(space_kept("", next)) << "without its before";
            }
        }
    }
}

TEST(WordTablesReachTheEngine, ReviewRules) {
    for (const char* name : review_rule_lists) {
        SCOPED_TRACE(name);
        expect_review_rules_fire(list(name));
    }
}

TEST(WordTablesReachTheEngine, SpaceKeepingAndStandingHeads) {
    const std::string keeping = list("space_keeping_head").entries[0].words[0];
    const std::string standing = list("standing_head").entries[0].words[0];
    const std::string verb = list("standing_verb").entries[0].words[0];
    EXPECT_TRUE(space_kept("", keeping + "."));  // a closing mark after one syllable would take it
    EXPECT_FALSE(space_kept("", "다."));
    EXPECT_TRUE(space_kept("", standing + " " + verb + "었다."));
    EXPECT_FALSE(space_kept("", next_opening_with(standing)));
}

// The long-sentence pass. Three paragraphs of thirty sentences, each over 800 bytes, make a
// document whose long paragraphs are split after every second sentence end.

int paragraphs_after_the_pass(const std::string& opener, const std::string& ending) {
    std::string paragraph;
    for (int i = 0; i < 30; ++i)
        paragraph += (i > 0 ? " " : "") + opener + "그는 먼 바닷가 마을에서 오래 살았" + ending + ".";
    paragraph += "\r\n";
    ConversionOptions options = plain_options();
    options.split_long_sentences = 1;
    std::string result = reflow_utf8(paragraph + paragraph + paragraph, options);
    int lines = 0;
    for (size_t at = result.find("\r\n"); at != std::string::npos; at = result.find("\r\n", at + 2)) ++lines;
    return lines;
}

TEST(WordTablesReachTheEngine, SentenceEndings) {
    EXPECT_EQ(paragraphs_after_the_pass("", unlisted_syllable), 3);
    for (const std::string& ending : listed_words(list("sentence_endings")))
        EXPECT_GT(paragraphs_after_the_pass("", ending), 3) << ending;
}

TEST(WordTablesReachTheEngine, ContinuationHeads) {
    const std::string ending = listed_words(list("sentence_endings"))[0];
    EXPECT_GT(paragraphs_after_the_pass("", ending), 3);
    for (const std::string& head : listed_words(list("continuation_heads")))
        EXPECT_EQ(paragraphs_after_the_pass(head + " ", ending), 3) << head;
}

// The join decision keeps a header line: its word, then a colon directly or one byte later.
bool kept_apart(const std::string& line) {
    std::string result = reflow_utf8(line + "\r\n" + next_going_on, plain_options());
    return result == line + "\r\n" + next_going_on + "\r\n";
}

TEST(WordTablesReachTheEngine, BoardHeaderWords) {
    EXPECT_FALSE(kept_apart("부제: 어느 바닷가 마을의 겨울"));
    for (const std::string& word : listed_words(list("board_header_words"))) {
        EXPECT_TRUE(kept_apart(word + ": 어느 바닷가 마을의 겨울")) << word;
        EXPECT_TRUE(kept_apart(word + " : 어느 바닷가 마을의 겨울")) << word;
        EXPECT_FALSE(kept_apart(word + "  : 어느 바닷가 마을의 겨울")) << word;
    }
}

// In the vocabulary mode, a book that runs its quotations on into such words keeps the quotation
// and the word on one line; the rules set the quotation apart.
bool quotation_kept_in_its_sentence(const std::string& word, JointMode joints) {
    const std::string book = "\"어디 가니?\" 하고 어머니가 물었다.\n\"장에 가요.\" 하고 아들이 대답하였다.\n";
    const std::string line = "\"일찍 오너라.\" " + word + " 당부하였다.";
    ConversionOptions options = plain_options();
    options.joints = joints;
    return reflow_utf8(book + line + "\n", options).find(line) != std::string::npos;
}

TEST(WordTablesReachTheEngine, QuotativeOpenings) {
    EXPECT_FALSE(quotation_kept_in_its_sentence(unlisted_syllable, JointMode::vocabulary));
    for (const std::string& word : listed_words(list("quotative_openings"))) {
        EXPECT_TRUE(quotation_kept_in_its_sentence(word, JointMode::vocabulary)) << word;
        EXPECT_FALSE(quotation_kept_in_its_sentence(word, JointMode::rules)) << word;
    }
}

}  // namespace

}  // namespace tessaline
