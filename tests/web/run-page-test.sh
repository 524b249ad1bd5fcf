#!/usr/bin/env bash
# Runs page_test.js in Debian's chromium, headless. puppeteer-core (no browser of its own) is
# installed from npm into the folder given by --modules the first time.
#
#   tests/web/run-page-test.sh --page DIR --rows JSON --modules DIR --screenshots DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
modules=
args=("$@")
while [ $# -gt 0 ]; do
  case $1 in
    --modules) modules=$2; shift 2 ;;
    *) shift ;;
  esac
done
if [ -z "$modules" ]; then
  echo "run-page-test.sh: --modules DIR is needed" >&2
  exit 2
fi
if [ ! -d "$modules/node_modules/puppeteer-core" ]; then
  npm install --prefix "$modules" --no-save --no-package-lock --no-audit --no-fund --loglevel=error \
    puppeteer-core@25.19.0 >/dev/null
fi
NODE_PATH=$modules/node_modules exec node "$here/page_test.js" "${args[@]}" --source "$here/../.."
