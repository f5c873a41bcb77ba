#!/usr/bin/env bash
# Sets up everything, builds, and opens the window. With --headless it computes
# a case instead; the remaining arguments go to vortane-calc (FIELD=TEXT, -o FILE, ...).
# Set-up and build output goes to standard error, so standard output carries
# only the program's own. Afterwards `cmake --install build/release` works.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
(
  cd "$root"
  scripts/install-deps.sh build
  # Without the tests and benchmarks, whose libraries only the test command
  # installs; it turns them on again.
  cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORTANE_BUILD_TESTS=OFF \
    -DVORTANE_BUILD_BENCH=OFF >/dev/null
  # Everything `cmake --install build/release` installs, the Python module too.
  cmake --build build/release -j "$(nproc)" --target vortane vortane-calc vortane_icon vortane_python
) >&2
if [ "${1:-}" = --headless ]; then
  shift
  exec "$root/build/release/cli/vortane-calc" "$@"
fi
exec "$root/build/release/app/vortane"
