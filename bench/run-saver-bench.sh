#!/usr/bin/env bash
# Times the screen saver from its start to the first red frame of its movie in Chromium, against
# a projector of the same movie, both under Wine in a session of their own, in paired runs
# (bench/SaverBench.mjs), with the win64 build's Glowdrift.dll, Viewhost.exe and the stand-in for
# Chrome that the saver's tests use.
#   bench/run-saver-bench.sh [RUNS] [WIN64_BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-10}
build=${2:-$root/build/win64}
bash "$root/tools/install-deps.sh"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target glowdrift Viewhost glowdrift_browser_stand_in -j"$(nproc)" >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/swivex-saver-bench-XXXXXX")
cleanup() {
  "$root/cmake/wine-session" stop "$work/wine" >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/projector" "$work/saver" "$work/browser"

# The red rectangle (tests/support/RedRectangleMovie.h); the projector is the stub, the movie,
# the marker 0xFA123456 and the movie's length, little-endian.
python3 - "$work" <<'PY'
import struct, sys
movie = bytes.fromhex(
    "4657530a4b0000007800055f00000fa000001801004302ffffffa4000100781f452080640ed8000100ff00"
    "00001015e07d00c87d13887a9c20f4b1e1eb8f80008506020100010040000000")
assert len(movie) == 75
work = sys.argv[1]
open(f"{work}/saver/Glowdrift.swf", "wb").write(movie)
open(f"{work}/movie.trailer", "wb").write(struct.pack("<II", 0xFA123456, len(movie)))
PY
cat "$build/Swivex/Viewhost.exe" "$work/saver/Glowdrift.swf" "$work/movie.trailer" \
  >"$work/projector/red.exe"
cp "$build/Swivex/Glowdrift.dll" "$work/saver/Glowdrift.scr"
cp "$build/tests/bin/glowdrift_browser_stand_in.exe" "$work/browser/chrome.exe"
cat >"$work/open-address.sh" <<SH
#!/bin/sh
echo "\$1" >"$work/address.partial" && mv "$work/address.partial" "$work/address.txt"
SH
chmod +x "$work/open-address.sh"

"$root/cmake/wine-session" start "$work/wine" >/dev/null
source "$work/wine/env"
windows_path() { echo "Z:${1//\//\\}"; }
wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\App Paths\chrome.exe' /ve \
  /d "$(windows_path "$work/browser/chrome.exe")" /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$work/open-address.sh" /f \
  >/dev/null 2>&1
node --experimental-websocket --no-warnings "$root/bench/SaverBench.mjs" "$work" "$runs"
