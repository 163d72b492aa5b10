# Shared by test.sh and run.sh: install what is missing, configure and build
# both trees. Sourced, not run.
set -eu
root=$(cd "$(dirname "$0")" && pwd)
build=${CORVALE_BUILD_DIR:-$root/build}
jobs=${CORVALE_JOBS:-$(nproc 2>/dev/null || echo 2)}

need_packages() {
    missing=""
    command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 || missing="$missing g++-mingw-w64-x86-64-posix"
    command -v x86_64-w64-mingw32-windres >/dev/null 2>&1 || missing="$missing binutils-mingw-w64-x86-64"
    command -v wine >/dev/null 2>&1 || missing="$missing wine wine64"
    command -v Xvfb >/dev/null 2>&1 || missing="$missing xvfb"
    command -v xdotool >/dev/null 2>&1 || missing="$missing xdotool"
    { command -v convert && command -v import; } >/dev/null 2>&1 || missing="$missing imagemagick"
    command -v cmake >/dev/null 2>&1 || missing="$missing cmake"
    command -v g++ >/dev/null 2>&1 || missing="$missing g++"
    command -v clang++ >/dev/null 2>&1 || missing="$missing clang"
    [ -f /usr/src/googletest/CMakeLists.txt ] || missing="$missing googletest"
    [ -f /usr/include/gtest/gtest.h ] || missing="$missing libgtest-dev libgmock-dev"
    [ -f /usr/include/benchmark/benchmark.h ] || missing="$missing libbenchmark-dev"
    echo "$missing"
}

install_missing() {
    missing=$(need_packages)
    [ -z "$missing" ] && return 0
    echo "Installing:$missing"
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo_cmd apt-get update -qq
    # shellcheck disable=SC2086
    $sudo_cmd apt-get install -y -qq $missing >/dev/null
}

prepare_wine() {
    export WINEPREFIX="$build/wineprefix"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Preparing the Wine prefix (first run only)..."
        DISPLAY= wineboot --init >/dev/null 2>&1 || true
        wineserver -w || true
    fi
}

configure_and_build() {
    cmake -S "$root" -B "$build/native" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$build/native" -j "$jobs"
    cmake -S "$root" -B "$build/windows" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" >/dev/null
    cmake --build "$build/windows" -j "$jobs"
}

# The native tree again with AddressSanitizer and UBSan (tests only need it),
# at -O1 with assertions on and no debug information: a third quicker to
# build than -O2 -g (200 s against 290 s on two cores), and the sanitizers
# still name the function at fault.
build_sanitized() {
    cmake -S "$root" -B "$build/native-sanitize" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -DCORVALE_SANITIZE=ON -DCORVALE_BENCH=OFF >/dev/null
    cmake --build "$build/native-sanitize" -j "$jobs"
}

# The libFuzzer targets, built with clang in a tree of their own; skipped
# (with a note) where clang is missing.
fuzz_targets="statistics_file_fuzz level_reader_fuzz board_text_fuzz settings_values_fuzz launch_options_fuzz mechanics_form_fuzz recording_reader_fuzz"
build_fuzzers() {
    if ! command -v clang++ >/dev/null 2>&1; then
        echo "clang++ is missing: the fuzz targets are not built"
        return 1
    fi
    cmake -S "$root" -B "$build/fuzz" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=clang++ \
        -DCORVALE_FUZZ=ON -DCORVALE_BENCH=OFF >/dev/null
    # shellcheck disable=SC2086
    cmake --build "$build/fuzz" -j "$jobs" --target $fuzz_targets
}

# One wineserver, kept running, for the tests that run in-process: started
# with the display and with Wine's own services already up (their output
# away from any test's), a Wine start then costs a fraction of a second
# instead of several.
start_shared_wineserver() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    wineserver -p </dev/null >/dev/null 2>&1 || true
    wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

# A virtual display for the windowed tests, unless one is already there.
start_virtual_display() {
    if [ -n "${DISPLAY:-}" ]; then return 0; fi
    n=91
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    i=0
    while [ ! -e "/tmp/.X11-unix/X$n" ] && [ $i -lt 50 ]; do sleep 0.1; i=$((i + 1)); done
    export DISPLAY=":$n"
}

stop_virtual_display() {
    if [ -n "${xvfb_pid:-}" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
