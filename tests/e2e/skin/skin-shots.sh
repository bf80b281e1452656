#!/usr/bin/env bash
# Pictures of MainWindow and PromoWindow under chosen catalogue skins, with a
# pixel check that each skin is really worn (skin-shot.exe).
#   skin-shots.sh <build-tree> <output-dir> <skin>...
# Needs WINEPREFIX and DISPLAY set (a prefix and an Xvfb display of the
# caller's own); WINELOADER picks wine or wine64 to match the build.
set -euo pipefail
build=${1:?build tree} out=${2:?output dir}; shift 2
loader=${WINELOADER:-wine}
mkdir -p "$out"
work=$(mktemp -d)
status=0
for n in "$@"; do
  dir="$work/skin-$n"; mkdir -p "$dir"
  cp "$build/app/vantrelle.exe" "$dir/"
  # The chooser build, found beside the program and kept since it exists.
  cp "$build/tests/e2e/skin/chooser/SkinH_EL.dll" "$dir/"
  (cd "$dir" && VANTRELLE_TEST_SKIN=$n "$loader" vantrelle.exe >/dev/null 2>&1 &)
  if ! "$loader" "$build/tests/e2e/skin/skin-shot.exe" "$n" promo > "$dir/check.txt" 2>&1; then
    status=1
  fi
  tr -d '\r' < "$dir/check.txt"
  import -display "$DISPLAY" -window root "$dir/root.png"
  while read -r name x y w h; do
    [ "$name" = main ] || [ "$name" = promo ] || continue
    convert "$dir/root.png" -crop "${w}x${h}+${x}+${y}" +repage "$out/$name-skin-$(printf %02d "$n").png"
  done < <(tr -d '\r' < "$dir/check.txt")
  wineserver -k || true
  wineserver -w || true
done
rm -rf "$work"
exit $status
