#!/usr/bin/env bash
# Runs the end-to-end suite: the Windows test driver drives the real jumplet.exe under Wine
# in an X server of its own. Arguments go to the driver (GoogleTest), e.g.
#
#   tests/e2e/run.sh --gtest_filter='Startup*'
#
# Needs the cross tree of the Windows path (tools/windows_paths.sh: build/win for the
# 32-bit one, build/win64 for the 64-bit one; jumplet, jumplet_e2e, marker), the shipped
# zip in build/win and the native tree (build/native: xdnd_drop) built first. The path is
# the one the caller chose (JUMPLET_WINDOWS_PATH), else the first this machine has. Every
# run makes a fresh Wine prefix under build/e2e/<path>, and ends everything it started,
# whatever happens. The exit status is the
# driver's. Set JUMPLET_SCREENSHOTS to a folder to keep the screenshots tests take.
#
# The whole suite (no arguments), when it got to its end with no more than a few failed
# tests, runs those once more, alone in a fresh prefix and X server: with no window
# manager, Wine learns of X focus changes late on a busy machine. A test that passes then
# is a flake, never a silent pass: the run ends with a FLAKE report that names it and shows
# its first failure in full (kept in build/e2e/flakes.txt too). A test that fails again
# fails the run. JUMPLET_E2E_RERUNS sets how many is "a few" (3; 0 for none).
set -u

here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
. "$top/tools/wine_env.sh"  # for the path and use_wine_fonts; the settings below are this suite's own
path=${JUMPLET_WINDOWS_PATH:-$(windows_paths | cut -d' ' -f1)}
if [ -z "$path" ] || ! use_windows_path "$path"; then
    printf 'e2e: no Windows path runs on this machine with JUMPLET_PATHS=%s\n' "${JUMPLET_PATHS:-}" >&2
    exit 2
fi
build_win=${JUMPLET_BUILD_WIN:-$(windows_build_dir "$path")}
build_native=${JUMPLET_BUILD_NATIVE:-$top/build/native}
work=${JUMPLET_E2E_WORK:-$top/build/e2e/$path}

driver=$build_win/tests/e2e/jumplet_e2e.exe
marker=$build_win/tests/e2e/marker.exe
dist=$build_win/dist
xdnd=$build_native/tests/e2e/xdnd_drop

say() { printf 'e2e: %s\n' "$*" >&2; }

missing=0
for f in "$driver" "$marker" "$dist/jumplet.exe" "$dist/help.html" "$dist/launch.wav" "$dist/delete.wav" "$xdnd"; do
    [ -e "$f" ] || { say "missing $f"; missing=1; }
done
for tool in "$WINELOADER" "$WINESERVER" Xvfb xdotool; do
    command -v "$tool" >/dev/null || { say "missing the program $tool"; missing=1; }
done
if [ "$missing" = 1 ]; then
    say "build both trees first (cmake --build build/win && cmake --build build/native)"
    exit 2
fi

export WINEPREFIX=$work/prefix
export WINEDEBUG=-all
# No Mono or Gecko: nothing here needs them, and their installers would open dialogs.
# winmm.dll found in a program's folder goes before Wine's own, as on Windows, where it is
# no known DLL: the test that plants one there can then fail.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winmm=n,b"

small_disk=$work/small-disk
read_only=$work/read-only
xvfb_pid_file=$work/xvfb.pid

# Ends what this script (or an earlier run of it that was killed) left behind. Only the
# prefix's own wineserver, the Xvfb whose pid we wrote, and our own mount are touched.
clean_up() {
    if [ -d "$WINEPREFIX" ]; then
        wineserver -k >/dev/null 2>&1
        wineserver -w >/dev/null 2>&1
    fi
    if [ -f "$xvfb_pid_file" ]; then
        pid=$(cat "$xvfb_pid_file")
        if [ -n "$pid" ] && tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -q '^Xvfb '; then
            kill "$pid" 2>/dev/null
            for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
            kill -9 "$pid" 2>/dev/null
        fi
        rm -f "$xvfb_pid_file"
    fi
    if mountpoint -q "$small_disk" 2>/dev/null; then
        umount "$small_disk" 2>/dev/null || umount -l "$small_disk" 2>/dev/null
    fi
    umount "$read_only" 2>/dev/null || umount -l "$read_only" 2>/dev/null
}

