#!/usr/bin/env bash
# Builds vantrelle.exe and runs it under Wine.
#
# With a display ($DISPLAY set) the program opens there and the script waits
# until it is closed. Without one it runs on a private virtual display (Xvfb),
# a screenshot is taken after a few seconds (build/screenshot-run.png, or the
# file named by VANTRELLE_SCREENSHOT) and the program is then closed.
#
# Wine runs in a private prefix under ~/.cache/vantrelle-wine, made on the
# first run, so the user's own Wine setup is never touched.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/install-deps.sh"
# The win32 tree as scripts/build.sh makes it, but only the program: a test
# target that does not build never stops the program from running.
cmake -S "$root" -B "$root/build/win32" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$root/build/win32" --target vantrelle -j "$(nproc)"
exe="$root/build/win32/app/vantrelle.exe"

# The 32-bit program needs Wine's 32-bit loader, which needs a kernel that
# runs 32-bit code. Where it cannot, a 64-bit build of the same sources runs
# under wine64 instead.
wine=(wine)
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  if [ -x /usr/lib/wine/wine64 ] && [ -f "$root/cmake/mingw-x86_64.cmake" ]; then
    echo "run.sh: this system cannot run 32-bit code; running a 64-bit build instead" >&2
    cmake -S "$root" -B "$root/build/win64" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" >/dev/null
    cmake --build "$root/build/win64" --target vantrelle -j "$(nproc)"
    exe="$root/build/win64/app/vantrelle.exe"
    wine=(/usr/lib/wine/wine64)
  else
    echo "run.sh: Wine's 32-bit loader cannot run on this system (no 32-bit support in the kernel?)" >&2
    exit 1
  fi
fi

export WINEPREFIX="${VANTRELLE_WINEPREFIX:-$HOME/.cache/vantrelle-wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"  # no Mono or Gecko prompts

# The program writes SkinH_EL.dll beside itself, so it runs from a copy in a
# directory of its own rather than from the build tree.
rundir="$WINEPREFIX/drive_c/vantrelle"

prepare_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    "${wine[@]}" wineboot -i >/dev/null 2>&1 || true
  fi
  # Wine draws the frames itself (no window manager is needed).
  "${wine[@]}" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
  mkdir -p "$rundir"
  cp "$exe" "$rundir/vantrelle.exe"
}

if [ -n "${DISPLAY:-}" ]; then
  prepare_prefix
  "${wine[@]}" "$rundir/vantrelle.exe"
  exit 0
fi

# No display: a virtual one, on the first free number from 90.
number=90
while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do number=$((number + 1)); done
Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$number"
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

prepare_prefix
"${wine[@]}" "$rundir/vantrelle.exe" &
program=$!
sleep "${VANTRELLE_SHOT_DELAY:-6}"
shot="${VANTRELLE_SCREENSHOT:-$root/build/screenshot-run.png}"
import -window root "$shot"
echo "run.sh: screenshot written to $shot"
kill "$program" 2>/dev/null || true
