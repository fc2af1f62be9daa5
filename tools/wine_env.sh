# Sourced by the run and test scripts: a private Wine prefix and X display of their own.
# wine, wineserver and wineboot are those of the path that use_windows_path chose.
. "$(dirname "${BASH_SOURCE[0]}")/windows_paths.sh"

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# Wine's own Marlett and Tahoma (Debian's fonts-wine, which wine installs) into a prefix:
# without them the caption's close box shows as the letter "r" and dialogs take another
# face than the Tahoma that Windows gives them, so texts measure otherwise than there.
use_wine_fonts() {
  local fonts="$1/drive_c/windows/Fonts" font
  mkdir -p "$fonts"
  for font in marlett.ttf tahoma.ttf tahomabd.ttf; do
    [ -f "/usr/share/wine/fonts/$font" ] && cp -u "/usr/share/wine/fonts/$font" "$fonts/"
  done
  return 0
}

# Makes the prefix at $1 unless it exists, for the chosen path's WINEARCH. Wine draws the window frames itself and
# manages the windows itself, so captions and close boxes exist, and hiding a window is
# quick, even with no window manager on the display.
make_wine_prefix() {
  export WINEPREFIX="$1"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d "" /f >/dev/null 2>&1
    wineserver -w
  fi
  use_wine_fonts "$WINEPREFIX"
}

# Starts Xvfb on the first free display and exports DISPLAY; XVFB_PID is its process.
start_xvfb() {
  local n
  for n in $(seq 91 150); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
      XVFB_PID=$!
      export DISPLAY=":$n"
      for _ in $(seq 50); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.1
      done
      kill "$XVFB_PID" 2>/dev/null || true
    fi
  done
  echo "no free X display for Xvfb" >&2
  return 1
}

stop_xvfb() {
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
}

# Waits up to 30 s for Jumplet's main window on $DISPLAY and prints its X window id.
wait_for_main_window() {
  local window=""
  for _ in $(seq 300); do
    window="$(xdotool search --name '^Jumplet v1.0 - A Shortcut Tool$' 2>/dev/null | head -n 1 || true)"
    [ -n "$window" ] && { echo "$window"; return 0; }
    sleep 0.1
  done
  echo "the main window did not appear" >&2
  return 1
}
