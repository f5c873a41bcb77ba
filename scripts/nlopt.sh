#!/usr/bin/env bash
# NLopt for a target Debian does not package it for (WebAssembly, MinGW-w64),
# built from Debian's source package with its patches: the C library alone
# (COBYLA and the other C algorithms), static, without bindings or tests.
#   scripts/nlopt.sh PREFIX [CONFIGURE_WRAPPER] -- CMAKE_ARGS...
# installs it into PREFIX (lib/cmake/nlopt holds its CMake package), once:
# an installed PREFIX is kept. CONFIGURE_WRAPPER runs cmake's configure step
# (emcmake for WebAssembly).
set -euo pipefail
cd "$(dirname "$0")/.."
prefix=$(realpath -m "$1")
shift
wrapper=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do
  wrapper+=("$1")
  shift
done
[ $# -gt 0 ] && shift

[ -f "$prefix/lib/cmake/nlopt/NLoptConfig.cmake" ] && exit 0

# The source package, fetched (scripts/debian-source.sh) and unpacked once
# into build/nlopt.
source=build/nlopt/source
if [ ! -f "$source/CMakeLists.txt" ]; then
  scripts/debian-source.sh nlopt build/nlopt/apt
  rm -rf "$source"
  dpkg-source --no-check -x "$(ls build/nlopt/apt/nlopt_*.dsc | head -1)" "$source" >/dev/null
fi

dir=$prefix-build
cmake_args=(-S "$source" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix"
  -DCMAKE_INSTALL_LIBDIR=lib -DBUILD_SHARED_LIBS=OFF -DNLOPT_CXX=OFF -DNLOPT_FORTRAN=OFF
  -DNLOPT_PYTHON=OFF -DNLOPT_OCTAVE=OFF -DNLOPT_MATLAB=OFF -DNLOPT_GUILE=OFF -DNLOPT_SWIG=OFF
  -DNLOPT_TESTS=OFF "$@")
"${wrapper[@]}" cmake "${cmake_args[@]}" >/dev/null
cmake --build "$dir" -j "$(nproc)" >/dev/null
cmake --install "$dir" >/dev/null
