#!/usr/bin/env bash
# Installs what is missing, builds the Windows program folder and starts Swivex under Wine.
# Without a display it runs in Xvfb, saves a screenshot of the main window and prints its path.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win64 -j"$(nproc)"
if [ ! -f build/win64/Swivex/Swivex.exe ]; then
  echo "Built the conversions and their tests; Swivex.exe, the program with its main window, is not part of this build yet." >&2
  exit 1
fi
exec tools/start-swivex.sh build/win64/Swivex
