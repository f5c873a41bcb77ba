#!/usr/bin/env bash
# The page's tests (tests/web/page_test.mjs) in Debian's Chromium: build/web/vortane.html,
# built by scripts/web.sh, against the native vortane-calc.
#   scripts/page-test.sh [NATIVE_BUILD] [--screenshots DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
native=${1:-build/release}
shift || true
scripts/install-deps.sh page
[ -f build/web/vortane.html ] || scripts/web.sh
cmake --build "$native" --target vortane-calc >/dev/null
node tests/web/page_test.mjs build/web/vortane.html "$native/cli/vortane-calc" "$@"
