#!/bin/sh
# The statistics page and the board mechanics dialog as a player meets them,
# with real keyboard input from xdotool on a virtual display.
run=$1
exe=$2
[ -n "${DISPLAY:-}" ] || { echo "windowed tests need a display (test.sh starts Xvfb)"; exit 1; }
command -v xdotool >/dev/null || { echo "xdotool is missing"; exit 1; }
: "${WINEPREFIX:=$(cd "$(dirname "$run")/.." && pwd)/build/wineprefix}"
export WINEPREFIX
data="$WINEPREFIX/drive_c/users/$(whoami)/AppData/Local/Corvale-Reconstructed"
work=$(mktemp -d)
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
cleanup() {
    [ -n "${game_pid:-}" ] && kill "$game_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# Waits for a visible top-level window whose title matches exactly; prints its id.
wait_window() {
    i=0
    while [ $i -lt "${2:-150}" ]; do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.2
        i=$((i + 1))
    done
    return 1
}
wait_gone() {
    i=0
    while xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; do
        [ $i -ge 50 ] && return 1
        sleep 0.1
        i=$((i + 1))
    done
    return 0
}
# Screen pixels of a rectangle WxH+X+Y, as a checksum.
pixels() {
    import -window root -crop "$1" +repage "$work/crop.png" 2>/dev/null
    convert "$work/crop.png" rgb:- 2>/dev/null | cksum
}

rm -rf "$data"
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
"$run" "$exe" --level 15 --seed 3 >/dev/null 2>&1 &
game_pid=$!
win=$(wait_window "Corvale") || { fail "the game window did not appear"; exit $failures; }
xdotool windowfocus --sync "$win" 2>/dev/null || true
sleep 1

# Game > Statistics... by keyboard: the page opens and follows the running game.
xdotool key alt+g
sleep 0.5
xdotool key s
page=$(wait_window "Statistics - Corvale" 50)
if [ -n "$page" ]; then
    echo "ok:   Game > Statistics opens the page"
    eval "$(xdotool getwindowgeometry --shell "$page")"
    area="${WIDTH}x${HEIGHT}+${X}+${Y}"
    first=$(pixels "$area")
    sleep 2.5
    second=$(pixels "$area")
    [ "$first" != "$second" ] && echo "ok:   the page updates while the game runs" ||
        fail "the page did not change in 2.5 seconds of play"
    [ "$(xdotool getwindowname "$win")" = "Corvale" ] || fail "the game paused beside the page"
    xdotool windowfocus --sync "$page" 2>/dev/null || true
    xdotool key Escape
    wait_gone "Statistics - Corvale" && echo "ok:   Esc closes the page" || fail "Esc did not close the page"
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended with the page"
else
    fail "Game > Statistics opened no page"
fi

# Ctrl+M, a new time limit, Enter for OK: the clock restarts from it.
eval "$(xdotool getwindowgeometry --shell "$win")"
left=$((X + (WIDTH - 544) / 2))
board_top=$((Y + HEIGHT - 544))
clock="64x34+$((left + 478))+$((board_top - 38))"
xdotool windowfocus --sync "$win" 2>/dev/null || true
xdotool key ctrl+m
dialog=$(wait_window "Board Mechanics - Corvale" 50)
if [ -n "$dialog" ]; then
    echo "ok:   Ctrl+M opens Board Mechanics"
    xdotool windowfocus --sync "$dialog" 2>/dev/null || true
    before=$(pixels "$clock")
    xdotool type 3  # the time limit's text is selected when the dialog opens
    xdotool key Return
    wait_gone "Board Mechanics - Corvale" && echo "ok:   Enter applies and closes" || fail "Enter did not close the dialog"
    sleep 0.3
    after=$(pixels "$clock")
    [ "$before" != "$after" ] && echo "ok:   the clock shows the new limit" || fail "the clock did not change"
    # Three seconds once the first ball is out, instead of the board's 52.
    box=$(wait_window "Game over!" 100)
    if [ -n "$box" ]; then
        echo "ok:   the three-second limit ran out"
        xdotool windowfocus --sync "$box" 2>/dev/null || true
        xdotool key Return
        wait_gone "Game over!" || fail "the Game over! box did not close"
    else
        fail "no game over within 20 seconds of a three-second limit"
    fi
else
    fail "Ctrl+M opened no dialog"
fi

xdotool windowfocus --sync "$win" 2>/dev/null || true
xdotool key Escape
i=0
while kill -0 "$game_pid" 2>/dev/null && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
if kill -0 "$game_pid" 2>/dev/null; then
    fail "Esc did not close the game"
else
    wait "$game_pid"
    code=$?
    game_pid=
    [ "$code" -eq 0 ] || fail "exit code $code after Esc"
fi
grep -a -q "StrokeLimit=20" "$data/settings.ini" 2>/dev/null || fail "settings.ini lacks StrokeLimit=20"
[ $failures -eq 0 ] && echo "statistics page and mechanics dialog: all checks passed"
exit $failures
