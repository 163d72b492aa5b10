#!/bin/sh
# Builds both trees and runs every test: native ones directly, Windows ones
# under Wine (windowed ones on a virtual display).
. "$(dirname "$0")/cmake/setup.sh"
install_missing
configure_and_build
build_sanitized
prepare_wine
export LANG=C.UTF-8 LC_ALL=C.UTF-8
status=0
echo "== native tests"
ctest --test-dir "$build/native" --output-on-failure -j "$jobs" || status=1
echo "== native tests under AddressSanitizer and UndefinedBehaviorSanitizer"
ctest --test-dir "$build/native-sanitize" --output-on-failure -j "$jobs" || status=1
echo "== fuzz targets: short runs and the inputs that once broke them"
if build_fuzzers; then
    ctest --test-dir "$build/fuzz" -L fuzz --output-on-failure -j "$jobs" || status=1
else
    status=1
fi
echo "== Windows tests under Wine"
start_virtual_display
start_shared_wineserver
ctest --test-dir "$build/windows" --output-on-failure -LE wineserver || status=1
wineserver -k 2>/dev/null || true
# The end-to-end scripts start and stop wineservers of their own.
ctest --test-dir "$build/windows" --output-on-failure -L wineserver || status=1
wineserver -k 2>/dev/null || true
stop_virtual_display
exit $status
