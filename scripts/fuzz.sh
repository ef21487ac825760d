#!/usr/bin/env bash
# Fuzzes one target (or all) for a bounded time with libFuzzer, from its kept
# corpus, in a clang build with ASan and UBSan (build-fuzz/). New inputs that
# reach new code go to build-fuzz/corpus/<target>/; a finding stops the run
# and leaves crash-* / leak-* files here.
#   scripts/fuzz.sh [target|all] [seconds per target]     (default: all, 60)
# With SYSDLG_FUZZ_RUNS=N each target runs N inputs instead, however long
# that takes (the figures in docs/reliability.md are from such runs).
# Targets: SettingsFile ProfileFile RecordedData PanelInput DrivePath Address
#          Format Template CommentFile
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
which=${1:-all}
seconds=${2:-60}
build=build-fuzz
CC=clang-14 CXX=clang++-14 cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSYSDLG_FUZZ=ON \
  -DSYSDLG_SANITIZE=address,undefined -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON >/dev/null
targets=(SettingsFile ProfileFile RecordedData PanelInput DrivePath Address Format Template CommentFile)
[[ $which == all ]] || targets=("$which")
cmake --build "$build" -j"$(nproc)" --target "${targets[@]/#/fuzz_}"
for target in "${targets[@]}"; do
  mkdir -p "$build/corpus/$target"
  bound=(-max_total_time="$seconds")
  [[ -n ${SYSDLG_FUZZ_RUNS:-} ]] && bound=(-runs="$SYSDLG_FUZZ_RUNS")
  echo "== $target, ${bound[0]#-}"
  log="$build/fuzz-$target.log"
  status=0
  "$build/tests/fuzz/fuzz_$target" "${bound[@]}" -print_final_stats=1 \
    "$build/corpus/$target" "tests/fuzz/corpus/$target" >"$log" 2>&1 || status=$?
  if [[ $status -eq 72 ]]; then  # libFuzzer's exit on SIGINT: stopped, nothing found
    grep -E "stat::number_of_executed_units" "$log"
    echo "fuzz.sh: $target interrupted" >&2
    exit 130
  elif [[ $status -ne 0 ]]; then
    tail -40 "$log"
    echo "fuzz.sh: a finding in $target (inputs: crash-*, leak-*, timeout-*)" >&2
    exit 1
  fi
  grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$log"
done
