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
# comment line after the "# Board N:" line of resources/boards/NNN.board
# (BOARD_SET=FOLDER takes levels.bin and boards/ from another folder, to look
# at a set before it is committed; OUT=FOLDER writes the pictures elsewhere).
# The showcase is board SHOWCASE_BOARD (default below) played by the solver
# (corvale-solve, native build) on the first of SHOWCASE_SEEDS it wins;
# SHOWCASE_RECORDING=FILE plays an existing recording instead.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
what=${1:-all}
build=${CORVALE_BUILD_DIR:-$root/build}
shrink=${SHEET_SHRINK:-3}   # 544 x 586 game image / 3 = 181 x 195 per board
columns=${SHEET_COLUMNS:-8}
fps=${SHOWCASE_FPS:-12.5}   # GIF delays are in hundredths: 12.5 fps is exactly 8
showcase_board=${SHOWCASE_BOARD:-358}
showcase_seeds=${SHOWCASE_SEEDS:-1,2,3}
recording=${SHOWCASE_RECORDING:-}
set_dir=${BOARD_SET:-$root/resources}
out=${OUT:-$root/docs}

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
        source=$set_dir/boards/$id.board
        label=$i
        if [ -f "$source" ]; then
            head -1 "$source" | grep -q bonus && label="$i  bonus"
            idea=$(board_idea "$source" | fold -s -w 34 | head -5)
            [ -n "$idea" ] && label="$label
$idea"
        fi
        set -- "$@" -label "$label" "$work/boards/$id.bmp"
        i=$((i + 1))
    done
    montage -font DejaVu-Sans -pointsize 10 -fill '#202020' -background '#eceff3' "$@" \
        -tile "${columns}x" -geometry +6+6 -title "$name boards $first-$last" \
        -depth 8 -define png:compression-level=9 "$out/boards/$name.png"
    echo "$out/boards/$name.png"
}

if [ "$what" != showcase ]; then
    mkdir -p "$work/boards" "$out/boards"
    picture_tool boards --out "$(windows_path "$work/boards")" --shrink "$shrink" \
        --levels "$(windows_path "$set_dir/levels.bin")"
    make_sheet Beginner 0 185
    make_sheet Novice 186 291
    make_sheet Intermediate 292 394
    make_sheet Advanced 395 488
    make_sheet Expert 489 550
fi

if [ "$what" != sheets ]; then
    if [ -z "$recording" ]; then
        if [ ! -f "$build/native/CMakeCache.txt" ]; then
            cmake -S "$root" -B "$build/native" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Release >/dev/null
        fi
        cmake --build "$build/native" --target corvale_solve -j "$(nproc 2>/dev/null || echo 2)" >/dev/null
        "$build/native/tools/corvale-solve" --levels "$set_dir/levels.bin" --boards "$showcase_board" \
            --seeds "$showcase_seeds" --record "$work/solved" --quiet >/dev/null
        recording=$work/solved/$(printf %03d "$showcase_board").rec
        grep -q "^seed" "$recording" 2>/dev/null || { echo "The solver made no recording of board $showcase_board" >&2; exit 1; }
    fi
    mkdir -p "$work/frames" "$out/images"
    picture_tool play --out "$(windows_path "$work/frames")" --recording "$(windows_path "$recording")" \
        --fps "$fps" --shrink 2 --levels "$(windows_path "$set_dir/levels.bin")"
    delay=$(awk -v f="$fps" 'BEGIN { printf "%d", 100 / f + 0.5 }')
    # One palette, taken from frames across the play, for every frame: the
    # board does not shimmer as per-frame palettes would make it, and
    # -layers Optimize then stores only what changes.
    ls "$work"/frames/frame-*.bmp | awk 'NR % 15 == 1' >"$work/samples"
    # shellcheck disable=SC2046
    convert $(cat "$work/samples") +append +dither -colors 255 -unique-colors "$work/palette.png"
    convert -delay "$delay" "$work"/frames/frame-*.bmp -loop 0 +dither -remap "$work/palette.png" -layers Optimize \
        "$out/images/showcase.gif"
    echo "$out/images/showcase.gif: $(ls "$work/frames" | wc -l) frames, $(wc -c <"$out/images/showcase.gif") bytes"
fi
