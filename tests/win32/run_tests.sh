#!/usr/bin/env bash
# Runs every Windows test program of a MinGW build under Wine on a private Xvfb, checks that the
# two programs need no DLL beyond Windows' own, and compares what the window and the Windows
# command line write with what the Linux command line writes for the same inputs, byte for byte.
#   tests/win32/run_tests.sh BUILD_DIR LINUX_CLI
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "$1" && pwd)
linux_cli=$(realpath "$2")
failures=()

# A Unix path as Wine's drive Z: shows it.
windows_path() { local path; path=$(realpath -m "$1"); printf 'Z:%s' "${path//\//\\}"; }

check_imports() {
    local program=$1 dll
    for dll in $(i686-w64-mingw32-objdump -p "$build/$program" | sed -n 's/^[[:space:]]*DLL Name: //p'); do
        case "${dll,,}" in
        kernel32.dll | user32.dll | gdi32.dll | comctl32.dll | comdlg32.dll | advapi32.dll | msvcrt.dll) ;;
        *) echo "FAILED: $program needs $dll, which a bare Windows does not have"; failures+=("$program imports") ;;
        esac
    done
}

# Inputs the window test converts beside its own: the sample story in CP949 and in UTF-16LE.
prepare_compare_folders() {
    compare=$build/compare
    rm -rf "$compare"
    local folder
    for folder in defaults options; do
        mkdir -p "$compare/$folder"
        cp "$root/samples/lighthouse_winter.txt" "$compare/$folder/story.txt"
        { printf '\xFF\xFE'; iconv -f CP949 -t UTF-16LE "$root/samples/lighthouse_winter.txt"; } \
            >"$compare/$folder/story-utf16.TXT"
    done
}

run_test_program() {
    local program=$1 name log
    name=$(basename "$program" .exe)
    log=${program%.exe}.log
    if timeout 600 wine "$program" >"$log" 2>&1 </dev/null && ! grep -q '^\[  SKIPPED \]' "$log"; then
        echo "passed $name: $(grep '^\[==========\]' "$log" | tail -n1 | sed 's/^\[==========\] //')"
    else
        cat "$log"
        echo "FAILED: $name (log in $log)"
        failures+=("$name")
    fi
}

# Every file the window wrote into `made` must be in `expected` with the same bytes, and no more.
same_outputs() {
    local made=$1 expected=$2 what=$3 file count=0
    for file in "$expected"/*; do
        count=$((count + 1))
        if ! cmp -s "$file" "$made/$(basename "$file")"; then
            echo "FAILED: $what: $(basename "$file") differs from the Linux command line's"
            failures+=("$what")
        fi
    done
    if [ "$count" -lt 4 ] || [ "$(find "$made" -maxdepth 1 -type f | wc -l)" -ne "$count" ]; then
        echo "FAILED: $what: $count Linux outputs against $(find "$made" -maxdepth 1 -type f | wc -l) of its own"
        failures+=("$what count")
        return
    fi
    echo "passed $what: $count files byte-identical to the Linux command line's"
}

# The window writes CP949 whatever it read; the command line is told to do the same.
compare_with_linux() {
    local options=(--remove-hanja --mark-joins --no-blank-after-long --min-length 7)
    local cp949=(--input-encoding cp949 --output-encoding cp949)
    "$linux_cli" -q "${cp949[@]}" -o "$compare/linux-defaults" "$compare/defaults"
    "$linux_cli" -q "${cp949[@]}" "${options[@]}" -o "$compare/linux-options" "$compare/options"
    wine "$build/tessaline-cli.exe" -q "${cp949[@]}" "${options[@]}" \
        -o "$(windows_path "$compare/windows-cli-options")" "$(windows_path "$compare/options")" </dev/null
    same_outputs "$compare/defaults/Tessaline" "$compare/linux-defaults" "window, starting options"
    same_outputs "$compare/options/Tessaline" "$compare/linux-options" "window, every option changed"
    same_outputs "$compare/windows-cli-options" "$compare/linux-options" "Windows command line"
}

check_imports Tessaline.exe
check_imports tessaline-cli.exe
prepare_compare_folders

# shellcheck source=tests/win32/wine_env.sh
. "$here/wine_env.sh"
wine_env_start "$build"
trap wine_env_stop EXIT
export TESSALINE_COMPARE_DIR
TESSALINE_COMPARE_DIR=$(windows_path "$compare")

for program in "$build"/tests/win32/*_test.exe; do
    run_test_program "$program"
done
compare_with_linux

if [ ${#failures[@]} -gt 0 ]; then
    echo "Windows tests failed: ${failures[*]}"
    exit 1
fi
echo "all Windows tests passed"
