#!/bin/sh
# Headless runs of corvale.exe: the smoke test, screenshots and their
# reproducibility, and start-up errors. Runs without a display.
run=$1
exe=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

: "${WINEPREFIX:=$(cd "$(dirname "$run")/.." && pwd)/build/wineprefix}"
data="$WINEPREFIX/drive_c/users/$(whoami)/AppData/Local/Corvale-Reconstructed"
rm -rf "$data"

"$run" "$exe" --smoke-test >/dev/null 2>&1 || fail "--smoke-test exited $?"
[ -e "$data" ] && fail "--smoke-test created the data folder"

"$run" "$exe" --screenshot "$work/a.bmp" --seed 5 --advance 10 >/dev/null 2>&1 || fail "--screenshot exited $?"
size=$(wc -c <"$work/a.bmp" 2>/dev/null || echo 0)
[ "$size" -eq 1275190 ] || fail "screenshot has $size bytes, expected 1275190"
"$run" "$exe" --screenshot "$work/b.bmp" --seed 5 --advance 10 >/dev/null 2>&1
cmp -s "$work/a.bmp" "$work/b.bmp" || fail "the same options gave different frames"
"$run" "$exe" --screenshot "$work/c.bmp" --seed 6 --advance 10 >/dev/null 2>&1
cmp -s "$work/a.bmp" "$work/c.bmp" && fail "another seed gave the same frame"
# Viewers take a 32-bit BMP's fourth byte for alpha: every pixel must be opaque.
if command -v convert >/dev/null 2>&1; then
    alpha=$(convert "$work/a.bmp" -alpha extract -format '%[fx:minima]' info: 2>/dev/null)
    [ "$alpha" = "1" ] || fail "ImageMagick reads the screenshot as transparent (least alpha $alpha)"
fi
[ -e "$data" ] && fail "--screenshot created the data folder"

"$run" "$exe" --level 551 --smoke-test >/dev/null 2>&1
[ $? -eq 1 ] || fail "--level 551 did not exit 1"
"$run" "$exe" --screenshot "$work/missing/shot.bmp" >/dev/null 2>&1
[ $? -eq 1 ] || fail "a screenshot into a missing folder did not exit 1"
[ -e "$work/missing" ] && fail "a failed screenshot created its folder"

[ $failures -eq 0 ] && echo "headless runs: all checks passed"
# Leave no display-less wineserver behind for the windowed tests.
WINEPREFIX=${WINEPREFIX:-$(cd "$(dirname "$run")/.." && pwd)/build/wineprefix} wineserver -k 2>/dev/null
exit $failures
