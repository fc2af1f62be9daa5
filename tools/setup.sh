#!/usr/bin/env bash
# Installs what building and testing Jumplet needs from Debian's packages. Safe to run
# again: it installs only what is missing.
set -euo pipefail

PACKAGES=(g++-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686 wine wine32:i386
          fonts-wine xvfb xdotool x11-utils cmake make g++ libgtest-dev libbenchmark-dev libx11-dev imagemagick
          clang libclang-rt-14-dev cppcheck python3)

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
# Wine needs its 32-bit half, which comes from the i386 architecture.
dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
