#!/usr/bin/env bash
# Runs a Windows test program under wine in a state the shared prefix does not have:
#   in-prefix.sh dpi N PREFIX PROGRAM [ARGS...]   the prefix's display scale at N dots per inch for
#                                                 the run, put back to 96 afterwards
#   in-prefix.sh nobody PREFIX PROGRAM [ARGS...]  as the unprivileged user "nobody" (root's wine
#                                                 writes read-only files anyway), in a prefix of
#                                                 that user's own; 77 (skipped) where that cannot be
set -euo pipefail
mode=$1
shift
if [ "$mode" = dpi ]; then
  export WINEPREFIX=$2 VORNACLE_TEST_DPI=$1
  scale() { wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }
  trap 'scale 96' EXIT
  scale "$1"
  shift 2
  wine "$@"
  exit
fi
[ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null || { echo "skipped: needs root and setpriv"; exit 77; }
nobody() { setpriv --reuid=65534 --regid=65534 --clear-groups env -u DISPLAY HOME="$1" WINEPREFIX="$1" "${@:2}"; }
if [ ! -f "$1/.vornacle-ready" ]; then
  mkdir -p "$1" && chown 65534:65534 "$1"
  nobody "$1" wineboot -i </dev/null >/dev/null 2>&1
  nobody "$1" wineserver -w
  touch "$1/.vornacle-ready"
fi
nobody "$1" wine "${@:2}"
