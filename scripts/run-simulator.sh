#!/usr/bin/env bash
# Builds the instrument simulator and starts it; extra arguments go to it
# (--root DIR, --port N, --profile FILE, --listen ADDR, --lang ja|en).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$(nproc)" --target sysdlg-sim
exec "$build/app/sysdlg-sim" "$@"
