#!/usr/bin/env bash
# Builds everything and runs every test: the C++ tests through CTest, then the
# browser tests against the simulator in headless Chromium.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSYSDLG_WERROR=ON
cmake --build "$build" -j"$(nproc)"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
if [[ -f tests/e2e/package.json ]]; then
  SYSDLG_SIM="$PWD/$build/app/sysdlg-sim" node --test tests/e2e/
fi
