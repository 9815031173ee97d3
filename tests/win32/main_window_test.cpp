#include <windows.h>
// after windows.h, whose types it uses
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "app/control_ids.h"
#include "app/main_window.h"
#include "app/resources/resource_ids.h"
#include "app/startup.h"
#include "tests/win32/support/win32_harness.h"

namespace tessaline {

namespace {

struct ExpectedControl {
    const char* class_name;
    const char* text;  // UTF-8; nullptr for the bars, which have none
    int id;
    RECT rect;  // left, top, right, bottom in client pixels
    bool visible;
    bool has_font;
};

const ExpectedControl control_layouts[] = {
    {"button", "파일열기", 10, {500, 15, 570, 40}, true, true},
    {"button", "변환실행", 12, {255, 333, 325, 358}, true, true},
    {"button", "종료", 15, {520, 333, 570, 358}, true, true},
    {"button", "연결된긴문장 분리", 1, {20, 325, 150, 340}, false, true},
    {"button", "긴문장뒤 빈줄추가", 3, {20, 330, 160, 345}, true, true},
    {"button", "(한자)제거", 2, {20, 345, 110, 360}, true, true},
    {"button", "결합부분 ` 마크추가(처리결과확인용)", 4, {20, 382, 270, 397}, true, true},
    {"edit", "15", 16, {20, 361, 40, 381}, true, true},
    {"static", "문자(한글기준) 이하라인 처리제외", 0, {45, 364, 245, 379}, true, true},
    {"edit", "", 100, {20, 15, 490, 40}, true, true},
    {"edit", "", 300, {20, 50, 570, 315}, true, true},
    {"static", "변환할 파일을 선택하세요.", 14, {347, 350, 502, 370}, true, true},
    {"msctls_progress32", nullptr, 0, {350, 327, 495, 334}, true, false},
    {"msctls_progress32", nullptr, 0, {350, 337, 495, 344}, true, false},
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { window = start_window(); }
    void TearDown() override { close_window(window); }

    HWND child(int id) { return GetDlgItem(window, id); }
    LRESULT check_state(int id) { return SendMessageA(child(id), BM_GETCHECK, 0, 0); }

    HWND window = nullptr;
};

LONG style_of(HWND window) { return GetWindowLongA(window, GWL_STYLE); }
LONG ex_style_of(HWND window) { return GetWindowLongA(window, GWL_EXSTYLE); }

bool same_class(const std::string& actual, const char* expected) { return lstrcmpiA(actual.c_str(), expected) == 0; }

}  // namespace

TEST_F(MainWindowTest, TitleClassAndFixedFrame) {
    EXPECT_EQ(window_text(window), "Tessaline  beta2 (2010.7.7)");
    EXPECT_EQ(class_of(window), "TESSALINE");
    LONG style = style_of(window);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX) << "the window cannot be maximised";
    EXPECT_FALSE(style & WS_THICKFRAME) << "the window cannot be resized";
    EXPECT_EQ(ex_style_of(window) & ~WS_EX_WINDOWEDGE, 0);
}

TEST_F(MainWindowTest, OuterSizeAndCentredPosition) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, 600);
    EXPECT_EQ(rect.bottom - rect.top, 455);
    EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXMAXIMIZED) - 600) / 2);
    EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYMAXIMIZED) - 455) / 2);
}

TEST_F(MainWindowTest, WindowClassCarriesIconsCursorBackgroundAndMenu) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA info = {};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetClassInfoExA(instance, "TESSALINE", &info));
    EXPECT_EQ(info.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW));
    EXPECT_EQ(info.cbClsExtra, 0);
    EXPECT_EQ(info.cbWndExtra, 0);
    EXPECT_EQ(info.hbrBackground, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    EXPECT_EQ(info.hIcon, LoadIconA(instance, MAKEINTRESOURCEA(ICON_WINDOW_LARGE)));
    EXPECT_NE(info.hIconSm, nullptr);
    EXPECT_EQ(info.hCursor, LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(info.lpszMenuName), static_cast<UINT_PTR>(MENU_MAIN));
    EXPECT_NE(GetMenu(window), nullptr);
}

TEST_F(MainWindowTest, ControlsInCreationOrderWithClassTextIdPositionAndVisibility) {
    HWND control = GetWindow(window, GW_CHILD);
    for (const ExpectedControl& expected : control_layouts) {
        ASSERT_NE(control, nullptr) << "missing control " << expected.class_name << " " << expected.id;
        SCOPED_TRACE(std::string(expected.class_name) + " id " + std::to_string(expected.id));
        EXPECT_TRUE(same_class(class_of(control), expected.class_name)) << class_of(control);
        if (expected.text != nullptr) {
            EXPECT_EQ(window_text(control), cp949(expected.text));
        }
        EXPECT_EQ(GetDlgCtrlID(control), expected.id);
        RECT rect = client_rect_of_child(control);
        EXPECT_EQ(rect.left, expected.rect.left);
        EXPECT_EQ(rect.top, expected.rect.top);
        EXPECT_EQ(rect.right, expected.rect.right);
        EXPECT_EQ(rect.bottom, expected.rect.bottom);
        EXPECT_EQ(IsWindowVisible(control) != FALSE, expected.visible);
        EXPECT_EQ(SendMessageA(control, WM_GETFONT, 0, 0) != 0, expected.has_font);
        control = GetWindow(control, GW_HWNDNEXT);
    }
    EXPECT_EQ(control, nullptr) << "more controls than the fourteen";
}

