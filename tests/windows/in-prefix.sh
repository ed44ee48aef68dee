#!/usr/bin/env bash
# Runs a Windows test program under wine at a display scale the shared prefix does not have, and
# puts the prefix back to 96 dots per inch afterwards:  in-prefix.sh DPI PREFIX PROGRAM [ARGS...]
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
# Every way out says why: a test that fails with no output tells nobody anything.
fail() { echo "in-prefix.sh: $*" >&2; exit 1; }
export WINEPREFIX=$2 VORNACLE_TEST_DPI=$1
trap 'set_scale 96' EXIT
set_scale "$1" || fail "the prefix is not at $1 dpi"
wine "${@:3}" || { status=$?; fail "$(basename "$3") ended with exit code $status"; }
