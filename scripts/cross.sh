#!/usr/bin/env bash
# The core and a static vortane-calc on other targets, each compared with the
# native build (scripts/compare_runs.py: the default case, the fuzz corpus, 100
# seeded random cases):
#   windows-x64   MinGW-w64 g++, run under wine, with NLopt built from Debian's
#                 source (scripts/nlopt.sh): its goal seeks and optimisations
#                 are compared too
#   linux-arm64   aarch64 g++, run under qemu-user (long double is binary128)
#   double        native, VORTANE_EXTENDED=OFF (formulas in double)
#   webassembly   emscripten (scripts/web.sh), run under node (binary128):
#                 against linux-arm64 when both are built, every value the
#                 same, with 20 random cases; else against the native build
#                 with 50; the page's tests compare the same core's reports
#                 with the native bytes again
# The double build also runs the model's and the run's tests, the fault tests
# among them, on its target. Windows computes in the native build's x87
# extended precision, whose tests run natively; AArch64's binary128 is the
# WebAssembly core's too, and both are compared value for value (the corpus's
# fault inputs and the random cases' faults among them): their comparisons
# check the builds themselves, within the test command's half hour.
#   scripts/cross.sh [NATIVE_BUILD [TARGET...]]
# NATIVE_BUILD defaults to build/release, the targets to windows-x64,
# linux-arm64 and webassembly: the platforms the program is built for. The
# double formulas, which no platform ships, are checked when named (before a
# change to the formulas' arithmetic), which keeps the test command within its
# half hour.
set -euo pipefail
cd "$(dirname "$0")/.."
native=${1:-build/release}
targets=("${@:2}")
[ ${#targets[@]} -gt 0 ] || targets=(windows-x64 linux-arm64 webassembly)
wanted() { [[ " ${targets[*]} " == *" $1 "* ]]; }
jobs=$(nproc)
# Cases whose report the double build prints differently on a rounding
# boundary. Its values lie within 1e-13 relative of the native ones (measured);
# even at 2e-11 a value printed to 7 significant digits would sit that close
# to a boundary with a chance below 4e-4, about 0.8 cases over the some 2100
# values of the 117 complete cases; three is the bound.
double_boundary_cases=3

step_start=$SECONDS
step() {
  echo "== $1"
  step_start=$SECONDS
}
took() { echo "-- $1: $((SECONDS - step_start)) s"; }

cmake --build "$native" -j "$jobs" --target vortane-calc >/dev/null

# Wine in a prefix of its own, quiet, with its server kept up between runs and
# ended with the script.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEPREFIX
WINEPREFIX=$(mktemp -d /tmp/vortane-wine-XXXXXX)
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
cleanup() {
  "$wineserver" -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT

# The header-only libraries (Eigen, {fmt}, fast_float, Boost, CLI11) come from the
# build machine: their CMake packages by folder, as a cross build finds
# packages under the target's root only.
packages=/usr/lib/x86_64-linux-gnu/cmake
header_libraries=(-DEigen3_DIR=/usr/share/eigen3/cmake -Dfmt_DIR=$packages/fmt -DFastFloat_DIR=/usr/lib/cmake/FastFloat
  -DCLI11_DIR=/usr/share/cmake/CLI11
  "-DBoost_DIR=$(echo $packages/Boost-*)" "-Dboost_headers_DIR=$(echo $packages/boost_headers-*)")

# build NAME TESTS CMAKE_ARGS...: the core and vortane-calc, -O2, with the
# model's and the run's tests when TESTS is ON.
build() {
  local dir=build/cross/$1 tests=$2
  shift 2
  local targets=(vortane-calc)
  [ "$tests" = ON ] && targets+=(model_tests run_tests)
  cmake -S . -B "$dir" --no-warn-unused-cli -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
    -DVORTANE_WERROR=ON -DVORTANE_UNITY=ON -DVORTANE_BUILD_APP=OFF -DVORTANE_BUILD_BENCH=OFF -DVORTANE_BUILD_PYTHON=OFF -DVORTANE_BUILD_DESIGN=OFF \
    -DVORTANE_BUILD_TESTS="$tests" "${header_libraries[@]}" "$@" >/dev/null
  cmake --build "$dir" -j "$jobs" --target "${targets[@]}"
}

# compare NAME COMMAND BOUNDARY_CASES RANDOM [OPTIONS...]: the comparison with the native build.
compare() {
  python3 scripts/compare_runs.py --label "$1" --native "$native/cli/vortane-calc" --target "$2" \
    --corpus fuzz/corpus --random "$4" --seed 13 --boundary-cases "$3" --jobs "$jobs" "${@:5}"
}

# check NAME RUNNER EXE_SUFFIX BOUNDARY_CASES [OPTIONS...]: the tests where
# built, then the comparison.
check() {
  local dir=build/cross/$1 runner=$2 suffix=$3
  for test in model/model_tests run/run_tests; do
    [ ! -f "$dir/tests/$test$suffix" ] || $runner "$dir/tests/$test$suffix" --gtest_brief=1
  done
  compare "$1" "$runner $dir/cli/vortane-calc$suffix" "$4" 100 "${@:5}"
}

if wanted windows-x64; then
  step "Windows x64: NLopt and the MinGW-w64 build"
  mingw=(-DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake")
  scripts/nlopt.sh build/cross/nlopt-windows-x64 -- "${mingw[@]}" -DCMAKE_C_FLAGS=-O2
  build windows-x64 OFF "${mingw[@]}" -DVORTANE_BUILD_DESIGN=ON -DNLopt_DIR="$PWD/build/cross/nlopt-windows-x64/lib/cmake/nlopt"
  took "build"
  step "Windows x64: comparison under wine"
  "$wineserver" -p
  "$wine" wineboot --init >/dev/null 2>&1
  check windows-x64 "$wine" .exe 0 --designs
  took "wine"
fi

if wanted linux-arm64; then
  step "Linux AArch64: cross build"
  build linux-arm64 OFF -DCMAKE_TOOLCHAIN_FILE=cmake/aarch64-linux-gnu.cmake
  took "build"
  step "Linux AArch64: comparison under qemu-user"
  check linux-arm64 qemu-aarch64 "" 0
  took "qemu"
fi

if wanted double; then
  step "Double formulas (VORTANE_EXTENDED=OFF): native build"
  build double ON -DVORTANE_EXTENDED=OFF
  took "build"
  step "Double formulas: tests and comparison"
  check double "" "" "$double_boundary_cases"
  took "double"
fi

if wanted webassembly; then
  step "WebAssembly: core and vortane-calc (scripts/web.sh)"
  scripts/web.sh
  took "build"
  step "WebAssembly: comparison under node"
  # 50 random cases: the page's tests compare the same core's reports again.
  if wanted linux-arm64; then
    # Both compute long double in binary128 with glibc's functions: every
    # value the same, to the last of its 17 digits. (The page's tests compare
    # its reports with the native build's bytes.)
    python3 scripts/compare_runs.py --label "webassembly against linux-arm64" \
      --native "qemu-aarch64 build/cross/linux-arm64/cli/vortane-calc" --target "node build/web/core/cli/vortane-calc.js" \
      --corpus fuzz/corpus --random 20 --seed 29 --largest-difference 0 --jobs "$jobs"
  else
    compare webassembly "node build/web/core/cli/vortane-calc.js" 0 50
  fi
  took "node"
fi
