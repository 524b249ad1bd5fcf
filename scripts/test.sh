#!/usr/bin/env bash
# Sets up the machine and runs every suite: native, native under ASan+UBSan, and the Windows
# build under Wine (unit tests, settings tests, in-process shell tests and the end-to-end
# suite, on a virtual X display).
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh

for preset in native sanitize windows; do
  cmake --preset "$preset"
  cmake --build --preset "$preset" -j 2
done

ctest --preset native -j 2
ctest --preset sanitize -j 2
xvfb-run -a -s "-screen 0 1024x768x24" ctest --preset windows
