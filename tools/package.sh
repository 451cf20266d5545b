#!/usr/bin/env bash
# Installs what is missing, builds Swivex for Windows and makes its two packages:
#   build/win64/dist/Swivex-<version>-win64.zip and .msi
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh
cmake -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
nice cmake --build build/win64 -j"$(nproc)" --target package
ls -1 build/win64/dist/*.zip build/win64/dist/*.msi
