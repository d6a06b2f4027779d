#!/usr/bin/env bash
# Installs what the build, the tests and the demo need on a Debian machine.
# Safe to run again: it only installs what is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config python3 ccache
  googletest libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  libfreetype-dev libfontconfig-dev libpng-dev
  mingw-w64 g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-win32 binutils-mingw-w64
  wine wine64 wine32:i386 xvfb xauth xdotool x11-utils imagemagick fonts-liberation procps
  clang libclang-rt-dev
  cups printer-driver-cups-pdf poppler-utils
  fp-utils libchm-bin
)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

# The 32-bit programs are run under 32-bit Wine, which needs the i386
# architecture and its package lists.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "Adding the i386 architecture"
  $SUDO dpkg --add-architecture i386
  $SUDO apt-get update -qq
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
