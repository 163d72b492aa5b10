# Shared by the windowed end-to-end scripts; sourced, not run. Needs $run
# (the Wine wrapper) and $exe; provides $data, $work, fail and wait_window,
# and on exit kills $game_pid (when set) and removes $work.
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
wait_window() {
    i=0
    while [ $i -lt 150 ]; do
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
