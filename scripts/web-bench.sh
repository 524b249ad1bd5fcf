#!/usr/bin/env bash
# Builds the page and measures it in headless Chromium: its size gzip, and how soon after the
# start of a load it takes keys (median of several loads from file:// and from http://).
#
#   ./scripts/web-bench.sh [--loads N]
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset web >/dev/null
cmake --build --preset web -j 2 --target lumo_web_engine lumo_web_help >/dev/null
exec tests/web/with-puppeteer.sh bench/web/page_ready.js --modules build/web/tests/web/browser \
  --page build/web/page "$@"
