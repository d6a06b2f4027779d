#!/usr/bin/env bash
# Runs the cross-built Windows tests under wine64 with a private prefix.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build/win64"
if [ -x "$build/tests/win32_tests.exe" ] || [ -f "$build/tests/win32_tests.exe" ]; then
  source "$root/scripts/wine-env.sh"
  wine_start
  trap wine_stop EXIT
  wine64 "$build/tests/win32_tests.exe"
fi
