#include "cli/help.h"

namespace {

constexpr const char* HELP_TEXT =
    "Usage: tessaline [OPTIONS] PATH...\n"
    "Repairs the line breaks of hard-wrapped Korean plain-text novels.\n"
    "\n"
    "A PATH that is a file is converted into the Tessaline folder beside it\n"
    "(FOLDER/Tessaline/NAME). A PATH that is a folder converts every file directly\n"
    "in it whose name ends in \"txt\" (any case). '-' reads standard input (only with\n"
    "--stdout). Results are text in the input's encoding (UTF-16 becomes UTF-8)\n"
    "with CR LF line ends and a footer.\n"
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
    "      --vocabulary-joints    the book's vocabulary and layout also decide joints\n"
    "                             (default: off)\n"
    "      --input-encoding ENC   auto, cp949 (also uhc, ms949, euc-kr,\n"
    "                             ks_c_5601-1987), utf-8, utf-16le, utf-16be or\n"
    "                             utf-16, in any case (default: auto). auto: a\n"
    "                             byte-order mark decides, else UTF-16 is known by\n"
    "                             its zero bytes, else UTF-8 (a few bad bytes become\n"
    "                             U+FFFD, with a warning), else CP949; files that\n"
    "                             are plainly not text are refused. cp949 and utf-16\n"
    "                             still follow a byte-order mark\n"
    "      --output-encoding ENC  same, cp949 or utf-8, without a byte-order mark\n"
    "                             (default: same: CP949 for CP949 input, else UTF-8).\n"
    "                             Characters CP949 lacks are kept in UTF-8; in CP949\n"
    "                             they are written as \"?\", with a warning\n"
    "  -o, --output-dir DIR       write the results into DIR, created if missing,\n"
    "                             keeping their names (default: the Tessaline folder\n"
    "                             beside each input); with -r subfolders are mirrored\n"
    "  -r, --recursive            also convert the text files of every subfolder,\n"
    "                             except Tessaline folders (default: off)\n"
    "  -j, --jobs N               convert N files at once; messages and results\n"
    "                             still come in the order of the files (default:\n"
    "                             the number of processor cores)\n"
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
