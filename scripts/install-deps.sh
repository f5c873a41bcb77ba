#!/usr/bin/env bash
# Installs the Debian packages a command needs, when any is missing:
#   scripts/install-deps.sh build   building and running the program, the
#                                   Python module and `cmake --install`
#   scripts/install-deps.sh test    the above, and what the test command adds:
#                                   the test and benchmark libraries, the
#                                   package's checks, the cross builds, static
#                                   analysis, the sanitizers and the
#                                   WebAssembly build (the default)
#   scripts/install-deps.sh web     the WebAssembly build of the core
#                                   (scripts/web.sh): emscripten, node, and
#                                   what unpacks NLopt's Debian source
#   scripts/install-deps.sh source  what unpacks a Debian source package
set -euo pipefail

build=(cmake g++ make qt6-base-dev qt6-svg-dev qt6-charts-dev libqt6opengl6-dev fonts-ipafont-gothic
  libeigen3-dev libboost-dev libnlopt-cxx-dev libfmt-dev libfast-float-dev libcli11-dev
  python3 python3-dev pybind11-dev python3-pybind11 python3-numpy)
test=(git libgtest-dev googletest libbenchmark-dev python3-pytest
  clang libclang-rt-14-dev clang-tidy cppcheck
  dpkg-dev shared-mime-info desktop-file-utils lintian poppler-utils
  g++-mingw-w64-x86-64 wine64 g++-aarch64-linux-gnu qemu-user)
source=(dpkg-dev)
web=(cmake make emscripten nodejs libfmt-dev libfast-float-dev libboost-dev libeigen3-dev libcli11-dev "${source[@]}")

case "${1:-test}" in
  build) packages=("${build[@]}") ;;
  test) packages=("${build[@]}" "${test[@]}" "${web[@]}") ;;
  web) packages=("${web[@]}") ;;
  source) packages=("${source[@]}") ;;
  *) echo "usage: $0 [build|test|web|source]" >&2; exit 2 ;;
esac

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
