#!/usr/bin/env bash
# Builds everything and runs every test through CTest: the C++ tests of every
# folder, the browser tests (e2e_browser: the simulator in headless Chromium),
# the Python client's tests (python_client: the simulator driven by the client),
# the 32-bit layout check and the install check (install_package: the
# installed tree, the example host built against it, the Debian package);
# then the C++ tests again under AddressSanitizer with UBSan, and the
# threaded parts (window system and modal loops, the touch-panel server and
# input driver, the maintenance page's printer worker) under ThreadSanitizer.
# SYSDLG_SANITIZERS=0 skips the sanitizer runs.
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

[[ ${SYSDLG_SANITIZERS:-1} == 0 ]] && exit 0
# Sanitizer builds need no benchmarks; a finding ends the run with a failure.
# Warnings are not errors there: instrumented code makes GCC warn inside the
# standard library (std::regex, std::function) where the plain build does not.
for kind in address,undefined thread; do
  dir="$build-${kind%%,*}"
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSYSDLG_WERROR=OFF -DSYSDLG_SANITIZE="$kind" \
    -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON >/dev/null
done
cmake --build "$build-address" -j"$(nproc)"
ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$build-address" --output-on-failure -j"$(nproc)" -E '^(e2e_browser|python_client)$'
tsan_tests=(win/win_tests app/app_tests)
[[ -d pages/maintenance ]] && ls pages/maintenance/*_test.cpp >/dev/null 2>&1 &&
  tsan_tests+=(pages/maintenance/pages_maintenance_tests)
cmake --build "$build-thread" -j"$(nproc)" --target "${tsan_tests[@]##*/}"
for test in "${tsan_tests[@]}"; do
  TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/tests/tsan.supp" "$build-thread/$test"
done
