#!/usr/bin/env bash
# Configures and builds the native and the Windows build trees under build/.
#   tools/build.sh [native] [win] [--target NAME...]
# Both trees when none is named; --target builds only those targets.
set -euo pipefail
cd "$(dirname "$0")/.."
trees=()
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    native|win) trees+=("$1") ;;
    --target) shift; targets=(--target "$@"); break ;;
    *) echo "unknown build: $1" >&2; exit 2 ;;
  esac
  shift
done
[ ${#trees[@]} -gt 0 ] || trees=(native win)
werror=OFF; [ -n "${CI:-}" ] && werror=ON
for t in "${trees[@]}"; do
  case "$t" in
    native) cmake -S . -B build/native -DTRIVOK_WERROR=$werror >/dev/null ;;
    win)    cmake -S . -B build/win -DTRIVOK_WERROR=$werror \
                  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null ;;
  esac
  cmake --build "build/$t" -j"$(nproc)" "${targets[@]}"
done
