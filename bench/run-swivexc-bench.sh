#!/usr/bin/env bash
# Times swivexc against the system's own tools on the same bytes, in the same run:
#   info    on a 1 GiB projector (a 3 MB stub and an FWS movie)  vs  sha256sum of that file
#   extract of a folder of 8 projectors (128 MiB movies each)    vs  cat of their 8 movies
# natively and under Wine, and prints each time and its ratio (goals: info <= 1.20,
# extract <= 1.10). Each is the best of several runs, of the elapsed time and, apart, of the
# processor time (user + system): on a machine that other work shares, the elapsed times wait
# for the processor as much as they measure the work, the processor times much less. SWIVEX_BENCH_MIB=N makes the projector N MiB and each movie N/8 MiB.
#   bench/run-swivexc-bench.sh [NATIVE_BUILD_DIR] [WIN64_BUILD_DIR]
# The build folders must hold a Release build of the swivexc target
# (cmake --build DIR --target swivexc); a folder without one is skipped.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
native=${1:-$root/build/bench-native}
win64=${2:-$root/build/win64}
# Memory-backed by default, as for the projector benchmark: disk write-back would swamp the
# copying being measured.
work=$(mktemp -d "${SWIVEX_BENCH_DIR:-/dev/shm}/swivexc-bench-XXXXXX")
cleanup() {
  if [ -n "${wine_state:-}" ]; then "$root/cmake/wine-session" stop "$wine_state" >/dev/null 2>&1; fi
  rm -rf "$work"
}
trap cleanup EXIT
runs=${SWIVEX_BENCH_RUNS:-5}
mib=${SWIVEX_BENCH_MIB:-1024}

# An FWS movie of about `bytes` bytes: the frame fields, one long DefineBinaryData tag (code 87)
# of random bytes, the End tag.
make_movie() {
  local bytes=$1 out=$2
  local data=$((bytes - 8 - 13 - 6 - 2))
  python3 - "$data" "$out.head" <<'PY'
import struct, sys
data = int(sys.argv[1])
frame = bytes([0x78, 0x00, 0x05, 0x5F, 0x00, 0x00, 0x0F, 0xA0, 0x00, 0x00, 0x18, 0x01, 0x00])
tag = struct.pack('<HI', 87 << 6 | 0x3F, data)
length = 8 + len(frame) + len(tag) + data + 2
open(sys.argv[2], 'wb').write(b'FWS\x0a' + struct.pack('<I', length) + frame + tag)
PY
  { cat "$out.head"; head -c "$data" /dev/urandom; printf '\0\0'; } >"$out"
  rm "$out.head"
}

# A projector: the stub, the movie, the marker 0xFA123456 and the movie's length, little-endian.
make_projector() {
  local stub=$1 movie=$2 out=$3
  python3 - "$(stat -c %s "$movie")" "$out.trailer" <<'PY'
import struct, sys
open(sys.argv[2], 'wb').write(struct.pack('<II', 0xFA123456, int(sys.argv[1])))
PY
  cat "$stub" "$movie" "$out.trailer" >"$out"
  rm "$out.trailer"
}

head -c $((3 * 1000 * 1000)) /dev/urandom >"$work/stub.exe"
make_movie $((mib * 1024 * 1024 - 3 * 1000 * 1000 - 8)) "$work/big.swf"
make_projector "$work/stub.exe" "$work/big.swf" "$work/big.exe"
movie_sha256=$(sha256sum "$work/big.swf" | cut -c1-64)
rm "$work/big.swf"
mkdir -p "$work/folder" "$work/movies" "$work/cat-out" "$work/out"
for i in 1 2 3 4 5 6 7 8; do
  make_movie $((mib * 1024 * 1024 / 8)) "$work/movies/m$i.swf"
  make_projector "$work/stub.exe" "$work/movies/m$i.swf" "$work/folder/m$i.exe"
done

# Elapsed and processor seconds of one command: "ELAPSED CPU".
measure() {
  /usr/bin/time -f '%e %U %S' -o "$work/time.txt" "$@" >/dev/null
  awk '{printf "%s %.2f\n", $1, $2 + $3}' "$work/time.txt"
}

# The best elapsed and the best processor time of $runs runs of a command (least disturbed by
# other work on the machine): "ELAPSED CPU".
best() {
  local best_e="" best_c="" e c
  for _ in $(seq "$runs"); do
    read -r e c < <(measure "$@")
    if [ -z "$best_e" ] || awk "BEGIN{exit !($e < $best_e)}"; then best_e=$e; fi
    if [ -z "$best_c" ] || awk "BEGIN{exit !($c < $best_c)}"; then best_c=$c; fi
  done
  echo "$best_e $best_c"
}

ratio() { awk "BEGIN{printf \"%.2f\", $1 / ($2 > 0 ? $2 : 0.01)}"; }

# NAME TOOL GOAL "OURS_E OURS_C" "TOOL_E TOOL_C"
line() {
  local ours_e ours_c tool_e tool_c
  read -r ours_e ours_c <<<"$4"
  read -r tool_e tool_c <<<"$5"
  printf '%-7s %-7s %6.2f s  %-9s %6.2f s  ratio %s (processor %5.2f s / %5.2f s: %s)  goal <= %s\n' \
    "$name" "$1" "$ours_e" "$2" "$tool_e" "$(ratio "$ours_e" "$tool_e")" "$ours_c" "$tool_c" \
    "$(ratio "$ours_c" "$tool_c")" "$3"
}

report() {
  local name=$1
  shift
  local runner=("$@")
  local hash info copy extract
  hash=$(best sha256sum "$work/big.exe")
  info=$(best "${runner[@]}" info "$big_arg")
  copy=$(best sh -c 'for i in 1 2 3 4 5 6 7 8; do cat "$0/movies/m$i.swf" >"$0/cat-out/m$i.swf"; done' "$work")
  extract=$(best "${runner[@]}" extract "$folder_arg" -o "$out_arg" --force)
  for i in 1 2 3 4 5 6 7 8; do
    cmp -s "$work/movies/m$i.swf" "$work/out/m$i.swf" || { echo "$name: m$i.swf differs" >&2; exit 1; }
  done
  "${runner[@]}" info "$big_arg" --json | grep -q "\"sha256\": \"$movie_sha256\"" ||
    { echo "$name: info gives another SHA-256 than the movie's" >&2; exit 1; }
  line info sha256sum 1.20 "$info" "$hash"
  line extract cat 1.10 "$extract" "$copy"
  rm -f "$work"/out/* "$work"/cat-out/*
}

echo "$mib MiB projector for info; 8 projectors of $((mib / 8)) MiB movies for extract; best of $runs runs"
if [ -x "$native/Swivex/swivexc" ]; then
  big_arg=$work/big.exe folder_arg=$work/folder out_arg=$work/out
  report native "$native/Swivex/swivexc"
fi
if [ -f "$win64/Swivex/swivexc.exe" ]; then
  wine_state=$work/wine
  "$root/cmake/wine-session" start "$wine_state" >/dev/null
  source "$wine_state/env"
  z() { echo "Z:${1//\//\\}"; }
  big_arg=$(z "$work/big.exe") folder_arg=$(z "$work/folder") out_arg=$(z "$work/out")
  report wine wine "$win64/Swivex/swivexc.exe"
fi
