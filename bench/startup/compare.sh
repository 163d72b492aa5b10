#!/bin/sh
# Times `corvale.exe --smoke-test` against empty Windows programs, all under
# Wine, alternating runs; prints the median wall time of each and the ratios.
# empty_program imports only kernel32; empty_gui_program also has Wine load
# and initialise user32 and gdi32, which corvale.exe cannot do without, so
# the gap between the two is Wine's start-up rather than ours. A screenshot
# run (one board, one frame) shows what the smoke loop adds.
# Usage: bench/startup/compare.sh [BUILD_DIR] [RUNS]
here=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$here/build/windows}
runs=${2:-9}
run="$here/cmake/wine-run.sh"
export DISPLAY=
out=${TMPDIR:-/tmp}/corvale-startup.$$
mkdir -p "$out"
trap 'rm -rf "$out"' EXIT

wall() {
    start=$(date +%s%N)
    "$run" "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    echo $(( (end - start) / 1000000 ))
}
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }

empty="$build/bench/startup/empty_program.exe"
gui="$build/bench/startup/empty_gui_program.exe"
game="$build/app/corvale.exe"
"$run" "$empty" >/dev/null 2>&1  # warm the prefix
"$run" "$game" --smoke-test >/dev/null 2>&1
i=0
while [ $i -lt "$runs" ]; do
    wall "$game" --smoke-test >>"$out/smoke"
    wall "$empty" >>"$out/empty"
    [ -f "$gui" ] && wall "$gui" >>"$out/gui"
    wall "$game" --screenshot "$out/shot.bmp" >>"$out/shot"
    i=$((i + 1))
done
smoke=$(median <"$out/smoke")
e=$(median <"$out/empty")
shot=$(median <"$out/shot")
echo "corvale.exe --smoke-test:       median $smoke ms over $runs runs"
echo "corvale.exe --screenshot FILE:  median $shot ms"
echo "empty program (kernel32):       median $e ms"
if [ -f "$gui" ]; then
    g=$(median <"$out/gui")
    echo "empty program (user32, gdi32):  median $g ms"
fi
awk -v s="$smoke" -v e="$e" 'BEGIN { printf "ratio smoke / empty: %.2f\n", s / e }'
[ -n "$g" ] && awk -v s="$g" -v e="$e" 'BEGIN { printf "ratio gui-empty / empty: %.2f\n", s / e }'
exit 0
