#!/usr/bin/env bash
# One skinning case against the real vantrelle.exe under Wine and Xvfb.
#   skin-case.sh --prepare | <case>
# Environment: SKIN_BUILD (the Windows build tree), SKIN_SOURCE (the source
# tree), SKIN_WORK (scratch). Exit 77: skipped (ctest SKIP_RETURN_CODE).
#
# File attributes: Wine keeps DOS attributes in the extended attribute
# user.DOSATTRIB, which getfattr reads without Wine. It stores exactly what
# the program set ("0x2" for hidden); GetFileAttributesW would report 0x22,
# since Wine adds the archive bit to every regular file when it reads back.
set -uo pipefail
: "${SKIN_BUILD:?}" "${SKIN_SOURCE:?}" "${SKIN_WORK:?}"
program="$SKIN_BUILD/app/vantrelle.exe"
libs="$SKIN_BUILD/tests/e2e/skin"
real_library="$SKIN_BUILD/skin/library/SkinH_EL.dll"

. "$(dirname "$0")/../wine-loader.sh"
pick_wine_loader "$program"
export WINEDEBUG=-all WINEARCH=$arch WINELOADER=$loader LC_ALL=zh_CN.UTF-8
template="$SKIN_WORK/prefix-$arch"
mkdir -p "$SKIN_WORK"

if [ "${1:-}" = --prepare ]; then
  rm -rf "$template"
  export WINEPREFIX="$template"
  "$loader" wineboot -i >"$SKIN_WORK/prefix.log" 2>&1 || { cat "$SKIN_WORK/prefix.log"; exit 1; }
  "$loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null || exit 1
  wineserver -k; wineserver -w
  exit 0
fi

