#!/usr/bin/env bash
# Installs what is missing and runs every check: the formatting, the release build (warnings are errors)
# with every test, the headless tour (also with the LAN driver against the emulator), the installed program
# and the Debian package, then every test again in a build under ASan and UBSan.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps
./scripts/check-format
./scripts/build release
ctest --preset release
./scripts/headless-tour build
./scripts/network-tour build
./scripts/check-install build
./scripts/build asan
ctest --preset asan
