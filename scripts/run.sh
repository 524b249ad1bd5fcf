#!/usr/bin/env bash
# Sets up the machine, builds Lumo II for Windows and starts it under Wine on your display.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
cmake --preset windows
cmake --build --preset windows -j 2 --target vexo

exe=build/windows/shell/vexo.exe

# A prefix of its own, managed by your window manager like any other program (the test prefix
# turns that off to keep Wine from stalling on Xvfb). Its settings file is VEXO.INI beside the exe.
export WINEPREFIX=$PWD/build/windows/wineprefix-run
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [ ! -f "$WINEPREFIX/.lumo-ready" ]; then
  echo "Preparing the Wine prefix (once)..."
  wineboot -i >/dev/null 2>&1
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  wineserver -w
  touch "$WINEPREFIX/.lumo-ready"
fi

if [ -z "${DISPLAY:-}" ]; then
  echo "No display (DISPLAY is not set): starting Lumo II on a virtual X display instead." >&2
  exec xvfb-run -a -s "-screen 0 1024x768x24" wine "$exe"
fi
exec wine "$exe"
