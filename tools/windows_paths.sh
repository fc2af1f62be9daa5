# Sourced by every script that builds or runs Windows programs: which ways this machine
# has to run them, and what each one uses.
#
# The 64-bit path (the x86_64 build under wine64, in a 64-bit prefix) works on every
# x86_64 machine. The 32-bit path (the i686 build, which is what ships) needs Wine's
# 32-bit loader and server, which are 32-bit Linux programs: some kernels refuse those
# ("Exec format error"), and there it cannot run at all. JUMPLET_PATHS="64" or "32"
# takes one path alone for a quicker run; by default every runnable path is taken.

windows_paths_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Whether the kernel runs 32-bit x86 Linux programs: a 91-byte static ELF32 that only
# calls exit(0), run from a file of its own. Nothing has to be installed to ask.
runs_32bit_linux() {
  [ "$(uname -m)" = x86_64 ] || [ "$(uname -m)" = i686 ] || return 1
  local probe status
  probe="$(mktemp "${TMPDIR:-/tmp}/jumplet-elf32.XXXXXX")" || return 1
  printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000' >"$probe"
  # executable, i386, version 1, entry 0x08048054, program headers at 52, one of them
  printf '\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000' >>"$probe"
  printf '\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000' >>"$probe"
  # one loadable segment: the whole file at 0x08048000, read and execute
  printf '\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010' >>"$probe"
  printf '\133\000\000\000\133\000\000\000\005\000\000\000\000\020\000\000' >>"$probe"
  # xor ebx,ebx; xor eax,eax; inc eax; int 0x80
  printf '\061\333\061\300\100\315\200' >>"$probe"
  chmod +x "$probe"
  "$probe" >/dev/null 2>&1
  status=$?
  rm -f "$probe"
  return "$status"
}

# The paths to take, each once, 32 before 64: the machine's, less what JUMPLET_PATHS leaves out.
windows_paths() {
  local have="64" chosen="${JUMPLET_PATHS:-32 64}" taken="" path
  runs_32bit_linux && have="32 64"
  for path in 32 64; do
    case " $chosen " in *" $path "*) ;; *) continue ;; esac
    case " $have " in *" $path "*) taken="$taken $path" ;; esac
  done
  echo "${taken# }"
}

# What a reader of a run is told it proved.
describe_windows_paths() {
  local paths=" $1 " said=""
  case "$paths" in *" 64 "*) said="64-bit build, wine64" ;; esac
  case "$paths" in *" 32 "*) said="${said:+$said; }32-bit build, wine (32-bit)" ;; esac
  [ -z "$said" ] && said="none"
  if ! runs_32bit_linux; then
    said="$said; 32-bit build: not runnable on this machine"
  else
    case "$paths" in *" 32 "*) ;; *) said="$said; 32-bit build: not chosen (JUMPLET_PATHS)" ;; esac
  fi
  echo "Windows programs under test: $said"
}

# The build tree of a path: build/win holds the 32-bit build, which ships, on every machine.
windows_build_dir() {
  case "$1" in
    32) echo "$windows_paths_root/build/win" ;;
    64) echo "$windows_paths_root/build/win64" ;;
  esac
}

windows_toolchain() {
  case "$1" in
    32) echo "$windows_paths_root/cmake/mingw-i686.cmake" ;;
    64) echo "$windows_paths_root/cmake/mingw-x86_64.cmake" ;;
  esac
}

# Makes wine, wineserver and wineboot in this shell those of the path. /usr/bin/wine would
# pick the 32-bit loader whenever its file exists, whether the kernel runs it or not.
use_windows_path() {
  case "$1" in
    32) export WINELOADER=/usr/lib/wine/wine WINESERVER=/usr/lib/wine/wineserver32 WINEARCH=win32 ;;
    64) export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64 WINEARCH=win64 ;;
    *) echo "no Windows path '$1'" >&2; return 1 ;;
  esac
  export JUMPLET_WINDOWS_PATH="$1"
}
wine() { "$WINELOADER" "$@"; }
wineserver() { "$WINESERVER" "$@"; }
wineboot() { "$WINELOADER" wineboot.exe "$@"; }

# For the scripts that run one program rather than the suite: the 32-bit path where the
# machine has it, else the 64-bit one.
use_first_windows_path() {
  local path
  path="$(windows_paths | cut -d' ' -f1)"
  if [ -z "$path" ]; then
    echo "no Windows path runs on this machine with JUMPLET_PATHS='${JUMPLET_PATHS:-}'" >&2
    return 1
  fi
  use_windows_path "$path"
}
