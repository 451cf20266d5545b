#!/usr/bin/env bash
# Installs what is missing, builds Swivex for Windows and makes its two packages:
#   build/win64/dist/Swivex-<version>-win64.zip and .msi
# and builds swivexc and the player stub for Linux as they ship (linked statically but for the C
# library) and makes their two packages:
#   build/linux-release/dist/swivex_<version>_amd64.deb and swivex-<version>-linux-x86_64.tar.gz
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh
cmake -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
nice cmake --build build/win64 -j"$(nproc)" --target package
cmake -S . -B build/linux-release -DCMAKE_BUILD_TYPE=Release -DSWIVEX_STATIC=ON -DSWIVEX_TESTS=OFF >/dev/null
nice cmake --build build/linux-release -j"$(nproc)" --target package
ls -1 build/win64/dist/*.zip build/win64/dist/*.msi build/linux-release/dist/*.deb \
  build/linux-release/dist/*.tar.gz
