#include <gtest/gtest.h>

#include <string>

#include "cli/name_quoting.h"
#include "tests/support/cp949.h"

namespace tessaline {

namespace {

TEST(QuotedName, ControlCharactersNeverReachTheTerminalRaw) {
    struct Case {
        const char* what;
        std::string name;
        std::string quoted;
    } cases[] = {
        {"a plain name", "a.txt", "'a.txt'"},
        {"Korean is printable", "소설.txt", "'소설.txt'"},
        {"a space", "a b.txt", "'a b.txt'"},
        {"a single quote alone: double quotes", "it's.txt", "\"it's.txt\""},
        {"a single quote beside a dollar sign", "it's $x", "'it'\\''s $x'"},
        {"double quotes inside single ones", "say \"hi\"", "'say \"hi\"'"},
        {"an escape sequence that would colour the terminal", "\x1b[31mred.txt", "''$'\\033''[31mred.txt'"},
        {"a line break", "a\nb", "'a'$'\\n''b'"},
        {"a tab at the end", "tab\t", "'tab'$'\\t'"},
        {"DEL", "a\x7f", "'a'$'\\177'"},
        {"CP949 bytes are no UTF-8", cp949("가") + ".txt", "''$'\\260\\241''.txt'"},
        {"the C1 control CSI", "\xC2\x9B", "''$'\\302\\233'"},
        {"a quote and a control character", "it's\n", "'it'\\''s'$'\\n'"},
        {"a cut UTF-8 sequence", "\xEC\x86", "''$'\\354\\206'"},
    };
    for (const Case& c : cases) EXPECT_EQ(quoted_name(c.name), c.quoted) << c.what;
}

}  // namespace

}  // namespace tessaline
