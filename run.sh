#!/usr/bin/env bash
# Installs what is missing, builds the release build, and starts the front panel live against the simulated
# counter. With no display it runs the headless tour instead and leaves one screenshot per panel.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps
./scripts/build release
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec ./scripts/headless-tour build
fi
exec ./build/bin/tarvex
