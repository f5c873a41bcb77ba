#!/usr/bin/env bash
# Sets up everything, builds, and computes the default case into result.txt in
# the current directory. Arguments go to vortane-calc (FIELD=TEXT, -o FILE, ...).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
(
  cd "$root"
  scripts/install-deps.sh
  cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build/release -j "$(nproc)" --target vortane-calc
)
exec "$root/build/release/cli/vortane-calc" "$@"
