#!/usr/bin/env bash
# Runs a node script that drives Debian's chromium through puppeteer-core (which brings no
# browser of its own), installed from npm into the folder given by --modules the first time.
# The script gets every argument, and --source with the repository's folder.
#
#   tests/web/with-puppeteer.sh SCRIPT --modules DIR [ARGUMENTS...]
set -euo pipefail
script=$1
shift
repository=$(cd "$(dirname "$0")/../.." && pwd)
modules=
args=("$@")
while [ $# -gt 0 ]; do
  case $1 in
    --modules) modules=$2; shift 2 ;;
    *) shift ;;
  esac
done
if [ -z "$modules" ]; then
  echo "with-puppeteer.sh: --modules DIR is needed" >&2
  exit 2
fi
if [ ! -d "$modules/node_modules/puppeteer-core" ]; then
  npm install --prefix "$modules" --no-save --no-package-lock --no-audit --no-fund --loglevel=error \
    puppeteer-core@25.19.0 >/dev/null
fi
NODE_PATH=$modules/node_modules exec node "$script" "${args[@]}" --source "$repository"
