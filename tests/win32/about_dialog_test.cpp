#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/about_dialog.h"
#include "app/control_ids.h"
#include "app/main_window.h"
#include "app/resources/resource_ids.h"
#include "app/startup.h"
#include "tests/win32/support/win32_harness.h"

namespace tessaline {

namespace {

// The help texts of the About dialog, byte for byte once in CP949.
const char text_a[] =
    "[ 옵션기능설명 ]\n\n- 긴문장뒤 빈줄추가: 여러문장이 줄바꿈없이 길게이어질경우 좀더읽기 편하게 빈줄을 추가해줍니다.\n\n- (한자)제거: 괄호안의 한문을 자동 제거해줍니다.\n\n- []문자 이하라인 처리제외: 지정문자수보다 짧은문장 라인은 줄바꿈보정 대상에서 제외시킵니다. \n짥은제목줄이나 타이틀같은경우 다음라인과 이어붙이는걸 방지. 지정문자갯수는 한글문자갯수기준임 - 15일경우 한글15자 또는 영숫자 30자.";
const char text_b[] =
    "본프로그램에는 이어붙이는곳의 띄어쓰기문법 자동체크기능이 내장되있어 깔끔한 문장처리를 지원합니다. 다만 다른프로그램에의해 문장 중간의 띄어쓰기가 엉망이된것은 보정되지 않습니다. 따라서 다른프로그램에의해 보정된적이없는 원본파일로 작업하시기 바랍니다.";
const char text_c[] =
    "[ beta2(2010,7,7) 업데이트내용 ]\n\n1. 띄어쓰기 문법체크기능 보강 \n2. 처리제외대상 한라인 최소문자수 지정기능 추가 \n3. 결합부분 확인마크기능 추가\n4. UTF-8,Unicode 문서  Ansi 문서로 자동변환기능 추가 ";
const char text_d[] =
    "- 결합부분 ` 마크추가: 줄바꿈보정된 부분에 ` 마크를 추가합니다. - 결합부분이 어떻게 처리되었는제 확인 테스트할때 사용. 이옵션은 한번 실행시마다 초기화됨.";

struct ExpectedDialogControl {
    const char* class_name;
    int id;
    RECT units;        // x, y, width, height in dialog units
    const char* text;  // UTF-8; nullptr where the content is not text or is free
    LONG style;        // bits that must be set
};

constexpr int no_id = 0xFFFF;

const ExpectedDialogControl about_controls[] = {
    {"static", no_id, {24, 19, 18, 21}, nullptr, SS_ICON},
    {"static", no_id, {59, 12, 120, 8}, "Tessaline 버전 beta2(2010.7.7)", SS_NOPREFIX},
    {"static", no_id, {58, 24, 150, 8}, "텍스트소설 줄바꿈 자동보정 프로그램", SS_NOPREFIX},
    {"static", no_id, {56, 41, 130, 20}, nullptr, 0},
    {"button", IDOK, {208, 20, 35, 15}, "확인", BS_DEFPUSHBUTTON | WS_TABSTOP},
    {"static", no_id, {18, 112, 235, 95}, text_a, 0},
    {"static", no_id, {18, 66, 235, 40}, text_b, 0},
    {"static", no_id, {18, 245, 235, 53}, text_c, 0},
    {"static", no_id, {18, 208, 235, 27}, text_d, 0},
};

HINSTANCE instance() { return GetModuleHandleA(nullptr); }

HACCEL accelerators() { return LoadAcceleratorsA(instance(), MAKEINTRESOURCEA(ACCELERATORS_MAIN)); }

// Pixels of a place given in dialog units, converted as the dialog manager converts a control's
// position and size: each on its own.
RECT pixels(HWND dialog, RECT units) {
    RECT converted = units;
    MapDialogRect(dialog, &converted);
    return {converted.left, converted.top, converted.left + converted.right, converted.top + converted.bottom};
}

std::string menu_text(HMENU menu, UINT position) {
    char text[128] = "";
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

void check_about_dialog(HWND dialog, HWND owner) {
    EXPECT_EQ(window_text(dialog), cp949("정보"));
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner);
    EXPECT_FALSE(IsWindowEnabled(owner)) << "the dialog is modal";
    LONG style = GetWindowLongA(dialog, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & DS_CENTER);
    EXPECT_TRUE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);

    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof(font), &font);
    EXPECT_EQ(std::string(font.lfFaceName), cp949("굴림"));
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(font.lfHeight, -MulDiv(9, GetDeviceCaps(screen, LOGPIXELSY), 72));
    ReleaseDC(nullptr, screen);

