#!/bin/sh
# The board-picture tool under Wine: one board picture and a few frames of
# play come out at the expected size, and bad requests exit 1.
run=$1
exe=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
# Wine sees the Unix file system as drive Z:.
out=$(echo "Z:$work" | tr '/' '\\')

"$run" "$exe" boards --out "$out" --first 420 --last 420 --advance 2 >/dev/null 2>&1 || fail "boards exited $?"
# 544 x 586 shrunk by 3 is 181 x 195; rows of 543 bytes padded to 544.
size=$(wc -c <"$work/420.bmp" 2>/dev/null || echo 0)
[ "$size" -eq $((54 + 544 * 195)) ] || fail "the board picture has $size bytes"

"$run" "$exe" play --out "$out" --board 0 --seed 1 --fps 10 --max-seconds 0.5 --shrink 2 >/dev/null 2>&1 ||
    fail "play exited $?"
count=$(ls "$work" | grep -c '^frame-')
[ "$count" -eq 6 ] || fail "play wrote $count frames, expected 6"
size=$(wc -c <"$work/frame-0005.bmp" 2>/dev/null || echo 0)
[ "$size" -eq $((54 + 816 * 293)) ] || fail "a frame has $size bytes"

"$run" "$exe" boards --out "$out" --first 551 --last 551 >/dev/null 2>&1
[ $? -eq 1 ] || fail "a board past the set did not exit 1"
"$run" "$exe" play --out "$out" >/dev/null 2>&1
[ $? -eq 1 ] || fail "play without a board did not exit 1"

# A recording whose final state is not what its replay gives is refused.
printf 'corvale-recording 1\nboard 0\nseed 1\nmode human\nfinish 0.2500\nhash 0000000000000001\n' >"$work/bad.rec"
"$run" "$exe" play --out "$out" --recording "$out\\bad.rec" >/dev/null 2>"$work/err"
[ $? -eq 1 ] || fail "a recording that does not replay did not exit 1"
grep -q "recorded state" "$work/err" || fail "no message for a recording that does not replay: $(cat "$work/err")"

# Leave no display-less wineserver behind: its desktop would make the windowed
# tests that follow unable to create their windows.
WINEPREFIX=${WINEPREFIX:-$(cd "$(dirname "$run")/.." && pwd)/build/wineprefix} wineserver -k 2>/dev/null

[ $failures -eq 0 ] && echo "board pictures: all checks passed"
exit $failures
