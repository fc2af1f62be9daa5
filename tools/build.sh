#!/usr/bin/env bash
# Builds the trees: build/win (the 32-bit jumplet.exe that ships, and its Windows test
# programs), build/win64 (the same source for x86_64, where the tests run it) and
# build/native (the core's unit tests under the sanitizers, test tools).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
. "$root/tools/windows_paths.sh"
jobs="$(nproc 2>/dev/null || echo 2)"

# The 32-bit tree always, as it ships; the 64-bit one where the tests take its path.
trees="32"
case " $(windows_paths) " in *" 64 "*) trees="32 64" ;; esac
for path in $trees; do
  tree="$(windows_build_dir "$path")"
  cmake -S "$root" -B "$tree" -DCMAKE_TOOLCHAIN_FILE="$(windows_toolchain "$path")" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$tree" -j "$jobs"
done
cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$root/build/native" -j "$jobs"
echo "Built $root/build/win/dist/jumplet.exe"
