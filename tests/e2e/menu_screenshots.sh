#!/bin/sh
# The Game menu as German, Japanese and Arabic players see it: corvale.exe
# under Wine on a virtual display, the menu opened from the keyboard, the
# window's top written to menu-de.png, menu-ja.png and menu-ar.png.
#
# Not part of test.sh. Wine's own fonts have no Japanese or Arabic glyphs, so
# this installs two small font packages when they are missing and runs in a
# Wine prefix of its own whose menu font it points at them.
#
# usage: tests/e2e/menu_screenshots.sh path/to/corvale.exe [output folder]
. "$(dirname "$0")/../../cmake/setup.sh"  # the virtual display helpers
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
out=${2:-.}
mkdir -p "$out"
out=$(cd "$out" && pwd)
root=$(cd "$(dirname "$0")/../.." && pwd)
export WINEPREFIX="${CORVALE_SCREENSHOT_PREFIX:-$root/build/wineprefix-screenshots}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

fonts_missing() {
    [ -z "$(fc-list 'VL PGothic' family 2>/dev/null)" ] || [ -z "$(fc-list 'DejaVu Sans' family 2>/dev/null)" ]
}
if fonts_missing; then
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq fonts-vlgothic fonts-dejavu-core >/dev/null
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    DISPLAY= wineboot --init >/dev/null 2>&1 || true
    wineserver -w 2>/dev/null || true
fi

start_virtual_display
game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
    wineserver -k 2>/dev/null || true
    stop_virtual_display
}
trap cleanup EXIT

# Runs wine for one language without a display: a wineserver started that
# way would keep a desktop that shows no windows, so it is ended each time.
quietly() {
    LANG=$locale.UTF-8 LC_ALL=$locale.UTF-8 DISPLAY= wine "$@" >/dev/null 2>&1 || true
    wineserver -w 2>/dev/null || true
}

# shot LOCALE FONT NAME: FONT (empty for Wine's own) becomes the menu font.
shot() {
    locale=$1
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    if [ -n "$2" ]; then
        # The first start in a language rewrites the font substitutes; these come after it.
        quietly reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /t REG_SZ /d "$2" /f
        quietly reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v 'MS Shell Dlg' /t REG_SZ /d "$2" /f
    fi
    LANG=$locale.UTF-8 LC_ALL=$locale.UTF-8 wine "$exe" --level 15 --seed 3 >/dev/null 2>&1 &
    game_pid=$!
    i=0
    win=""
    while [ $i -lt 150 ] && [ -z "$win" ]; do
        win=$(xdotool search --onlyvisible --name '^Corvale' 2>/dev/null | head -n 1)
        sleep 0.2
        i=$((i + 1))
    done
    [ -n "$win" ] || { echo "no game window in $locale"; exit 1; }
    sleep 1
    xdotool windowfocus --sync "$win" 2>/dev/null || true
    eval "$(xdotool getwindowgeometry --shell "$win")"
    xdotool key F10
    sleep 0.3
    xdotool key Down
    sleep 1
    import -window root -crop "${WIDTH}x240+$X+$Y" +repage "$out/$3"
    xdotool key Escape Escape
    kill "$game_pid" 2>/dev/null || true
    game_pid=""
    echo "wrote $out/$3"
}

shot de_DE "" menu-de.png
shot ja_JP "VL PGothic" menu-ja.png
shot ar_SA "DejaVu Sans" menu-ar.png
