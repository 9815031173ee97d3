#include "cli/messages.h"

#include <vector>

namespace tessaline {

namespace {

bool korean = false;

struct Wording {
    Text text;
    const char* english;
    const char* korean;
};

constexpr const char* english_help =
    "Usage: tessaline [OPTIONS] [PATH...]\n"
    "Repairs the line breaks of hard-wrapped Korean plain-text novels.\n"
    "\n"
    "A PATH that is a file is converted into the Tessaline folder beside it\n"
    "(FOLDER/Tessaline/NAME). A PATH that is a folder converts every file directly\n"
    "in it whose name ends in \"txt\" (any case). '-' reads standard input (only with\n"
    "--stdout); without any PATH standard input is converted to standard output.\n"
    "Results are text in the input's encoding (UTF-16 becomes UTF-8) with CR LF\n"
    "line ends and a footer.\n"
    "\n"
    "Options:\n"
    "  -m, --min-length N         lines shorter than N Korean characters are not\n"
    "                             joined; a whole number from 0 to 9999 (default: 15)\n"
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
    "      --no-footer            leave the footer out (default: a footer naming the\n"
    "                             program and the date; one already at the end of the\n"
    "                             input is replaced, not repeated)\n"
    "  -o, --output-dir DIR       write the results into DIR, created if missing,\n"
    "                             keeping their names (default: the Tessaline folder\n"
    "                             beside each input); with -r subfolders are mirrored\n"
    "  -r, --recursive            also convert the text files of every subfolder,\n"
    "                             except Tessaline folders and links to folders\n"
    "                             (default: off)\n"
    "      --follow-links         with -r, also enter links to folders, each folder\n"
    "                             once (default: off)\n"
    "  -j, --jobs N               convert N files at once; messages and results\n"
    "                             still come in the order of the files (default:\n"
    "                             the number of processor cores)\n"
    "      --stdout               write the results, footer included, to standard\n"
    "                             output instead of files (default: off)\n"
    "  -q, --quiet                show nothing but error messages (default: off)\n"
    "  -h, --help                 show this help and exit\n"
    "      --version              show the version and exit\n"
    "\n"
    "Exit status: 0 when every file was converted, 1 when any file was not (each is\n"
    "named with the reason) or there was nothing to convert, 2 for a usage error,\n"
    "128 + the signal number when the run was interrupted.\n";

constexpr const char* korean_help =
    "사용법: tessaline [옵션] [경로...]\n"
    "줄바꿈이 고정된 한국어 텍스트 소설의 줄바꿈을 고칩니다.\n"
    "\n"
    "파일 경로는 그 옆의 Tessaline 폴더로 변환합니다(폴더/Tessaline/이름).\n"
    "폴더 경로는 그 안에서 이름이 \"txt\"로 끝나는(대소문자 무관) 파일을 모두\n"
    "변환합니다. '-'는 표준 입력을 읽습니다(--stdout과 함께만). 경로가 없으면\n"
    "표준 입력을 변환해 표준 출력으로 씁니다. 결과는 입력과 같은 인코딩(UTF-16은\n"
    "UTF-8)에 CR LF 줄끝과 꼬리말이 붙은 텍스트입니다.\n"
    "\n"
    "옵션:\n"
    "  -m, --min-length N         한글 N자보다 짧은 줄은 잇지 않습니다.\n"
    "                             0부터 9999까지의 정수 (기본값: 15)\n"
    "      --remove-hanja         괄호 안의 한자 풀이를 지웁니다 (기본값: 끔)\n"
    "      --no-blank-after-long  긴 문단 뒤에 빈 줄을 넣지 않습니다\n"
    "                             (기본값: 빈 줄을 넣음)\n"
    "      --mark-joins           이은 자리마다 역따옴표(`)를 넣어 확인하게\n"
    "                             합니다 (기본값: 끔)\n"
    "      --no-split-long        아주 긴 문단을 문장 끝에서 나누지 않습니다\n"
    "                             (기본값: 나눔)\n"
    "      --joints MODE          이음을 정하는 방식: vocabulary(책의 어휘와 배치가\n"
    "                             뚜렷할 때 낱말 목록의 판단을 바꿈) 또는 rules(창\n"
    "                             프로그램처럼 낱말 목록만 따름) (기본값: vocabulary)\n"
    "      --vocabulary-joints    --joints vocabulary와 같습니다\n"
    "      --dictionary PATH      어휘 방식이 짧은 글에서 묻는 한국어 Hunspell 사전\n"
    "                             (ko.aff와 ko.dic이 있는 폴더나 .dic 파일) (기본값:\n"
    "                             DICPATH와 /usr/share/hunspell에서 찾음)\n"
    "      --input-encoding ENC   auto, cp949(uhc, ms949, euc-kr, ks_c_5601-1987도\n"
    "                             같음), utf-8, utf-16le, utf-16be, utf-16, 대소문자\n"
    "                             무관 (기본값: auto). auto: 바이트 순서 표시가\n"
    "                             정하고, 없으면 0 바이트로 UTF-16을 알아보고, 그\n"
    "                             다음은 UTF-8(잘못된 바이트 몇 개는 경고와 함께\n"
    "                             U+FFFD), 나머지는 CP949로 읽습니다. 텍스트가\n"
    "                             분명히 아닌 파일은 거절합니다. cp949와 utf-16도\n"
    "                             바이트 순서 표시는 따릅니다\n"
    "      --output-encoding ENC  same, cp949, utf-8, 바이트 순서 표시 없이\n"
    "                             (기본값: same: CP949 입력은 CP949, 그 밖은\n"
    "                             UTF-8). CP949에 없는 문자는 UTF-8에서는 그대로,\n"
    "                             CP949에서는 경고와 함께 \"?\"로 씁니다\n"
    "      --no-footer            꼬리말을 붙이지 않습니다 (기본값: 프로그램과\n"
    "                             날짜를 적은 꼬리말. 입력 끝에 이미 있는 꼬리말은\n"
    "                             거듭 붙이지 않고 바꿉니다)\n"
    "  -o, --output-dir DIR       결과를 DIR에 같은 이름으로 씁니다. 없으면\n"
    "                             만듭니다 (기본값: 입력 옆의 Tessaline 폴더).\n"
    "                             -r과 함께 쓰면 하위 폴더 구조를 그대로 만듭니다\n"
    "  -r, --recursive            하위 폴더의 텍스트 파일도 변환합니다. Tessaline\n"
    "                             폴더와 폴더 링크는 빼고 (기본값: 끔)\n"
    "      --follow-links         -r과 함께 폴더 링크도 따라가되 폴더마다 한 번만\n"
    "                             (기본값: 끔)\n"
    "  -j, --jobs N               파일 N개를 한꺼번에 변환합니다. 알림과 결과는\n"
    "                             그래도 파일 순서대로 나옵니다 (기본값: 프로세서\n"
    "                             코어 수)\n"
    "      --stdout               결과를 꼬리말까지 파일 대신 표준 출력으로 씁니다\n"
    "                             (기본값: 끔)\n"
    "  -q, --quiet                오류 말고는 아무것도 보이지 않습니다 (기본값: 끔)\n"
    "  -h, --help                 이 도움말을 보이고 끝냅니다\n"
    "      --version              버전을 보이고 끝냅니다\n"
    "\n"
    "종료 상태: 모든 파일을 변환하면 0, 변환하지 못한 파일이 있거나(각각 이유와\n"
    "함께 알립니다) 변환할 것이 없으면 1, 사용법 오류는 2, 실행이 중단되면\n"
    "128 + 시그널 번호.\n";

const Wording wordings[] = {
    {Text::try_help, "Try 'tessaline --help' for more information.", "자세한 내용은 'tessaline --help'를 보십시오."},
    {Text::usage_line, "Usage: tessaline [OPTIONS] [PATH...]", "사용법: tessaline [옵션] [경로...]"},
    {Text::help, english_help, korean_help},
    {Text::unknown_option, "unknown option %1", "알 수 없는 옵션 %1"},
    {Text::option_takes_no_value, "option %1 takes no value", "%1 옵션에는 값을 줄 수 없습니다"},
    {Text::option_needs_value, "option %1 needs a value", "%1 옵션에는 값이 필요합니다"},
    {Text::unknown_input_encoding, "unknown input encoding %1 (%2)", "알 수 없는 입력 인코딩 %1 (%2 중 하나)"},
    {Text::unknown_output_encoding, "unknown output encoding %1 (%2)", "알 수 없는 출력 인코딩 %1 (%2 중 하나)"},
    {Text::output_dir_needs_name, "--output-dir needs a folder name", "--output-dir에는 폴더 이름이 필요합니다"},
    {Text::bad_min_length, "--min-length takes a whole number from 0 to 9999, not %1",
     "--min-length에는 0부터 9999까지의 정수를 주어야 합니다: %1"},
    {Text::bad_jobs, "--jobs takes a whole number from 1 to %1, not %2",
     "--jobs에는 1부터 %1까지의 정수를 주어야 합니다: %2"},
    {Text::no_path, "no PATH given, and standard input is a terminal", "경로가 없고 표준 입력이 터미널입니다"},
    {Text::stdin_needs_stdout, "'-' (standard input) can only be used with --stdout",
     "'-'(표준 입력)는 --stdout과 함께만 쓸 수 있습니다"},
    {Text::stdin_only_once, "'-' (standard input) can be given only once", "'-'(표준 입력)는 한 번만 줄 수 있습니다"},
    {Text::output_dir_with_stdout, "--output-dir and --stdout cannot be used together",
     "--output-dir과 --stdout은 함께 쓸 수 없습니다"},
    {Text::output_dir_with_stdin, "--output-dir needs a PATH; standard input goes to standard output",
     "--output-dir에는 경로가 필요합니다. 표준 입력은 표준 출력으로 씁니다"},
    {Text::would_replace_result, "is not converted: its result %1 would replace that of %2",
     "파일은 변환하지 않습니다: 결과 %1이(가) %2의 결과를 덮어쓰게 됩니다"},
    {Text::path_too_long, "cannot be converted: the path is too long", "파일을 변환할 수 없습니다: 경로가 너무 깁니다"},
    {Text::cannot_list, "cannot be listed: %1", "폴더를 읽을 수 없습니다: %1"},
    {Text::nothing_to_convert, "holds nothing to convert (no text files)", "폴더에 변환할 텍스트 파일이 없습니다"},
    {Text::lossy_heading, "Converted with losses:", "잃은 것이 있는 채로 변환한 파일:"},
    {Text::not_converted_heading, "Not converted:", "변환하지 못한 파일:"},
    {Text::summary, "%1 converted, %2 failed, %3 MB in %4 s.", "%1개 변환, %2개 실패, %3 MB, %4초."},
    {Text::saved_beside, "The results are saved in the Tessaline folders.", "Tessaline 폴더에 저장되었습니다."},
    {Text::saved_into, "The results are saved in %1.", "%1 폴더에 저장되었습니다."},
    {Text::interrupted, "interrupted", "중단되었습니다"},
};

struct KindWording {
    PlatformErrorKind kind;
    const char* korean;
};

// The platform's failures in Korean; in English its own words serve.
const KindWording korean_reasons[] = {
    {PlatformErrorKind::missing, "그런 파일이나 폴더가 없습니다"},
    {PlatformErrorKind::no_permission, "권한이 없습니다"},
    {PlatformErrorKind::not_a_folder, "경로 중간에 폴더가 아닌 것이 있습니다"},
    {PlatformErrorKind::is_a_folder, "파일이 아니라 폴더입니다"},
    {PlatformErrorKind::name_too_long, "이름이 너무 깁니다"},
    {PlatformErrorKind::no_space, "저장 공간이 모자랍니다"},
    {PlatformErrorKind::read_only, "읽기 전용 파일 시스템입니다"},
    {PlatformErrorKind::link_loop, "심볼릭 링크가 너무 여러 번 이어집니다"},
    {PlatformErrorKind::in_use, "다른 프로그램이 쓰고 있습니다"},
    {PlatformErrorKind::io_error, "입출력 오류가 났습니다"},
    {PlatformErrorKind::out_of_memory, "메모리가 모자랍니다"},
    {PlatformErrorKind::too_many_open, "열린 파일이 너무 많습니다"},
    {PlatformErrorKind::fifo, "일반 파일이 아니라 FIFO(이름 있는 파이프)입니다"},
    {PlatformErrorKind::device, "일반 파일이 아니라 장치입니다"},
    {PlatformErrorKind::socket, "일반 파일이 아니라 소켓입니다"},
    {PlatformErrorKind::not_regular, "일반 파일이 아닙니다"},
    {PlatformErrorKind::in_the_way, "같은 이름의 파일이 이미 있습니다"},
    {PlatformErrorKind::ended_early, "파일이 알려진 크기보다 먼저 끝났습니다"},
    {PlatformErrorKind::no_temporary_name, "임시 파일의 이름을 정할 수 없습니다"},
};

const char* wording(Text text) {
    for (const Wording& entry : wordings)
        if (entry.text == text) return korean ? entry.korean : entry.english;
    return "";
}

}  // namespace

void choose_korean(bool chosen) { korean = chosen; }

bool korean_chosen() { return korean; }

std::string message(Text text, std::initializer_list<std::string_view> arguments) {
    std::vector<std::string_view> given(arguments);
    std::string said;
    for (const char* at = wording(text); *at != 0; ++at) {
        size_t number = at[0] == '%' && at[1] >= '1' && at[1] <= '9' ? static_cast<size_t>(at[1] - '1') : given.size();
        if (number < given.size()) {
            said.append(given[number]);
            ++at;
        } else {
            said += *at;
        }
    }
    return said;
}

std::string korean_reason(PlatformErrorKind kind) {
    for (const KindWording& entry : korean_reasons)
        if (entry.kind == kind) return entry.korean;
    return "";
}

std::string platform_reason() {
    std::string korean_words = korean ? korean_reason(platform_error_kind()) : "";
    return korean_words.empty() ? platform_error_text() : korean_words;
}

}  // namespace tessaline
