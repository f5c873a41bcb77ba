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

# The source package, fetched and unpacked once into build/nlopt: its own
# deb-src entry for this one call, without touching the system's lists.
source=build/nlopt/source
if [ ! -f "$source/CMakeLists.txt" ]; then
  scripts/install-deps.sh source
  apt_dir=$(realpath -m build/nlopt/apt)
  mkdir -p "$apt_dir/lists/partial"
  archive=$(sed -n 's/^URIs: *\([^ ]*\).*/\1/p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -1)
  [ -n "$archive" ] || archive=$(sed -n 's/^deb \+\(http[^ ]*\) .*/\1/p' /etc/apt/sources.list 2>/dev/null | head -1)
  [ -n "$archive" ] || archive=http://deb.debian.org/debian
  suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
  echo "deb-src $archive $suite main" > "$apt_dir/sources.list"
  apt_options=(-o "Dir::Etc::sourcelist=$apt_dir/sources.list" -o Dir::Etc::sourceparts=- -o "Dir::State::Lists=$apt_dir/lists")
  apt-get "${apt_options[@]}" update -qq
  (cd "$apt_dir" && apt-get "${apt_options[@]}" source --download-only -qq nlopt 2>/dev/null)
  rm -rf "$source"
  dpkg-source --no-check -x "$(ls "$apt_dir"/nlopt_*.dsc | head -1)" "$source" >/dev/null
fi

dir=$prefix-build
cmake_args=(-S "$source" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix"
  -DCMAKE_INSTALL_LIBDIR=lib -DBUILD_SHARED_LIBS=OFF -DNLOPT_CXX=OFF -DNLOPT_FORTRAN=OFF
  -DNLOPT_PYTHON=OFF -DNLOPT_OCTAVE=OFF -DNLOPT_MATLAB=OFF -DNLOPT_GUILE=OFF -DNLOPT_SWIG=OFF
  -DNLOPT_TESTS=OFF "$@")
"${wrapper[@]}" cmake "${cmake_args[@]}" >/dev/null
cmake --build "$dir" -j "$(nproc)" >/dev/null
cmake --install "$dir" >/dev/null
