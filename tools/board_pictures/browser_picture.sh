#!/bin/sh
# Retakes the README's picture of the board browser, docs/images/browser.png:
# corvale.exe under Wine on a virtual display of its own, Ctrl+B, board
# BROWSER_BOARD (default 424) picked by typing its id, one tile of its
# preview clicked (BROWSER_TILE, zero-based column and row, default a
# keyhole wall of board 424) so that the inspector shows what a tile holds.
#
#   tools/board_pictures/browser_picture.sh [OUTPUT.png]
#
# Needs Xvfb, xdotool and ImageMagick, and the Windows build (test.sh or
# run.sh makes it).
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${1:-$root/docs/images/browser.png}
board=${BROWSER_BOARD:-424}
tile=${BROWSER_TILE:-12 8}
build=${CORVALE_BUILD_DIR:-$root/build}
exe=$build/windows/app/corvale.exe
[ -f "$exe" ] || { echo "$exe is missing: build the Windows tree first (./run.sh or ./test.sh)" >&2; exit 1; }
for tool in Xvfb xdotool import; do
    command -v $tool >/dev/null 2>&1 || { echo "$tool is needed" >&2; exit 1; }
done
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}

n=93
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$n"
game=
finish() {
    [ -n "$game" ] && kill "$game" 2>/dev/null
    wineserver -k 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
}
trap finish EXIT
i=0
while [ ! -e "/tmp/.X11-unix/X$n" ] && [ $i -lt 50 ]; do sleep 0.1; i=$((i + 1)); done

# Waits for a visible window of exactly this title; prints its id.
window() {
    i=0
    while [ $i -lt 150 ]; do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.2
        i=$((i + 1))
    done
    echo "no window \"$1\" appeared" >&2
    return 1
}

wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
"$root/cmake/wine-run.sh" "$exe" --level "$board" --seed 1 >/dev/null 2>&1 &
game=$!
main=$(window "Corvale")
xdotool windowfocus --sync "$main" 2>/dev/null || true
sleep 1
xdotool key space # paused, so the game behind the browser holds still
sleep 0.3
xdotool key ctrl+b
browser=$(window "Browse Boards - Corvale")
xdotool windowfocus --sync "$browser" 2>/dev/null || true
sleep 0.5
xdotool key Home
sleep 0.3
# Typing an id selects its row, as it does for a player.
xdotool type --delay 150 "$board"
sleep 1
# The preview draws the board at 21.4 pixels a cell from (622, 123) of the
# browser's client area at its opening size.
set -- $tile
xdotool mousemove --window "$browser" $((622 + 214 * (2 * $1 + 1) / 20)) $((123 + 214 * (2 * $2 + 1) / 20))
xdotool click 1
sleep 1
import -window "$browser" "$out"
echo "wrote $out"
