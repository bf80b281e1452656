#!/usr/bin/env bash
# Runs one end-to-end case of vantrelle-e2e.exe against vantrelle.exe, on a
# display and in a Wine prefix of its own, and stops only what it started.
#   run-case.sh --prepare          builds the template prefix (a ctest fixture)
#   run-case.sh <case> <zh|en>     one case under one display language
# Environment (set by tests/e2e/CMakeLists.txt): E2E_DRIVER, E2E_PROGRAM,
# E2E_WORK, E2E_SCREENSHOTS. Exit 77 tells ctest the case was skipped.
set -uo pipefail
: "${E2E_DRIVER:?}" "${E2E_PROGRAM:?}" "${E2E_WORK:?}"

# A machine that runs 32-bit programs through qemu (a binfmt_misc entry) makes
# wine32, and wine64's 32-bit set-up steps, crawl. The rig then runs in a user
# and mount namespace of its own with an empty binfmt_misc, where 32-bit
# programs simply cannot start.
if [ -z "${E2E_PRIVATE_BINFMT:-}" ] && grep -qs '^enabled' /proc/sys/fs/binfmt_misc/qemu-i386; then
  export E2E_PRIVATE_BINFMT=1
  exec unshare -Urm bash -c 'mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc && exec bash "$0" "$@"' "$0" "$@"
fi

. "$(dirname "$0")/wine-loader.sh"
pick_wine_loader "$E2E_DRIVER"
export WINEDEBUG=-all WINEARCH=$arch WINELOADER=$loader
template="$E2E_WORK/prefix-template-$arch"
mkdir -p "$E2E_WORK"

if [ "${1:-}" = --prepare ]; then
  rm -rf "$template"
  logger="$E2E_WORK/url-logger.sh"
  printf '#!/bin/sh\n# Records the address the shell was asked to open.\nprintf "%%s\\n" "$1" >> "$E2E_URL_LOG"\n' > "$logger"
  chmod +x "$logger"
  export WINEPREFIX="$template"
  "$loader" wineboot -i >"$E2E_WORK/prefix-template.log" 2>&1 || { cat "$E2E_WORK/prefix-template.log"; exit 1; }
  # Wine draws its own frames (no window manager in Xvfb; also removes a
  # 2-second stall on every hide), and web addresses go to the logger.
  "$loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null &&
  "$loader" reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$logger" /f >/dev/null || exit 1
  wineserver -k; wineserver -w   # the prefix is copied only once its server is gone
  echo "template prefix ready: $template"
  exit 0
fi

case_name=${1:?case} lang=${2:?language}
case "$lang" in
  zh) export LC_ALL=zh_CN.UTF-8 ;;
  en) export LC_ALL=en_US.UTF-8 ;;
  *) echo "unknown language $lang" >&2; exit 2 ;;
esac
[ -d "$template" ] || { echo "no template prefix at $template"; exit 1; }

dir="$E2E_WORK/$case_name.$lang"
rm -rf "$dir"; mkdir -p "$dir"
export WINEPREFIX="$dir/prefix" E2E_URL_LOG="$dir/urls.log"
export E2E_SHOT_READY="$dir/shot.ready" E2E_SHOT_DONE="$dir/shot.done"
cp -a "$template" "$WINEPREFIX"

xvfb_pid='' driver_pid=''
cleanup() {
  [ -n "$driver_pid" ] && kill "$driver_pid" 2>/dev/null
  wineserver -k 2>/dev/null; wineserver -w 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT

# A free display of its own: Xvfb picks the number and tells it.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display" >"$dir/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$dir/display" ] && break; sleep 0.05; done
[ -s "$dir/display" ] || { echo "Xvfb did not start"; cat "$dir/xvfb.log"; exit 1; }
export DISPLAY=":$(head -1 "$dir/display")"

wineserver -p   # warm and persistent for the case; stopped by cleanup
program_win="Z:${E2E_PROGRAM//\//\\}"
timeout 100 "$loader" "$E2E_DRIVER" "$case_name" "$program_win" &
driver_pid=$!

if [[ "$case_name" == screenshot-* ]]; then
  for _ in $(seq 600); do [ -e "$E2E_SHOT_READY" ] || ! kill -0 "$driver_pid" 2>/dev/null && break; sleep 0.1; done
  if [ -e "$E2E_SHOT_READY" ]; then
    mkdir -p "${E2E_SCREENSHOTS:?}"
    shot="${E2E_SCREENSHOTS}/${case_name#screenshot-}-$lang.png"
    import -display "$DISPLAY" -window root "$dir/root.png" && cp "$dir/root.png" "$shot" && echo "screenshot: $shot"
    touch "$E2E_SHOT_DONE"
  fi
fi
wait "$driver_pid"; status=$?; driver_pid=''
[ "$status" -eq 124 ] && echo "the driver timed out"
exit "$status"
