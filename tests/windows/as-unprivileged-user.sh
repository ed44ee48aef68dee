#!/usr/bin/env bash
# Runs a Windows test program under wine as the unprivileged user "nobody", in a prefix of that
# user's own:  as-unprivileged-user.sh PREFIX PROGRAM.exe
# Exits 77 (skipped) where this machine cannot switch users.
set -euo pipefail
prefix=$1
program=$2
if [ "$(id -u)" -ne 0 ] || ! command -v setpriv >/dev/null; then
  echo "skipped: switching to an unprivileged user needs root and setpriv"
  exit 77
fi
as_nobody() {
  setpriv --reuid=65534 --regid=65534 --clear-groups \
    env -u DISPLAY HOME="$prefix" WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" "$@"
}
if [ ! -f "$prefix/.vornacle-ready" ]; then
  mkdir -p "$prefix"
  chown 65534:65534 "$prefix"
  as_nobody wineboot -i </dev/null >/dev/null 2>&1
  as_nobody wineserver -w
  touch "$prefix/.vornacle-ready"
fi
as_nobody wine "$program"
