#!/bin/sh
# Builds the game if needed and starts corvale.exe under Wine with the given options.
. "$(dirname "$0")/cmake/setup.sh"
headless=no
for option in "$@"; do
    case "$option" in --smoke-test | --screenshot) headless=yes ;; esac
done
if [ "$headless" = no ] && [ -z "${DISPLAY:-}" ]; then
    echo "run.sh: there is no display (DISPLAY is not set), so the game window cannot open." >&2
    echo "Start it from a desktop session, or take a headless screenshot instead:" >&2
    echo "  ./run.sh --screenshot shot.bmp --seed 5 --advance 10" >&2
    exit 2
fi
install_missing
configure_and_build >/dev/null
prepare_wine
exec wine "$build/windows/app/corvale.exe" "$@"
