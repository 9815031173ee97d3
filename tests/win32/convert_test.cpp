#include <windows.h>
// after windows.h, whose types it uses
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "app/main_window.h"
#include "app/selection.h"
#include "app/selection_display.h"
#include "tests/win32/support/win32_harness.h"

namespace tessaline {

namespace {

// A hard-wrapped chapter: sentences cut into short lines, dialogue, a title and a Hanja gloss.
const char novel_text[] =
    "제1장 겨울 항구\r\n"
    "\r\n"
    "　바람이 잦아든 저녁, 항구의 불빛은 하나둘\r\n"
    "켜지기 시작했다. 민우는 낡은 외투의 깃을 세우고\r\n"
    "부두 끝까지 천천히 걸어갔다. 배들은 모두 돌아와\r\n"
    "있었고, 물결은 생각보다 잔잔했다.\r\n"
    "\"오늘은 늦었네요.\"\r\n"
    "\r\n"
    "　등 뒤에서 들려온 목소리에 그는 걸음을 멈추었다.\r\n"
    "선착장 관리인(管理人) 노인이 등불을 들고 서\r\n"
    "있었다.\r\n"
    "\"배가 한 척 덜 들어왔습니다. 혹시 보셨습니까?\"\r\n"
    "\"아니요. 저도 방금 나왔습니다.\"\r\n"
    "\r\n"
    "　노인은 고개를 끄덕이고는 바다 쪽을 한참\r\n"
    "바라보았다. 멀리 등대의 불빛이 규칙적으로 돌며\r\n"
    "검은 수면을 쓸고 지나갔다. 민우는 주머니 속의\r\n"
    "편지를 만지작거렸다. 내일 아침이면 이 항구를\r\n"
    "떠나야 했다.\r\n";

struct MessageBoxSeen {
    std::string title;
    std::string text;
    HWND owner = nullptr;
    bool main_enabled = false;
};

// Presses the convert button and answers the completion message box with OK.
MessageBoxSeen convert_and_close_message(HWND main) {
    MessageBoxSeen seen;
    bool opened = with_dialog([&] { SendMessageA(main_window.convert_button, BM_CLICK, 0, 0); },
                              [&](HWND box) {
                                  seen.title = window_text(box);
                                  seen.text = window_text(GetDlgItem(box, 0xFFFF));
                                  seen.owner = GetWindow(box, GW_OWNER);
                                  seen.main_enabled = IsWindowEnabled(main) != FALSE;
                                  PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
                              });
    EXPECT_TRUE(opened) << "no completion message box";
    return seen;
}

void set_check(HWND checkbox, bool on) { SendMessageA(checkbox, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }

class ConvertTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = start_window();
        folder = fresh_folder("tessaline-convert");
    }
    void TearDown() override { close_window(window); }

    std::string status() { return window_text(main_window.status_line); }

    HWND window = nullptr;
    std::string folder;
};

}  // namespace

