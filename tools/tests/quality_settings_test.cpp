#include "tools/quality/quality_settings.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessaline {

namespace {

SettingsResult read(std::vector<const char*> args, QualitySettings& settings, std::string& error) {
    args.insert(args.begin(), "quality");
    return read_quality_settings(static_cast<int>(args.size()), args.data(), settings, error);
}

TEST(QualitySettings, MeasuresBothModesAndEveryStyleByDefault) {
    QualitySettings s;
    std::string error;
    ASSERT_EQ(read({"corpus"}, s, error), SettingsResult::RUN) << error;
    EXPECT_EQ(s.corpus, "corpus");
    EXPECT_TRUE(s.rules && s.vocabulary && s.baselines);
    EXPECT_EQ(s.styles, all_wrap_styles());
    EXPECT_FALSE(s.half.has_value());
    EXPECT_EQ(s.error_kinds, all_error_kinds);
}

TEST(QualitySettings, ReadsEveryOption) {
    QualitySettings s;
    std::string error;
    ASSERT_EQ(read({"--joints", "vocabulary", "--style", "word-wrap", "--half", "held-out", "--show-errors", "7",
                    "--errors", "missed-break,kept-break", "--summary", "corpus"},
                   s, error),
              SettingsResult::RUN)
        << error;
    EXPECT_FALSE(s.rules);
    EXPECT_TRUE(s.vocabulary);
    EXPECT_FALSE(s.baselines);  // the summary leaves them out
    EXPECT_EQ(s.styles, std::vector<WrapStyle>{WrapStyle::WORD_WRAP});
    EXPECT_EQ(s.half, CorpusHalf::HELD_OUT);
    EXPECT_EQ(s.show_errors, 7u);
    EXPECT_EQ(s.error_kinds, error_bit(ErrorKind::MISSED_BREAK) | error_bit(ErrorKind::KEPT_BREAK));
}

TEST(QualitySettings, RejectsWhatItCannotMeasure) {
    const std::vector<std::vector<const char*>> wrong = {
        {},          // no corpus
        {"a", "b"},  // two corpora
        {"--joints", "words", "c"},
        {"--style", "wavy", "c"},
        {"--half", "third", "c"},
        {"--show-errors", "many", "c"},
        {"--show-errors"},
        {"--errors", "missed", "c"},
        {"--errors", "joint,", "c"},
        {"--bogus", "c"},
    };
    for (const auto& args : wrong) {
        QualitySettings s;
        std::string error;
        EXPECT_EQ(read(args, s, error), SettingsResult::USAGE_ERROR) << (args.empty() ? "" : args[0]);
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace

}  // namespace tessaline
