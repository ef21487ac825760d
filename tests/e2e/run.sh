#!/bin/sh
# Runs the browser tests: installs the pinned test packages when they are
# missing, then node's test runner. Usage: run.sh [path/to/sysdlg-sim]
set -e
# A relative simulator path is taken from where the script was started.
if [ -n "$1" ]; then
  case "$1" in
    /*) SYSDLG_SIM="$1" ;;
    *) SYSDLG_SIM="$(pwd)/$1" ;;
  esac
  export SYSDLG_SIM
fi
cd "$(dirname "$0")"
if [ ! -d node_modules/playwright-core ]; then
  npm ci --no-audit --no-fund
fi
exec node --test panel.test.js api.test.js files.test.js recording.test.js comm.test.js killsafety.test.js \
  maintenance.test.js largefolder.test.js overflow.test.js lists.test.js typing.test.js sidepanel.test.js \
  language.test.js a11y.test.js
