#!/usr/bin/env bash
# Runs a cross-built Windows program under Wine for ctest: wine-run.sh PREFIX PROGRAM [ARGS...]
#
# ctest waits for every process that holds its output pipe. wineserver and Wine's helper
# processes outlive the program, so they must never inherit ctest's descriptors: the prefix is
# made once under a lock, wineserver is started persistent with its stdio on /dev/null, and the
# program's own output goes through a temporary file.
set -u
prefix=$(realpath -m "$1")
shift

export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installers; winhlp32 disabled so a missing help file never blocks a test.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winhlp32.exe=d}

mkdir -p "$(dirname "$prefix")"
(
  flock 9
  if [ ! -f "$prefix/.lumo-ready-2" ]; then
    wineboot -i </dev/null >/dev/null 2>&1 9>&-
    # Without a window manager every hide or destroy of a window stalls for two seconds.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 9>&-
    # A program that crashes ends with an error code instead of waiting behind Wine's crash
    # report for somebody to close it.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1 9>&-
    # Wine does not load its own fonts from /usr/share/wine/fonts.
    mkdir -p "$prefix/drive_c/windows/Fonts"
    cp -n /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
    wineserver -w </dev/null >/dev/null 2>&1 9>&-
    touch "$prefix/.lumo-ready-2"
  fi
) 9>"$prefix.lock"

wineserver -p60 </dev/null >/dev/null 2>&1 9>&-

out=$(mktemp)
wine "$@" </dev/null >"$out" 2>&1 9>&-
rc=$?
cat "$out"
rm -f "$out"
exit $rc
