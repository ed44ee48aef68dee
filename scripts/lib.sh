# Shared by the README's commands: installs what is missing and builds the presets.
# shellcheck shell=bash

VORNACLE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

VORNACLE_PACKAGES=(
  cmake ninja-build g++ googletest clang-format git
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64
  wine wine64 fonts-wine xvfb x11-utils xdotool imagemagick
  iproute2 util-linux
)

ensure_packages() {
  local missing=()
  for p in "${VORNACLE_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "error: these packages are missing and installing them needs root" >&2
    return 1
  fi
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# build_preset NAME [extra cmake arguments...]
build_preset() {
  local preset=$1
  shift
  (cd "$VORNACLE_ROOT" && cmake --preset "$preset" "$@" >/dev/null && cmake --build --preset "$preset")
}
