#!/usr/bin/env bash
# Start-up benchmark: how long vexo.exe takes under Wine from process start until it takes keys,
# against a minimal Win32 window program started the same way. Prints figures, checks nothing.
#
#   scripts/startup-bench.sh [--starts N] [--ini SETTINGS-FILE] [--vexo VEXO.EXE]...
#
# Builds the Windows preset's vexo, minimal_window and startup_bench, then runs the bench on a
# virtual X display inside a Wine virtual desktop, in the build folder's Wine prefix, as the
# end-to-end suite does. --vexo, given once or more, times those builds of the program instead
# of the preset's, all in the same rounds (compare builds in one run: on a busy machine separate
# runs differ by more than builds do); --ini starts every run with that settings file beside
# the program. The figures mean most on an otherwise idle machine.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

starts=15 ini=
vexos=()
while [ $# -gt 0 ]; do
  case $1 in
    --starts) starts=$2; shift 2 ;;
    --ini) ini=$(realpath "$2"); shift 2 ;;
    --vexo) vexos+=(--vexo "$(realpath "$2")"); shift 2 ;;
    *) echo "startup-bench.sh: unknown argument $1" >&2; exit 2 ;;
  esac
done

./scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j 2 --target vexo minimal_window startup_bench

build=$root/build/windows
if [ ${#vexos[@]} -eq 0 ]; then vexos=(--vexo "$build/shell/vexo.exe"); fi
work=$build/bench/startup/work
rm -rf "$work"
mkdir -p "$work"

args=("${vexos[@]}" --minimal "$build/bench/startup/minimal_window.exe" --work "$work"
      --starts "$starts")
if [ -n "$ini" ]; then args+=(--ini "$ini"); fi

export WINEDLLOVERRIDES="mscoree,mshtml=;winhlp32.exe=d"
# Its own X display, so that the figures do not depend on the desktop it is started from.
xvfb-run -a -s "-screen 0 1024x768x24" \
  "$root/cmake/wine-run.sh" "$build/wineprefix" explorer /desktop=LumoBench,800x600 \
  "$build/bench/startup/startup_bench.exe" "${args[@]}"
