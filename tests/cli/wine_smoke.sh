#!/bin/sh
# Runs vantrelle-text.exe under Wine and checks what only the Windows build can
# get wrong: standard streams in binary mode (CR LF, Ctrl+Z and NUL bytes come
# through untouched), exit statuses, and byte-exact GBK and UTF-8.
# Usage: wine_smoke.sh path/to/vantrelle-text.exe   (exit 77: Wine does not start)
set -eu
exe=$1
work=$(mktemp -d /tmp/cli-wine-smoke-XXXXXX)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
# A machine where Wine cannot start at all skips the test (status 77).
if ! wineboot -i >/dev/null 2>&1; then
  echo "wine cannot start here: skipped"
  exit 77
fi

failures=0
# check NAME EXPECTED-STATUS EXPECTED-OUTPUT-FILE INPUT-FILE ARGS...
check() {
  name=$1 want_status=$2 want=$3 input=$4
  shift 4
  status=0
  wine "$exe" "$@" <"$input" >"$work/out" 2>"$work/err" || status=$?
  if [ "$status" -ne "$want_status" ] || ! cmp -s "$want" "$work/out"; then
    echo "FAIL $name: status $status (want $want_status)"; od -An -tx1 "$work/out" | head -5; cat "$work/err"
    failures=$((failures + 1))
  else
    echo "ok   $name"
  fi
}

# One-byte characters never change and a last lone lead byte stands alone,
# so this text must come back exactly as it went in.
printf 'ab\r\n\032\000cd\r\r\n\201' >"$work/plain.gbk"
check "martian keeps bytes" 0 "$work/plain.gbk" "$work/plain.gbk" --gbk martian
check "traditional keeps bytes" 0 "$work/plain.gbk" "$work/plain.gbk" --gbk traditional

printf 'abc\r\nd\n' >"$work/lines"
printf '_Smileabc\251\144\r\n_Smiled\251\144\n' >"$work/lines.18"
check "decorate GBK keeps CR LF" 0 "$work/lines.18" "$work/lines" --gbk decorate 18

printf 'QQ\345\257\266\350\264\235\360\237\230\200' >"$work/nick.utf8"            # QQ寶贝 and an emoji
printf '\357\274\202QQ\345\257\266\350\264\235\360\237\230\200\343\202\233' >"$work/nick.1"  # ＂…゛
check "decorate UTF-8" 0 "$work/nick.1" "$work/nick.utf8" decorate 1

printf 'a\377' >"$work/bad.utf8"
: >"$work/empty"
check "invalid UTF-8 refused" 1 "$work/empty" "$work/bad.utf8" martian
check "style 21 refused" 2 "$work/empty" "$work/empty" decorate 21

[ "$failures" -eq 0 ]
