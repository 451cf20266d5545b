#!/usr/bin/env bash
# Installs what is missing, builds the Windows program folder and starts Swivex under Wine.
# Without a display it runs in Xvfb, saves a screenshot of the main window, prints its path and
# ends the program again (tools/start-swivex.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win64 -j"$(nproc)"
exec bash tools/start-swivex.sh build/win64/Swivex
