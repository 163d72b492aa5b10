#!/bin/sh
# Runs a Windows program under Wine with the project's quiet defaults.
# WINEPREFIX defaults to the prefix test.sh prepares under build/.
here=$(cd "$(dirname "$0")/.." && pwd)
: "${WINEPREFIX:=$here/build/wineprefix}"
: "${WINEDEBUG:=-all}"
: "${WINEDLLOVERRIDES:=mscoree,mshtml=}"
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
exec wine "$@"
