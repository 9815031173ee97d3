#pragma once

namespace tessaline {

// The temporary files a signal must remove: each unfinished output holds one slot while its
// file exists. -1 when every slot is taken (the file is then left to its writer alone).
int posix_hold_temporary(const char* path);
void posix_release_temporary(int slot);

}  // namespace tessaline
