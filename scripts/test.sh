#!/usr/bin/env bash
# Sets up everything and runs all tests: an optimised build and its Debian
# package under lintian, the same cases on Windows x64 (wine), Linux AArch64
# (qemu-user) and in WebAssembly (node), the page in Chromium, a clang build
# under AddressSanitizer and UndefinedBehaviorSanitizer with half a minute of
# fuzzing the whole run, and clang-tidy and cppcheck.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test

jobs=$(nproc)

# Each stage's time, and the whole run's, as they end.
stage_start=$SECONDS
stage() {
  [ "$stage_start" -ne "$SECONDS" ] && echo "-- stage took $((SECONDS - stage_start)) s (run so far $SECONDS s)"
  stage_start=$SECONDS
  echo "== $1"
}

# Checks that only read what is built run beside the stages, at the lowest
# priority: they take the time a stage leaves a core idle (configuring,
# linking, downloading, the emulators, the fuzzer's one process), and the
# rest at the end. Each one's output is shown when it is awaited.
declare -A behind
beside() {
  local name=$1
  shift
  nice -n 19 "$@" > "build/$name.log" 2>&1 &
  behind[$name]=$!
}
trap 'kill "${behind[@]}" 2>/dev/null || true' EXIT
await() {
  local status=0
  wait "${behind[$1]}" || status=$?
  cat "build/$1.log"
  [ "$status" -eq 0 ] || { echo "$1 failed (status $status)" >&2; exit "$status"; }
}

# -O2 without debug information, which would add a third to the compile time
# and change no instruction; the package strips it anyway. (As RelWithDebInfo,
# so that the Python module is built as in every other build, without LTO.)
# The programs that make the pictures in docs/ by hand are left out. The
# libraries compile a few sources at a time, the tests one by one; the
# sanitizers' build below compiles every source alone, so that each keeps its
# includes whole.
stage "Optimised build (-O2, warnings as errors)"
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" \
  -DVORTANE_WERROR=ON -DVORTANE_BUILD_TESTS=ON -DVORTANE_BUILD_BENCH=ON -DVORTANE_BUILD_PICTURES=OFF \
  -DCMAKE_EXPORT_COMPILE_COMMANDS=ON -DVORTANE_UNITY=ON
cmake --build build/release -j "$jobs"
ctest --test-dir build/release --output-on-failure -j "$jobs" | tee build/release/ctest.log
if [ -x build/release/bench/vortane_bench ]; then
  build/release/bench/vortane_bench --benchmark_min_time=0.01 >/dev/null
fi
# clang-tidy and cppcheck read this build's compile commands from here on.
beside lint scripts/lint.sh build/release

stage "Windows x64, Linux AArch64 and WebAssembly against the native build"
scripts/cross.sh build/release

stage "The page in Chromium, offline (scripts/web.sh built it in the cross check)"
scripts/page-test.sh build/release

stage "The Debian package, with the page, checked by lintian beside the stages that follow"
cmake -DVORTANE_PAGE="$PWD/build/web/vortane.html" build/release >/dev/null
ctest --test-dir build/release --output-on-failure -R '^packaging\.install$'
(cd build/release && cpack -G DEB >/dev/null)
beside lintian lintian --fail-on error,warning build/release/vortane_*.deb

stage "The core, vortane-calc and their tests with AddressSanitizer and UndefinedBehaviorSanitizer (clang), and fuzzing the whole run (30 s)"
# The window's tests run in the optimised build. Line tables only (-g1): the
# sanitizers' reports keep their files and lines; the fuzz target is built
# from the same objects, with libFuzzer's coverage in all of them.
CXX=clang++ cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g1" \
  -DVORTANE_SANITIZE=ON -DVORTANE_BUILD_FUZZ=ON -DVORTANE_WERROR=ON -DVORTANE_BUILD_BENCH=OFF -DVORTANE_BUILD_APP=OFF
cmake --build build/sanitize -j "$jobs"
# The layering checks compile headers alone; the optimised build ran them.
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/sanitize --output-on-failure -j "$jobs" -E '^layering[.]' | tee build/sanitize/ctest.log
scripts/fuzz.sh 30 build/sanitize

stage "lintian, clang-tidy and cppcheck (begun after the optimised build)"
await lintian
await lint

stage "done"
count() { sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' "$1"; }
echo
echo "all: $(( $(count build/release/ctest.log) + $(count build/sanitize/ctest.log) )) passed, 0 failed"
