#!/usr/bin/env bash
# Runs every fuzzer of a fuzz build for a given number of executions, one after the other, and
# prints for each the executions, the seconds, the executions per second, the crashes and the
# sanitizer reports. Builds nothing: build first with
#   CC=clang CXX=clang++ cmake -S . -B build/fuzz -DSWIVEX_FUZZ=ON && cmake --build build/fuzz
#
#   fuzz/run-fuzzers.sh -runs=N [-extract-movie-runs=M] [BUILD_FOLDER]
# N executions for each fuzzer, M (default N) for extract_movie_fuzzer; BUILD_FOLDER defaults to
# build/fuzz. Each fuzzer grows its corpus in BUILD_FOLDER/fuzz/corpus/NAME, as the CTest runs
# do; logs and any crashing inputs go to BUILD_FOLDER/fuzz/runs. Exits non-zero if a fuzzer
# crashed, reported anything or did not run to its count.
set -uo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)

runs=""
extract_runs=""
build=$source_dir/build/fuzz
for argument in "$@"; do
  case $argument in
    -runs=*) runs=${argument#-runs=} ;;
    -extract-movie-runs=*) extract_runs=${argument#-extract-movie-runs=} ;;
    -*) echo "run-fuzzers: unknown option $argument" >&2; exit 2 ;;
    *) build=$argument ;;
  esac
done
if ! [[ $runs =~ ^[1-9][0-9]*$ ]] || ! [[ ${extract_runs:-1} =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: $0 -runs=N [-extract-movie-runs=M] [BUILD_FOLDER]" >&2
  exit 2
fi
extract_runs=${extract_runs:-$runs}

# Each fuzzer and the folder of its seed inputs, as fuzz/CMakeLists.txt gives them to CTest, with
# the longest input it gives each below.
fuzzers=(
  "extract_movie_fuzzer $source_dir/fuzz/seeds"
  "trailer_reading_fuzzer $source_dir/fuzz/stub-seeds"
  "saver_arguments_fuzzer $source_dir/fuzz/saver-seeds"
  "jpeg_picture_fuzzer $source_dir/tests/pictures/JpegSamples"
  "swf_reader_fuzzer $source_dir/fuzz/swf-seeds"
  "page_request_fuzzer $source_dir/fuzz/page-request-seeds"
)

for entry in "${fuzzers[@]}"; do
  if [ ! -x "$build/fuzz/${entry%% *}" ]; then
    echo "run-fuzzers: $build/fuzz/${entry%% *} is not built" >&2
    exit 2
  fi
done

logs=$build/fuzz/runs
mkdir -p "$logs"
failed=0
row='%-24s %12s %10s %10s %8s %18s\n'
# shellcheck disable=SC2059 # the format is the row above
printf "$row" fuzzer executions seconds "exec/s" crashes "sanitizer reports"
for entry in "${fuzzers[@]}"; do
  name=${entry%% *}
  seeds=${entry#* }
  count=$runs
  [ "$name" = extract_movie_fuzzer ] && count=$extract_runs
  max_len=4096
  [ "$name" = swf_reader_fuzzer ] && max_len=1024
  corpus=$build/fuzz/corpus/$name
  mkdir -p "$corpus"
  rm -f "$logs/$name".* "$logs/$name"-*
  log=$logs/$name.log

  start=$(date +%s.%N)
  "$build/fuzz/$name" -runs="$count" -max_len="$max_len" -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$logs/$name-" "$corpus" "$seeds" >"$log" 2>&1
  status=$?
  end=$(date +%s.%N)

  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  executions=${executions:-0}
  seconds=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.1f", b - a }')
  per_second=$(awk -v n="$executions" -v a="$start" -v b="$end" \
    'BEGIN { printf "%.0f", (b > a ? n / (b - a) : 0) }')
  crashes=$(find "$logs" -maxdepth 1 -name "$name-*" | wc -l)
  reports=$(grep -c -E 'runtime error:|ERROR: [A-Za-z]+Sanitizer|ERROR: libFuzzer' "$log")
  # shellcheck disable=SC2059
  printf "$row" "$name" "$executions" "$seconds" "$per_second" "$crashes" "$reports"
  if [ "$status" -ne 0 ] || [ "$crashes" -ne 0 ] || [ "$reports" -ne 0 ] ||
    [ "$executions" -lt "$count" ]; then
    echo "  failed (exit $status): see $log" >&2
    failed=1
  fi
done
exit $failed
