#!/usr/bin/env bash
# Runs the end-to-end suite: the cross-built driver (vexo_e2e.exe) starts the real vexo.exe
# under Wine, inside a Wine virtual desktop so that windows get their captions and can be
# photographed, while a native bell watcher counts the X bells that stand for MessageBeep.
#
#   run-e2e.sh --source DIR --prefix WINEPREFIX --vexo EXE --driver EXE --work DIR --shots DIR
#              [-- extra driver arguments, e.g. --gtest_filter=...]
#
# Needs an X display (CI runs ctest under xvfb-run -a -s "-screen 0 1024x768x24").
set -u

source_dir= prefix= vexo= driver= work= shots=
while [ $# -gt 0 ]; do
  case $1 in
    --source) source_dir=$2; shift 2 ;;
    --prefix) prefix=$2; shift 2 ;;
    --vexo) vexo=$2; shift 2 ;;
    --driver) driver=$2; shift 2 ;;
    --work) work=$2; shift 2 ;;
    --shots) shots=$2; shift 2 ;;
    --) shift; break ;;
    *) echo "run-e2e.sh: unknown argument $1" >&2; exit 2 ;;
  esac
done
for name in source_dir prefix vexo driver work shots; do
  if [ -z "${!name}" ]; then echo "run-e2e.sh: --${name%_dir} missing" >&2; exit 2; fi
done
if [ -z "${DISPLAY:-}" ]; then
  echo "run-e2e.sh: no X display; run under xvfb-run -a -s \"-screen 0 1024x768x24\"" >&2
  exit 2
fi
for file in "$vexo" "$driver"; do
  if [ ! -f "$file" ]; then echo "run-e2e.sh: $file not built" >&2; exit 2; fi
done

readonly_root=$work/readonly
bell_log=$work/bells.log
bell_watch=$work/bell_watch
results=$work/results.xml
log=$work/driver.log
watcher_pid=

# The read-only folders are made immutable when running as root, for whom chmod alone
# does not stop writes; undo that before anything is removed.
unlock_readonly() {
  if [ -d "$readonly_root" ]; then
    chattr -R -i "$readonly_root" 2>/dev/null
    chmod -R u+w "$readonly_root" 2>/dev/null
  fi
}

cleanup() {
  if [ -n "$watcher_pid" ]; then
    kill "$watcher_pid" 2>/dev/null
    wait "$watcher_pid" 2>/dev/null
  fi
  unlock_readonly
}
trap cleanup EXIT

unlock_readonly
rm -rf "$work" "$shots"
mkdir -p "$work" "$shots"

# The bell watcher is a native Linux program: the build's own compiler makes Windows programs.
if ! cc -O2 -Wall -Wextra -Werror -o "$bell_watch" "$source_dir/tests/e2e/bell_watch.c" -lX11; then
  echo "run-e2e.sh: cannot build the bell watcher (needs cc and libx11-dev)" >&2
  exit 1
fi

# Two folders the program may not write to: one with a settings file, one without.
make_readonly_folders() {
  local folder
  for folder in with-ini no-ini; do
    mkdir -p "$readonly_root/$folder"
    cp "$vexo" "$readonly_root/$folder/vexo.exe"
  done
  printf '[Vexo]\r\nszXYPos=50,60\r\nbDispTape=0\r\n' >"$readonly_root/with-ini/vexo.INI"
  chmod -R a-w "$readonly_root"
  if [ "$(id -u)" = 0 ]; then
    chattr -R +i "$readonly_root" 2>/dev/null || return 1
  fi
  # Make sure that the folders really refuse a new file.
  if touch "$readonly_root/no-ini/probe" 2>/dev/null; then
    rm -f "$readonly_root/no-ini/probe"
    return 1
  fi
  return 0
}
readonly_env=
if make_readonly_folders; then
  readonly_env=$readonly_root
else
  echo "run-e2e.sh: cannot make a folder read-only here; the read-only test will be skipped"
fi

# The Wine prefix of this build folder, set up exactly as for the other Wine tests, on a screen
# of 96 DPI: the DPI tests change LogPixels for the programs they start and put 96 back, but a
# run that was killed half-way could not.
"$source_dir/cmake/wine-run.sh" "$prefix" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
  /d 96 /f >/dev/null 2>&1

"$bell_watch" "$bell_log" </dev/null >/dev/null 2>"$work/bell_watch.err" &
watcher_pid=$!
for _ in $(seq 100); do
  [ -f "$bell_log" ] && break
  if ! kill -0 "$watcher_pid" 2>/dev/null; then break; fi
  sleep 0.05
done
if [ ! -f "$bell_log" ]; then
  echo "run-e2e.sh: the bell watcher did not start:" >&2
  cat "$work/bell_watch.err" >&2
  exit 1
fi

export LUMO_E2E_VEXO=$vexo LUMO_E2E_WORK=$work/tests
export LUMO_E2E_BELLS=$bell_log LUMO_E2E_SHOTS=$shots LUMO_E2E_READONLY=$readonly_env
export LUMO_E2E_HELP_TEXT=$source_dir/help/vexo-help.txt
export WINEDLLOVERRIDES="mscoree,mshtml=;winhlp32.exe=d"
# WINEDEBUG=-all would hide why a program failed to start; keep errors only.
export WINEDEBUG=${WINEDEBUG:--all,err+module}

# A virtual desktop of its own: Windows-style captions for the screenshots, and a screen of
# known size for the centring checks. The driver reports through its log and an XML file.
"$source_dir/cmake/wine-run.sh" "$prefix" explorer /desktop=LumoE2E,800x600 \
  "$driver" --gtest_output="xml:Z:${results//\//\\}" "$@" >"$log" 2>&1
cat "$log"

for picture in "$shots"/*.bmp; do
  [ -f "$picture" ] || continue
  /usr/bin/convert "$picture" "${picture%.bmp}.png" && rm -f "$picture"
done
grep '^\[speed\]' "$log" >"$work/speed.txt"
echo "run-e2e.sh: screenshots in $shots; bells rung: $(wc -l <"$bell_log")"

if [ ! -f "$results" ]; then
  echo "run-e2e.sh: the driver wrote no results; it did not run to the end" >&2
  exit 1
fi
if ! grep -q '<testsuites [^>]*failures="0"' "$results" ||
   ! grep -q '<testsuites [^>]*errors="0"' "$results"; then
  echo "run-e2e.sh: tests failed" >&2
  exit 1
fi
exit 0
