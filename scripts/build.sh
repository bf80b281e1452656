#!/usr/bin/env bash
# Builds everything: the native tree (text services, companion, unit tests,
# benchmarks), the Windows tree (the program, its skin library, the end-to-end
# driver) and the fuzzing tree (clang with sanitizers).
# Usage: scripts/build.sh [native|win32|fuzz]...   (default: all three)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"

jobs=$(nproc)
trees=("$@")
[ ${#trees[@]} -gt 0 ] || trees=(native win32 win64 fuzz)

for tree in "${trees[@]}"; do
  case "$tree" in
    native) cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=Release ;;
    win32)  cmake -S "$root" -B "$root/build/win32" -DCMAKE_BUILD_TYPE=Release \
              -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" ;;
    # The same program built 64-bit: the end-to-end rig drives it where the
    # machine cannot run 32-bit programs (its win32 tests then skip).
    win64)  cmake -S "$root" -B "$root/build/win64" -DCMAKE_BUILD_TYPE=Release \
              -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" ;;
    fuzz)   cmake -S "$root" -B "$root/build/fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
              -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DVANTRELLE_FUZZ=ON ;;
    *) echo "unknown tree: $tree" >&2; exit 2 ;;
  esac
  cmake --build "$root/build/$tree" -j "$jobs"
done
