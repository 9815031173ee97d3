// Says how many bits its pointers have. Not a test: tests/win32/can_run_32bit.sh runs the 32-bit
// build of it to find out whether this machine runs 32-bit Windows programs at all.
#include <cstdio>

int main() {
    std::printf("%u-bit\n", static_cast<unsigned>(sizeof(void*) * 8));
    return 0;
}
