#!/usr/bin/env bash
# Configures and builds the toolchains: build/native (g++), build/win64
# (MinGW-w64 x86_64, everything with the Windows-side tests) and build/win32
# (MinGW-w64 i686, only the shipped 32-bit programs: balancer.exe, setup.exe,
# usbprep32.exe). Usage: scripts/build.sh [native|win64|win32|all]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
what="${1:-all}"
jobs="$(nproc)"

# A compiler cache when there is one: rebuilds of other checkouts and of the
# same tree after a clean cost little. Paths are taken relative to the tree.
launcher=()
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR="$root"
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

# A build folder keeps the compiler it was first configured with; one
# configured from an older toolchain file is started afresh.
fresh_if_toolchain_changed() {
  local dir="$1" toolchain="$2" sum
  sum="$(sha256sum "$toolchain" | cut -d' ' -f1)"
  if [ -f "$dir/CMakeCache.txt" ] && [ "$(cat "$dir/.toolchain" 2>/dev/null)" != "$sum" ]; then
    echo "== $dir: the toolchain file changed, configuring afresh"
    rm -rf "$dir/CMakeCache.txt" "$dir/CMakeFiles"
  fi
  mkdir -p "$dir"
  echo "$sum" >"$dir/.toolchain"
}

if [ "$what" = native ] || [ "$what" = all ]; then
  cmake -S "$root" -B "$root/build/native" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
  cmake --build "$root/build/native" -j "$jobs"
fi
if [ "$what" = win64 ] || [ "$what" = all ]; then
  fresh_if_toolchain_changed "$root/build/win64" "$root/cmake/mingw-x86_64.cmake"
  cmake -S "$root" -B "$root/build/win64" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" "${launcher[@]}" >/dev/null
  cmake --build "$root/build/win64" -j "$jobs"
fi
if [ "$what" = win32 ] || [ "$what" = all ]; then
  fresh_if_toolchain_changed "$root/build/win32" "$root/cmake/mingw-i686.cmake"
  cmake -S "$root" -B "$root/build/win32" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBALANCER_TESTS=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" "${launcher[@]}" >/dev/null
  cmake --build "$root/build/win32" -j "$jobs" --target balancer setup usbprep32
fi
