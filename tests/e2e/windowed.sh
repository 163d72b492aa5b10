#!/bin/sh
# corvale.exe as a player meets it, on a virtual display with real input from
# xdotool: the window, drawing ink, pausing, a new game, a lost game, closing.
run=$1
exe=$2
. "$(dirname "$0")/windowed_common.sh"
title_of() { xdotool getwindowname "$1" 2>/dev/null; }
wait_title() {
    i=0
    while [ $i -lt 50 ]; do
        [ "$(title_of "$1")" = "$2" ] && return 0
        sleep 0.1
        i=$((i + 1))
    done
    return 1
}
# Black pixels (ink) within a screen rectangle WxH+X+Y.
black_pixels() {
    import -window root -crop "$1" +repage "$work/crop.png" 2>/dev/null
    convert "$work/crop.png" -fill white +opaque black -fill black -opaque black -format '%[fx:int(w*h*(1-mean))]' info: 2>/dev/null
}

start_game --level 15 --seed 3
win=$(wait_window "Corvale") || { fail "the game window did not appear"; exit $failures; }
echo "ok:   window titled Corvale"
xdotool windowfocus --sync "$win" 2>/dev/null || true
sleep 1

# Where the board is: the client area is the bottom 586 x 544 of the window's frame.
eval "$(xdotool getwindowgeometry --shell "$win")"
left=$((X + (WIDTH - 544) / 2))
board_top=$((Y + HEIGHT - 544))
[ "$WIDTH" -ge 544 ] || fail "window narrower than the 544-pixel client area ($WIDTH)"

# Draw a stroke across the upper board and look for the ink.
region="300x40+$((left + 120))+$((board_top + 40))"
before=$(black_pixels "$region")
xdotool mousemove $((left + 130)) $((board_top + 60)) mousedown 1
for step in 1 2 3 4 5 6 7 8 9 10; do
    xdotool mousemove $((left + 130 + 28 * step)) $((board_top + 60))
    sleep 0.03
done
xdotool mouseup 1
sleep 0.3
after=$(black_pixels "$region")
if [ "${after:-0}" -gt $(( ${before:-0} + 1000 )) ]; then
    echo "ok:   the drag left ink ($before -> $after black pixels)"
else
    fail "no ink after the drag ($before -> $after black pixels)"
fi

# Board 15 gives 52 seconds once its first ball is out: wait for the end.
box=$(i=0; while [ $i -lt 90 ]; do
    id=$(xdotool search --onlyvisible --name '^Game over!$' 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; break; }
    sleep 1
    i=$((i + 1))
done)
if [ -n "$box" ]; then
    echo "ok:   a lost game shows Game over!"
    xdotool windowfocus --sync "$box" 2>/dev/null || true
    xdotool key Return
    i=0
    while xdotool search --onlyvisible --name '^Game over!$' >/dev/null 2>&1 && [ $i -lt 50 ]; do
        sleep 0.1
        i=$((i + 1))
    done
    if xdotool search --onlyvisible --name '^Game over!$' >/dev/null 2>&1; then
        fail "the Game over! box did not close"
    else
        echo "ok:   the box closed and play goes on"
    fi
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended with the box"
else
    fail "no Game over! box within 90 seconds"
fi

xdotool windowfocus --sync "$win" 2>/dev/null || true
xdotool key space
wait_title "$win" "Corvale (Paused)" && echo "ok:   Space pauses" || fail "Space did not pause: '$(title_of "$win")'"
xdotool key F2
wait_title "$win" "Corvale" && echo "ok:   F2 starts a new game" || fail "F2 did not start a new game: '$(title_of "$win")'"

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
    [ "$code" -eq 0 ] && echo "ok:   Esc closed with exit code 0" || fail "exit code $code after Esc"
fi
for key in Difficulty HighScore ShowFPS StrokeLimit; do
    grep -a -q "$key=" "$data/settings.ini" 2>/dev/null || fail "settings.ini lacks $key"
done
head -n 1 "$data/statistics-v1.dat" 2>/dev/null | grep -q '^CorvaleStatistics 1' || fail "statistics-v1.dat missing or wrong"
[ $failures -eq 0 ] && echo "windowed runs: all checks passed"
exit $failures
