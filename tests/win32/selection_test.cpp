#include <windows.h>
// after windows.h, whose types it uses
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "app/control_ids.h"
#include "app/main_window.h"
#include "app/selection.h"
#include "app/selection_display.h"
#include "pipeline/preview.h"
#include "tests/win32/support/win32_harness.h"

namespace tessaline {

namespace {

const std::string DOTTED_TAIL_TEXT(dotted_tail, dotted_tail_length);

class SelectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = start_window();
        folder = fresh_folder("tessaline-selection");
    }
    void TearDown() override { close_window(window); }

    std::string preview() { return window_text(main_window.preview_box); }
    std::string status() { return window_text(main_window.status_line); }
    std::string path_box() { return window_text(main_window.path_box); }
    int bar_position(HWND bar) { return static_cast<int>(SendMessageA(bar, PBM_GETPOS, 0, 0)); }
    PBRANGE batch_range() {
        PBRANGE range = {};
        SendMessageA(main_window.batch_bar, PBM_GETRANGE, 0, reinterpret_cast<LPARAM>(&range));
        return range;
    }

    HWND window = nullptr;
    std::string folder;
};

// A CP949 text of exactly `size` bytes: Korean lines, cut to size with ASCII.
std::string korean_text_of_size(size_t size) {
    std::string line = cp949("그는 창밖을 내다보았다.\r\n");
    std::string text;
    while (text.size() + line.size() <= size) text += line;
    return text + std::string(size - text.size(), 'x');
}

// Controls of the system's open dialog: the file-name field, the file-type list and the files.
constexpr int file_name_box = 0x47C;
constexpr int file_type_box = 0x470;
constexpr int file_view = 0x461;

// Clicks the open button and lets `answer` work the dialog; fails when no dialog opened.
void use_open_dialog(const std::function<void(HWND dialog)>& answer) {
    bool opened = with_dialog([] { SendMessageA(main_window.open_button, BM_CLICK, 0, 0); }, answer);
    EXPECT_TRUE(opened) << "the open button showed no dialog";
}

