#!/usr/bin/env bash
# Runs a Windows test program under wine at a display scale the shared prefix does not have, and
# puts the prefix back to 96 dots per inch afterwards:  in-prefix.sh dpi N PREFIX PROGRAM [ARGS...]
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
# Every way out says why: a test that fails with no output tells nobody anything.
fail() {
  echo "in-prefix.sh: $*" >&2
  exit 1
}
[ "$1" = dpi ] || fail "unknown state $1"
export WINEPREFIX=$3 VORNACLE_TEST_DPI=$2
trap 'set_scale 96' EXIT
set_scale "$2" || fail "the prefix is not at $2 dpi"
status=0
wine "${@:4}" || status=$?
[ $status -eq 0 ] || fail "$(basename "$4") ended with exit code $status"
