#!/usr/bin/env bash
# A Wine prefix whose screen has the given DPI and whose dialogs have their own font, for
# the page layout tests:
#   dpi-prefix.sh WINE_RUN PREFIX ARCH DPI
# makes the prefix on first use (through wine-run, windows unmanaged as in the test
# prefix, Wine's own Tahoma among its fonts), sets LogPixels, then waits for the prefix's
# Wine server to end: Wine takes a new DPI only once the server has restarted, which the
# next program there does. Exit code 77 (from wine-run) when this machine cannot run the
# prefix's programs.
set -euo pipefail

if [ $# -ne 4 ]; then
  echo "usage: dpi-prefix.sh WINE_RUN PREFIX win32|win64 DPI" >&2
  exit 2
fi
wine_run=$1
prefix=$2
arch=$3
dpi=$4

reg_add() {
  "$wine_run" --prefix="$prefix" --arch="$arch" --unmanaged reg add "$@" /f >/dev/null
}
reg_add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi"
WINEPREFIX=$prefix wineserver -w
echo "dpi-prefix: $prefix runs at $dpi DPI"
