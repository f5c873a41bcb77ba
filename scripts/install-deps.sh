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
#   scripts/install-deps.sh page    the page's tests: Chromium, and npm's
#                                   playwright-core and axe-core (tests/web,
#                                   by its package-lock.json)
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
page=(nodejs chromium)
# npm comes with the archives' node; Debian's own node leaves it to its package.
command -v npm >/dev/null || page+=(npm)

case "${1:-test}" in
  build) packages=("${build[@]}") ;;
  test) packages=("${build[@]}" "${test[@]}" "${web[@]}" "${page[@]}") ;;
  web) packages=("${web[@]}") ;;
  page) packages=("${page[@]}") ;;
  source) packages=("${source[@]}") ;;
  *) echo "usage: $0 [build|test|web|page|source]" >&2; exit 2 ;;
esac

# The page's npm packages, as its lock file pins them (never the browsers
# playwright would download: the tests drive Debian's chromium).
npm_packages() {
  local modules="$(dirname "$0")/../tests/web/node_modules"
  [ -d "$modules/playwright-core" ] && [ -d "$modules/axe-core" ] && return
  (cd "$(dirname "$0")/../tests/web" && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund)
}

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
if [ ${#missing[@]} -eq 0 ]; then
  case "${1:-test}" in test|page) npm_packages ;; esac
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
case "${1:-test}" in test|page) npm_packages ;; esac
