// The engine fed in pieces: whatever the cuts, down to single bytes and under every option set,
// the output is the whole text's, and it leaves as soon as no later input can change it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <random>
#include <span>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/reflow.h"
#include "engine/rules/attaching_words.h"
#include "engine/rules/joint_match.h"
#include "engine/rules/joint_words.h"
#include "tests/support/cp949.h"
#include "tests/support/engine_harness.h"
#include "tools/checks/piece_check.h"

namespace tessaline {

namespace {

class StringSink : public OutputSink {
public:
    void write(std::span<const unsigned char> bytes) override {
        text.append(bytes.begin(), bytes.end());
        ++writes;
    }
    std::string text;
    int writes = 0;
};

std::span<const unsigned char> bytes_of(const std::string& text) {
    return {reinterpret_cast<const unsigned char*>(text.data()), text.size()};
}

// Feeds `text` cut into pieces of the sizes `sizes` gives in turn (the last size repeating),
// the vocabulary mode's reading rounds included (counted in `rounds`), after telling the engine
// the length `expected` when one is given, and returns the output.
std::string fed_in_pieces(const std::string& text, const ConversionOptions& options, const std::vector<size_t>& sizes,
                          std::optional<uint64_t> expected = std::nullopt, int* rounds = nullptr) {
    auto feed_all = [&](auto feed) {
        size_t turn = 0;
        for (size_t at = 0; at < text.size();) {
            size_t size = std::min(sizes[std::min(turn++, sizes.size() - 1)], text.size() - at);
            feed(bytes_of(text).subspan(at, size));
            at += size;
        }
    };
    Reflow reflow(options);
    if (expected) reflow.expect_length(*expected);
    while (reflow.needs_first_pass()) {
        feed_all([&](auto piece) { reflow.feed_first_pass(piece); });
        reflow.finish_first_pass();
        if (rounds != nullptr) ++*rounds;
    }
    StringSink sink;
    feed_all([&](auto piece) { reflow.feed(piece, sink); });
    reflow.finish(sink);
    return sink.text;
}

std::string repeat(const std::string& piece, size_t times) {
    std::string text;
    for (size_t k = 0; k < times; ++k) text += piece;
    return text;
}

// A hard-wrapped page with dialogue, a gloss, an old ending, blank lines and an indentation.
const std::string page_text = cp949(
    "바다는 아침부터 잿빛이었다. 선착장에 모인 사람들은 저마\r\n"
    "다 외투 깃을 세우고 발을 동동 구르며 배를 기다렸다. 민서\r\n"
    "는 낡은 가방 하나를 든 채 사람들 틈에서 조금 떨어져 서 \r\n"
    "있었다. “배가 늦네요.” 옆에 선 노인이 말했다. “늘 그렇\r\n"
    "지요.” 그는 한자(漢字)로 쓴 표를 내밀었읍니다.\r\n"
    "\r\n"
    "\r\n"
    "　둘째 문단은 들여 쓰였고 \"따옴표\"와 [괄호]와 ‘작은따옴표’를\r\n"
    "품었다.\r\n"
    "1. 첫째\r\n"
    "----------\r\n"
    "제목: 고마워요\r\n");

// Sentences enough to make paragraphs the long-sentence pass splits.
const std::string sentences = repeat(cp949("그는 먼 바닷가 마을에서 오래 살았다. 바람이 불었다. "), 40);

// Paragraphs wrapped between words at `width` bytes, without marks between them.
std::string word_wrapped(const std::vector<std::string>& paragraphs, size_t width) {
    std::string text;
    for (const std::string& paragraph : paragraphs) {
        std::string line;
        std::istringstream words(paragraph);
        for (std::string word; words >> word;) {
            if (!line.empty() && line.size() + 1 + word.size() > width) {
                text += line + "\r\n";
                line.clear();
            }
            line += (line.empty() ? "" : " ") + word;
        }
        text += line + "\r\n";
    }
    return text;
}

// A book whose width the vocabulary learns: sentences of every length, so that some end inside
// lines and some at the end of full lines, in paragraphs of one to four sentences; past the
// profile's first bytes, so that lines are converted while the text comes.
std::string book_at_a_width() {
    const std::vector<std::string> sentences = {
        cp949("그는 먼 바닷가 마을에서 태어나 오래도록 그곳을 떠나지 않았다."),
        cp949("바람이 불었다."),
        cp949("어머니는 새벽마다 우물에 나가 물을 길어 오셨고 아버지는 배를 손보셨다."),
        cp949("“언제 돌아오니?” 하고 누이가 물었다."),
        cp949("그해 겨울은 유난히 길었으며 눈이 허리까지 쌓여 길이 끊기곤 했다."),
        cp949("아무도 대답하지 않았다."),
    };
    std::vector<std::string> paragraphs;
    for (size_t k = 0; k < 800; ++k) {
        std::string paragraph;
        for (size_t s = 0; s <= k % 4; ++s)
            paragraph += (s == 0 ? "" : " ") + sentences[(k + s * 5) % sentences.size()];
        paragraphs.push_back(paragraph);
    }
    return word_wrapped(paragraphs, 60);
}

struct TextCase {
    const char* name;
    std::string text;
};

// Nothing is converted before the document's first 50000 bytes are there for its profile, so the
// cases that test how far the rules look ahead come after that many bytes.
const std::string profiled_start = repeat(page_text, 50010 / page_text.size() + 1);

std::vector<TextCase> text_cases() {
    return {
        {"empty", ""},
        {"page", page_text},
        {"page_without_last_line_end", page_text.substr(0, page_text.size() - 2)},
        {"lone_cr_at_the_end", profiled_start + cp949("해가 지고 있었다.\r\n끝\r")},
        {"blank_runs_with_tabs",
         profiled_start + cp949("그는 걸어가고 있었\n") + " \t \r\n\r\n\t\t\n  \n" + cp949("다. 해가 졌다.\n\n\n")},
        {"only_blank_lines", repeat("  \r\n", 13000)},
        {"long_paragraphs", repeat(sentences + "\r\n", 6)},
        {"past_the_precount", profiled_start + profiled_start},
        {"wrapped_at_a_width", book_at_a_width()},
        {"a_line_longer_than_a_feeding_piece", repeat(cp949("가나다라마바사 "), 9000) + "\r\n" + page_text},
        {"quotes", profiled_start + repeat("\"\"\r\n\xA1\xB0\xA1\xB1 \"", 400)},
        // A quotation's closing mark two short lines after its opening, and joints whose next
        // line is shorter than the words compared there.
        {"look_ahead_past_the_next_line",
         profiled_start + repeat(cp949("그가 말했다. 이제 “가자\r\n빨리\r\n가자”고 모두 일어섰다.\r\n"
                                       "그는 아침부터 산길을 오르고 있었\r\n다.\r\n그리고\r\n"),
                                 3)},
    };
}

// Every option set: long-sentence splitting, blank after long, Hanja removal, join marks and the
// vocabulary mode on or off, with the window's minimum length; and some without one.
std::vector<ConversionOptions> option_sets() {
    std::vector<ConversionOptions> sets;
    for (int flags = 0; flags < 32; ++flags) {
        ConversionOptions options;
        options.split_long_sentences = (flags & 1) != 0;
        options.blank_after_long = (flags & 2) != 0;
        options.remove_hanja = (flags & 4) != 0;
        options.mark_joins = (flags & 8) != 0;
        options.joints = (flags & 16) != 0 ? JointMode::vocabulary : JointMode::rules;
        options.min_line_bytes = 30;
        sets.push_back(options);
        if (flags % 8 == 3) {
            options.min_line_bytes = 0;
            sets.push_back(options);
        }
    }
    return sets;
}

class PieceFeeding : public testing::TestWithParam<TextCase> {};

TEST_P(PieceFeeding, GivesTheWholeTextsOutputUnderEveryOptionSet) {
    const std::string& text = GetParam().text;
    std::mt19937 random(7);
    std::vector<ConversionOptions> sets = option_sets();
    for (size_t set = 0; set < sets.size(); ++set) {
        const ConversionOptions& options = sets[set];
        std::string whole = tessaline::reflow(text, options);
        std::vector<size_t> random_sizes;
        for (int k = 0; k < 64; ++k) random_sizes.push_back(1 + random() % 97);
        // Single bytes for every third option set, so the sanitizer build runs it in reasonable time.
        std::vector<std::vector<size_t>> cuts = {random_sizes, {65535}};
        if (set % 3 == 0) cuts.push_back({1});
        for (const std::vector<size_t>& sizes : cuts) {
            ASSERT_TRUE(fed_in_pieces(text, options, sizes) == whole)
                << "pieces of " << sizes[0] << (sizes.size() > 1 ? " and more" : "") << ", options "
                << options.split_long_sentences << options.blank_after_long << options.remove_hanja
                << options.mark_joins << (options.joints == JointMode::vocabulary) << " min " << options.min_line_bytes;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, PieceFeeding, testing::ValuesIn(text_cases()),
                         [](const testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

// The text converted in the vocabulary mode with its joints read by a scan fed the same pieces.
std::string fed_with_scan(const std::string& text, ConversionOptions options, const std::vector<size_t>& sizes,
                          ScanPlace place) {
    options.joints = JointMode::vocabulary;
    Reflow reflow(options);
    while (reflow.needs_first_pass()) {
        reflow.feed_first_pass(bytes_of(text));
        reflow.finish_first_pass();
    }
    std::vector<size_t> cuts;
    for (size_t at = 0, turn = 0; at < text.size(); at += cuts.back())
        cuts.push_back(std::min(sizes[std::min(turn++, sizes.size() - 1)], text.size() - at));
    StringSink sink;
    feed_with_scan(reflow, bytes_of(text), cuts, place, sink);
    reflow.finish(sink);
    return sink.text;
}

TEST_P(PieceFeeding, JointsReadAheadByAScanChangeNothing) {
    const std::string& text = GetParam().text;
    std::mt19937 random(11);
    std::vector<ConversionOptions> sets = option_sets();
    // Every fifth option set, in the vocabulary mode, so the sanitizer build runs it in reasonable time.
    for (size_t set = 0; set < sets.size(); set += 5) {
        ConversionOptions options = sets[set];
        options.joints = JointMode::vocabulary;
        std::string whole = tessaline::reflow(text, options);
        std::vector<size_t> random_sizes;
        for (int k = 0; k < 64; ++k) random_sizes.push_back(1 + random() % 4000);
        for (ScanPlace place : {ScanPlace::one_piece_ahead, ScanPlace::all_ahead, ScanPlace::behind})
            for (const std::vector<size_t>& sizes : {random_sizes, std::vector<size_t>{65536}})
                ASSERT_TRUE(fed_with_scan(text, options, sizes, place) == whole)
                    << "scan " << static_cast<int>(place) << ", pieces of " << sizes[0];
    }
}

TEST(Streaming, OutputLeavesBeforeTheTextEnds) {
    std::string text = repeat(page_text, 400);
    Reflow reflow(window_defaults());
    StringSink sink;
    reflow.feed(bytes_of(text), sink);
    size_t before_finish = sink.text.size();
    reflow.finish(sink);
    EXPECT_GT(before_finish, sink.text.size() / 2);
    EXPECT_LT(before_finish, sink.text.size());
}

TEST(Streaming, AnUnfinishedLineWaitsForItsEnd) {
    // Whether the line is joined depends on the next one, so nothing of it can leave yet.
    std::string first = cp949("그는 천천히 산길을 따라 걸어가고 있었");
    Reflow reflow(plain_options());
    StringSink sink;
    reflow.feed(bytes_of(first + "\r\n"), sink);
    EXPECT_EQ(sink.text, "");
    reflow.feed(bytes_of(cp949("다. 해가 지고 있었다.\r\n")), sink);
    reflow.finish(sink);
    EXPECT_EQ(utf8(sink.text), "그는 천천히 산길을 따라 걸어가고 있었다. 해가 지고 있었다.\r\n");
}

TEST(Streaming, NulBytesAreNoText) {
    std::string text = cp949("그는 천천히 걸어가고 있었\r\n다. 해가 졌다.\r\n");
    std::string with_nuls = text;
    for (size_t at : {size_t{30}, size_t{5}, size_t{0}}) with_nuls.insert(at, 1, '\0');
    for (const ConversionOptions& options : {plain_options(), window_defaults()})
        EXPECT_EQ(tessaline::reflow(with_nuls, options), tessaline::reflow(text, options));
}

TEST(Streaming, OnlyTheVocabularyModeReadsTheTextBeforehand) {
    EXPECT_FALSE(Reflow(window_defaults()).needs_first_pass());
    ConversionOptions vocabulary = window_defaults();
    vocabulary.joints = JointMode::vocabulary;
    Reflow reflow(vocabulary);
    int rounds = 0;
    while (reflow.needs_first_pass()) {
        reflow.feed_first_pass(bytes_of(page_text));
        reflow.finish_first_pass();
        ++rounds;
    }
    EXPECT_EQ(rounds, 2);
}

// A length told beforehand lets the first reading gather the vocabulary too, when it samples
// the lines the measured length samples; a wrong one costs the reading it would have spared.
// Either way the output is the same.
TEST(Streaming, ALengthToldBeforehandSparesAReadingAndChangesNothing) {
    ConversionOptions vocabulary = window_defaults();
    vocabulary.joints = JointMode::vocabulary;
    // Over 1 MiB, so only every third line is gathered: there the book writes 바닷바람 as one
    // word, in the other lines as two, and the joint at its start follows the lines gathered.
    std::string fused = cp949("그날 아침에도 바닷바람이 불었고 바닷바람이 세었으며 바닷바람이 차가웠다.\r\n");
    std::string apart = cp949("그날 저녁에도 바닷 바람이 불었고 바닷 바람이 세었으며 바닷 바람이 차가웠다.\r\n");
    std::string book = cp949("그는 한참 동안 말없이 모래밭을 걸었다. 멀리서 바닷\r\n바람이 불어왔다.\r\n") + apart +
                       repeat(fused + apart + apart, 5000);
    ASSERT_TRUE(book.size() > (size_t{2} << 19) && book.size() < (size_t{3} << 19)) << book.size();
    struct Telling {
        std::string text;
        std::optional<uint64_t> expected;
        int rounds;
    };
    const Telling tellings[] = {
        {page_text, std::nullopt, 2}, {page_text, page_text.size(), 1},
        {page_text, 3 << 20, 2},      {book, std::nullopt, 2},
        {book, book.size(), 1},       {book, book.size() - 1000, 1},
        {book, book.size() / 2, 2},   {book, 0, 2},
    };
    // The lines gathered are every third from the first: the joint follows how those lines write it.
    std::string spaced_book =
        book.substr(0, book.size() - 5000 * (fused.size() + 2 * apart.size())) + repeat(apart + fused + fused, 5000);
    EXPECT_NE(fed_in_pieces(book, vocabulary, {65536}).find(cp949("바닷바람이 불어왔다")), std::string::npos);
    EXPECT_NE(fed_in_pieces(spaced_book, vocabulary, {65536}).find(cp949("바닷 바람이 불어왔다")), std::string::npos);
    for (const Telling& telling : tellings) {
        std::string untold = fed_in_pieces(telling.text, vocabulary, {65536});
        for (const std::vector<size_t>& sizes :
             {std::vector<size_t>{65536}, std::vector<size_t>{1, 2, 3, 4093, 1, 17, 801}}) {
            int rounds = 0;
            EXPECT_TRUE(fed_in_pieces(telling.text, vocabulary, sizes, telling.expected, &rounds) == untold)
                << telling.text.size() << " bytes told " << telling.expected.value_or(-1);
            EXPECT_EQ(rounds, telling.rounds) << telling.text.size() << " bytes told " << telling.expected.value_or(-1);
        }
    }
}

TEST(Streaming, CallsOutOfOrderAreRefused) {
    StringSink sink;
    Reflow rules(window_defaults());
    EXPECT_THROW(rules.feed_first_pass(bytes_of(page_text)), std::logic_error);
    rules.finish(sink);
    EXPECT_THROW(rules.feed(bytes_of(page_text), sink), std::logic_error);
    EXPECT_THROW(rules.finish(sink), std::logic_error);
    ConversionOptions vocabulary = window_defaults();
    vocabulary.joints = JointMode::vocabulary;
    Reflow unread(vocabulary);
    EXPECT_THROW(unread.feed(bytes_of(page_text), sink), std::logic_error);
}

// The line loop waits for the next line's text up to head_reach bytes from its start, so every
// word compared there, at the farthest offset the rules read one from, must end within that.
TEST(Streaming, EveryWordOfTheNextLineLiesWithinTheLookAhead) {
    constexpr int farthest_offset = 4;  // closing marks after a two-syllable word
    size_t longest = 0;
    auto take = [&](std::span<const Word> words) {
        for (const Word& word : words) longest = std::max(longest, static_cast<size_t>(word.length));
    };
    take(opening_heads);
    take(closing_marks);
    for (const HeadRule& rule : opening_rules)
        longest = std::max(longest, static_cast<size_t>(rule.head.length + rule.offset));
    for (auto rules : {excepted_tails, single_word_rules, ending_rules}) {
        for (const TailRule& rule : rules) {
            take(rule.required_heads);
            take(rule.excluded_heads);
        }
    }
    for (auto rules : {attaching_one_syllable_rules, attaching_two_syllable_rules, attaching_opening_rules})
        for (const ReviewRule& rule : rules) take(rule.heads);
    take(dani_rule.required_heads);
    take(dani_rule.excluded_heads);
    for (const Word& word : {space_keeping_head, standing_head, standing_verb}) take(std::span<const Word>(&word, 1));
    ASSERT_GT(longest, 0u);
    EXPECT_LE(longest + farthest_offset, static_cast<size_t>(head_reach));
}

}  // namespace

}  // namespace tessaline
