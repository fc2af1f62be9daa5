#!/usr/bin/env bash
# Makes the screenshots in docs/ from the real program under Wine and Xvfb: the main
# window with a few shortcuts, the same window in delete mode, the tray menu, the options
# dialog, and the report page the program writes as Debian's Chromium shows it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
command -v chromium >/dev/null || { echo "needs Debian's chromium package: apt-get install chromium" >&2; exit 1; }
. "$root/tools/wine_env.sh"
# The report is looked at below; no browser is opened for it here.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winebrowser.exe=d"
use_first_windows_path
make_wine_prefix "$root/build/shots-prefix-$JUMPLET_WINDOWS_PATH"
start_xvfb
# 100 % for the pictures below, whatever an earlier run left.
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
wineserver -k
wineserver -w
trap 'wineserver -k 2>/dev/null || true; stop_xvfb' EXIT

folder="$WINEPREFIX/drive_c/Jumplet"
rm -rf "$folder"
mkdir -p "$folder"
cp "$(windows_build_dir "$JUMPLET_WINDOWS_PATH")/dist/"* "$folder/"
printf '%s\r\n' "Music" 'C:\Users\Public\Music' "notepad" "notepad.exe" \
  "Notes" 'C:\Docs\notes.txt' "Project plan" 'C:\Docs\plan.pdf' \
  "Reminder" "Message : Call the office at five" "Jumplet site" "www.jumplet.example.org" \
  >"$folder/jumplet.dat"
# Start at logon on, so that the tray menu shows its check mark.
printf '[kestrovane]\r\nstartup=1\r\n' >"$folder/jlpos.ini"

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
xdotool key BackSpace BackSpace
xdotool type --delay 120 '!report'
click 224 95           # Run: writes JLReport.html beside the program
click 60 95
xdotool key --delay 50 BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace
xdotool type --delay 120 "no"
click 235 210          # Delete: delete mode, the typed prefix pre-selected
click 60 131           # and one more name
sleep 0.5
import -window "$window" "$root/docs/main-window-delete-mode.png"

# The tray menu: with no tray in the X server, Wine shows the icons in a window of its own,
# the first one below that window's caption.
tray="$(xdotool search --name '^Wine System Tray$' | head -n 1)"
eval "$(xdotool getwindowgeometry --shell "$tray")"
xdotool mousemove $((X + 12)) $((Y + 32))
sleep 0.5
xdotool click 3
sleep 1
xdotool mousemove 900 900
sleep 0.5
import -window root -crop 150x90+$X+$((Y + 18)) +repage "$root/docs/tray-menu.png"
xdotool key Escape

eval "$(xdotool getwindowgeometry --shell "$window")"
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

chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --window-size=800,380 \
  --screenshot="$root/docs/report-page.png" "file://$folder/JLReport.html" >/dev/null 2>&1
# The main window at 150 % and 200 %: the scale is the prefix's, read when Wine starts.
for scale in 150:144 200:192; do
  wineserver -k
  wineserver -w
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "${scale#*:}" /f >/dev/null 2>&1
  wine 'C:\Jumplet\jumplet.exe' >/dev/null 2>&1 &
  window="$(wait_for_main_window)"
  sleep 2
  xdotool type --delay 120 "no"
  sleep 0.5
  import -window "$window" "$root/docs/main-window-${scale%:*}.png"
done
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1

echo "Wrote docs/main-window.png, docs/main-window-delete-mode.png, docs/tray-menu.png, docs/options-dialog.png,"
echo "docs/report-page.png, docs/main-window-150.png and docs/main-window-200.png"
