#!/usr/bin/env bash
# Runs a Windows test program under wine in a state the shared prefix does not have:
#   in-prefix.sh dpi N PREFIX PROGRAM [ARGS...]   at N dots per inch, put back to 96 afterwards
#   in-prefix.sh nobody PREFIX PROGRAM [ARGS...]  as the unprivileged user "nobody" (root's wine
#                                                 writes read-only files anyway), in a prefix of
#                                                 that user's own; 77 (skipped) where that cannot be
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
# Every way out says why: a test that fails with no output tells nobody anything.
fail() {
  echo "in-prefix.sh: $*" >&2
  exit 1
}
if [ "$1" = dpi ]; then
  export WINEPREFIX=$3 VORNACLE_TEST_DPI=$2
  trap 'set_scale 96' EXIT
  set_scale "$2" || fail "the prefix is not at $2 dpi"
  status=0
  wine "${@:4}" || status=$?
  [ $status -eq 0 ] || fail "$(basename "$4") ended with exit code $status"
  exit 0
fi
[ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null || { echo "skipped: needs root and setpriv"; exit 77; }
as_nobody=(setpriv --reuid=65534 --regid=65534 --clear-groups env -u DISPLAY HOME="$2")
mkdir -p "$2" && chown 65534:65534 "$2"
prepare_prefix "$2" "${as_nobody[@]}"
"${as_nobody[@]}" WINEPREFIX="$2" "$WINELOADER" "${@:3}"
