#!/usr/bin/env bash
# Installs the Debian packages that building and testing Lumo II needs, only those missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-tools
  wine wine64 fonts-wine xvfb xauth xdotool xclip x11-utils libx11-dev imagemagick
  # The browser page: emscripten compiles the engine to WebAssembly (its JavaScript optimizer
  # needs node-acorn, which it depends on); its tests drive chromium headless.
  emscripten chromium python3
  # lumo's Debian package, its man page and its bash completion, and their checks.
  dpkg-dev lintian mandoc bash-completion
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

# node and npm (the page's tests install puppeteer-core with npm) may come from outside Debian's
# packages; only when they are not there at all are Debian's installed.
command -v node >/dev/null || missing+=(nodejs)
command -v npm >/dev/null || missing+=(npm)

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
