#!/usr/bin/env bash
# Sets up, builds and runs Jumplet under Wine: on $DISPLAY when there is one, otherwise
# in Xvfb, where it leaves a screenshot of the main window. The 32-bit build, which ships,
# where this machine runs it; else the same source built for 64-bit Windows, under wine64.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/setup.sh"
"$root/tools/build.sh"
. "$root/tools/wine_env.sh"
use_first_windows_path
path="$JUMPLET_WINDOWS_PATH"
# A folder of its own, as a user's unpacked copy: the shortcuts made there stay between
# runs, and the build's dist folder holds only what ships.
folder="$root/build/run"
mkdir -p "$folder"
cp "$(windows_build_dir "$path")/dist/"{jumplet.exe,help.html,launch.wav,delete.wav} "$folder/"
exe="$folder/jumplet.exe"

if [ -n "${DISPLAY:-}" ]; then
  prefix="${WINEPREFIX:-$HOME/.wine}"
  # A prefix that exists keeps the processor it was made for.
  [ -f "$prefix/system.reg" ] && unset WINEARCH
  make_wine_prefix "$prefix"
  exec "$WINELOADER" "$exe" "$@"
fi

make_wine_prefix "$root/build/run-prefix-$path"
start_xvfb
trap 'wineserver -k 2>/dev/null || true; stop_xvfb' EXIT
wine "$exe" "$@" >/dev/null 2>&1 &
window="$(wait_for_main_window)"
sleep 1
shot="$root/build/screenshot.png"
import -window "$window" "$shot"
echo "Jumplet ($path-bit build) ran under Xvfb on $DISPLAY; screenshot of its main window: $shot"
