#!/usr/bin/env bash
# clang-tidy (the checks of .clang-tidy) over the core, the front ends, the
# benchmarks, the fuzzer and the packaging tool, and cppcheck over those and
# the tests; any finding fails. The tests are left to cppcheck. Needs a
# configured build with compile_commands.json.
#   scripts/lint.sh [BUILD_DIR]    default build/release
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
[ -f "$build/compile_commands.json" ] ||
  cmake -S . -B "$build" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
# The core's layers, bottom up.
core=(case model report run chart result measurement study material comparison document)
sources=("${core[@]}" design web cli app python bench fuzz packaging)
folders=("${sources[@]}" tests)

echo "== clang-tidy"
# Each target's sources as one translation unit with the target's flags
# (scripts/tidy_units.py), so that a target's headers, Qt's above all, are
# parsed once: findings in the sources are reported as in the headers. The
# fuzzer, built only with clang in its own build, with the include roots of
# the core it links. The page's binding is built by emscripten alone, against
# its headers: cppcheck reads it.
header_filter="$(sed -n "s/^HeaderFilterRegex: '\(.*\)'$/\1/p" .clang-tidy)|\.cpp$"
# shellcheck disable=SC2046
python3 scripts/tidy_units.py "$build" "$build/tidy" $(git ls-files "${sources[@]/%//*.cpp}" ':!fuzz/*' ':!web/bindings.cpp') |
  xargs -P "$(nproc)" -n 1 clang-tidy -p "$build/tidy" --quiet --config-file=.clang-tidy \
    --header-filter="$header_filter" --checks=-bugprone-suspicious-include
layers=()
for layer in "${core[@]}"; do layers+=("-I$build/layers/$layer"); done
clang-tidy --quiet fuzz/fuzz_run.cpp -- -std=c++20 "${layers[@]}"

echo "== cppcheck"
cppcheck --enable=warning,performance,portability --std=c++20 --inline-suppr \
  --error-exitcode=1 --quiet -I . -I tests --suppress=missingIncludeSystem \
  --library=googletest --library=qt "${folders[@]}"
