#!/usr/bin/env bash
# clang-tidy (the checks of .clang-tidy) and cppcheck over the sources; any
# finding fails. Needs a configured build with compile_commands.json.
#   scripts/lint.sh [BUILD_DIR]    default build/release
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
[ -f "$build/compile_commands.json" ] ||
  cmake -S . -B "$build" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null

echo "== clang-tidy"
git ls-files 'case/*.cpp' 'model/*.cpp' 'report/*.cpp' 'run/*.cpp' 'study/*.cpp' 'cli/*.cpp' 'app/*.cpp' 'python/*.cpp' |
  xargs -P "$(nproc)" -n 1 clang-tidy -p "$build" --quiet

echo "== cppcheck"
cppcheck --enable=warning,performance,portability --std=c++20 --inline-suppr \
  --error-exitcode=1 --quiet -I . --suppress=missingIncludeSystem case model report run study cli app python
