# shellcheck shell=bash
# Sourced, at the top of the source tree, by the scripts that run the Windows programs: the width
# they are built and run at on this machine.
#   windows_build_folder ARCH      the build folder of ARCH (win32 or win64): build-mingw or
#                                  build-mingw64
#   configure_windows_build ARCH   configures it with the MinGW compiler of that width
#   choose_wine_arch               sets WINE_ARCH and WINE_ARCH_REASON and installs its Wine
#   wine_arch_line                 the one line that says what the tests run as, and why
# 32-bit wherever this machine runs a tiny 32-bit Windows program; 64-bit where it cannot, or
# when TESSALINE_WINE_ARCH=win64 asks for it. TESSALINE_WINE_ARCH=win32 takes 32-bit untried.

windows_build_folder() {
    case $1 in
    win32) echo build-mingw ;;
    win64) echo build-mingw64 ;;
    esac
}

configure_windows_build() {
    local toolchain=cmake/mingw-i686.cmake
    [ "$1" = win64 ] && toolchain=cmake/mingw-x86_64.cmake
    cmake --no-warn-unused-cli -S . -B "$(windows_build_folder "$1")" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
}

choose_wine_arch() {
    case "${TESSALINE_WINE_ARCH:-}" in
    win32 | win64)
        WINE_ARCH=$TESSALINE_WINE_ARCH
        WINE_ARCH_REASON="TESSALINE_WINE_ARCH=$TESSALINE_WINE_ARCH asks for it"
        ;;
    "") try_32bit_windows_program ;;
    *)
        echo "TESSALINE_WINE_ARCH is '$TESSALINE_WINE_ARCH'; it can be win32, win64 or unset" >&2
        return 2
        ;;
    esac
    scripts/install_win32 "$WINE_ARCH"
}

try_32bit_windows_program() {
    local build said
    if ! scripts/install_win32 win32; then
        WINE_ARCH=win64
        WINE_ARCH_REASON="32-bit Wine could not be installed on this machine"
        return
    fi
    build=$(windows_build_folder win32)
    configure_windows_build win32
    cmake --build "$build" --target word_size >/dev/null
    if said=$(tests/win32/can_run_32bit.sh "$build"); then
        WINE_ARCH=win32
        WINE_ARCH_REASON="this machine ran a tiny 32-bit Windows program"
    else
        WINE_ARCH=win64
        WINE_ARCH_REASON="this machine cannot run 32-bit Windows programs: $said"
    fi
}

wine_arch_line() {
    local width=32
    [ "$WINE_ARCH" = win64 ] && width=64
    echo "Windows programs built and run $width-bit, under $width-bit Wine ($WINE_ARCH): $WINE_ARCH_REASON"
}
