#!/usr/bin/env bash
# Times BuildProjector and ExtractMovie on a 1 GiB movie (SWIVEX_BENCH_MIB=N: 4 x N MiB) with a 3 MB stub against cat copying
# the same bytes in the same run, natively and under Wine, and reports peak memory for two movie
# sizes (it should not grow with the movie).
#   bench/run-projector-bench.sh [NATIVE_BUILD_DIR] [WIN64_BUILD_DIR]
# The build folders must hold a Release build with the projector_bench target
# (cmake --build DIR --target projector_bench); a folder that does not exist is skipped.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
native=${1:-$root/build/bench-native}
win64=${2:-$root/build/win64}
# Memory-backed by default: on a disk, write-back of the gigabytes written swamps the copying
# being measured and varies from run to run by a factor of two.
work=$(mktemp -d "${SWIVEX_BENCH_DIR:-/dev/shm}/swivex-bench-XXXXXX")
cleanup() {
  if [ -n "${wine_state:-}" ]; then "$root/cmake/wine-session" stop "$wine_state" >/dev/null 2>&1; fi
  rm -rf "$work"
}
trap cleanup EXIT
runs=${SWIVEX_BENCH_RUNS:-5}

mkdir -p "$work/program"
head -c $((3 * 1000 * 1000)) /dev/urandom >"$work/program/Viewhost.exe"
head -c $((${SWIVEX_BENCH_MIB:-256} * 1024 * 1024)) /dev/urandom >"$work/small.swf"
{ cat "$work/small.swf" "$work/small.swf" "$work/small.swf" "$work/small.swf"; } >"$work/movie.swf"

# seconds and peak KB of one command: "SECONDS PEAK_KB"
measure() { /usr/bin/time -f '%e %M' -o "$work/time.txt" "$@" >/dev/null; cat "$work/time.txt"; }

# The best of $runs runs of a command (least disturbed by other work on the machine).
best() {
  local best_s="" best_kb=0 s kb
  for _ in $(seq $runs); do
    read -r s kb < <(measure "$@")
    if [ -z "$best_s" ] || awk "BEGIN{exit !($s < $best_s)}"; then best_s=$s; fi
    if [ "$kb" -gt "$best_kb" ]; then best_kb=$kb; fi
  done
  echo "$best_s $best_kb"
}

ratio() { awk "BEGIN{printf \"%.2f\", $1 / ($2 > 0 ? $2 : 0.01)}"; }

report() {
  local name=$1; shift
  local runner=("$@")
  local cat_build cat_extract build extract build_small
  read -r cat_build _ < <(best sh -c "cat '$work/program/Viewhost.exe' '$work/movie.swf' > '$work/cat.exe'")
  read -r build build_kb < <(best "${runner[@]}" build "$program_arg" "$movie_arg" "$bundle_arg")
  read -r cat_extract _ < <(best sh -c "cat '$work/movie.swf' > '$work/cat.swf'")
  read -r extract extract_kb < <(best "${runner[@]}" extract "$bundle_arg" "$out_arg")
  cmp -s "$work/movie.swf" "$work/out.swf" || { echo "$name: extracted movie differs" >&2; exit 1; }
  read -r _ build_small_kb < <(best "${runner[@]}" build "$program_arg" "$small_arg" "$bundle_arg")
  printf '%-7s build   %6.2f s  cat %6.2f s  ratio %s  peak %6d KB (movie of a quarter: %6d KB)\n' \
    "$name" "$build" "$cat_build" "$(ratio "$build" "$cat_build")" "$build_kb" "$build_small_kb"
  printf '%-7s extract %6.2f s  cat %6.2f s  ratio %s  peak %6d KB\n' \
    "$name" "$extract" "$cat_extract" "$(ratio "$extract" "$cat_extract")" "$extract_kb"
  printf '%-7s %s\n' "$name" "$("${runner[@]}" cancel "$program_arg" "$movie_arg" "$bundle_arg")"
  rm -f "$work/cat.exe" "$work/cat.swf" "$work/bundle.exe" "$work/out.swf"
}

echo "$((4 * ${SWIVEX_BENCH_MIB:-256})) MiB movie, 3 MB stub, best of $runs runs; ratio = conversion time / cat time (goal <= 1.10)"
if [ -x "$native/bench/projector_bench" ]; then
  program_arg=$work/program movie_arg=$work/movie.swf small_arg=$work/small.swf
  bundle_arg=$work/bundle.exe out_arg=$work/out.swf
  report native "$native/bench/projector_bench"
fi
if [ -f "$win64/bench/projector_bench.exe" ]; then
  wine_state=$work/wine
  "$root/cmake/wine-session" start "$wine_state" >/dev/null
  source "$wine_state/env"
  z() { echo "Z:${1//\//\\}"; }
  program_arg=$(z "$work/program") movie_arg=$(z "$work/movie.swf") small_arg=$(z "$work/small.swf")
  bundle_arg=$(z "$work/bundle.exe") out_arg=$(z "$work/out.swf")
  report wine wine "$win64/bench/projector_bench.exe"
fi
