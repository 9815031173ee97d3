# shellcheck shell=bash
# Sourced by the Windows test scripts: a private Wine prefix in the build folder, a Korean locale
# so that Wine's ANSI code page is 949, and a Wine server and an Xvfb of our own.
#   wine_env_enter BUILD_DIR ARCH   the prefix and the Wine of ARCH (win32 or win64) with our own
#                                   Wine server, and no screen at all
#   wine_env_prepare_prefix         sets the prefix up, once
#   wine_env_start BUILD_DIR ARCH   wine_env_enter with our own Xvfb and the prefix set up for the
#                                   window
#   wine_env_run SECONDS LOG PROGRAM [ARGUMENT...]
#                                   runs a Windows program, its output into LOG; its exit status
#   wine_env_readable LOG           what a Windows program said, in UTF-8
#   wine_env_stop                   ends the Wine server and the Xvfb started here, by their ids
# Both starts first arrange for wine_env_stop to run however the shell ends: passed, failed or
# interrupted. Nothing here touches a server it did not start.

# Debian's `wine` runs the 32-bit loader whenever 32-bit Wine is installed, even on a machine that
# cannot start it, so the 64-bit path names its loader.
WINE_64BIT_LOADER=/usr/lib/wine/wine64

wine_env_enter() {
    local arch=$2
    wine_env_stop_on_exit
    WINE_ENV_DIR=$(cd "$1" && pwd)/wine
    mkdir -p "$WINE_ENV_DIR"

    # Wine takes its ANSI code page from the C library's locale and silently falls back to 1252
    # when the locale does not exist, so make one of our own.
    if [ ! -f "$WINE_ENV_DIR/locale/ko_KR.UTF-8/LC_CTYPE" ]; then
        mkdir -p "$WINE_ENV_DIR/locale"
        localedef -i ko_KR -f UTF-8 "$WINE_ENV_DIR/locale/ko_KR.UTF-8"
    fi
    export LOCPATH=$WINE_ENV_DIR/locale
    # This shell itself cannot switch to it (it read LOCPATH at start), so hush its warning.
    export LANG=ko_KR.UTF-8 LC_ALL=ko_KR.UTF-8 2>/dev/null

    export WINEPREFIX=$WINE_ENV_DIR/prefix WINEARCH=$arch WINEDEBUG=-all
    # No .NET or browser engine installers: the programs need neither.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    case $arch in
    win32) WINE_ENV_LOADER=wine ;;
    win64)
        WINE_ENV_LOADER=$WINE_64BIT_LOADER
        export WINELOADER=$WINE_64BIT_LOADER
        ;;
    *)
        echo "wine_env: unknown Windows architecture '$arch' (win32 or win64)" >&2
        return 1
        ;;
    esac
    # Never a screen we did not start.
    unset DISPLAY

    # A prefix left half made by an interrupted run is made again.
    if [ ! -f "$WINE_ENV_DIR/prefix.ready" ]; then
        rm -rf "$WINEPREFIX"
    fi
    # The server of the prefix, started before any Wine program so that none starts another one.
    mkdir -p "$WINEPREFIX"
    wineserver --foreground --persistent </dev/null >"$WINE_ENV_DIR/wineserver.log" 2>&1 &
    WINE_ENV_SERVER=$!
}

wine_env_start() {
    wine_env_enter "$1" "$2"
    wine_env_start_display

    if ! wine_env_prepare_prefix; then
        echo "Wine could not set up its prefix $WINEPREFIX ($2):" >&2
        wine_env_readable "$WINE_ENV_LOG" >&2
        return 1
    fi
    # Without a window manager Wine must draw the captions itself, or every activation stalls.
    wine_env_set_registry 'HKCU\Software\Wine\X11 Driver' Managed N
    # The window asks for the Korean face 굴림; Debian's Nanum Gothic stands in for it.
    wine_env_set_registry 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' '굴림' NanumGothic
}

# Sets the prefix up the first time; false, with what Wine said in $WINE_ENV_LOG, when it cannot.
wine_env_prepare_prefix() {
    WINE_ENV_LOG=$WINE_ENV_DIR/wineboot.log
    [ -f "$WINE_ENV_DIR/prefix.ready" ] && return
    # Long enough for a new prefix on a slow machine.
    wine_env_run 600 "$WINE_ENV_LOG" wineboot --init || return
    touch "$WINE_ENV_DIR/prefix.ready"
}

wine_env_start_display() {
    local display_file=$WINE_ENV_DIR/display
    rm -f "$display_file"
    # -displayfd takes a display number no other server uses. A screen large enough that Wine
    # never pushes a dialog back onto it.
    Xvfb -displayfd 3 -screen 0 1600x1400x24 -nolisten tcp 3>"$display_file" 2>"$WINE_ENV_DIR/xvfb.log" </dev/null &
    WINE_ENV_XVFB=$!
    local waited=0
    until [ -s "$display_file" ]; do
        sleep 0.1
        waited=$((waited + 1))
        if [ $waited -gt 100 ] || ! kill -0 "$WINE_ENV_XVFB" 2>/dev/null; then
            echo "Xvfb did not start:" >&2
            cat "$WINE_ENV_DIR/xvfb.log" >&2
            return 1
        fi
    done
    DISPLAY=":$(head -n1 "$display_file")"
    export DISPLAY
}

wine_env_set_registry() {
    local key=$1 name=$2 value=$3 log=$WINE_ENV_DIR/reg.log
    if ! wine_env_run 120 "$log" reg add "$key" /v "$name" /d "$value" /f; then
        echo "Wine could not set $key\\$name:" >&2
        wine_env_readable "$log" >&2
        return 1
    fi
}

# The program runs in the background so that an interruption reaches the trap at once.
wine_env_run() {
    local seconds=$1 log=$2 status=0
    shift 2
    timeout "$seconds" "$WINE_ENV_LOADER" "$@" >"$log" 2>&1 </dev/null &
    wait $! || status=$?
    if [ $status -eq 124 ]; then
        echo "(still running after $seconds seconds, so it was stopped)" >>"$log"
    fi
    return $status
}

# Wine and the programs speak the ANSI code page, 949, except where they write UTF-8.
wine_env_readable() {
    if iconv -f UTF-8 -t UTF-8 "$1" >/dev/null 2>&1; then
        cat "$1"
    else
        iconv -f CP949 -t UTF-8 -c "$1"
    fi
}

wine_env_stop_on_exit() {
    trap wine_env_stop EXIT
    trap 'wine_env_stop; exit 129' HUP
    trap 'wine_env_stop; exit 130' INT
    trap 'wine_env_stop; exit 141' PIPE
    trap 'wine_env_stop; exit 143' TERM
}

wine_env_stop() {
    if [ -n "${WINE_ENV_SERVER:-}" ]; then
        # Ends the Windows programs still running in our private prefix, then our server.
        timeout 60 wineserver --kill >/dev/null 2>&1 || true
        wine_env_end_process "$WINE_ENV_SERVER"
        WINE_ENV_SERVER=
    fi
    if [ -n "${WINE_ENV_XVFB:-}" ]; then
        wine_env_end_process "$WINE_ENV_XVFB"
        WINE_ENV_XVFB=
    fi
}

wine_env_end_process() {
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}
