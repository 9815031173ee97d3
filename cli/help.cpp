#include "cli/help.h"

namespace {

constexpr const char* HELP_TEXT =
    "Usage: tessaline [OPTIONS] PATH...\n"
    "Repairs the line breaks of hard-wrapped Korean plain-text novels.\n"
    "\n"
    "A PATH that is a file is converted into the Tessaline folder beside it\n"
    "(FOLDER/Tessaline/NAME). A PATH that is a folder converts every file directly\n"
    "in it whose name ends in \"txt\" (any case). '-' reads standard input (only with\n"
    "--stdout). Results are CP949 text with CR LF line ends and a footer.\n"
    "\n"
    "Options:\n"
    "  -m, --min-length N         lines shorter than N Korean characters are not\n"
    "                             joined; read like a number typed in the window,\n"
    "                             first 9 characters, anything else is 0 (default: 15)\n"
    "      --remove-hanja         remove Hanja glosses in parentheses (default: off)\n"
    "      --no-blank-after-long  do not add an empty line after long paragraphs\n"
    "                             (default: the empty line is added)\n"
    "      --mark-joins           put a backquote (`) at every joint, for checking\n"
    "                             (default: off)\n"
    "      --no-split-long        do not split very long paragraphs at sentence ends\n"
    "                             (default: they are split)\n"
    "      --joints MODE          how the joints are decided: vocabulary (the book's\n"
    "                             own words and layout overrule the word lists where\n"
    "                             their evidence is strong) or rules (the word lists\n"
    "                             alone, as the window does) (default: vocabulary)\n"
    "      --vocabulary-joints    the same as --joints vocabulary\n"
    "      --dictionary PATH      the Korean Hunspell dictionary (a folder with\n"
    "                             ko.aff and ko.dic, or its .dic file) the vocabulary\n"
    "                             mode asks about short texts (default: looked for in\n"
    "                             DICPATH and /usr/share/hunspell, as hunspell-ko\n"
    "                             installs it)\n"
    "      --input-encoding ENC   auto, cp949, utf-8 or utf-16le (default: auto).\n"
    "                             auto: a UTF-8 or UTF-16LE byte-order mark decides,\n"
    "                             else valid UTF-8 is read as UTF-8, else CP949;\n"
    "                             cp949: only a byte-order mark is recognised\n"
    "      --output-encoding ENC  cp949 or utf-8, without a byte-order mark\n"
    "                             (default: cp949)\n"
    "  -o, --output-dir DIR       write the results into DIR, created if missing,\n"
    "                             keeping their names (default: the Tessaline folder\n"
    "                             beside each input); with -r subfolders are mirrored\n"
    "  -r, --recursive            also convert the text files of every subfolder,\n"
    "                             except Tessaline folders (default: off)\n"
    "      --stdout               write the results, footer included, to standard\n"
    "                             output instead of files (default: off)\n"
    "  -q, --quiet                show nothing but error messages (default: off)\n"
    "  -h, --help                 show this help and exit\n"
    "      --version              show the version and exit\n"
    "\n"
    "Exit status: 0 when every file was converted, 1 when any file could not be\n"
    "read or written, 2 for a usage error.\n";

}  // namespace

void print_help(std::FILE* to) { std::fputs(HELP_TEXT, to); }

void print_version(std::FILE* to) { std::fputs("tessaline (Tessaline  beta2 ver 2010.7.7)\n", to); }

void print_usage_hint(std::FILE* to) { std::fputs("Try 'tessaline --help' for more information.\n", to); }
