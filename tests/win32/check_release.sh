#!/usr/bin/env bash
# Checks the two programs a user is given, as a 32-bit MinGW build made them: 32-bit Windows
# programs, statically linked, that need no DLL beyond Windows' own. Reads their headers only, so
# it needs no Wine and holds on every machine.
#   tests/win32/check_release.sh BUILD_DIR
set -euo pipefail

build=$(cd "$1" && pwd)
failures=0

fail() {
    echo "FAILED: $1"
    failures=$((failures + 1))
}

check_program() {
    local program=$1 path=$build/$1 headers dll
    if ! headers=$(i686-w64-mingw32-objdump -p "$path" 2>&1); then
        fail "$program cannot be read as a 32-bit Windows program: $headers"
        return
    fi
    grep -q 'file format pei-i386' <<<"$headers" || fail "$program is not a 32-bit Windows program"
    while read -r dll; do
        case "${dll,,}" in
        kernel32.dll | user32.dll | gdi32.dll | comctl32.dll | comdlg32.dll | advapi32.dll | msvcrt.dll) ;;
        *) fail "$program needs $dll, which a bare Windows does not have" ;;
        esac
    done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")
}

check_program Tessaline.exe
check_program tessaline-cli.exe
if [ $failures -gt 0 ]; then
    exit 1
fi
echo "passed released programs: Tessaline.exe and tessaline-cli.exe are 32-bit and need only Windows' own DLLs"