    RECT client = {};
    GetClientRect(dialog, &client);
    RECT size = pixels(dialog, {0, 0, 269, 306});
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);
    // The template's position, 52, 50, places the dialog's client area from the owner's.
    POINT owner_origin = {0, 0};
    ClientToScreen(owner, &owner_origin);
    POINT dialog_origin = {0, 0};
    ClientToScreen(dialog, &dialog_origin);
    RECT place = pixels(dialog, {52, 50, 0, 0});
    EXPECT_EQ(dialog_origin.x, owner_origin.x + place.left);
    EXPECT_EQ(dialog_origin.y, owner_origin.y + place.top);

    HWND control = GetWindow(dialog, GW_CHILD);
    for (const ExpectedDialogControl& expected : about_controls) {
        ASSERT_NE(control, nullptr);
        SCOPED_TRACE("dialog control at " + std::to_string(expected.units.left) + ", " +
                     std::to_string(expected.units.top));
        EXPECT_EQ(lstrcmpiA(class_of(control).c_str(), expected.class_name), 0) << class_of(control);
        EXPECT_EQ(GetDlgCtrlID(control) & 0xFFFF, expected.id);
        EXPECT_EQ(GetWindowLongA(control, GWL_STYLE) & expected.style, expected.style);
        RECT want = pixels(dialog, expected.units);
        RECT got = client_rect_of_child(control);
        EXPECT_EQ(got.left, want.left);
        EXPECT_EQ(got.top, want.top);
        if (expected.style != SS_ICON) {
            EXPECT_EQ(got.right, want.right);
            EXPECT_EQ(got.bottom, want.bottom);
        }
        if (expected.text != nullptr) {
            EXPECT_EQ(window_text(control), cp949(expected.text));
        }
        control = GetWindow(control, GW_HWNDNEXT);
    }
    EXPECT_EQ(control, nullptr) << "more controls than the nine";
}

class AboutTest : public ::testing::Test {
protected:
    void SetUp() override { window = start_window(); }
    void TearDown() override { close_window(window); }

    HWND window = nullptr;
};

}  // namespace

TEST_F(AboutTest, MenuBarHasFileAndHelpWithTheirCommands) {
    HMENU menu = GetMenu(window);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 2);
    EXPECT_EQ(menu_text(menu, 0), cp949("파일(&F)"));
    EXPECT_EQ(menu_text(menu, 1), cp949("도움말(&H)"));
    HMENU file = GetSubMenu(menu, 0);
    HMENU help = GetSubMenu(menu, 1);
    ASSERT_EQ(GetMenuItemCount(file), 1);
    ASSERT_EQ(GetMenuItemCount(help), 1);
    EXPECT_EQ(menu_text(file, 0), cp949("끝내기(&X)"));
    EXPECT_EQ(GetMenuItemID(file, 0), static_cast<UINT>(COMMAND_EXIT_MENU));
    EXPECT_EQ(menu_text(help, 0), cp949("정보(&A)..."));
    EXPECT_EQ(GetMenuItemID(help, 0), static_cast<UINT>(COMMAND_ABOUT));
}

TEST_F(AboutTest, ExitMenuItemEndsTheMessageLoop) {
    UINT exit = GetMenuItemID(GetSubMenu(GetMenu(window), 0), 0);
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(exit, 0), 0);
    EXPECT_EQ(run_message_loop(window, accelerators()), 0);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(AboutTest, AcceleratorTableHoldsAltQuestionMarkAndAltSlashAsCharacterKeys) {
    ACCEL table[4] = {};
    ASSERT_EQ(CopyAcceleratorTableA(accelerators(), table, 4), 2);
    EXPECT_EQ(table[0].fVirt, FALT) << "a character key with Alt, not a virtual key";
    EXPECT_EQ(table[0].key, '?');
    EXPECT_EQ(table[0].cmd, COMMAND_ABOUT);
    EXPECT_EQ(table[1].fVirt, FALT);
    EXPECT_EQ(table[1].key, '/');
    EXPECT_EQ(table[1].cmd, COMMAND_ABOUT);
}

