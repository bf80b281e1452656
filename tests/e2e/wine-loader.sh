# Sourced by the Wine case scripts: picks the loader that fits a PE file
# (32-bit PE needs wine32, 64-bit wine64) and sets loader and arch, or skips
# the case (exit 77) where that loader cannot start.
#   pick_wine_loader <pe-file>
pick_wine_loader() {
  local pe_offset machine
  pe_offset=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  machine=$(od -An -tx2 -j $((pe_offset + 4)) -N2 "$1" | tr -d ' ')
  case "$machine" in
    014c) loader=/usr/lib/wine/wine;   arch=win32 ;;
    8664) loader=/usr/lib/wine/wine64; arch=win64 ;;
    *) echo "unknown PE machine $machine in $1" >&2; exit 1 ;;
  esac
  if ! "$loader" --version >/dev/null 2>&1; then
    # Seen on virtual machines that disable the kernel's 32-bit emulation:
    # no 32-bit Linux program (wine32 included) can start there.
    echo "SKIP: $loader cannot run on this machine ($(uname -r)); the $arch build cannot be driven here"
    exit 77
  fi
}
