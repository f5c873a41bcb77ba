#!/usr/bin/env bash
# The core compiled to WebAssembly with Debian's emscripten, into build/web:
#   build/web/nlopt        NLopt from Debian's source package (scripts/nlopt.sh)
#   build/web/glibc-ldbl128  glibc's long double functions, which the core links
#                          in place of musl's (scripts/glibc-ldbl128.sh)
#   build/web/core         the core layers, the design layer and vortane-calc,
#                          which runs under node: build/web/core/cli/vortane-calc.js
#   build/web/vortane.html the page: one file, the core inlined, that runs
#                          offline from disk (web/)
#   scripts/web.sh [CMAKE_ARGS...]     the arguments go to the core's configure
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh web
# em++ finds its node modules where Debian puts them.
export NODE_PATH=/usr/share/nodejs

step_start=$SECONDS
took() { echo "-- $1: $((SECONDS - step_start)) s"; step_start=$SECONDS; }

scripts/nlopt.sh build/web/nlopt emcmake -- -DCMAKE_C_FLAGS="-O2 -fexceptions" \
  -C "$PWD/cmake/nlopt-emscripten-checks.cmake" >/dev/null
took "NLopt for WebAssembly"
ldbl128=$PWD/build/web/glibc-ldbl128/libglibc-ldbl128.a
scripts/glibc-ldbl128.sh build/web/glibc-ldbl128
# The programs' links do not name the library as a dependency: a program
# linked before it was built is linked again.
[ -d build/web/core ] && find build/web/core -name '*.js' ! -newer "$ldbl128" -delete
took "glibc's long double functions for WebAssembly"

# The header-only libraries come from the build machine. Their CMake packages
# were written for a 64-bit machine and refuse a 32-bit one; for headers the
# pointer size does not matter, so each is seen through a folder whose
# package file includes the original and whose version file leaves that check
# out.
packages=/usr/lib/x86_64-linux-gnu/cmake
headers=build/web/packages
header_package() {
  local name=$1 from=$2 folder=$headers/$1
  mkdir -p "$folder"
  for file in "$from"/*.cmake; do
    case $file in
      *[Vv]ersion.cmake) sed 's/^if(NOT CMAKE_SIZEOF_VOID_P STREQUAL .*)$/if(FALSE)/' "$file" > "$folder/$(basename "$file")" ;;
      *[Cc]onfig.cmake) echo "include($file)" > "$folder/$(basename "$file")" ;;
    esac
  done
}
header_package fmt $packages/fmt
header_package FastFloat /usr/lib/cmake/FastFloat

cmake -S . -B build/web/core --no-warn-unused-cli -DCMAKE_TOOLCHAIN_FILE=cmake/wasm32-emscripten.cmake \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DVORTANE_WERROR=ON -DVORTANE_UNITY=ON \
  -DVORTANE_BUILD_APP=OFF -DVORTANE_BUILD_BENCH=OFF -DVORTANE_BUILD_PYTHON=OFF -DVORTANE_BUILD_TESTS=OFF \
  -DNLopt_DIR="$PWD/build/web/nlopt/lib/cmake/nlopt" -Dfmt_DIR="$PWD/$headers/fmt" \
  -DFastFloat_DIR="$PWD/$headers/FastFloat" -DEigen3_DIR=/usr/share/eigen3/cmake -DCLI11_DIR=/usr/share/cmake/CLI11 \
  "-DBoost_DIR=$(echo $packages/Boost-*)" "-Dboost_headers_DIR=$(echo $packages/boost_headers-*)" \
  -DVORTANE_GLIBC_LDBL128="$ldbl128" "$@" >/dev/null
cmake --build build/web/core -j "$(nproc)" --target vortane-calc vortane-page

# Each long double function of musl's libm that the core calls must be one of
# glibc's above, or exact in musl as in glibc (sqrtl rounds correctly): a
# formula that comes to call another (powl, log10l, ...) stops the build here,
# naming it, until glibc-ldbl128.sh builds it too.
musl_math=/usr/share/emscripten/system/lib/libc/musl/src/math
exact=(sqrtl fabsl floorl ceill truncl roundl lroundl llroundl rintl lrintl llrintl nearbyintl fmodl frexpl ldexpl
  scalbnl scalblnl modfl copysignl fmaxl fminl)
kept=" ${exact[*]} $(emnm --defined-only "$ldbl128" | awk '$2 == "T" { printf "%s ", $3 }')"
uncovered=()
for name in $(find build/web/core \( -name '*.a' -o -name '*.o' \) -exec emnm -u {} + | awk '{ print $2 }' | sort -u); do
  if [[ $name == *l && -f $musl_math/$name.c && $kept != *" $name "* ]]; then
    uncovered+=("$name")
  fi
done
if [ ${#uncovered[@]} -gt 0 ]; then
  echo "web.sh: the core calls musl's ${uncovered[*]}, not glibc's binary128 code (scripts/glibc-ldbl128.sh)" >&2
  exit 1
fi
cp build/web/core/web/vortane.html build/web/vortane.html
took "core, vortane-calc and the page for WebAssembly"
