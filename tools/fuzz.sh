#!/usr/bin/env bash
# Fuzzes the core's text routines with libFuzzer (clang, AddressSanitizer, UBSan), each
# target checking its invariant, and keeps a small, minimised corpus in fuzz/corpus.
#
#   tools/fuzz.sh                      # every target for 60 s
#   tools/fuzz.sh --seconds 600 parse  # one target for longer
#   tools/fuzz.sh --runs 10000000      # every target for ten million executions
#   tools/fuzz.sh --replay             # only run the kept corpus once (the test command does)
#
# A finding stops its target and leaves the input as build/fuzz/findings/<target>/crash-*.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
limit=(-max_total_time=60)
replay=0
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    --seconds) limit=(-max_total_time="$2"); shift 2 ;;
    --runs) limit=(-runs="$2"); shift 2 ;;
    --replay) replay=1; shift ;;
    *) targets+=("$1"); shift ;;
  esac
done
if [ ${#targets[@]} -eq 0 ]; then
  targets=(text_mode parse new_shortcut append delete name settings centring report)
fi

build="$root/build/fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DJUMPLET_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" >/dev/null

status=0
for target in "${targets[@]}"; do
  program="$build/fuzz/${target}_fuzz"
  corpus="$root/fuzz/corpus/$target"
  mkdir -p "$corpus"
  if [ "$replay" = 1 ]; then
    if ! "$program" -runs=0 "$corpus" >"$build/$target.replay.log" 2>&1; then
      echo "fuzz corpus of $target: FAILED (see $build/$target.replay.log)"
      status=1
    else
      echo "fuzz corpus of $target: $(ls "$corpus" | wc -l) inputs replayed"
    fi
    continue
  fi
  # The parser's inputs need no more room than a full table of the shortest records: longer
  # ones only slow the search down.
  case "$target" in parse|report) max_len=1100 ;; *) max_len=4096 ;; esac
  work="$build/work/$target" findings="$build/findings/$target"
  rm -rf "$work" && mkdir -p "$work" "$findings"
  log="$build/$target.log"
  if "$program" "$work" "$corpus" "${limit[@]}" -max_len="$max_len" -print_final_stats=1 \
       -artifact_prefix="$findings/" >"$log" 2>&1; then
    found="none"
  else
    found="FOUND: $(grep -m1 -E 'invariant broken|ERROR:|runtime error' "$log" || echo 'see the log')"
    status=1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  seconds=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log")
  # The kept corpus is rebuilt from the old one and today's finds, minimised.
  fresh="$build/work/$target.merged"
  rm -rf "$fresh" && mkdir -p "$fresh"
  "$program" -merge=1 "$fresh" "$corpus" "$work" >/dev/null 2>&1
  rm -rf "$corpus" && mv "$fresh" "$corpus"
  printf '%-13s %12s executions in %5s s, corpus %4s inputs, findings: %s\n' \
    "$target" "${runs:-?}" "${seconds:-?}" "$(ls "$corpus" | wc -l)" "$found"
done
exit $status
