#!/usr/bin/env bash
# Makes the screenshots in docs/ from the real program under Wine and Xvfb: the main
# window with a few shortcuts, the same window in delete mode, and the options dialog.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
. "$root/tools/wine_env.sh"
make_wine_prefix "$root/build/shots-prefix"
start_xvfb
trap 'wineserver -k 2>/dev/null || true; stop_xvfb' EXIT

folder="$WINEPREFIX/drive_c/Jumplet"
rm -rf "$folder"
mkdir -p "$folder"
cp "$root/build/win/dist/"* "$folder/"
printf '%s\r\n' "Music" 'C:\Users\Public\Music' "notepad" "notepad.exe" \
  "Notes" 'C:\Docs\notes.txt' "Project plan" 'C:\Docs\plan.pdf' \
  "Reminder" "Message : Call the office at five" "Jumplet site" "www.jumplet.example.org" \
  >"$folder/jumplet.dat"
rm -f "$WINEPREFIX/drive_c/windows/jlpos.ini"

wine 'C:\Jumplet\jumplet.exe' >/dev/null 2>&1 &
window="$(wait_for_main_window)"
sleep 2

# Client coordinates of the controls, offset by the frame Wine draws around them.
eval "$(xdotool getwindowgeometry --shell "$window")"
frame_x=3
frame_y=22
click() { xdotool mousemove $((X + frame_x + $1)) $((Y + frame_y + $2)) click 1; sleep 0.5; }

click 60 95            # into the search line
xdotool type --delay 120 "no"
sleep 0.5
import -window "$window" "$root/docs/main-window.png"
click 235 210          # Delete: delete mode, the typed prefix pre-selected
click 60 131           # and one more name
sleep 0.5
import -window "$window" "$root/docs/main-window-delete-mode.png"
click 235 270          # Option: the options dialog, centred on the screen
xdotool mousemove 5 5  # off the dialog, so that no picture button shows its hover image
dialog=""
for _ in $(seq 50); do
  dialog="$(xdotool search --name '^More Options$' 2>/dev/null | head -n 1 || true)"
  [ -n "$dialog" ] && break
  sleep 0.1
done
[ -n "$dialog" ] || { echo "the options dialog did not appear" >&2; exit 1; }
sleep 1
import -window "$dialog" "$root/docs/options-dialog.png"
echo "Wrote docs/main-window.png, docs/main-window-delete-mode.png and docs/options-dialog.png"
