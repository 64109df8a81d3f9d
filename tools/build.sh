#!/usr/bin/env bash
# Configures and builds the native and the Windows build trees under build/.
#   tools/build.sh [native] [win]   (both when no argument is given)
set -euo pipefail
cd "$(dirname "$0")/.."
targets=("$@"); [ ${#targets[@]} -gt 0 ] || targets=(native win)
werror=OFF; [ -n "${CI:-}" ] && werror=ON
for t in "${targets[@]}"; do
  case "$t" in
    native) cmake -S . -B build/native -DTRIVOK_WERROR=$werror >/dev/null ;;
    win)    cmake -S . -B build/win -DTRIVOK_WERROR=$werror \
                  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null ;;
    *) echo "unknown build: $t" >&2; exit 2 ;;
  esac
  cmake --build "build/$t" -j"$(nproc)"
done
