#!/usr/bin/env bash
# Sets up, builds and runs Jumplet under Wine: on $DISPLAY when there is one, otherwise
# in Xvfb, where it leaves a screenshot of the main window.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/setup.sh"
"$root/tools/build.sh"
. "$root/tools/wine_env.sh"
# A folder of its own, as a user's unpacked copy: the shortcuts made there stay between
# runs, and the build's dist folder holds only what ships.
folder="$root/build/run"
mkdir -p "$folder"
cp "$root/build/win/dist/"{jumplet.exe,help.html,launch.wav,delete.wav} "$folder/"
exe="$folder/jumplet.exe"

if [ -n "${DISPLAY:-}" ]; then
  make_wine_prefix "${WINEPREFIX:-$HOME/.wine}"
  exec wine "$exe" "$@"
fi

make_wine_prefix "$root/build/run-prefix"
start_xvfb
trap 'wineserver -k 2>/dev/null || true; stop_xvfb' EXIT
wine "$exe" "$@" >/dev/null 2>&1 &
window="$(wait_for_main_window)"
sleep 1
shot="$root/build/screenshot.png"
import -window "$window" "$shot"
echo "Jumplet ran under Xvfb on $DISPLAY; screenshot of its main window: $shot"
