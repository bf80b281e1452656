#!/usr/bin/env bash
# Installs everything the build, the tests and the benchmarks need, from
# Debian's packages. Safe to run again: it skips the work when nothing is missing.
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  g++-mingw-w64-i686 binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-win32 wine64
  clang libclang-rt-14-dev
  googletest libgtest-dev libbenchmark-dev
  opencc libopencc-dev manpages-zh
  wine wine32:i386 xvfb xauth x11-utils imagemagick
  fonts-wqy-zenhei fonts-wine
  locales attr file python3
)

need_install=0
dpkg --print-foreign-architectures | grep -qx i386 || need_install=1
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed' || { need_install=1; break; }
done

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

if [ "$need_install" -eq 1 ]; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
  "${sudo_cmd[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${packages[@]}"
fi

# The tests run the program under both a Chinese and an English system locale.
need_locales=0
for l in zh_CN.utf8 en_US.utf8; do
  locale -a 2>/dev/null | grep -qix "$l" || need_locales=1
done
if [ "$need_locales" -eq 1 ]; then
  for l in 'zh_CN.UTF-8 UTF-8' 'en_US.UTF-8 UTF-8'; do
    grep -qx "$l" /etc/locale.gen || echo "$l" | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  done
  "${sudo_cmd[@]}" locale-gen
fi
