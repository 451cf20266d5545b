#!/usr/bin/env bash
# Times a Linux projector from its start to the first red frame of its movie in Chromium, against
# the same page and files served by `python3 -m http.server`, in paired runs (bench/
# PlaybackBench.mjs), with a release build of the Linux player stub.
#   bench/run-playback-bench.sh [RUNS] [NATIVE_RELEASE_BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-10}
build=${2:-$root/build/bench-native}
bash "$root/tools/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DSWIVEX_TESTS=OFF >/dev/null
cmake --build "$build" --target Viewhost -j"$(nproc)" >/dev/null
exec node --experimental-websocket --no-warnings "$root/bench/PlaybackBench.mjs" \
  "$build/Swivex/viewhost" "$build/ruffle/unpacked/package" "$runs"
