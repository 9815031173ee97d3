#!/usr/bin/env bash
# Runs every Windows test program of a MinGW build under the Wine of its width on a private Xvfb,
# and compares what the window and the Windows command line write with what the Linux command
# line writes for the same inputs, byte for byte. A failure names the test and shows what Wine or
# the program said.
#   tests/win32/run_tests.sh BUILD_DIR ARCH LINUX_CLI      ARCH: win32 or win64, the build's width
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "$1" && pwd)
arch=$2
linux_cli=$(realpath "$3")
# Long enough for the slowest test program on a busy machine.
seconds_per_program=600
failures=()

# A Unix path as Wine's drive Z: shows it.
windows_path() { local path; path=$(realpath -m "$1"); printf 'Z:%s' "${path//\//\\}"; }

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

# What a Windows program said, for a failure: its log, or that it said nothing.
show_log() {
    local log=$1
    if [ -s "$log" ]; then
        wine_env_readable "$log" | sed 's/^/    /'
    else
        echo "    (neither Wine nor the program said anything)"
    fi
}

# Why a program under Wine and timeout ended with this status.
status_meaning() {
    case $1 in
    124) echo "it was still running after $seconds_per_program seconds" ;;
    126 | 127) echo "Wine could not start it (status $1)" ;;
    *) echo "it ended with status $1" ;;
    esac
}

run_test_program() {
    local program=$1 name log status=0
    name=$(basename "$program" .exe)
    log=${program%.exe}.log
    wine_env_run "$seconds_per_program" "$log" "$program" || status=$?
    if [ $status -eq 0 ] && ! grep -q '^\[  SKIPPED \]' "$log"; then
        echo "passed $name: $(grep '^\[==========\]' "$log" | tail -n1 | sed 's/^\[==========\] //')"
        return
    fi
    if [ $status -eq 0 ]; then
        echo "FAILED: $name skipped tests; what it said (log in $log):"
    else
        echo "FAILED: $name: $(status_meaning $status); what Wine and the program said (log in $log):"
    fi
    show_log "$log"
    failures+=("$name")
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
    local own
    own=$(find "$made" -maxdepth 1 -type f 2>/dev/null | wc -l)
    if [ "$count" -lt 4 ] || [ "$own" -ne "$count" ]; then
        echo "FAILED: $what: $count Linux outputs against $own of its own"
        failures+=("$what count")
        return
    fi
    echo "passed $what: $count files byte-identical to the Linux command line's"
}

# Runs the Linux command line into `log`; false, with what it said, when it fails.
run_linux_cli() {
    local what=$1 log=$2 status=0
    shift 2
    "$linux_cli" "$@" >"$log" 2>&1 </dev/null || status=$?
    [ $status -eq 0 ] && return
    echo "FAILED: $what: the Linux command line ended with status $status (log in $log):"
    show_log "$log"
    failures+=("$what")
    return 1
}

run_windows_cli() {
    local what=$1 log=$2 status=0
    shift 2
    wine_env_run "$seconds_per_program" "$log" "$build/tessaline-cli.exe" "$@" || status=$?
    [ $status -eq 0 ] && return
    echo "FAILED: $what: $(status_meaning $status); what Wine and tessaline-cli.exe said (log in $log):"
    show_log "$log"
    failures+=("$what")
    return 1
}

# The window writes CP949 whatever it read and decides joints by the word rules alone; the command
# line is told to do the same.
compare_with_linux() {
    local options=(--remove-hanja --mark-joins --no-blank-after-long --min-length 7)
    local cp949=(--input-encoding cp949 --output-encoding cp949 --joints rules)
    if run_linux_cli "window, starting options" "$compare/linux-defaults.log" \
        -q "${cp949[@]}" -o "$compare/linux-defaults" "$compare/defaults"; then
        same_outputs "$compare/defaults/Tessaline" "$compare/linux-defaults" "window, starting options"
    fi
    if ! run_linux_cli "window, every option changed" "$compare/linux-options.log" \
        -q "${cp949[@]}" "${options[@]}" -o "$compare/linux-options" "$compare/options"; then
        return
    fi
    same_outputs "$compare/options/Tessaline" "$compare/linux-options" "window, every option changed"
    if run_windows_cli "Windows command line" "$compare/windows-cli-options.log" -q "${cp949[@]}" \
        "${options[@]}" -o "$(windows_path "$compare/windows-cli-options")" "$(windows_path "$compare/options")"; then
        same_outputs "$compare/windows-cli-options" "$compare/linux-options" "Windows command line"
    fi
}

prepare_compare_folders

# shellcheck source=tests/win32/wine_env.sh
. "$here/wine_env.sh"
wine_env_start "$build" "$arch"
export TESSALINE_COMPARE_DIR
TESSALINE_COMPARE_DIR=$(windows_path "$compare")

shopt -s nullglob
programs=("$build"/tests/win32/*_test.exe)
if [ ${#programs[@]} -eq 0 ]; then
    echo "FAILED: no Windows test programs in $build/tests/win32"
    failures+=("test programs")
fi
for program in "${programs[@]}"; do
    run_test_program "$program"
done
compare_with_linux

if [ ${#failures[@]} -gt 0 ]; then
    echo "Windows tests failed ($arch): ${failures[*]}"
    exit 1
fi
echo "all Windows tests passed ($arch)"
