#!/bin/sh
# Runs the browser tests: installs the pinned test packages when they are
# missing, then node's test runner. Usage: run.sh [path/to/sysdlg-sim]
set -e
cd "$(dirname "$0")"
if [ -n "$1" ]; then
  SYSDLG_SIM="$1"
  export SYSDLG_SIM
fi
if [ ! -d node_modules/playwright-core ]; then
  npm ci --no-audit --no-fund
fi
exec node --test panel.test.js api.test.js
