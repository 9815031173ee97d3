#include "app/controls.h"

#include <commctrl.h>

#include "app/control_ids.h"

namespace tessaline {

namespace {

struct ControlLayout {
    DWORD ex_style;
    const char* class_name;
    const char* text;
    int id;
    int x, y, width, height;
    DWORD style;
    HWND MainWindow::*handle;
    bool takes_font;
};

constexpr DWORD visible_child = WS_CHILD | WS_VISIBLE;

// In the order of creation; positions are client pixels.
const ControlLayout control_layouts[] = {
    {0, "button", "\xC6\xC4\xC0\xCF\xBF\xAD\xB1\xE2",  // 파일열기
     id_open, 500, 15, 70, 25, visible_child | BS_PUSHBUTTON, &MainWindow::open_button, true},
    {0, "button", "\xBA\xAF\xC8\xAF\xBD\xC7\xC7\xE0",  // 변환실행
     id_convert, 255, 333, 70, 25, visible_child | BS_PUSHBUTTON, &MainWindow::convert_button, true},
    {0, "button", "\xC1\xBE\xB7\xE1",  // 종료
     id_exit, 520, 333, 50, 25, visible_child | BS_PUSHBUTTON, &MainWindow::exit_button, true},
    // Never shown, so splitting long sentences is always on.
    {0, "button", "\xBF\xAC\xB0\xE1\xB5\xC8\xB1\xE4\xB9\xAE\xC0\xE5 \xBA\xD0\xB8\xAE",  // 연결된긴문장 분리
     id_split_long_sentences, 20, 325, 130, 15, WS_CHILD | BS_CHECKBOX, &MainWindow::split_long_sentences_check, true},
    {0, "button", "\xB1\xE4\xB9\xAE\xC0\xE5\xB5\xDA \xBA\xF3\xC1\xD9\xC3\xDF\xB0\xA1",  // 긴문장뒤 빈줄추가
     id_blank_after_long, 20, 330, 140, 15, visible_child | BS_CHECKBOX, &MainWindow::blank_after_long_check, true},
    {0, "button", "(\xC7\xD1\xC0\xDA)\xC1\xA6\xB0\xC5",  // (한자)제거
     id_remove_hanja, 20, 345, 90, 15, visible_child | BS_CHECKBOX, &MainWindow::remove_hanja_check, true},
    {0, "button",
     "\xB0\xE1\xC7\xD5\xBA\xCE\xBA\xD0 ` \xB8\xB6\xC5\xA9\xC3\xDF\xB0\xA1"  // 결합부분 ` 마크추가
     "(\xC3\xB3\xB8\xAE\xB0\xE1\xB0\xFA\xC8\xAE\xC0\xCE\xBF\xEB)",          // (처리결과확인용)
     id_mark_joins, 20, 382, 250, 15, visible_child | BS_CHECKBOX, &MainWindow::mark_joins_check, true},
    // Without horizontal scrolling, typing stops when the field is full.
    {WS_EX_CLIENTEDGE, "edit", "15", id_min_length, 20, 361, 20, 20, visible_child | WS_BORDER | ES_LEFT,
     &MainWindow::min_length_field, true},
    {0, "static",
     "\xB9\xAE\xC0\xDA(\xC7\xD1\xB1\xDB\xB1\xE2\xC1\xD8) "                 // 문자(한글기준)
     "\xC0\xCC\xC7\xCF\xB6\xF3\xC0\xCE \xC3\xB3\xB8\xAE\xC1\xA6\xBF\xDC",  // 이하라인 처리제외
     0, 45, 364, 200, 15, visible_child | SS_LEFT, &MainWindow::min_length_label, true},
    {WS_EX_CLIENTEDGE, "edit", "", id_path, 20, 15, 470, 25,
     visible_child | WS_BORDER | ES_LEFT | ES_READONLY | ES_AUTOHSCROLL, &MainWindow::path_box, true},
    {WS_EX_CLIENTEDGE, "edit", "", id_preview, 20, 50, 550, 265,
     visible_child | WS_VSCROLL | ES_LEFT | ES_MULTILINE | ES_READONLY | ES_WANTRETURN, &MainWindow::preview_box, true},
    {0, "static",
     "\xBA\xAF\xC8\xAF\xC7\xD2 \xC6\xC4\xC0\xCF\xC0\xBB "  // 변환할 파일을
     "\xBC\xB1\xC5\xC3\xC7\xCF\xBC\xBC\xBF\xE4.",          // 선택하세요.
     id_status, 347, 350, 155, 20, visible_child | SS_CENTER | SS_NOPREFIX, &MainWindow::status_line, true},
    {0, PROGRESS_CLASSA, nullptr, 0, 350, 327, 145, 7, visible_child | PBS_SMOOTH, &MainWindow::file_bar, false},
    {0, PROGRESS_CLASSA, nullptr, 0, 350, 337, 145, 7, visible_child | PBS_SMOOTH, &MainWindow::batch_bar, false},
};

HWND create_control(const MainWindow& window, const ControlLayout& layout) {
    return CreateWindowExA(layout.ex_style, layout.class_name, layout.text, layout.style, layout.x, layout.y,
                           layout.width, layout.height, window.window,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)), window.instance, nullptr);
}

}  // namespace

HFONT create_controls_font() {
    return CreateFontA(12, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, HANGUL_CHARSET, OUT_STROKE_PRECIS,
                       CLIP_STROKE_PRECIS, DRAFT_QUALITY, VARIABLE_PITCH | FF_ROMAN,
                       "\xB1\xBC\xB8\xB2");  // 굴림
}

void create_controls(MainWindow& window) {
    for (const ControlLayout& layout : control_layouts) {
        HWND control = create_control(window, layout);
        window.*layout.handle = control;
        if (layout.takes_font) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(window.font), FALSE);
    }
    SendMessageA(window.split_long_sentences_check, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(window.blank_after_long_check, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(window.file_bar, PBM_SETPOS, 0, 0);
}

}  // namespace tessaline
