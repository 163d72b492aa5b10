# Shared by the windowed end-to-end scripts; sourced, not run. Needs $run
# (the Wine wrapper) and $exe; provides $data, $work, fail, wait_window,
# wait_gone, start_game and close_game_with_escape, and on exit kills $game_pid (when set) and removes $work.
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

# Waits for a top-level window whose title matches exactly; prints its id.
# The second argument is the number of 0.2-second tries (150).
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

# Waits up to five seconds for every window of that exact title to go.
wait_gone() {
    i=0
    while xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; do
        [ $i -ge 50 ] && return 1
        sleep 0.1
        i=$((i + 1))
    done
    return 0
}

# Starts corvale.exe with these options and an empty data folder. A
# wineserver started by a run without a display keeps a desktop that shows
# no windows, so the run gets one of its own.
start_game() {
    rm -rf "$data"
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    "$run" "$exe" "$@" >/dev/null 2>&1 &
    game_pid=$!
}

# Esc on the main window $win must end the game with exit code 0.
close_game_with_escape() {
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
}
