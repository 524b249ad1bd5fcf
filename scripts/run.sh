#!/usr/bin/env bash
# Sets up the machine, builds Lumo II for Windows and starts it under Wine on your display.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
cmake --preset windows
cmake --build --preset windows -j 2 --target vexo

exe=build/windows/shell/vexo.exe
prefix=build/windows/wineprefix
if [ -z "${DISPLAY:-}" ]; then
  echo "No display (DISPLAY is not set): starting Lumo II on a virtual X display instead." >&2
  exec xvfb-run -a -s "-screen 0 1024x768x24" ./cmake/wine-run.sh "$prefix" "$exe"
fi
exec ./cmake/wine-run.sh "$prefix" "$exe"
