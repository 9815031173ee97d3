#pragma once

namespace tessaline {

// The temporary files an interrupt must remove: each unfinished output holds one slot while
// its file exists. -1 when every slot is taken (the file is then left to its writer alone).
int win32_hold_temporary(const char* path);
void win32_release_temporary(int slot);

// Gives the console its own code page back, when the program changed it.
void win32_restore_console_code_page();

}  // namespace tessaline
