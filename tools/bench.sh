#!/usr/bin/env bash
# Benchmarks (never part of the tests): each result beside a baseline measured in the same
# run. Core speed through Google Benchmark; start-up to a visible window, memory and size
# of the real program under Wine and Xvfb, against Wine's own notepad; the hotkey against a
# bare program that only shows a window on the same key.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/setup.sh"
"$root/tools/build.sh" >/dev/null
cmake -S "$root" -B "$root/build/bench" -DCMAKE_BUILD_TYPE=Release -DJUMPLET_SANITIZE_NATIVE=OFF >/dev/null
cmake --build "$root/build/bench" --target core_bench -j "$(nproc)" >/dev/null

"$root/build/bench/bench/core_bench" --benchmark_format=csv 2>/dev/null | awk -F, '
  /^"/ { gsub(/"/, "", $1); ns[$1] = $4 }
  END {
    printf "load and sort of a full table: %.0f us (%.0fx copying its bytes)\n", ns["LoadAndSortFullTable"] / 1000, ns["LoadAndSortFullTable"] / ns["CopyFileBytes"]
    printf "search per keystroke, full table: %.2f us (%.1fx a case-sensitive scan)\n", ns["PrefixSearchFullTable"] / 1000, ns["PrefixSearchFullTable"] / ns["PlainScanFullTable"]
  }'

. "$root/tools/wine_env.sh"
make_wine_prefix "$root/build/bench-prefix"
start_xvfb
trap 'wineserver -k 2>/dev/null || true; stop_xvfb' EXIT
folder="$WINEPREFIX/drive_c/JumpletBench"
rm -rf "$folder" && mkdir -p "$folder" && cp "$root/build/win/dist/"* "$folder/"
for i in $(seq 0 255); do printf 'Shortcut %d\r\nC:\\Docs\\file%d.txt\r\n' "$i" "$i"; done >"$folder/jumplet.dat"

# Milliseconds from starting a program to its window titled $2 being on screen (median of
# five runs, into $root/build/bench-ms) and the process's resident memory then (bench-rss).
time_to_window() {
  local runs=() rss=0
  for _ in 1 2 3 4 5; do
    local start end
    start=$(date +%s%N)
    wine "$1" >/dev/null 2>&1 &
    until xdotool search --onlyvisible --name "$2" >/dev/null 2>&1; do sleep 0.01; done
    end=$(date +%s%N)
    runs+=($(((end - start) / 1000000)))
    rss=$(ps -o rss= -C "$3" | sort -n | tail -n 1)
    wineserver -k
    wineserver -w
  done
  printf '%s\n' "${runs[@]}" | sort -n | sed -n 3p >"$root/build/bench-ms"
  echo "$rss" >"$root/build/bench-rss"
}
time_to_window 'C:\JumpletBench\jumplet.exe' '^Jumplet v1.0 - A Shortcut Tool$' jumplet.exe
jumplet_ms=$(cat "$root/build/bench-ms")
jumplet_rss=$(cat "$root/build/bench-rss")
time_to_window notepad '^Untitled - Notepad$' notepad.exe
notepad_ms=$(cat "$root/build/bench-ms")
notepad_rss=$(cat "$root/build/bench-rss")
echo "start-up to a visible window, 256 shortcuts: ${jumplet_ms} ms (Wine's notepad: ${notepad_ms} ms, ratio $(awk "BEGIN{printf \"%.2f\", $jumplet_ms/$notepad_ms}"))"
echo "resident memory under Wine: $((jumplet_rss / 1024)) MiB (notepad: $((notepad_rss / 1024)) MiB)"
size=$(stat -c %s "$root/build/win/dist/jumplet.exe")
notepad_size=$(stat -c %s "$WINEPREFIX/drive_c/windows/system32/notepad.exe")
echo "jumplet.exe: $((size / 1024)) KiB, statically linked, no DLL beside it (Wine's notepad.exe: $((notepad_size / 1024)) KiB)"

# The hotkey: Page Down, with another window in front, to the main window visible and
# painted with its search line focused, against a bare program with the same kind of hook
# that shows a window on the same key. Then the hook procedure's own time per key event
# that is not the hotkey, the settings file read at each one.
rm -f "$WINEPREFIX/drive_c/windows/jlpos.ini"
cp "$root/build/win/bench/hotkey_baseline.exe" "$folder/"
hotkey_bench="$root/build/win/bench/hotkey_bench.exe"
jumplet_hotkey=$(wine "$hotkey_bench" shown 'C:\JumpletBench\jumplet.exe' 'Jumplet v1.0 - A Shortcut Tool' | tr -d '\r')
bare_hotkey=$(wine "$hotkey_bench" shown 'C:\JumpletBench\hotkey_baseline.exe' 'Hotkey Baseline' | tr -d '\r')
echo "hotkey to the window on screen, search line focused: ${jumplet_hotkey} ms (a bare hook program: ${bare_hotkey} ms, ratio $(awk "BEGIN{printf \"%.2f\", $jumplet_hotkey/$bare_hotkey}"))"
read -r p50 p99 bare_p50 bare_p99 < <(wine "$hotkey_bench" proc | tr -d '\r')
echo "HotkeyProc per key event that is not the hotkey: p50 ${p50} us, p99 ${p99} us (passing the event on alone: p50 ${bare_p50} us, p99 ${bare_p99} us)"
