# Shared by the README's commands: installs what is missing, builds the presets, and runs wine.
# shellcheck shell=bash

VORNACLE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

VORNACLE_PACKAGES=(
  cmake ninja-build g++ googletest clang-format git
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64
  wine wine64 wine32:i386 qemu-user-static fonts-wine xvfb x11-utils xdotool imagemagick
  iproute2 util-linux
)

# Wine's 64-bit loader, called directly: with 32-bit wine installed, "wine" would start every
# program through the 32-bit loader first, which may run in an emulator. For a 32-bit program it
# hands over to the 32-bit loader itself.
export WINELOADER=/usr/lib/wine/wine64
wine() { "$WINELOADER" "$@"; }
# Under QEMU's emulator, 32-bit wine probes the whole guest address space above its 2 GB for room
# in 64 KiB steps at every start (a minute or more; the emulator relocates the probes instead of
# failing them). A guest address space of 2 GB and 16 MB leaves it that much less to probe, and
# every program starts in seconds; wine's 32-bit programs use only the lower 2 GB.
export QEMU_RESERVED_VA=0x81000000

ensure_packages() {
  local missing=()
  for p in "${VORNACLE_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then
      echo "error: these packages are missing and installing them needs root" >&2
      return 1
    fi
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
  ensure_32bit_programs
}

# Where the kernel runs no 32-bit programs (its 32-bit emulation turned off), QEMU's user-mode
# emulator runs them, registered with binfmt_misc; where they run natively, nothing is registered.
ensure_32bit_programs() {
  /usr/lib/wine/wine --version >/dev/null 2>&1 && return 0
  local binfmt=/proc/sys/fs/binfmt_misc
  [ -e $binfmt/register ] || mount -t binfmt_misc binfmt_misc $binfmt
  [ -e $binfmt/qemu-i386 ] || printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' >$binfmt/register
  /usr/lib/wine/wine --version >/dev/null 2>&1 || { echo "error: 32-bit programs cannot run here" >&2; return 1; }
}

# build_preset NAME [extra cmake arguments...]
build_preset() {
  local preset=$1
  shift
  (cd "$VORNACLE_ROOT" && cmake --preset "$preset" "$@" >/dev/null && cmake --build --preset "$preset")
}

# program_files_table: the program files and the benchmark's floors of both Windows builds, as the
# rows of a table: the size in KB (bytes / 1024, rounded down) and the libraries each imports.
# bench/run prints it; README.md states it, and scripts/readme-figures holds the two to each other.
program_files_table() {
  echo "| Program | Size | Imports |"
  echo "|---|---|---|"
  local build arch exe imports
  for build in windows windows-x86; do
    arch=$([ $build = windows ] && echo x86_64 || echo i686)
    for exe in build/$build/vornacle.exe build/$build/bench/{minimal_window,same_look_window,hand_built_window}.exe; do
      imports=$($arch-w64-mingw32-objdump -p "$VORNACLE_ROOT/$exe" | awk '/DLL Name:/ {print $3}' | LC_ALL=C sort |
        paste -sd ' ')
      printf '| %s (%s) | %s KB | %s |\n' "$(basename "$exe" .exe)" "$arch" \
        $(($(stat -c %s "$VORNACLE_ROOT/$exe") / 1024)) "$imports"
    done
  done
}

# prepare_prefix PREFIX: makes the wine prefix once, with wine's own bitmap fonts (so that
# "MS Sans Serif" is the real one), windows that close at once without a window manager, and the
# end-to-end tests in a wine desktop of their own. The mark holds the number of this preparation,
# so that a prefix prepared by an earlier one is prepared again.
prepare_prefix() {
  local prefix=$1 preparation=2
  [ "$(cat "$prefix/.vornacle-ready" 2>/dev/null)" = $preparation ] && return 0
  echo "Preparing the wine prefix in $prefix (about half a minute, most of it 32-bit wine)"
  WINEPREFIX="$prefix" "$WINELOADER" wineboot -i </dev/null >/dev/null 2>&1
  cp /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/"
  # Wine only: X's focus events, late under load, hand the foreground of the programs that the
  # end-to-end test drives to wine's desktop window; in a desktop of wine's own (which the programs
  # that test starts join, as large as the virtual display) there are none, and the foreground
  # moves only as Windows moves it.
  set -- 'X11 Driver' Managed N 'AppDefaults\e2e_test.exe\Explorer' Desktop vornacle-e2e \
    'Explorer\Desktops' vornacle-e2e 1024x768
  for _ in 1 2 3; do
    WINEPREFIX="$prefix" "$WINELOADER" reg add "HKCU\\Software\\Wine\\$1" /v "$2" /t REG_SZ /d "$3" /f \
      </dev/null >/dev/null 2>&1
    shift 3
  done
  WINEPREFIX="$prefix" wineserver -w
  echo $preparation >"$prefix/.vornacle-ready"
}

# set_scale DPI: the display scale of the programs that start in $WINEPREFIX from now on. What reg
# said is shown when it fails. Wine only: now and then (once in some hundred starts here, under
# load) a wine program ends in its start-up without a word, and every program started after this
# one depends on the scale: reg is given three tries.
set_scale() {
  local said
  for _ in 1 2 3; do
    said=$(wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f </dev/null 2>&1) &&
      return 0
  done
  echo "setting the scale to $1 failed: $said" >&2
  return 1
}
