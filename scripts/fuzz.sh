#!/usr/bin/env bash
# Builds the libFuzzer target of the whole run with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, and fuzzes it from the seed corpus.
#   scripts/fuzz.sh [SECONDS]     default 60; any finding fails the script
# Findings are written to build/fuzz/findings/; keep each one in fuzz/corpus/
# once it is mended.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORTANE_SANITIZE=ON \
  -DVORTANE_BUILD_FUZZ=ON -DVORTANE_BUILD_TESTS=OFF -DVORTANE_BUILD_BENCH=OFF -DVORTANE_BUILD_APP=OFF \
  -DVORTANE_WERROR=ON >/dev/null
cmake --build build/fuzz -j "$(nproc)" --target vortane_fuzz_run

work=build/fuzz/corpus
findings=build/fuzz/findings
mkdir -p "$work" "$findings"
cp fuzz/corpus/* "$work/"
cd build/fuzz
if UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ./fuzz/vortane_fuzz_run \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -close_fd_mask=2 \
  -artifact_prefix=findings/ corpus >fuzz.log 2>&1; then
  grep -E '^Done|^#[0-9]+ +DONE' fuzz.log || tail -n 3 fuzz.log
  echo "fuzzing: no findings"
else
  tail -n 80 fuzz.log
  echo "fuzzing: FINDING, input kept in build/fuzz/findings/" >&2
  exit 1
fi
