#!/usr/bin/env bash
# Installs the Debian packages the build needs, when any is missing.
set -euo pipefail

packages=(cmake g++ make git libgtest-dev libbenchmark-dev libeigen3-dev qt6-base-dev qt6-svg-dev qt6-charts-dev libqt6opengl6-dev
  fonts-ipafont-gothic clang libclang-rt-14-dev clang-tidy cppcheck
  dpkg-dev shared-mime-info desktop-file-utils lintian poppler-utils
  googletest python3 g++-mingw-w64-x86-64 wine64 g++-aarch64-linux-gnu qemu-user
  python3-dev pybind11-dev python3-pybind11 python3-numpy python3-pytest libboost-dev libnlopt-cxx-dev)

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
