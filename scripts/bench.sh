#!/usr/bin/env bash
# Builds the project (release build with debug information) and runs every
# benchmark executable (*_bench) it made, one after the other, printing
# their results. Not part of the test command: benchmarks take minutes and
# their figures depend on the machine. Extra arguments go to every
# benchmark (e.g. --benchmark_filter=TabTap).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSYSDLG_WERROR=ON
cmake --build "$build" -j"$(nproc)"
mapfile -t benches < <(find "$build" -type f -name '*_bench' -perm -u+x | sort)
if [[ ${#benches[@]} -eq 0 ]]; then
  echo "no benchmarks were built (is libbenchmark-dev installed?)" >&2
  exit 1
fi
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), load $(cut -d' ' -f1-3 /proc/loadavg)"
status=0
for bench in "${benches[@]}"; do
  echo
  echo "== ${bench#"$build"/}"
  "$bench" "$@" || status=1
done
exit $status
