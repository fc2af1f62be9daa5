#!/usr/bin/env bash
# Installs what building and testing Jumplet needs from Debian's packages. Safe to run
# again: it installs only what is missing.
set -euo pipefail
. "$(dirname "$0")/windows_paths.sh"

# Both compilers always: the 32-bit build ships, the 64-bit one runs the tests everywhere.
PACKAGES=(g++-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686
          g++-mingw-w64-x86-64 mingw-w64-x86-64-dev binutils-mingw-w64-x86-64 wine wine64
          fonts-wine xvfb xdotool x11-utils cmake make g++ libgtest-dev libbenchmark-dev libx11-dev imagemagick
          clang libclang-rt-14-dev cppcheck python3)
# Wine's 32-bit half only where the kernel runs it.
runs_32bit_linux && PACKAGES+=(wine32:i386)

missing=()
for package in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
if printf '%s\n' "${missing[@]}" | grep -q ':i386$'; then
  dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386
fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
