#!/bin/sh
# Regenerates the pictures of the boards in the documentation with the
# game's own renderer under Wine:
#   docs/boards/<Difficulty>.png   contact sheets: every board with its id and idea
#   docs/images/showcase.gif       a board being cleared, for the README
# It takes a minute or two, so test.sh does not run it; the tool's smoke test
# (board_pictures_smoke) does.
#
#   tools/board_pictures/make_pictures.sh [sheets|showcase|all]
#
# The boards come from resources/levels.bin and their ideas from the first
# comment line after the "# Board N:" line of resources/boards/NNN.board.
# The showcase plays docs/images/showcase.rec, a recording of the solver
# (override with SHOWCASE_RECORDING=FILE).
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
what=${1:-all}
build=${CORVALE_BUILD_DIR:-$root/build}
shrink=${SHEET_SHRINK:-3}   # 544 x 586 game image / 3 = 181 x 195 per board
columns=${SHEET_COLUMNS:-8}
fps=${SHOWCASE_FPS:-12.5}   # GIF delays are in hundredths: 12.5 fps is exactly 8
recording=${SHOWCASE_RECORDING:-$root/docs/images/showcase.rec}

case $what in sheets | showcase | all) ;; *) echo "usage: $0 [sheets|showcase|all]" >&2; exit 2 ;; esac
for tool in montage convert; do
    command -v $tool >/dev/null 2>&1 || { echo "ImageMagick's $tool is needed" >&2; exit 1; }
done

if [ ! -f "$build/windows/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build/windows" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" >/dev/null
fi
cmake --build "$build/windows" --target corvale_board_pictures_tool -j "$(nproc 2>/dev/null || echo 2)" >/dev/null
exe=$build/windows/tools/board_pictures/corvale_board_pictures.exe
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The tool writes through Wine, which sees the Unix file system as drive Z:.
windows_path() { echo "Z:$1" | tr '/' '\\'; }
picture_tool() { DISPLAY= "$root/cmake/wine-run.sh" "$exe" "$@"; }

# The idea of a board: the first comment line after its "# Board N:" line.
board_idea() {
    awk 'NR == 1 { next } /^#/ { sub(/^# */, ""); print; exit } { exit }' "$1"
}

make_sheet() { # name first last
    name=$1
    first=$2
    last=$3
    set --
    i=$first
    while [ "$i" -le "$last" ]; do
        id=$(printf %03d "$i")
        source=$root/resources/boards/$id.board
        label=$i
        if [ -f "$source" ]; then
            head -1 "$source" | grep -q bonus && label="$i  bonus"
            idea=$(board_idea "$source" | fold -s -w 34 | head -3)
            [ -n "$idea" ] && label="$label
$idea"
        fi
        set -- "$@" -label "$label" "$work/boards/$id.bmp"
        i=$((i + 1))
    done
    montage -font DejaVu-Sans -pointsize 10 -fill '#202020' -background '#eceff3' "$@" \
        -tile "${columns}x" -geometry +6+6 -title "$name boards $first-$last" \
        -depth 8 -define png:compression-level=9 "$root/docs/boards/$name.png"
    echo "docs/boards/$name.png"
}

if [ "$what" != showcase ]; then
    mkdir -p "$work/boards" "$root/docs/boards"
    picture_tool boards --out "$(windows_path "$work/boards")" --shrink "$shrink" \
        --levels "$(windows_path "$root/resources/levels.bin")"
    make_sheet Beginner 0 185
    make_sheet Novice 186 291
    make_sheet Intermediate 292 394
    make_sheet Advanced 395 488
    make_sheet Expert 489 550
fi

if [ "$what" != sheets ]; then
    mkdir -p "$work/frames"
    if [ -f "$recording" ]; then
        picture_tool play --out "$(windows_path "$work/frames")" --recording "$(windows_path "$recording")" \
            --fps "$fps" --shrink 2 --levels "$(windows_path "$root/resources/levels.bin")"
    else
        echo "No recording at $recording: showing board ${SHOWCASE_BOARD:-420} played without ink" >&2
        picture_tool play --out "$(windows_path "$work/frames")" --board "${SHOWCASE_BOARD:-420}" \
            --seed "${SHOWCASE_SEED:-5}" --fps "$fps" --shrink 2 --max-seconds 20 \
            --levels "$(windows_path "$root/resources/levels.bin")"
    fi
    delay=$(awk -v f="$fps" 'BEGIN { printf "%d", 100 / f + 0.5 }')
    # One palette for the whole animation keeps the board from shimmering
    # between frames; -layers Optimize then stores only what changes.
    convert -delay "$delay" "$work"/frames/frame-*.bmp -loop 0 +dither -colors 255 -layers Optimize \
        "$root/docs/images/showcase.gif"
    echo "docs/images/showcase.gif: $(ls "$work/frames" | wc -l) frames"
fi