// Types names into the dialog's file-name field, as a user would, and presses its open button.
void type_names_and_open(HWND dialog, const std::string& names) {
    SetWindowTextA(GetDlgItem(dialog, file_name_box), names.c_str());
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

int files_listed(HWND dialog) {
    HWND list = GetWindow(GetDlgItem(dialog, file_view), GW_CHILD);
    return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

}  // namespace

TEST_F(SelectionTest, OpenButtonShowsTheDialogWithItsTitleAndTextFileFilter) {
    write_file(folder + "a.txt", "a");
    write_file(folder + "b.doc", "b");
    SetCurrentDirectoryA(folder.c_str());
    SetWindowTextA(main_window.preview_box, "earlier");
    use_open_dialog([](HWND dialog) {
        EXPECT_EQ(window_text(dialog), cp949(" 파일열기    [ 여러파일 동시선택 가능 ]"));
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), main_window.window);
        HWND types = GetDlgItem(dialog, file_type_box);
        EXPECT_EQ(SendMessageA(types, CB_GETCOUNT, 0, 0), 1);
        EXPECT_EQ(window_text(types), cp949("텍스트파일(*.TXT)"));
        EXPECT_EQ(files_listed(dialog), 1) << "only a.txt passes the filter";
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(selection_ready, 0);
    EXPECT_EQ(preview(), "") << "a cancel empties the preview box";
}

TEST_F(SelectionTest, OneFileChosenInTheDialogIsShown) {
    std::string text = cp949("창밖에는 눈이 내렸다.\r\n");
    write_file(folder + "a.txt", text);
    SetCurrentDirectoryA(folder.c_str());
    use_open_dialog([](HWND dialog) { type_names_and_open(dialog, "a.txt"); });
    EXPECT_EQ(selection_ready, 1);
    EXPECT_EQ(path_box(), folder + "a.txt\\");
    EXPECT_EQ(preview(), text);
    EXPECT_EQ(status(), cp949("1개 파일 선택됨"));
}

TEST_F(SelectionTest, SeveralFilesChosenInTheDialogListTheTextFiles) {
    write_file(folder + "a.txt", "a");
    write_file(folder + "b.doc", "b");
    SetCurrentDirectoryA(folder.c_str());
    use_open_dialog([](HWND dialog) { type_names_and_open(dialog, "\"a.txt\" \"b.doc\""); });
    EXPECT_EQ(selection_ready, 1);
    EXPECT_EQ(path_box(), folder);
    EXPECT_EQ(preview(), cp949("           선택된 파일들\r\n ===========================\r\n a.txt\r\n "));
    EXPECT_EQ(status(), cp949("1개 파일 선택됨"));
    EXPECT_EQ(txt_file_count, 1);
}

TEST_F(SelectionTest, SingleFileShowsItsPathItsTextAndTheStatus) {
    std::string path = folder + "a.txt";
    std::string text = cp949("첫 줄입니다\r\n둘째 줄\r\n");
    write_file(path, text);
    SendMessageA(main_window.file_bar, PBM_SETPOS, 40, 0);
    select_single(path);
    take_open_dialog_result(true);
    EXPECT_EQ(selection_ready, 1);
    EXPECT_EQ(path_box(), path + "\\");
    EXPECT_EQ(preview(), text);
    EXPECT_EQ(status(), cp949("1개 파일 선택됨"));
    EXPECT_EQ(bar_position(main_window.file_bar), 0);
    EXPECT_EQ(bar_position(main_window.batch_bar), 0);
}

TEST_F(SelectionTest, SingleFilePreviewIsCutAfter30000BytesOfTheFile) {
    struct Case {
        size_t size;
        bool cut;
    };
    for (Case c : {Case{30000, false}, Case{30001, true}}) {
        std::string text = korean_text_of_size(c.size);
        std::string path = folder + "size" + std::to_string(c.size) + ".txt";
        write_file(path, text);
        select_single(path);
        take_open_dialog_result(true);
        std::string expected = c.cut ? text.substr(0, 30000) + DOTTED_TAIL_TEXT : text;
        EXPECT_EQ(preview(), expected) << c.size << " bytes";
    }
}

TEST_F(SelectionTest, Utf8FileOfMoreThan30000BytesShowsAllItsShorterTextAndTheTail) {
    std::string utf8 = "\xEF\xBB\xBF";
    std::string syllables;
    while (utf8.size() + 3 <= 40000) {
        utf8 += "가";
        syllables += "가";
    }
    utf8 += std::string(40000 - utf8.size(), 'z');
    std::string converted = cp949(syllables.c_str()) + std::string(40000 - 3 - syllables.size(), 'z');
    ASSERT_EQ(utf8.size(), 40000u);
    ASSERT_LT(converted.size(), 30000u);
    std::string path = folder + "utf8.txt";
    write_file(path, utf8);
    select_single(path);
    take_open_dialog_result(true);
    EXPECT_EQ(preview(), converted + DOTTED_TAIL_TEXT);
}

TEST_F(SelectionTest, SingleFileThatCannotBeOpenedLeavesPreviewAndStatusAlone) {
    SetWindowTextA(main_window.preview_box, "earlier");
    select_single(folder + "missing.txt");
    take_open_dialog_result(true);
    EXPECT_EQ(selection_ready, 1) << "the selection still counts as made";
    EXPECT_EQ(preview(), "earlier");
    EXPECT_EQ(status(), cp949("변환할 파일을 선택하세요."));
}

TEST_F(SelectionTest, MultipleSelectionListsOnlyTextFiles) {
    select_multiple(folder.substr(0, folder.size() - 1), {"a.txt", "b.doc"});
    take_open_dialog_result(true);
    EXPECT_EQ(path_box(), folder);
    EXPECT_EQ(preview(), cp949("           선택된 파일들\r\n ===========================\r\n a.txt\r\n "));
    EXPECT_EQ(status(), cp949("1개 파일 선택됨"));
    EXPECT_EQ(txt_file_count, 1);
    EXPECT_EQ(batch_range().iLow, 0);
    EXPECT_EQ(batch_range().iHigh, 1);
    EXPECT_EQ(bar_position(main_window.batch_bar), 0);
}

TEST_F(SelectionTest, MultipleSelectionCountsNamesEndingInTxtInAnyCase) {
    select_multiple("C:\\novels", {"a.txt", "b.TXT", "c.doc", "mytxt", "d.Txt"});
    take_open_dialog_result(true);
    EXPECT_EQ(txt_file_count, 4);
    EXPECT_EQ(status(), cp949("4개 파일 선택됨"));
    EXPECT_EQ(preview(), cp949("           선택된 파일들\r\n ===========================\r\n "
                               "a.txt\r\n b.TXT\r\n mytxt\r\n d.Txt\r\n "));
    EXPECT_EQ(batch_range().iHigh, 4);
}

TEST_F(SelectionTest, ListTooLongForItsRoomKeepsWholeNamesAndEndsWithDots) {
    std::string names_buffer;
    std::memset(selection_buffer, 0, selection_buffer_size);
    std::strcpy(selection_buffer, "C:\\books");
    size_t at = std::strlen(selection_buffer) + 1;
    const int count = 2000;
    for (int k = 0; k < count; ++k) {
        std::string name = cp949("소설") + std::to_string(100000 + k) + ".txt";
        std::memcpy(selection_buffer + at, name.c_str(), name.size() + 1);
        at += name.size() + 1;
    }
    take_open_dialog_result(true);
    EXPECT_EQ(txt_file_count, count) << "every text file is counted, listed or not";
    EXPECT_EQ(status(), std::to_string(count) + cp949("개 파일 선택됨"));
    std::string list = preview();
    EXPECT_LE(list.size(), selection_list_size - 1);
    EXPECT_GT(list.size(), selection_list_size - 40) << "the room is used";
    ASSERT_GE(list.size(), 6u);
    EXPECT_EQ(list.substr(list.size() - 6), "\r\n ...");
    std::string before_dots = list.substr(0, list.size() - 3);
    EXPECT_EQ(before_dots.substr(before_dots.size() - 7), ".txt\r\n ") << "the last listed name is whole";
}

TEST_F(SelectionTest, ListOfExactlyTheRoomNeedsNoDots) {
    std::string header = cp949("           선택된 파일들\r\n ===========================\r\n ");
    std::memset(selection_buffer, 0, selection_buffer_size);
    std::strcpy(selection_buffer, "C:\\books");
    size_t at = std::strlen(selection_buffer) + 1;
    size_t length = header.size();
    // Names of 97 bytes plus CR LF and a space fill 100 bytes each; the last one fills the rest.
    while (length + 100 <= selection_list_size - 1 - 100) {
        std::string name = std::string(93, 'n') + ".txt";
        std::memcpy(selection_buffer + at, name.c_str(), name.size() + 1);
        at += name.size() + 1;
        length += 100;
    }
    std::string last = std::string(selection_list_size - 1 - length - 3 - 4, 'z') + ".txt";
    std::memcpy(selection_buffer + at, last.c_str(), last.size() + 1);
    take_open_dialog_result(true);
    std::string list = preview();
    EXPECT_EQ(list.size(), selection_list_size - 1);
    EXPECT_EQ(list.substr(list.size() - last.size() - 3), last + "\r\n ");
}

TEST_F(SelectionTest, CancelEmptiesThePreviewAndMakesConvertDoNothing) {
    SetWindowTextA(main_window.preview_box, "earlier");
    SendMessageA(main_window.mark_joins_check, BM_SETCHECK, BST_CHECKED, 0);
    selection_ready = 1;
    take_open_dialog_result(false);
    EXPECT_EQ(selection_ready, 0);
    EXPECT_EQ(preview(), "");
    std::string status_before = status();
    bool message = with_dialog([&] { SendMessageA(main_window.convert_button, BM_CLICK, 0, 0); },
                               [](HWND dialog) { EndDialog(dialog, IDOK); });
    EXPECT_FALSE(message) << "nothing to convert, nothing to report";
    EXPECT_EQ(status(), status_before);
    EXPECT_EQ(SendMessageA(main_window.mark_joins_check, BM_GETCHECK, 0, 0), BST_CHECKED)
        << "a run that never started leaves the join mark alone";
}

}  // namespace tessaline
