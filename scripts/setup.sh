#!/usr/bin/env bash
# Installs what the build, the simulator and the tests need on Debian 12:
# compiler, CMake, GoogleTest, Google Benchmark, cpp-httplib, nlohmann-json,
# Chromium, Node.js with npm, a CJK font, the browser tests' npm packages, and
# g++-multilib with qemu-user for the 32-bit layout check, dpkg-dev, whose
# dpkg-shlibdeps gives the Debian package its dependencies, and python3 for
# the Python client's tests.
# Only what is missing is installed; sudo is used when not running as root.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake g++ make pkg-config ccache libgtest-dev libgmock-dev libbenchmark-dev
          libcpp-httplib-dev nlohmann-json3-dev chromium nodejs npm g++-multilib qemu-user
          clang-14 libclang-rt-14-dev dpkg-dev python3)
fonts=(fonts-ipafont-gothic)

missing=()
for package in "${packages[@]}" "${fonts[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
# A newer Node.js from another source also serves; npm comes with it.
if command -v node >/dev/null 2>&1 && command -v npm >/dev/null 2>&1; then
  filtered=()
  for package in "${missing[@]}"; do
    [[ $package == nodejs || $package == npm ]] || filtered+=("$package")
  done
  missing=("${filtered[@]}")
fi

if ((${#missing[@]})); then
  sudo=""
  [[ $(id -u) -eq 0 ]] || sudo="sudo"
  echo "setup: installing ${missing[*]}"
  $sudo apt-get update -qq
  regular=()
  for package in "${missing[@]}"; do
    [[ " ${fonts[*]} " == *" $package "* ]] || regular+=("$package")
  done
  ((${#regular[@]})) && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${regular[@]}"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${fonts[@]}"
fi

if [[ -f tests/e2e/package.json ]]; then
  if [[ ! -d tests/e2e/node_modules/playwright-core ]]; then
    (cd tests/e2e && if [[ -f package-lock.json ]]; then npm ci --no-audit --no-fund; else npm install --no-audit --no-fund; fi)
  fi
fi
