#!/usr/bin/env bash
# Checks lumo's Debian package: makes it from the native build, has lintian look it over (no
# error allowed), unpacks it into a scratch root and runs lumo from there.
#
#   tests/package/check-deb.sh [BUILD]       (BUILD: the native build folder, build/native)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build/native}

version=$(sed -n 's/^project(LumoII VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb=$build/lumo_${version}_amd64.deb
rm -f "$deb"
cmake --build "$build" -j 2 --target package >/dev/null
[ -f "$deb" ] || { echo "FAIL: no $deb" >&2; exit 1; }

lintian --fail-on error "$deb"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
failures=0
for file in usr/bin/lumo usr/share/man/man1/lumo.1.gz usr/share/bash-completion/completions/lumo \
            usr/share/doc/lumo/copyright usr/share/doc/lumo/changelog.gz; do
  [ -f "$root/$file" ] || { echo "FAIL: the package has no /$file" >&2; failures=$((failures + 1)); }
done
got=$("$root/usr/bin/lumo" --version)
if [ "$got" != "lumo (Lumo II) $version" ]; then
  echo "FAIL: the installed lumo says '$got', wanted 'lumo (Lumo II) $version'" >&2
  failures=$((failures + 1))
fi
[ "$failures" -eq 0 ] || exit 1
echo "$deb: lintian finds no error; installed in a scratch root, it says: $got"