# The marker program stands in for every application the shell could open.
marker_win='C:\e2etools\marker.exe'
marker_command='\"C:\\e2etools\\marker.exe\" \"%1\"'

mkdir -p "$work"
trap clean_up EXIT
trap 'exit 130' INT TERM

# A fresh prefix in a fresh X server, with the associations and the small disk.
set_up() {
    clean_up
    rm -rf "$WINEPREFIX"

    # An X server of our own on the first free display from :91 on.
    display=
    for n in $(seq 91 160); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
        echo $! >"$xvfb_pid_file"
        for _ in $(seq 100); do
            if DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1; then
                display=":$n"
                break
            fi
            kill -0 "$(cat "$xvfb_pid_file")" 2>/dev/null || break
            sleep 0.1
        done
        [ -n "$display" ] && break
        clean_up
    done
    if [ -z "$display" ]; then
        say "could not start Xvfb (see $work/xvfb.log)"
        return 2
    fi
    export DISPLAY=$display

    # The wineserver stays up between the set-up steps and the tests instead of starting anew
    # for each; clean_up ends it.
    mkdir -p "$WINEPREFIX"
    wineserver -p >/dev/null 2>&1
    if ! wineboot -i >"$work/wineboot.log" 2>&1; then
        say "wineboot failed (see $work/wineboot.log)"
        return 2
    fi
    use_wine_fonts "$WINEPREFIX"

    tools_dir=$WINEPREFIX/drive_c/e2etools
    mkdir -p "$tools_dir"
    cp "$marker" "$tools_dir/marker.exe"

    {
        echo 'REGEDIT4'
        echo
        echo '[HKEY_CLASSES_ROOT\JumpletE2E.Document\shell\open\command]'
        echo "@=\"$marker_command\""
        for ext in .txt .html .htm .pdf; do
            echo
            echo "[HKEY_CLASSES_ROOT\\$ext]"
            echo '@="JumpletE2E.Document"'
        done
        for class in http https Folder Directory; do
            echo
            echo "[HKEY_CLASSES_ROOT\\$class\\shell\\open\\command]"
            echo "@=\"$marker_command\""
            echo '"DelegateExecute"=-'
        done
        for class in http https; do
            echo
            echo "[HKEY_CLASSES_ROOT\\$class]"
            echo '"URL Protocol"=""'
        done
        echo
        # There is no window manager, so Wine draws the captions and frames itself: then the
        # close box is really there to click, and screenshots look like the desktop.
        # Unmanaged windows, too: with no window manager to answer, Wine would otherwise wait
        # two seconds each time a shown window is hidden.
        echo '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]'
        echo '"Decorated"="N"'
        echo '"Managed"="N"'
        echo
        # A crash in the program under test must fail a test, not wait on a dialog.
        echo '[HKEY_CURRENT_USER\Software\Wine\WineDbg]'
        echo '"ShowCrashDialog"=dword:00000000'
        echo
        # Xvfb has no sound card: with no audio driver the sounds fail quietly, as on a PC
        # without sound, instead of filling the log with ALSA's complaints.
        echo '[HKEY_CURRENT_USER\Software\Wine\Drivers]'
        echo '"Audio"=""'
    } >"$work/associations.reg"
    if ! wine regedit /S "$(echo "Z:$work/associations.reg" | tr / '\\')" >"$work/regedit.log" 2>&1; then
        say "could not import the associations (see $work/regedit.log)"
        return 2
    fi

    # A tiny disk, T:, for what happens when the program's disk is full.
    mkdir -p "$small_disk"
    if mount -t tmpfs -o size=1m,mode=0777 jumplet-e2e "$small_disk" 2>"$work/mount.log"; then
        ln -sfn "$small_disk" "$WINEPREFIX/dosdevices/t:"
        export JUMPLET_SMALL_DISK='T:\'
        unset JUMPLET_SMALL_DISK_MISSING
    else
        export JUMPLET_SMALL_DISK_MISSING="could not mount a tmpfs for the full-disk tests: $(head -n1 "$work/mount.log")"
        unset JUMPLET_SMALL_DISK
    fi

    # R:\jumplet: the program unpacked where nothing may be written, as under Program Files.
    { mkdir -p "$read_only" && mount -t tmpfs -o size=16m jumplet-e2e-ro "$read_only" && mkdir "$read_only/jumplet" &&
        cp "$dist"/* "$read_only/jumplet/" && mount -o remount,ro "$read_only" &&
        ln -sfn "$read_only" "$WINEPREFIX/dosdevices/r:" && export JUMPLET_READ_ONLY_DRIVE='R:\'; } 2>>"$work/mount.log"
}

export JUMPLET_DIST
JUMPLET_DIST=$(echo "Z:$dist" | tr / '\\')
export JUMPLET_MARKER=$marker_win
# The pictures as the project holds them, which the program's must match.
JUMPLET_RES=$(echo "Z:$top/res" | tr / '\\')
export JUMPLET_RES
# The release zip the build made, for the test that unpacks it as a user would: always the
# shipped one. On the 64-bit path the program it runs there is the 64-bit build.
JUMPLET_ZIP=$(ls "$top"/build/win/jumplet-*-win32.zip 2>/dev/null | head -n 1)
export JUMPLET_ZIP
if [ "$path" = 64 ]; then
    JUMPLET_RUN_INSTEAD_OF_SHIPPED=$(echo "Z:$dist/jumplet.exe" | tr / '\\')
    export JUMPLET_RUN_INSTEAD_OF_SHIPPED
else
    unset JUMPLET_RUN_INSTEAD_OF_SHIPPED
fi
export JUMPLET_XDND_DROP=$xdnd
if [ -n "${JUMPLET_SCREENSHOTS:-}" ]; then
    mkdir -p "$JUMPLET_SCREENSHOTS"
    JUMPLET_SCREENSHOTS=$(cd "$JUMPLET_SCREENSHOTS" && pwd)
    export JUMPLET_SCREENSHOTS
fi

# In the background so that a signal reaches the traps at once, not after the driver; the
# time limit keeps a test that hangs in some modal loop from holding CI for ever. What it
# prints is kept in $work/driver.log as well.
run_driver() {
    (cd "$work" && timeout --kill-after=10 "${JUMPLET_E2E_TIMEOUT:-2400}" "$WINELOADER" "$driver" "$@") 2>&1 |
        tee "$work/driver.log" &
    wait $!
    local status=$?
    [ "$status" = 124 ] && say "the suite took longer than ${JUMPLET_E2E_TIMEOUT:-2400} s and was stopped"
    return "$status"
}

# Whether the last run got to its end: a driver that crashed or was stopped left tests
# unrun, and those must not pass for a second run of the ones that failed.
ran_to_the_end() {
    tr -d '\r' <"$work/driver.log" | grep -q '^\[==========\] [0-9]* tests\? from .* ran\.'
}

# The tests the last run failed, one name a line.
failed_tests() {
    tr -d '\r' <"$work/driver.log" | sed -n 's/^\[  FAILED  \] \([A-Za-z0-9_]*\.[A-Za-z0-9_]*\) (.*/\1/p' | sort -u
}

# Each failed test's output in a log, from its start to its failure.
first_failure() {
    tr -d '\r' <"$1" | sed -n "/^\[ RUN      \] $2\$/,/^\[  FAILED  \] $2 /p"
}

set -o pipefail
rm -f "$work/flakes.txt"
set_up || exit 2
run_driver "$@"
status=$?
max_reruns=${JUMPLET_E2E_RERUNS:-3}
failed=$(failed_tests)
count=$(printf '%s' "$failed" | grep -c .)
if [ "$status" != 0 ] && [ $# = 0 ] && ran_to_the_end && [ "$count" -ge 1 ] && [ "$count" -le "$max_reruns" ]; then
    cp "$work/driver.log" "$work/driver-first.log"
    say "$count test(s) failed; running them once more on their own: $(echo $failed)"
    set_up || exit 2
    run_driver --gtest_filter="$(echo $failed | tr ' ' ':')"
    status=$?
    if [ "$status" = 0 ]; then
        for test in $failed; do
            echo "e2e: FLAKE: $test failed in the whole run and passed when run again alone. Its first failure:"
            first_failure "$work/driver-first.log" "$test"
            echo
        done >"$work/flakes.txt"
        cat "$work/flakes.txt"
        say "FLAKE: $(echo $failed) (see above and $work/flakes.txt)"
    fi
fi
exit "$status"
