#!/usr/bin/env bash
# Builds the browser page and serves it on 127.0.0.1 with a plain static server; prints the
# address. Ctrl+C stops the server. The folder build/web/page also opens from file:// as it is.
#
#   ./scripts/web.sh [PORT]      (default 8143)
set -euo pipefail
cd "$(dirname "$0")/.."
port=${1:-8143}

./scripts/install-deps.sh
cmake --preset web >/dev/null
cmake --build --preset web -j 2 --target lumo_web_engine lumo_web_help

echo "Lumo II in the browser: http://127.0.0.1:$port/"
echo "(or open $PWD/build/web/page/index.html)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build/web/page
