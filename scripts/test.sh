#!/usr/bin/env bash
# Builds everything and runs every test through CTest: the C++ tests of every
# folder and the browser tests (e2e_browser: the simulator in headless
# Chromium).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSYSDLG_WERROR=ON
cmake --build "$build" -j"$(nproc)"
# The browser tests are registered only when node and Chromium are there;
# setup.sh installed them, so their absence is an error here.
command -v node >/dev/null && [[ -x /usr/bin/chromium ]] || { echo "node or chromium missing" >&2; exit 1; }
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