TEST_F(ConvertTest, SingleFileRunWritesTheOutputAndReportsIt) {
    std::string input = folder + "a.txt";
    write_file(input, cp949(novel_text));
    select_single(input);
    take_open_dialog_result(true);
    set_check(main_window.mark_joins_check, true);

    MessageBoxSeen box = convert_and_close_message(window);
    EXPECT_EQ(box.title, cp949("확인"));
    EXPECT_EQ(box.text, cp949("1개 파일 처리완료.\nTessaline 폴더에 자장되었습니다."));
    EXPECT_EQ(box.owner, nullptr) << "the message box has no owner";
    EXPECT_TRUE(box.main_enabled) << "so the main window stays enabled";

    std::string output = read_file(folder + "Tessaline\\a.txt");
    ASSERT_FALSE(output.empty());
    EXPECT_NE(output.find('`'), std::string::npos) << "the join mark was on for this run";
    EXPECT_NE(output.find("[modify by Tessaline  beta2 ver 2010.7.7]"), std::string::npos);
    EXPECT_EQ(window_text(main_window.preview_box), output);
    EXPECT_EQ(window_text(main_window.path_box), input);
    EXPECT_EQ(status(), cp949("1개 파일 처리 완료."));
    EXPECT_EQ(SendMessageA(main_window.file_bar, PBM_GETPOS, 0, 0), 100);
    EXPECT_EQ(SendMessageA(main_window.mark_joins_check, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(selection_ready, 0);

    bool again = with_dialog([&] { SendMessageA(main_window.convert_button, BM_CLICK, 0, 0); },
                             [](HWND dialog) { EndDialog(dialog, IDOK); });
    EXPECT_FALSE(again) << "a completed run uses the selection up";
}

TEST_F(ConvertTest, MultipleRunConvertsTheTextFilesOnly) {
    write_file(folder + "a.txt", cp949(novel_text));
    write_file(folder + "b.TXT", "\xEF\xBB\xBF" + std::string(novel_text));
    write_file(folder + "c.doc", cp949(novel_text));
    select_multiple(folder.substr(0, folder.size() - 1), {"a.txt", "b.TXT", "c.doc"});
    take_open_dialog_result(true);

    MessageBoxSeen box = convert_and_close_message(window);
    EXPECT_EQ(box.text, cp949("2개 파일 처리완료.\nTessaline 폴더에 자장되었습니다."));
    EXPECT_EQ(status(), cp949("2개 파일 처리완료."));
    EXPECT_EQ(SendMessageA(main_window.batch_bar, PBM_GETPOS, 0, 0), 2);
    std::string a = read_file(folder + "Tessaline\\a.txt");
    std::string b = read_file(folder + "Tessaline\\b.TXT");
    EXPECT_FALSE(a.empty());
    EXPECT_EQ(a, b) << "a UTF-8 input gives the same CP949 output";
    EXPECT_EQ(GetFileAttributesA((folder + "Tessaline\\c.doc").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(window_text(main_window.preview_box), b) << "the last file's preview";
}

TEST_F(ConvertTest, OptionsComeFromTheCheckboxesAndTheField) {
    std::string input = folder + "hanja.txt";
    write_file(input, cp949(novel_text));
    select_single(input);
    take_open_dialog_result(true);
    set_check(main_window.remove_hanja_check, true);
    convert_and_close_message(window);
    std::string without_hanja = read_file(folder + "Tessaline\\hanja.txt");
    EXPECT_EQ(without_hanja.find(cp949("(管理人)")), std::string::npos);
    EXPECT_NE(without_hanja.find(cp949("관리인")), std::string::npos);

    take_open_dialog_result(true);
    set_check(main_window.remove_hanja_check, false);
    convert_and_close_message(window);
    EXPECT_NE(read_file(folder + "Tessaline\\hanja.txt").find(cp949("관리인(管理人)")), std::string::npos);
}

namespace {

// Names of the files directly in `folder` (ending in a backslash), as the open dialog lists them.
std::vector<std::string> file_names_in(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.emplace_back(entry.cFileName);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return names;
}

// Converts every file of `folder` in one multiple run, as a user choosing them all would.
void convert_folder(const std::string& folder, const std::function<void()>& set_options) {
    write_file(folder + "novel.txt", cp949(novel_text));
    write_file(folder + "novel-utf8.txt", "\xEF\xBB\xBF" + std::string(novel_text));
    HWND window = start_window();
    select_multiple(folder.substr(0, folder.size() - 1), file_names_in(folder));
    take_open_dialog_result(true);
    set_options();
    MessageBoxSeen box = convert_and_close_message(window);
    EXPECT_EQ(box.text, std::to_string(txt_file_count) + cp949("개 파일 처리완료.\nTessaline 폴더에 자장되었습니다."));
    close_window(window);
}

}  // namespace

// The runner fills the folders "defaults" and "options" under TESSALINE_COMPARE_DIR with inputs,
// converts them afterwards with the Linux command line under the same options and compares the
// bytes with what the window wrote into their Tessaline folders.
TEST(CompareWithLinux, WindowConvertsTheRunnersFolders) {
    const char* compare = std::getenv("TESSALINE_COMPARE_DIR");
    if (compare == nullptr) GTEST_SKIP() << "TESSALINE_COMPARE_DIR is not set";
    convert_folder(std::string(compare) + "\\defaults\\", [] {});
    // The command line's --remove-hanja --mark-joins --no-blank-after-long --min-length 7.
    convert_folder(std::string(compare) + "\\options\\", [] {
        set_check(main_window.remove_hanja_check, true);
        set_check(main_window.mark_joins_check, true);
        set_check(main_window.blank_after_long_check, false);
        SetWindowTextA(main_window.min_length_field, "7");
    });
}

}  // namespace tessaline
