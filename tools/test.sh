#!/usr/bin/env bash
# Installs what is missing, builds every configuration and runs every test:
#   linux-release - swivexc and the Linux player stub as they ship, and their packages, which
#           the native tests install
#   native  - g++ with AddressSanitizer and UndefinedBehaviorSanitizer, POSIX platform
#   fuzz    - clang with libFuzzer, a bounded run of each fuzzer
#   win64   - the mingw-w64 product and its tests, run under Wine in Xvfb
# Prints one closing line with the totals; exits non-zero if anything failed.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)
log=$root/build/test-logs
mkdir -p "$log"

bash tools/install-deps.sh || exit 1

passed=0
failed=0
run_suite() {
  local name=$1 dir=$2
  echo "== $name: tests (at ${SECONDS} s)"
  (cd "$dir" && ctest --output-on-failure -j"$jobs" --timeout 600) 2>&1 | tee "$log/$name.log"
  local summary
  summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log/$name.log" | tail -1)
  if [ -z "$summary" ]; then
    failed=$((failed + 1))
    return
  fi
  local bad total
  bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$summary")
  total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$summary")
  passed=$((passed + total - bad))
  failed=$((failed + bad))
}

# build NAME TARGET CONFIGURE-ARGUMENTS...
build() {
  local name=$1 target=$2
  shift 2
  echo "== $name: build (at ${SECONDS} s)"
  if ! cmake -S . -B "build/$name" "$@" >"$log/$name-configure.log" 2>&1; then
    cat "$log/$name-configure.log"
    failed=$((failed + 1))
    return 1
  fi
  if ! cmake --build "build/$name" -j"$jobs" --target "$target" >"$log/$name-build.log" 2>&1; then
    grep -E -B2 -A6 'error|Error' "$log/$name-build.log" | head -80
    failed=$((failed + 1))
    return 1
  fi
}

# Only the two programs that ship for Linux, and their packages.
packages=""
build linux-release package -DCMAKE_BUILD_TYPE=Release -DSWIVEX_STATIC=ON -DSWIVEX_TESTS=OFF &&
  packages=$root/build/linux-release
build native all -DCMAKE_BUILD_TYPE=Debug -DSWIVEX_SANITIZE=ON -DSWIVEX_LINUX_RELEASE_DIR="$packages" &&
  run_suite native build/native
CC=clang CXX=clang++ build fuzz all -DCMAKE_BUILD_TYPE=Debug -DSWIVEX_FUZZ=ON && run_suite fuzz build/fuzz
build win64 all -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release &&
  run_suite win64 build/win64

echo "Screenshots and other test artifacts: $root/build/win64/artifacts"
echo "tests: $passed passed, $failed failed, in ${SECONDS} s"
[ "$failed" -eq 0 ]
