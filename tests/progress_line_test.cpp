#include <gtest/gtest.h>

#include <string>

#include "cli/progress_line.h"

namespace tessaline {

namespace {

TEST(ProgressLine, CountsWideCharactersAsTwoColumns) {
    EXPECT_EQ(display_columns("a.txt"), 5u);
    EXPECT_EQ(display_columns("소설.txt"), 8u);
    EXPECT_EQ(display_columns("漢字"), 4u);
    EXPECT_EQ(display_columns("…"), 1u);
}

TEST(ProgressLine, ShowsCounterNameAndPercentWithinTheWidth) {
    struct Case {
        const char* what;
        int index, count;
        std::string name;
        int percent, columns;
        std::string line;
    } cases[] = {
        {"room enough", 3, 10, "books/a.txt", 45, 80, "[3/10] books/a.txt  45%"},
        {"the name loses its beginning", 3, 10, "books/long/folder/a.txt", 45, 28, "[3/10] ...folder/a.txt  45%"},
        {"a wide character is never cut in half", 1, 2, "가나다라마바.txt", 7, 23, "[1/2] ...마바.txt  7%"},
        {"a screen too narrow for any name", 12, 99, "a.txt", 100, 12, "[12/99] a.t"},
    };
    for (const Case& c : cases) {
        std::string line = progress_line(c.index, c.count, c.name, c.percent, c.columns);
        EXPECT_EQ(line, c.line) << c.what;
        EXPECT_LT(display_columns(line), static_cast<size_t>(c.columns)) << c.what;
    }
}

TEST(ProgressLine, NamesAreQuotedOnlyWhenAShellWouldReadThemDifferently) {
    EXPECT_EQ(shown_name("books/소설.txt"), "books/소설.txt");
    EXPECT_EQ(shown_name("a b.txt"), "'a b.txt'");
    EXPECT_EQ(shown_name("\x1b]0;title\x07.txt"), "''$'\\033'']0;title'$'\\a''.txt'");
}

}  // namespace

}  // namespace tessaline
