#!/bin/sh
# Builds the game if needed and starts corvale.exe under Wine with the given options.
. "$(dirname "$0")/cmake/setup.sh"
install_missing
configure_and_build >/dev/null
prepare_wine
exec wine "$build/windows/app/corvale.exe" "$@"
