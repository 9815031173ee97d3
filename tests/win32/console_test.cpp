#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/win32/support/win32_harness.h"

namespace tessaline {

namespace {

constexpr UINT korean_code_page = 949;

std::wstring wide(const char* utf8_text) {
    int length = MultiByteToWideChar(CP_UTF8, 0, utf8_text, -1, nullptr, 0);
    std::vector<wchar_t> text(static_cast<size_t>(length));
    MultiByteToWideChar(CP_UTF8, 0, utf8_text, -1, text.data(), length);
    return text.data();
}

// The command line built beside these tests: TESSALINE_CLI_FROM_TESTS is relative to this program.
std::string command_line_program() {
    char own[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, own, MAX_PATH);
    std::string path = own;
    path = path.substr(0, path.find_last_of('\\') + 1) + TESSALINE_CLI_FROM_TESTS;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

HANDLE open_inheritable(const char* device) {
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    return CreateFileA(device, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                       OPEN_EXISTING, 0, nullptr);
}

// Runs the command line with standard output and error on `screen`; its exit code.
DWORD run_on_console(const std::string& arguments, HANDLE screen) {
    std::string command = "\"" + command_line_program() + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = open_inheritable("CONIN$");
    startup.hStdOutput = screen;
    startup.hStdError = screen;
    PROCESS_INFORMATION process = {};
    DWORD exit_code = 255;
    if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, &exit_code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(startup.hStdInput);
    return exit_code;
}

// Everything the console shows, row after row.
std::wstring console_characters(HANDLE screen) {
    CONSOLE_SCREEN_BUFFER_INFO info = {};
    GetConsoleScreenBufferInfo(screen, &info);
    DWORD cells = static_cast<DWORD>(info.dwSize.X) * static_cast<DWORD>(info.dwSize.Y);
    std::wstring shown(cells, L' ');
    DWORD read = 0;
    ReadConsoleOutputCharacterW(screen, shown.data(), cells, COORD{0, 0}, &read);
    shown.resize(read);
    return shown;
}

}  // namespace

// A Korean Windows console shows code page 949; the command line writes its texts in UTF-8 and
// must switch the console for them, then give the console its own page back.
TEST(Console, CommandLineTextsReadAsKoreanOnAKoreanConsole) {
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    FreeConsole();
    ASSERT_TRUE(AllocConsole());
    HANDLE screen = open_inheritable("CONOUT$");
    ASSERT_NE(screen, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(SetConsoleOutputCP(korean_code_page));

    std::string folder = fresh_folder("tessaline-console");
    write_file(folder + "a.txt", cp949("바다는 아침부터\r\n잿빛이었다.\r\n"));
    EXPECT_EQ(run_on_console("\"" + folder + "a.txt\"", screen), 0u);

    std::wstring shown = console_characters(screen);
    EXPECT_NE(shown.find(wide("1개 변환, 0개 실패")), std::wstring::npos) << "the console shows no Korean summary";
    EXPECT_NE(shown.find(wide("Tessaline 폴더에 저장되었습니다.")), std::wstring::npos);
    EXPECT_EQ(shown.find(wide("자장")), std::wstring::npos) << "the window's misspelling is not the command line's";
    EXPECT_EQ(GetConsoleOutputCP(), korean_code_page) << "the console keeps its own code page";
    EXPECT_FALSE(read_file(folder + "Tessaline\\a.txt").empty());

    CloseHandle(screen);
    FreeConsole();
    SetStdHandle(STD_OUTPUT_HANDLE, output);
    SetStdHandle(STD_ERROR_HANDLE, error);
    SetStdHandle(STD_INPUT_HANDLE, input);
}

}  // namespace tessaline
