# shellcheck shell=bash
# Sourced by the Win32 test runner and the screenshot script: a private 32-bit Wine prefix in
# the build folder, a Korean locale so that Wine's ANSI code page is 949, and an Xvfb of our own.
#   wine_env_start BUILD_DIR   sets everything up and exports the variables Wine needs
#   wine_env_stop              ends the Xvfb and the Wine server started here

wine_env_start() {
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

    export WINEPREFIX=$WINE_ENV_DIR/prefix WINEARCH=win32 WINEDEBUG=-all
    # No .NET or browser engine installers: the programs need neither.
    export WINEDLLOVERRIDES="mscoree,mshtml="

    local display_file=$WINE_ENV_DIR/display
    rm -f "$display_file"
    # A screen large enough that Wine never pushes a dialog back onto it.
    Xvfb -displayfd 3 -screen 0 1600x1400x24 -nolisten tcp 3>"$display_file" 2>"$WINE_ENV_DIR/xvfb.log" &
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

    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wine wineboot --init >"$WINE_ENV_DIR/wineboot.log" 2>&1
    fi
    # Without a window manager Wine must draw the captions itself, or every activation stalls.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # The window asks for the Korean face 굴림; Debian's Nanum Gothic stands in for it.
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v '굴림' /d 'NanumGothic' /f \
        >/dev/null 2>&1
    wineserver -w
    # One server for all the programs that follow, instead of one started for each.
    wineserver -p </dev/null >/dev/null 2>&1
}

wine_env_stop() {
    wineserver -k 2>/dev/null || true
    if [ -n "${WINE_ENV_XVFB:-}" ]; then
        kill "$WINE_ENV_XVFB" 2>/dev/null || true
        wait "$WINE_ENV_XVFB" 2>/dev/null || true
        WINE_ENV_XVFB=
    fi
}
