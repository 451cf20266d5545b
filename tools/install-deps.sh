#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Swivex need, if missing.
set -euo pipefail

packages=(
  cmake g++ clang libclang-rt-14-dev googletest libjpeg62-turbo-dev   # native build and tests
  zlib1g-dev liblzma-dev                                               # reads compressed movies
  libssl-dev                                                           # SHA-256 natively
  time                                                                 # benchmarks: peak memory
  g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64 # Windows build
  libz-mingw-w64-dev make                                              # Windows zlib; builds liblzma
  nodejs npm                                                           # fetches library sources
  fp-utils                                                             # compiles the help file
  wine wine64 xvfb xdotool fonts-wine imagemagick                      # runs and tests under Wine
  wixl zip unzip                                                       # packages; their tests
  chromium                                                             # draws projectors' pages in tests
  python3                                                              # serves web folders in tests
)

missing=()
for package in "${packages[@]}"; do
  # A nodejs from NodeSource brings its own npm and conflicts with Debian's npm package.
  [ "$package" = npm ] && command -v npm >/dev/null && continue
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
