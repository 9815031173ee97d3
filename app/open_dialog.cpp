#include "app/open_dialog.h"

#include <commdlg.h>

#include "app/selection.h"
#include "app/selection_display.h"

namespace tessaline {

namespace {

// One filter entry: description, pattern, and the empty string that ends the list.
const char file_filter[] = "\xC5\xD8\xBD\xBA\xC6\xAE\xC6\xC4\xC0\xCF(*.TXT)\0*.txt\0";  // 텍스트파일(*.TXT)

const char title[] =
    " \xC6\xC4\xC0\xCF\xBF\xAD\xB1\xE2    "                //  파일열기
    "[ \xBF\xA9\xB7\xAF\xC6\xC4\xC0\xCF \xB5\xBF\xBD\xC3"  // [ 여러파일 동시
    "\xBC\xB1\xC5\xC3 \xB0\xA1\xB4\xC9 ]";                 // 선택 가능 ]

}  // namespace

// The full request, with the reserved fields at its end: 88 bytes in a 32-bit program, 152 in a
// 64-bit one.
#ifdef _WIN64
static_assert(sizeof(OPENFILENAMEA) == 152, "the dialog request must be the 152-byte form");
#else
static_assert(sizeof(OPENFILENAMEA) == 88, "the dialog request must be the 88-byte form");
#endif

void choose_files(HWND owner) {
    OPENFILENAMEA request = {};
    request.lStructSize = sizeof(request);
    request.hwndOwner = owner;
    request.lpstrFilter = file_filter;
    selection_buffer[0] = '\0';
    request.lpstrFile = selection_buffer;
    request.nMaxFile = selection_buffer_size;
    request.lpstrTitle = title;
    request.Flags = OFN_EXPLORER | OFN_ALLOWMULTISELECT;
    take_open_dialog_result(GetOpenFileNameA(&request) != FALSE);
}

}  // namespace tessaline