TEST_F(MainWindowTest, ControlStyles) {
    for (int id : {id_split_long_sentences, id_remove_hanja, id_blank_after_long, id_mark_joins})
        EXPECT_EQ(style_of(child(id)) & BS_TYPEMASK, BS_CHECKBOX) << "checkbox " << id << " is a plain one";
    for (int id : {id_open, id_convert, id_exit}) EXPECT_EQ(style_of(child(id)) & BS_TYPEMASK, BS_PUSHBUTTON);

    LONG field = style_of(child(id_min_length));
    EXPECT_TRUE(ex_style_of(child(id_min_length)) & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(field & WS_BORDER);
    EXPECT_FALSE(field & (ES_AUTOHSCROLL | ES_MULTILINE | ES_NUMBER | ES_READONLY));

    LONG path = style_of(child(id_path));
    EXPECT_TRUE(ex_style_of(child(id_path)) & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(path & WS_BORDER);
    EXPECT_TRUE(path & ES_READONLY);
    EXPECT_TRUE(path & ES_AUTOHSCROLL);
    EXPECT_FALSE(path & ES_MULTILINE);

    LONG preview = style_of(child(id_preview));
    EXPECT_TRUE(ex_style_of(child(id_preview)) & WS_EX_CLIENTEDGE);
    for (LONG bit : {LONG{ES_MULTILINE}, LONG{ES_READONLY}, LONG{ES_WANTRETURN}, LONG{WS_VSCROLL}})
        EXPECT_TRUE(preview & bit) << std::hex << bit;

    LONG status = style_of(child(id_status));
    EXPECT_EQ(status & SS_TYPEMASK, SS_CENTER);
    EXPECT_TRUE(status & SS_NOPREFIX);
    EXPECT_EQ(style_of(main_window.min_length_label) & SS_TYPEMASK, SS_LEFT);

    EXPECT_TRUE(style_of(main_window.file_bar) & PBS_SMOOTH);
    EXPECT_TRUE(style_of(main_window.batch_bar) & PBS_SMOOTH);
}

TEST_F(MainWindowTest, OneKoreanFontOnTwelveControls) {
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(child(id_open), WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    int with_font = 0;
    for (HWND control = GetWindow(window, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        HFONT own = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
        if (own == nullptr) continue;
        EXPECT_EQ(own, font);
        ++with_font;
    }
    EXPECT_EQ(with_font, 12);
    LOGFONTA logical = {};
    ASSERT_EQ(GetObjectA(font, sizeof(logical), &logical), static_cast<int>(sizeof(logical)));
    EXPECT_EQ(logical.lfHeight, 12);
    EXPECT_EQ(logical.lfWidth, 0);
    EXPECT_EQ(logical.lfWeight, FW_DONTCARE);
    EXPECT_FALSE(logical.lfItalic || logical.lfUnderline || logical.lfStrikeOut);
    EXPECT_EQ(logical.lfCharSet, HANGUL_CHARSET);
    EXPECT_EQ(logical.lfOutPrecision, OUT_STROKE_PRECIS);
    EXPECT_EQ(logical.lfClipPrecision, CLIP_STROKE_PRECIS);
    EXPECT_EQ(logical.lfQuality, DRAFT_QUALITY);
    EXPECT_EQ(logical.lfPitchAndFamily, VARIABLE_PITCH | FF_ROMAN);
    EXPECT_EQ(std::string(logical.lfFaceName), cp949("굴림"));
}

TEST_F(MainWindowTest, InitialStates) {
    EXPECT_EQ(check_state(id_split_long_sentences), BST_CHECKED);
    EXPECT_EQ(check_state(id_blank_after_long), BST_CHECKED);
    EXPECT_EQ(check_state(id_remove_hanja), BST_UNCHECKED);
    EXPECT_EQ(check_state(id_mark_joins), BST_UNCHECKED);
    EXPECT_EQ(window_text(child(id_min_length)), "15");
    EXPECT_EQ(SendMessageA(main_window.file_bar, PBM_GETPOS, 0, 0), 0);
    PBRANGE range = {};
    SendMessageA(main_window.batch_bar, PBM_GETRANGE, 0, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iLow, 0);
    EXPECT_EQ(range.iHigh, 100);
}

TEST_F(MainWindowTest, ClickingACheckboxTwiceLeavesItAsItWas) {
    for (int id : {id_remove_hanja, id_blank_after_long, id_mark_joins}) {
        LRESULT before = check_state(id);
        SendMessageA(child(id), BM_CLICK, 0, 0);
        EXPECT_NE(check_state(id), before) << "checkbox " << id << " did not toggle";
        SendMessageA(child(id), BM_CLICK, 0, 0);
        EXPECT_EQ(check_state(id), before) << "checkbox " << id;
    }
}

TEST_F(MainWindowTest, HiddenCheckboxCannotBeClickedAndStaysOn) {
    HWND hidden = child(id_split_long_sentences);
    EXPECT_FALSE(IsWindowVisible(hidden));
    RECT rect = client_rect_of_child(hidden);
    for (POINT point : {POINT{rect.left + 2, rect.top + 2}, POINT{rect.left + 60, rect.top + 2},
                        POINT{rect.right - 2, rect.top + 2}}) {
        HWND hit = ChildWindowFromPointEx(window, point, CWP_SKIPINVISIBLE);
        EXPECT_NE(hit, hidden);
        POINT on_screen = point;
        ClientToScreen(window, &on_screen);
        EXPECT_NE(WindowFromPoint(on_screen), hidden);
    }
    EXPECT_EQ(check_state(id_split_long_sentences), BST_CHECKED);
}

int text_width(HWND control, const std::string& text) {
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE size = {};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size.cx;
}

TEST_F(MainWindowTest, MinimumLengthFieldStopsTakingCharactersWhenFull) {
    HWND field = child(id_min_length);
    SetFocus(field);
    SendMessageA(field, EM_SETSEL, 0, -1);
    for (int k = 0; k < 20; ++k) SendMessageA(field, WM_CHAR, '7', 1);
    std::string typed = window_text(field);
    ASSERT_FALSE(typed.empty());
    EXPECT_EQ(typed, std::string(typed.size(), '7'));
    RECT room = {};
    SendMessageA(field, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
    EXPECT_LE(text_width(field, typed), room.right - room.left);
    EXPECT_GT(text_width(field, typed + "7"), room.right - room.left) << "typing stopped before the field was full";

    SendMessageA(field, EM_SETSEL, 0, -1);
    SendMessageA(field, WM_CHAR, 'a', 1);
    EXPECT_EQ(window_text(field), "a") << "the field is not limited to digits";
}

TEST_F(MainWindowTest, ReadOnlyEditsAreWhiteAndOtherControlsKeepTheirColours) {
    for (HWND edit : {main_window.path_box, main_window.preview_box}) {
        HDC dc = GetDC(edit);
        SetBkColor(dc, RGB(1, 2, 3));
        auto brush = reinterpret_cast<HBRUSH>(
            SendMessageA(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit)));
        EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
        LOGBRUSH logical = {};
        ASSERT_EQ(GetObjectA(brush, sizeof(logical), &logical), static_cast<int>(sizeof(logical)));
        EXPECT_EQ(logical.lbStyle, static_cast<UINT>(BS_SOLID));
        EXPECT_EQ(logical.lbColor, RGB(255, 255, 255));
        ReleaseDC(edit, dc);
    }
    HWND white_brush_owner = main_window.path_box;
    HDC path_dc = GetDC(white_brush_owner);
    LRESULT white = SendMessageA(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(path_dc),
                                 reinterpret_cast<LPARAM>(white_brush_owner));
    ReleaseDC(white_brush_owner, path_dc);
    for (HWND other : {main_window.status_line, main_window.min_length_label, main_window.remove_hanja_check}) {
        HDC dc = GetDC(other);
        SetBkColor(dc, RGB(1, 2, 3));
        LRESULT answer =
            SendMessageA(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(other));
        EXPECT_NE(answer, white);
        EXPECT_NE(GetBkColor(dc), RGB(255, 255, 255));
        ReleaseDC(other, dc);
    }
}

TEST_F(MainWindowTest, ReadOnlyEditsArePaintedWhite) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    for (HWND edit : {main_window.path_box, main_window.preview_box}) {
        HDC dc = GetDC(edit);
        EXPECT_EQ(GetPixel(dc, 6, 6), RGB(255, 255, 255));
        ReleaseDC(edit, dc);
    }
}

TEST_F(MainWindowTest, ExitButtonEndsTheMessageLoopWithCodeZero) {
    PostMessageA(main_window.exit_button, BM_CLICK, 0, 0);
    EXPECT_EQ(run_message_loop(window, nullptr), 0);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(MainWindowTest, CloseBoxEndsTheMessageLoop) {
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(run_message_loop(window, nullptr), 0);
    EXPECT_FALSE(IsWindow(window));
}

TEST(MainWindowLifetime, CanBeCreatedAgainAfterItWasDestroyed) {
    for (int round = 0; round < 2; ++round) {
        HWND window = start_window();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(main_window.window, window);
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(id_exit, BN_CLICKED),
                     reinterpret_cast<LPARAM>(main_window.exit_button));
        EXPECT_EQ(run_message_loop(window, nullptr), 0);
        EXPECT_EQ(main_window.window, nullptr) << "the destroyed window's handles are forgotten";
    }
}

}  // namespace tessaline
