#!/usr/bin/env bash
# Sets up, builds and runs every test: the core's unit tests natively (AddressSanitizer,
# UBSan), static analysis, the fuzz corpus replayed, the unit tests under Wine, then the
# end-to-end tests that drive jumplet.exe under Wine.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/setup.sh" || exit 1
"$root/tools/build.sh" || exit 1
. "$root/tools/wine_env.sh"

failed=()
echo "== unit tests, native with sanitizers"
ctest --test-dir "$root/build/native" --output-on-failure --no-tests=error || failed+=("native unit tests")

echo "== static analysis"
cppcheck --error-exitcode=1 --quiet --enable=warning,style,performance,portability --std=c++17 \
  --inline-suppr --suppressions-list="$root/tools/cppcheck.supp" -I "$root" -I "$root/tests/unit" \
  "$root/base" "$root/app" "$root/store" "$root/ui" "$root/tray" "$root/settings" "$root/fuzz" || failed+=("static analysis")

echo "== fuzz corpus, replayed under the sanitizers"
"$root/tools/fuzz.sh" --replay || failed+=("fuzz corpus")

echo "== unit tests under Wine"
make_wine_prefix "$root/build/unit-prefix"
(cd "$root/build/win/tests/unit" && wine jumplet_unit_tests.exe) || failed+=("unit tests under Wine")
wineserver -k 2>/dev/null

echo "== end-to-end tests under Wine and Xvfb"
"$root/tests/e2e/run.sh" "$@" || failed+=("end-to-end tests")

if [ ${#failed[@]} -gt 0 ]; then
  echo "FAILED: ${failed[*]}"
  exit 1
fi
# A flaky end-to-end test passed only when run again: said last, where it is seen.
if [ -s "$root/build/e2e/flakes.txt" ]; then
  cat "$root/build/e2e/flakes.txt"
  echo "All tests passed, but with the FLAKE(s) above."
  exit 0
fi
echo "All tests passed."
