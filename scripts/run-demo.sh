#!/usr/bin/env bash
# Builds Tarnel, tarnel-batch and the stand-in toolchain, installs the demo into the Wine-style
# prefix where it is missing (never overwriting the user's files or settings) and starts Tarnel.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/deps.sh
cmake -S . -B build >/dev/null
cmake --build build -j2 --target tarnel tarnel-batch icc78300 xlink A78300 tarnel-demo-install
build/bin/tarnel-demo-install
exec build/bin/tarnel
