#!/usr/bin/env bash
# Finds out whether this machine runs 32-bit Windows programs by trying a tiny one: word_size.exe
# of a 32-bit build, under 32-bit Wine in that build's own prefix (which the tests then use), after
# Wine's own set-up of that prefix the first time. Exit status 0 when it ran and said it is 32-bit;
# else 1, with one line of what Wine or the program said.
#   tests/win32/can_run_32bit.sh BUILD_DIR
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
log=$build/word_size.log
# Long enough for the smallest program on a busy machine.
seconds=120

# shellcheck source=tests/win32/wine_env.sh
. "$here/wine_env.sh"
wine_env_enter "$build" win32

# One line, shown beside the architecture the tests then take.
said() { wine_env_readable "$1" | tr -d '\r' | grep -v '^[[:space:]]*$' | paste -sd ' ' | cut -c1-300; }

if ! wine_env_prepare_prefix; then
    echo "32-bit Wine could not set up its prefix: $(said "$WINE_ENV_LOG")"
    exit 1
fi
status=0
wine_env_run "$seconds" "$log" "$build/tests/win32/word_size.exe" || status=$?
if [ $status -eq 0 ] && tr -d '\r' <"$log" | grep -qx '32-bit'; then
    exit 0
fi
words=$(said "$log")
echo "the 32-bit word_size.exe ended with status $status${words:+ after saying: $words}"
exit 1
