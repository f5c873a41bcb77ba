#!/usr/bin/env bash
# Builds the libFuzzer target of the whole run with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, and fuzzes it from the seed corpus.
#   scripts/fuzz.sh [SECONDS [BUILD_DIR]]   default 60 s; any finding fails the script
# BUILD_DIR, a clang build configured with VORTANE_SANITIZE and VORTANE_BUILD_FUZZ
# (the test command's sanitizer build), is used as it is; by default build/fuzz
# is configured for the fuzz target alone.
# Findings are written to BUILD_DIR/findings/; keep each one in fuzz/corpus/
# once it is mended.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=${2:-}

if [ -z "$build" ]; then
  build=build/fuzz
  CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORTANE_SANITIZE=ON \
    -DVORTANE_BUILD_FUZZ=ON -DVORTANE_BUILD_TESTS=OFF -DVORTANE_BUILD_BENCH=OFF -DVORTANE_BUILD_APP=OFF \
    -DVORTANE_WERROR=ON >/dev/null
fi
cmake --build "$build" -j "$(nproc)" --target vortane_fuzz_run

work=$build/corpus
findings=$build/findings
mkdir -p "$work" "$findings"
cp fuzz/corpus/* "$work/"
cd "$build"
if UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ./fuzz/vortane_fuzz_run \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -close_fd_mask=2 \
  -artifact_prefix=findings/ corpus >fuzz.log 2>&1; then
  grep -E '^Done|^#[0-9]+ +DONE' fuzz.log || tail -n 3 fuzz.log
  echo "fuzzing: no findings"
else
  tail -n 80 fuzz.log
  echo "fuzzing: FINDING, input kept in $findings/" >&2
  exit 1
fi
