#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once plainly, once under ASan and UBSan.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps
mkdir -p build build-asan
./scripts/build build
ctest --test-dir build --output-on-failure -j2
./scripts/build build-asan -DTARVEX_SANITIZE=ON
ctest --test-dir build-asan --output-on-failure -j2
