#!/bin/sh
# The statistics page and the board mechanics dialog as a player meets them,
# with real keyboard input from xdotool on a virtual display.
run=$1
exe=$2
. "$(dirname "$0")/windowed_common.sh"

# Screen pixels of a rectangle WxH+X+Y, as a checksum.
pixels() {
    import -window root -crop "$1" +repage "$work/crop.png" 2>/dev/null
    convert "$work/crop.png" rgb:- 2>/dev/null | cksum
}
# Waits up to $2 tenths of a second for the rectangle $1 to differ from the
# checksum $3; true when it did.
changes() {
    i=0
    while [ $i -lt "$2" ]; do
        [ "$(pixels "$1")" != "$3" ] && return 0
        sleep 0.1
        i=$((i + 1))
    done
    return 1
}

start_game --level 15 --seed 3
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
    # Active play counts from the first launch, a few seconds in.
    changes "$area" 80 "$(pixels "$area")" && echo "ok:   the page updates while the game runs" ||
        fail "the page did not change in 8 seconds of play"
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
    changes "$clock" 30 "$before" && echo "ok:   the clock shows the new limit" || {
        cp "$work/crop.png" "${TMPDIR:-/tmp}/corvale-clock-after.png"
        fail "the clock did not change (its last look: ${TMPDIR:-/tmp}/corvale-clock-after.png)"
    }
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

close_game_with_escape
grep -a -q "StrokeLimit=20" "$data/settings.ini" 2>/dev/null || fail "settings.ini lacks StrokeLimit=20"
[ $failures -eq 0 ] && echo "statistics page and mechanics dialog: all checks passed"
exit $failures
