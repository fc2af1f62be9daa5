#!/usr/bin/env bash
# Makes the release zip from a clean build: build/release/jumplet-<version>-win32.zip
# with jumplet.exe, help.html, launch.wav, delete.wav and README.txt, nothing else. The
# version is the one base/version.h gives the program.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/setup.sh"
release="$root/build/release"
rm -rf "$release"
cmake -S "$root" -B "$release" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$release" --target release_zip -j "$(nproc)" >/dev/null
zip=$(ls "$release"/jumplet-*-win32.zip)
echo "Made $zip:"
cmake -E tar tvf "$zip"
