# shellcheck shell=bash disable=SC2034 # the variables set here are for the sourcing script
# Sourced by the scripts beside it, after their `set -euo pipefail`: sets root (the
# checkout) and build (the build tree: KORVANE_BUILD, else build/), and holds what they
# share. The 64-bit build of the same sources, $build/x64, stands in for the 32-bit one
# where this machine runs no 32-bit x86 code (scripts/runs-32bit-code fails).
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${KORVANE_BUILD:-$root/build}

# Without a display, runs this script again under a private Xvfb with the arguments given.
run_under_display() {
  if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
  fi
}

# Sets arch (wine-run's --arch) and toolchain (CMake's options) for the tree given.
tree_settings() {
  arch=win32
  toolchain=()
  if [ "$1" = "$build/x64" ]; then
    arch=win64
    toolchain=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/x86_64-w64-mingw32.cmake")
  fi
}

# Sets tree, and its arch and toolchain, to the build whose programs run on this machine.
choose_tree() {
  tree=$build
  "$root/scripts/runs-32bit-code" || tree=$build/x64
  tree_settings "$tree"
}

# Sets trees to the builds the tests run in: $build, and $build/x64 where it stands in.
choose_test_trees() {
  trees=("$build")
  "$root/scripts/runs-32bit-code" || trees+=("$build/x64")
}

# Ends the Wine server of each prefix given, whether or not one is running.
stop_wine_servers() {
  local prefix
  for prefix; do
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
  done
}

# Ends the Wine servers of the prefixes made in each tree given (wine/*/ with a system.reg).
stop_tree_wine_servers() {
  local tree prefix
  for tree; do
    for prefix in "$tree"/wine/*/; do
      if [ -f "$prefix/system.reg" ]; then stop_wine_servers "${prefix%/}"; fi
    done
  done
}