case_name=${1:?case}
dir="$SKIN_WORK/$case_name"
rm -rf "$dir"; mkdir -p "$dir/run"
run="$dir/run"
export WINEPREFIX="$dir/prefix"
cp -a "$template" "$WINEPREFIX" || { echo "no prefix template"; exit 1; }
xvfb_pid=''
cleanup() {
  wineserver -k 2>/dev/null; wineserver -w 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  chattr -i "$run" 2>/dev/null
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$dir/display" >"$dir/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$dir/display" ] && break; sleep 0.05; done
export DISPLAY=":$(head -1 "$dir/display")"
wineserver -p

winpath() { printf 'Z:%s' "${1//\//\\}"; }
fail() { echo "FAIL: $*"; exit 1; }
attr_of() { getfattr --only-values -n user.DOSATTRIB "$1" 2>/dev/null || echo none; }
hex_of() { printf '%b' "$1" | od -An -tx1 | tr -d ' \n'; }

# Runs the program from $run with the probe in mode $1; leaves the program's
# exit status in $status and the probe's report in $dir/probe.txt.
launch() {
  cp "$program" "$run/" 2>/dev/null || true
  (cd "$run" && exec "$loader" vantrelle.exe) >/dev/null 2>&1 &
  local pid=$!
  "$loader" "$libs/skin-probe.exe" "$1" | tr -d '\r' > "$dir/probe.txt"
  local probe=${PIPESTATUS[0]}
  wait "$pid"; status=$?
  cat "$dir/probe.txt"
  [ "$probe" -eq 0 ] || fail "probe $1 failed"
}

expect_box() {
  launch box
  grep -qx "text $(hex_of "$1")" "$dir/probe.txt" || fail "error box text differs"
  grep -qx 'main-shown 0' "$dir/probe.txt" || fail "MainWindow was shown before the error"
  [ "$status" -eq 255 ] || fail "exit status $status, expected 255 (-1)"
}

# The texts of ReportFatalError, UTF-8 in this script.
missing='运行时出错!\r\n\r\n错误信息：无法找到指定DLL库文件“SkinH_EL.dll”中的输出命令“SkinH_AttachRes”\r\n'
stack='运行时出错!\r\n\r\n错误代码：6\r\n\r\n错误信息：调用DLL命令后发现堆栈错误\r\n'

case "$case_name" in
  first-run)
    launch main
    [ "$status" -eq 0 ] || fail "exit status $status"
    cmp "$run/SkinH_EL.dll" "$real_library" || fail "written library differs from the image"
    [ "$(attr_of "$run/SkinH_EL.dll")" = 0x2 ] || fail "attributes $(attr_of "$run/SkinH_EL.dll"), expected 0x2"
    [ ! -e "$run/SkinH_EL.dll.partial" ] || fail "partial file left behind"
    ;;
  second-run)
    launch main
    setfattr -x user.DOSATTRIB "$run/SkinH_EL.dll"   # the user made it visible: no attribute left
    touch -d '2001-01-01 00:00' "$run/SkinH_EL.dll"
    before=$(stat -c '%Y %s %i' "$run/SkinH_EL.dll")
    launch main
    [ "$status" -eq 0 ] || fail "exit status $status"
    [ "$(stat -c '%Y %s %i' "$run/SkinH_EL.dll")" = "$before" ] || fail "the existing file was rewritten"
    [ "$(attr_of "$run/SkinH_EL.dll")" = none ] || fail "attributes changed to $(attr_of "$run/SkinH_EL.dll")"
    ;;
  directory)
    # A directory of that name counts as existing: nothing is written and it
    # is not touched. Wine's standard search then stops at that directory in
    # the program's own folder, before the search path, so even with a
    # library on WINEPATH the load fails with the fatal error.
    mkdir "$run/SkinH_EL.dll" "$dir/path"
    cp "$real_library" "$dir/path/"
    export WINEPATH="$(winpath "$dir/path")"
    expect_box "$missing"
    [ -d "$run/SkinH_EL.dll" ] && [ -z "$(ls -A "$run/SkinH_EL.dll")" ] || fail "directory changed"
    [ "$(attr_of "$run/SkinH_EL.dll")" = none ] || fail "directory attributes set"
    [ ! -e "$run/SkinH_EL.dll.partial" ] || fail "partial file left behind"
    ;;
  read-only)
    mkdir "$dir/path"; cp "$real_library" "$dir/path/"
    export WINEPATH="$(winpath "$dir/path")"
    cp "$program" "$run/"; chattr +i "$run"   # root ignores modes; immutable it is
    launch main
    [ "$status" -eq 0 ] || fail "exit status $status"
    [ "$(ls -A "$run")" = vantrelle.exe ] || fail "something was written: $(ls -A "$run")"
    ;;
  no-function)
    cp "$libs/nofunc/SkinH_EL.dll" "$run/"
    expect_box "$missing"
    cmp "$run/SkinH_EL.dll" "$libs/nofunc/SkinH_EL.dll" || fail "existing library replaced"
    ;;
  no-library)
    # Neither beside the program nor on the search path: same message.
    mkdir "$run/SkinH_EL.dll"
    expect_box "$missing"
    ;;
  cdecl)
    [ "$arch" = win32 ] || { echo "SKIP: x64 has one calling convention; the stack check is i686-only"; exit 77; }
    cp "$libs/cdecl/SkinH_EL.dll" "$run/"
    expect_box "$stack"
    ;;
  arguments)
    cp "$libs/recorder/SkinH_EL.dll" "$run/"
    export VANTRELLE_SKIN_RECORD="$(winpath "$dir/record.bin")"
    launch main
    [ "$status" -eq 0 ] || fail "exit status $status"
    python3 - "$dir/record.bin" "$SKIN_SOURCE/skin/generated/skin_catalogue.h" <<'PY' || fail "arguments differ"
import re, struct, sys
record = open(sys.argv[1], "rb").read()
header = open(sys.argv[2]).read()
body = re.search(r"kSkin04\[\d+\] = \{(.*?)\};", header, re.S).group(1)
skin4 = bytes(int(x, 16) for x in re.findall(r"0x([0-9A-F]{2})", body))
words = struct.unpack("<6I", record[:24])
print("address-set %d length %d text-length %d then %d %d %d" % words)
assert words == (1, len(skin4), 0, 0, 0, 0), words
assert record[24:] == skin4, "skin bytes differ"
PY
    ;;
  *) echo "unknown case $case_name"; exit 2 ;;
esac
echo "PASS: $case_name"
