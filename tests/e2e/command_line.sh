#!/bin/sh
# Exit codes of corvale.exe for good and bad command lines. Without a display
# the error box returns at once, so nothing here waits for a person.
run=$1
exe=$2
failures=0

expect() {
    want=$1
    shift
    "$run" "$exe" "$@" >/dev/null 2>&1
    got=$?
    if [ "$got" -ne "$want" ]; then
        echo "FAIL: corvale.exe $* exited $got, expected $want"
        failures=$((failures + 1))
    else
        echo "ok:   corvale.exe $* -> $got"
    fi
}

expect 1 --difficulty 5
expect 1 --level -2
expect 1 --advance 600.5
expect 1 --Seed 1
expect 1 --seed 3 --screenshot
expect 1 --seed x --smoke-test
expect 0 --seed 7 --difficulty 4 --smoke-test
# Leave no display-less wineserver behind for the windowed tests.
WINEPREFIX=${WINEPREFIX:-$(cd "$(dirname "$run")/.." && pwd)/build/wineprefix} wineserver -k 2>/dev/null
exit $failures
