#!/usr/bin/env bash
# A Wine prefix whose screen has the given DPI and whose dialogs have their own font, for
# the page layout tests:
#   dpi-prefix.sh WINE_RUN PREFIX ARCH DPI
# makes the prefix on first use (through wine-run, windows unmanaged as in the test
# prefix), sets LogPixels, adds the folder of Debian's fonts-wine (Wine's own Tahoma) to
# the folders Wine takes fonts from, which this Wine does not search by itself, then waits
# for the prefix's Wine server to end: Wine takes a new DPI only once the server has
# restarted, which the next program there does. Exit code 77 (from wine-run) when this
# machine cannot run the prefix's programs.
set -euo pipefail

if [ $# -ne 4 ]; then
  echo "usage: dpi-prefix.sh WINE_RUN PREFIX win32|win64 DPI" >&2
  exit 2
fi
wine_run=$1
prefix=$2
arch=$3
dpi=$4
wine_fonts=/usr/share/wine/fonts

reg_add() {
  "$wine_run" --prefix="$prefix" --arch="$arch" --unmanaged reg add "$@" /f >/dev/null
}
reg_add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi"
# Wine reads the value as a list of Windows paths; Z: is the root of the machine.
reg_add 'HKCU\Software\Wine\Fonts' /v Path /t REG_SZ /d "Z:${wine_fonts//\//\\}"
WINEPREFIX=$prefix wineserver -w
echo "dpi-prefix: $prefix runs at $dpi DPI"
