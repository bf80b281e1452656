#!/usr/bin/env bash
# Start-up benchmark: vantrelle.exe against the floor program, launched
# alternately with a warm wineserver on a display and in a prefix of its own.
# Usage: scripts/bench-startup.sh [runs] [build-tree]   (default: 30, build/win32,
# or build/win64 where this machine cannot run 32-bit programs)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# Beside a qemu binfmt entry for 32-bit programs, run in a namespace whose
# binfmt_misc is empty (as the end-to-end rig does), so nothing crawls under qemu.
if [ -z "${BENCH_PRIVATE_BINFMT:-}" ] && grep -qs '^enabled' /proc/sys/fs/binfmt_misc/qemu-i386; then
  export BENCH_PRIVATE_BINFMT=1
  exec unshare -Urm bash -c 'mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc && exec bash "$0" "$@"' "$0" "$@"
fi
runs=${1:-30}
tree=${2:-}
if [ -z "$tree" ]; then
  tree="$root/build/win32"
  /usr/lib/wine/wine --version >/dev/null 2>&1 || tree="$root/build/win64"
fi
[ -d "$tree" ] || "$root/scripts/build.sh" "$(basename "$tree")"
cmake --build "$tree" --target vantrelle startup-floor startup-timer >/dev/null || exit 1
case "$tree" in *64*) loader=/usr/lib/wine/wine64; export WINEARCH=win64 ;; *) export WINEARCH=win32 ;; esac

work=$(mktemp -d /tmp/vantrelle-bench-startup.XXXXXX)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINELOADER=$loader LC_ALL=zh_CN.UTF-8
xvfb_pid=''
cleanup() { wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; [ -n "$xvfb_pid" ] && kill "$xvfb_pid"; rm -rf "$work"; }
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(head -1 "$work/display")"

"$loader" wineboot -i >/dev/null 2>&1
"$loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
"$loader" reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d /bin/true /f >/dev/null
wineserver -w; wineserver -p
mkdir -p "$work/run"
cp "$tree/app/vantrelle.exe" "$tree/bench/startup/startup-floor.exe" "$work/run/"
"$loader" "$tree/bench/startup/startup-timer.exe" "$runs" "Z:${work//\//\\}\\run\\vantrelle.exe" \
  "Z:${work//\//\\}\\run\\startup-floor.exe"
