#!/usr/bin/env bash
# Sets up everything and runs all tests: an optimised build and its Debian
# package under lintian, the same cases on Windows x64 (wine), Linux AArch64
# (qemu-user) and in WebAssembly (node), the page in Chromium, a debug build
# under AddressSanitizer and UndefinedBehaviorSanitizer, clang-tidy and
# cppcheck, and half a minute of fuzzing the whole run.
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

# -O2 without debug information, which would add a third to the compile time
# and change no instruction; the package strips it anyway. (As RelWithDebInfo,
# so that the Python module is built as in every other build, without LTO.)
stage "Optimised build (-O2, warnings as errors)"
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" \
  -DVORTANE_WERROR=ON -DVORTANE_BUILD_TESTS=ON -DVORTANE_BUILD_BENCH=ON \
  -DCMAKE_EXPORT_COMPILE_COMMANDS=ON
cmake --build build/release -j "$jobs"
ctest --test-dir build/release --output-on-failure -j "$jobs" | tee build/release/ctest.log
if [ -x build/release/bench/vortane_bench ]; then
  build/release/bench/vortane_bench --benchmark_min_time=0.01 >/dev/null
fi

stage "The Debian package, checked by lintian"
(cd build/release && cpack -G DEB >/dev/null)
lintian --fail-on error,warning build/release/vortane_*.deb

stage "Windows x64, Linux AArch64 and WebAssembly against the native build"
scripts/cross.sh build/release

stage "The page in Chromium, offline (scripts/web.sh built it in the cross check)"
scripts/page-test.sh build/release

stage "Debug build of the core and vortane-calc with AddressSanitizer and UndefinedBehaviorSanitizer"
# The core, vortane-calc and their tests: the window's tests run in the
# optimised build, which keeps the whole run within twenty minutes. Line
# tables only (-g1): the sanitizers' reports keep their files and lines.
cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g1" -DVORTANE_SANITIZE=ON -DVORTANE_WERROR=ON \
  -DVORTANE_BUILD_BENCH=OFF -DVORTANE_BUILD_APP=OFF
cmake --build build/sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/sanitize --output-on-failure -j "$jobs" | tee build/sanitize/ctest.log

stage "Static analysis"
scripts/lint.sh build/release

stage "Fuzzing the whole run (30 s)"
scripts/fuzz.sh 30

stage "done"
count() { sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' "$1"; }
echo
echo "all: $(( $(count build/release/ctest.log) + $(count build/sanitize/ctest.log) )) passed, 0 failed"
