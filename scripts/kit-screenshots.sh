#!/bin/bash
# Screenshots of the dialogue kit's windows (message, entry windows, value
# boxes) at scale 1.0 (1280 x 720) and 1.5 (1920 x 1080), saved as
# build/screenshots/kit-*.png. Uses the cross-built win32_tests.exe.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build/win64}"
shots="$root/build/screenshots"
source "$root/scripts/wine-env.sh"
mkdir -p "$shots"
export BALANCER_FORCE_XVFB=1

for run in "1.0 1280x720x24" "1.5 1920x1080x24"; do
  set -- $run
  wine_start "" "$2"
  export BALANCER_KIT_SHOTS="Z:${shots//\//\\}" BALANCER_KIT_SCALE="$1"
  wine_run "$build/tests/win32_tests.exe" --gtest_filter='KitGallery.*' --gtest_brief=1 || true
  wine_stop
done
for bmp in "$shots"/kit-*.bmp; do
  [ -e "$bmp" ] || continue
  convert "$bmp" "${bmp%.bmp}.png"
  rm -f "$bmp"
done
ls "$shots"/kit-*.png
