#!/usr/bin/env python3
"""What one start of jumplet.exe spends where, read from a Wine relay trace.

The trace (WINEDEBUG=+timestamp,+relay with the calls below in RelayInclude) holds a
timestamped Call and Ret line for each of those calls and for each DLL's start; this prints
the time each part of start-up took before the window was first on the screen (what a
user waits for) and after it.

    tools/startup_parts.py JUMPLET-TRACE... -- BARE-TRACE...   # the median of each figure
    tools/startup_parts.py --relayed      # the RelayInclude list the traces need
"""
import re
import sys

# The calls start-up makes for each part; the trace holds these and no others.
RELAYED = ("user32.FindWindowA;kernel32.GetPrivateProfileStringA;kernel32.GetPrivateProfileStructA;"
           "ole32.CoInitializeEx;combase.CoInitializeEx;user32.SetFocus;user32.RegisterClassExA;user32.CreateWindowExA;gdi32.CreateFontA;"
           "user32.LoadBitmapA;user32.SetWindowLongA;shell32.Shell_NotifyIconA;user32.SetWindowsHookExA;"
           "kernel32.LoadLibraryA;user32.ShowWindow;user32.UpdateWindow;user32.SetWindowPos;"
           "user32.SetWindowPlacement;user32.CreatePopupMenu")

# DLLs that the bare window program loads too.
BARE_DLLS = {"kernelbase.dll", "kernel32.dll", "ntdll.dll", "msvcrt.dll", "ucrtbase.dll", "user32.dll",
             "gdi32.dll", "win32u.dll", "imm32.dll", "winex11.drv", "sechost.dll", "advapi32.dll"}


def spans(lines):
    """(start, seconds, depth, name, arguments) for every matched Call and Ret of the
    program's main thread: the one that shows the window (services that the first program
    of a Wine session starts write to the same trace)."""
    main = next((m.group(1) for m in (re.match(r"\d+\.\d+:(\w+):Call user32\.ShowWindow\(\w+,00000005", l) for l in lines) if m), None)
    stack, out = [], []
    for line in lines:
        m = re.match(r"(\d+\.\d+):(\w+):(Call|Ret)\s+(.*)", line)
        if not m or m.group(2) != main:
            continue
        t, kind, rest = float(m.group(1)), m.group(3), m.group(4)
        if rest.startswith("PE DLL"):
            dll = re.search(r'L"([^"]+)"', rest)
            name = "attach " + (dll.group(1).split("\\")[-1].lower() if dll else "?")
        else:
            name = re.sub(r"\(.*", "", rest).strip()
        if kind == "Call":
            stack.append((name, t, len(stack), rest))
            continue
        for i in range(len(stack) - 1, -1, -1):
            if stack[i][0] == name:
                n, t0, depth, args = stack[i]
                del stack[i:]
                out.append((t0, t - t0, depth, n, args))
                break
    return sorted(out)


ORDER = ["other DLLs the program links (shell, COM, sound)", "single-instance check", "settings reads", "COM",
         "main window", "  of which its controls", "  of which fonts", "  of which the focus to the search line", "  of which the logo bitmap",
         "  of which reading the data file and filling the list", "common controls of the manifest (comctl32 6)",
         "add window, hidden", "topmost, show and first paint", "tray icon", "keyboard hook"]


def read(path):
    calls = spans(open(path, errors="replace").read().splitlines())
    if not calls:
        sys.exit("no relay lines in " + path)
    shown = next(t0 + d for t0, d, _, n, a in calls if n == "user32.ShowWindow" and a.split(",")[1].startswith("00000005"))
    return calls, calls[0][0], shown


def parts_of(path):
    """{part: (seconds before the window shows, seconds after)} and the time to show."""
    calls, begin, shown = read(path)
    parts = {}

    def add(part, seconds, at):
        before, after = parts.get(part, (0.0, 0.0))
        parts[part] = (before + seconds, after) if at < shown else (before, after + seconds)
    for t0, d, depth, name, args in calls:
        if name.startswith("attach "):
            dll = name[len("attach "):]
            if "comctl32" in dll:
                add("common controls of the manifest (comctl32 6)", d, t0)
            elif dll not in BARE_DLLS and depth == 0:
                add("other DLLs the program links (shell, COM, sound)", d, t0)
        elif name == "user32.FindWindowA" and depth == 0:
            add("single-instance check", d, t0)
        elif name.startswith("KERNEL32.GetPrivateProfile") or name.startswith("kernel32.GetPrivateProfile"):
            add("settings reads", d, t0)
        elif name.endswith(".CoInitializeEx"):
            add("COM", d, t0)
        elif name == "user32.CreateWindowExA" and depth == 0:
            add("main window" if "winappJumplet" in args else "add window, hidden", d, t0)
        elif name == "user32.CreateWindowExA" and depth == 2 and t0 < shown:
            add("  of which its controls", d, t0)
        elif name == "user32.SetFocus" and depth == 2:
            add("  of which the focus to the search line", d, t0)
        elif name == "gdi32.CreateFontA":
            add("  of which fonts", d, t0)
        elif name == "user32.LoadBitmapA" and depth <= 2:
            add("  of which the logo bitmap", d, t0)
        elif name == "shell32.Shell_NotifyIconA":
            add("tray icon", d, t0)
        elif name in ("kernel32.LoadLibraryA", "KERNEL32.LoadLibraryA", "user32.SetWindowsHookExA") and depth == 0:
            add("keyboard hook", d, t0)
        elif name in ("user32.ShowWindow", "user32.UpdateWindow", "user32.SetWindowPos") and depth == 0:
            add("topmost, show and first paint", d, t0)
    # The list fill runs between the logo's load and the search line's subclassing.
    logo = next((t0 + d for t0, d, _, n, _ in calls if n == "user32.LoadBitmapA"), None)
    subclass = next((t0 for t0, _, _, n, _ in calls if n == "user32.SetWindowLongA" and logo and t0 > logo), None)
    if logo and subclass:
        add("  of which reading the data file and filling the list", subclass - logo, logo)

    return parts, shown - begin


def median(values):
    return sorted(values)[len(values) // 2]


def main(jumplet_traces, bare_traces):
    runs = [parts_of(path) for path in jumplet_traces]
    bare = [read(path) for path in bare_traces]
    print("%-56s %16s %8s" % ("part of start-up (median of %d starts)" % len(runs), "before it shows", "after"))
    for part in ORDER:
        before = median([parts.get(part, (0.0, 0.0))[0] for parts, _ in runs])
        after = median([parts.get(part, (0.0, 0.0))[1] for parts, _ in runs])
        print("%-56s %13.1f ms %5.1f ms" % (part, before * 1000, after * 1000))
    print("%-56s %13.1f ms" % ("first DLL start to the window on the screen", median([t for _, t in runs]) * 1000))
    print("%-56s %13.1f ms" % ("the same for the bare window program", median([s - b for _, b, s in bare]) * 1000))


if __name__ == "__main__":
    if len(sys.argv) == 2 and sys.argv[1] == "--relayed":
        print(RELAYED)
    elif "--" in sys.argv[2:-1]:
        split = sys.argv.index("--")
        main(sys.argv[1:split], sys.argv[split + 1:])
    else:
        sys.exit(__doc__)
