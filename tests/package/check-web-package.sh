#!/usr/bin/env bash
# Checks the page's release zip: builds it in a fresh build folder and compares it byte for byte
# with the zip of another build folder, checks what it holds, then opens the unpacked page from
# file:// in headless Chromium and plays the engine's scenario rows through it.
#
#   tests/package/check-web-package.sh [--against ZIP]
#
# Without --against it builds the package in two fresh folders and compares those.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
export NODE_PATH=/usr/share/nodejs

against=
while [ $# -gt 0 ]; do
  case $1 in
    --against) against=$(realpath "$2"); shift 2 ;;
    *) echo "check-web-package.sh: unknown argument $1" >&2; exit 2 ;;
  esac
done

work=$root/build/web-package-check
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
# shellcheck source=tests/package/zip-checks.sh
source "$root/tests/package/zip-checks.sh"

# Builds the zip as the web preset would, in folder $1; prints its path.
build_package() {
  local folder=$1
  rm -rf "$folder"
  cmake --preset web -B "$folder" >/dev/null
  cmake --build "$folder" -j 2 --target package >/dev/null
  ls "$folder"/Lumo-II-*-web.zip
}

# 1. Same commit, same bytes, whichever folder it was built in.
rm -rf "$work"
mkdir -p "$work"
zip=$(build_package "$work/build-one")
other=${against:-$(build_package "$work/second-build-folder")}
expect_same_zip "$zip" "$other"

# 2. One folder named like the zip, holding exactly the page and the sample settings.
top=$(basename "$zip" .zip)
expect_members "$zip" VEXO-sample.INI help.html index.html lumo-engine.js lumo.css lumo.js

# 3. The unpacked page works from file://: the scenario rows played through it.
unpacked=$work/unpacked
mkdir -p "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$zip")
if ! "$root/tests/web/with-puppeteer.sh" "$root/tests/web/page_test.js" --page "$unpacked/$top" --only file \
     --rows "$work/build-one/tests/web/scenarios.json" --modules "$root/build/web/tests/web/browser"; then
  fail "the unpacked page failed its test from file://"
fi

if [ "$failures" -ne 0 ]; then
  echo "check-web-package.sh: $failures check(s) failed" >&2
  exit 1
fi
echo "check-web-package.sh: the page's zip is reproducible and complete, and the page works from it"
