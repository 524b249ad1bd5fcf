#!/usr/bin/env bash
# Sets up the machine and runs every suite: native, native under ASan+UBSan, the Windows build
# under Wine (unit tests, settings tests, in-process shell tests and the end-to-end suite, on a
# virtual X display) and the browser page in headless Chromium; checks lumo's Debian package;
# then makes the release zips and checks them.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh

for preset in native sanitize windows web; do
  cmake --preset "$preset"
  cmake --build --preset "$preset" -j 2
done

ctest --preset native -j 2
# lumo's Debian package: lintian finds no error, and lumo runs from the unpacked package.
./tests/package/check-deb.sh build/native
ctest --preset sanitize -j 2
xvfb-run -a -s "-screen 0 1024x768x24" ctest --preset windows
ctest --preset web

# The release zip, made as the README says, then made again in a build folder of its own: the
# two must be the same bytes, and the program must start from the unpacked zip.
cmake --build --preset windows -j 2 --target package
# Bounded, so that a program that never ends fails the run instead of holding it.
timeout --kill-after=30 900 ./tests/package/check-package.sh --against "$(ls -t build/windows/Lumo-II-*-win64.zip | head -1)"

# The page's zip, made and checked the same way; the unpacked page is opened from file://.
cmake --build --preset web -j 2 --target package
timeout --kill-after=30 900 ./tests/package/check-web-package.sh --against "$(ls -t build/web/Lumo-II-*-web.zip | head -1)"
