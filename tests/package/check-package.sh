#!/usr/bin/env bash
# Checks the release zip: builds it in a fresh build folder and compares it byte for byte with
# the zip of another build folder, then checks what it holds and starts the program from it.
#
#   tests/package/check-package.sh [--against ZIP] [--prefix WINEPREFIX]
#
# Without --against it builds the package in two fresh folders and compares those. --prefix is
# the Wine prefix to start the program in (default: the windows preset's); the Wine processes
# of that prefix are stopped first. The program runs on a virtual X display of the script's own.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD

against= prefix=$root/build/windows/wineprefix
while [ $# -gt 0 ]; do
  case $1 in
    --against) against=$(realpath "$2"); shift 2 ;;
    --prefix) prefix=$(realpath -m "$2"); shift 2 ;;
    *) echo "check-package.sh: unknown argument $1" >&2; exit 2 ;;
  esac
done

# A virtual X display of its own, so that no other window can answer for the program's.
if [ -z "${LUMO_PACKAGE_CHECK_DISPLAY:-}" ]; then
  export LUMO_PACKAGE_CHECK_DISPLAY=1
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" ${against:+--against "$against"} --prefix "$prefix"
fi

readonly max_exe_bytes=250000   # 250 KB
work=$root/build/package-check
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
# shellcheck source=tests/package/zip-checks.sh
source "$root/tests/package/zip-checks.sh"

# Builds the zip as the windows preset would, in folder $1; prints its path.
build_package() {
  local folder=$1
  rm -rf "$folder"
  # Only what the zip holds is built: the tests are not needed for it.
  cmake --preset windows -B "$folder" -DCMAKE_SKIP_PACKAGE_ALL_DEPENDENCY=ON >/dev/null
  cmake --build "$folder" -j 2 --target vexo lumo >/dev/null
  cmake --build "$folder" --target package >/dev/null
  ls "$folder"/Lumo-II-*-win64.zip
}

# 1. Same commit, same bytes, whichever folder it was built in.
rm -rf "$work"
mkdir -p "$work"
zip=$(build_package "$work/build-one")
other=${against:-$(build_package "$work/second-build-folder")}
expect_same_zip "$zip" "$other"

# 2. One folder named like the zip, holding exactly these files (kept in name order).
top=$(basename "$zip" .zip)
expect_members "$zip" CHANGES.txt README.txt VEXO-sample.INI lumo.exe vexo.exe

unpacked=$work/unpacked
mkdir -p "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$zip")
folder=$unpacked/$top

# 3. Small, and nothing but Windows' own DLLs.
exe_bytes=$(stat -c %s "$folder/vexo.exe")
echo "vexo.exe: $exe_bytes bytes; lumo.exe: $(stat -c %s "$folder/lumo.exe") bytes"
if [ "$exe_bytes" -gt "$max_exe_bytes" ]; then
  fail "vexo.exe is $exe_bytes bytes, more than $max_exe_bytes"
fi
for program in vexo.exe lumo.exe; do
  if ! cmake -DOBJDUMP=x86_64-w64-mingw32-objdump -DEXE="$folder/$program" \
       -P "$root/tests/shell/check_imports.cmake"; then
    fail "$program imports a DLL that Windows does not have"
  fi
done

# 4. Text files for Notepad: every line ends in CR LF.
for text in CHANGES.txt README.txt VEXO-sample.INI; do
  lines=$(wc -l <"$folder/$text")
  crlf=$(grep -c $'\r$' "$folder/$text" || true)
  if [ "$lines" -eq 0 ] || [ "$crlf" -ne "$lines" ]; then
    fail "$text: $crlf of $lines lines end in CR LF"
  fi
done

# 5. It starts from the unpacked folder with the sample settings renamed as the README says,
# shows its window, and closes cleanly when asked, writing its position into that file
# without losing the user modes.
cp "$folder/VEXO-sample.INI" "$folder/VEXO.INI"
: >"$work/taskkill.log"
# A Wine session left from earlier runs may still belong to an X display that is gone.
WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
WINEPREFIX=$prefix wineserver -w 2>/dev/null || true
"$root/cmake/wine-run.sh" "$prefix" "$folder/vexo.exe" >"$work/vexo.log" 2>&1 &
program=$!
window=
for _ in $(seq 150); do
  window=$(xdotool search --onlyvisible --name '^Lumo II$' 2>/dev/null | head -1 || true)
  [ -n "$window" ] && break
  kill -0 "$program" 2>/dev/null || break
  sleep 0.2
done
if [ -z "$window" ]; then
  fail "no window titled \"Lumo II\" within 30 s"
else
  echo "window: $(xprop -id "$window" WM_CLASS)"
fi

# Asks the program to close until it has ended, for at most $1 seconds, as a user would: first
# with taskkill (without /f it posts WM_CLOSE to the program's windows), then, should that not
# reach it, with Alt+F4 typed into its focused window.
close_program() {
  local deadline=$((SECONDS + $1)) attempt=0
  while [ "$SECONDS" -lt "$deadline" ]; do
    if [ $((attempt % 2)) -eq 0 ]; then
      "$root/cmake/wine-run.sh" "$prefix" taskkill /im vexo.exe >>"$work/taskkill.log" 2>&1 || true
    elif [ -n "$window" ]; then
      echo "(Alt+F4)" >>"$work/taskkill.log"
      xdotool windowfocus --sync "$window" key alt+F4 2>>"$work/taskkill.log" || true
    fi
    attempt=$((attempt + 1))
    for _ in $(seq 25); do
      kill -0 "$program" 2>/dev/null || return 0
      sleep 0.2
    done
  done
  return 1
}
if ! close_program 30; then
  # Whatever holds it (a box, a crash report) is shown and named; then the prefix is stopped,
  # so that a program that will not end fails the check instead of hanging it.
  import -window root "$work/not-closed.png" 2>/dev/null || true
  fail "vexo.exe did not end within 30 s of being asked to close; windows on the screen:" \
    "$(xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | tr '\n' '|')" \
    "(screenshot: $work/not-closed.png); taskkill said:"
  cat "$work/taskkill.log" >&2
  WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
fi
exit_code=0
wait "$program" || exit_code=$?
if [ "$exit_code" -ne 0 ]; then
  fail "vexo.exe ended with exit code $exit_code:"
  cat "$work/vexo.log" >&2
fi
for key in szCfr1 szCfr2 szCfr3 szCfr4 szXYPos; do
  if ! grep -q "^$key=" "$folder/VEXO.INI"; then
    fail "VEXO.INI has no $key after the program closed"
  fi
done

if [ "$failures" -ne 0 ]; then
  echo "check-package.sh: $failures check(s) failed" >&2
  exit 1
fi
echo "check-package.sh: the package is reproducible and complete, and the program starts from it"