namespace {

#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width;
    BYTE height;
    BYTE colour_count;
    BYTE reserved;
    WORD planes;
    WORD bit_count;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

// "size x bits" of every image of an icon resource, in the order of its directory.
std::vector<std::string> icon_images(int icon) {
    HRSRC found = FindResourceA(instance(), MAKEINTRESOURCEA(icon), RT_GROUP_ICON);
    if (found == nullptr) return {};
    const auto* group = static_cast<const WORD*>(LockResource(LoadResource(instance(), found)));
    const auto* entry = reinterpret_cast<const IconGroupEntry*>(group + 3);
    std::vector<std::string> images;
    for (int k = 0; k < group[2]; ++k)
        images.push_back(std::to_string(entry[k].width) + "x" + std::to_string(entry[k].bit_count));
    return images;
}

}  // namespace

TEST(Icons, BothIconsHold48And32And16PixelsIn256ColoursAndIn32Bit) {
    const std::vector<std::string> expected = {"48x8", "48x32", "32x8", "32x32", "16x8", "16x32"};
    for (int icon : {ICON_WINDOW_LARGE, ICON_WINDOW_SMALL}) EXPECT_EQ(icon_images(icon), expected) << "icon " << icon;
}

TEST_F(AboutTest, MenuItemOpensTheDialogWithItsControlsAndTexts) {
    UINT about = GetMenuItemID(GetSubMenu(GetMenu(window), 1), 0);
    bool opened = with_dialog([&] { SendMessageA(window, WM_COMMAND, MAKEWPARAM(about, 0), 0); },
                              [&](HWND dialog) {
                                  check_about_dialog(dialog, window);
                                  PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
                              });
    EXPECT_TRUE(opened);
    EXPECT_TRUE(IsWindowEnabled(window)) << "the main window takes input again";
}

namespace {

// Wine's accelerator translation matches a character key held with Alt on the key-down message
// that carries the character code with the Alt bit set.
void post_alt_character(HWND target, char character) {
    PostMessageA(target, WM_SYSKEYDOWN, static_cast<WPARAM>(character), LPARAM{1} << 29 | 1);
}

}  // namespace

TEST_F(AboutTest, BothAcceleratorsOpenTheDialogWhereverTheFocusIs) {
    struct Case {
        char key;
        bool on_child;
    };
    for (Case c : {Case{'?', false}, Case{'/', false}, Case{'?', true}, Case{'/', true}}) {
        SCOPED_TRACE(std::string("Alt+") + c.key + (c.on_child ? " with a control focused" : ""));
        if (!IsWindow(window)) window = start_window();
        HWND target = c.on_child ? main_window.convert_button : window;
        SetFocus(target);
        bool opened = with_dialog(
            [&] {
                post_alt_character(target, c.key);
                EXPECT_EQ(run_message_loop(window, accelerators()), 0);
            },
            [&](HWND dialog) {
                EXPECT_EQ(window_text(dialog), cp949("정보"));
                PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
                // Once the dialog has closed, end the loop through the File menu's exit.
                PostMessageA(window, WM_COMMAND, MAKEWPARAM(COMMAND_EXIT_MENU, 0), 0);
            });
        EXPECT_TRUE(opened);
    }
}

TEST_F(AboutTest, OtherAltCharactersOpenNothing) {
    bool opened = with_dialog(
        [&] {
            post_alt_character(window, 'A');
            post_alt_character(window, 'x');
            PostMessageA(window, WM_COMMAND, MAKEWPARAM(COMMAND_EXIT_MENU, 0), 0);
            run_message_loop(window, accelerators());
        },
        [](HWND dialog) { EndDialog(dialog, IDCANCEL); });
    EXPECT_FALSE(opened);
}

TEST_F(AboutTest, OkEnterEscAndTheCloseBoxEndTheDialogWithItsCommandId) {
    struct Case {
        const char* how;
        INT_PTR result;
        std::function<void(HWND)> close;
    };
    const Case cases[] = {
        {"OK button", IDOK, [](HWND dialog) { PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0); }},
        {"Enter", IDOK, [](HWND) { PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 0x001C0001); }},
        {"Esc", IDCANCEL, [](HWND) { PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0x00010001); }},
        {"close box", IDCANCEL, [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const Case& c : cases) {
        INT_PTR result = -1;
        bool opened = with_dialog(
            [&] {
                result = DialogBoxParamA(instance(), MAKEINTRESOURCEA(DIALOG_ABOUT), window, about_dialog_procedure, 0);
            },
            [&](HWND dialog) {
                EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK)) << "the system gives the default focus";
                c.close(dialog);
            });
        EXPECT_TRUE(opened) << c.how;
        EXPECT_EQ(result, c.result) << c.how;
    }
}

}  // namespace tessaline
