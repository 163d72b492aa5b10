#!/bin/sh
# The board browser as a player meets it, with real input from xdotool on a
# virtual display: Ctrl+B opens it, typing picks a board, Enter plays it.
run=$1
exe=$2
. "$(dirname "$0")/windowed_common.sh"

wait_gone() {
    i=0
    while xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 && [ $i -lt 100 ]; do
        sleep 0.1
        i=$((i + 1))
    done
    ! xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1
}
# Pixels of two images that differ by more than a little.
differing() { compare -metric AE -fuzz 8% "$1" "$2" null: 2>&1 | cut -d' ' -f1; }

# What boards 42 and 15 look like when they start, board only.
for level in 42 15; do
    DISPLAY= "$run" "$exe" --screenshot "$work/ref$level.bmp" --level $level --seed 3 >/dev/null 2>&1 ||
        fail "headless screenshot of board $level failed"
    convert "$work/ref$level.bmp" -crop 544x544+0+42 +repage "$work/ref$level.png"
done

start_game --level 15 --seed 3
win=$(wait_window "Corvale") || { fail "the game window did not appear"; exit $failures; }
xdotool windowfocus --sync "$win" 2>/dev/null || true
sleep 0.5

xdotool key ctrl+b
browser=$(wait_window "Browse Boards - Corvale") || { fail "Ctrl+B opened no browser"; exit $failures; }
echo "ok:   Ctrl+B opens Browse Boards - Corvale"
xdotool windowfocus --sync "$browser" 2>/dev/null || true
sleep 0.5
xdotool key Home
sleep 0.3
xdotool key 4 2
sleep 0.5
xdotool key Return
if wait_gone "Browse Boards - Corvale"; then
    echo "ok:   Enter closes the browser"
else
    fail "the browser stayed open after Enter"
fi
kill -0 "$game_pid" 2>/dev/null || { fail "the game ended"; exit $failures; }

# Pause at once so the balls of board 42 have hardly moved, then compare.
xdotool windowfocus --sync "$win" 2>/dev/null || true
xdotool key space
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$win")"
left=$((X + (WIDTH - 544) / 2))
board_top=$((Y + HEIGHT - 544))
import -window root -crop "544x544+$left+$board_top" +repage "$work/played.png"
near=$(differing "$work/played.png" "$work/ref42.png")
far=$(differing "$work/played.png" "$work/ref15.png")
if [ "${near:-999999}" -lt 12000 ] && [ "${near:-999999}" -lt $(( ${far:-0} / 3 )) ]; then
    echo "ok:   board 42 is in play ($near pixels differ from its start, $far from board 15)"
else
    fail "board 42 is not in play ($near pixels differ from its start, $far from board 15)"
fi

xdotool key Escape
i=0
while kill -0 "$game_pid" 2>/dev/null && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
kill -0 "$game_pid" 2>/dev/null && fail "Esc did not close the game"
[ $failures -eq 0 ] && echo "browser runs: all checks passed"
exit $failures
