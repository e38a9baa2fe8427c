#!/usr/bin/env bash
# Builds Tarnel, tarnel-batch, tarnel-build and the stand-in toolchain, installs the demo into the
# Wine-style prefix where it is missing (never overwriting the user's files or settings) and starts
# Tarnel.
set -euo pipefail
cd "$(dirname "$0")/.."

# xterm: the build, the assembler and the stand-in programmer show their output in a terminal.
./scripts/deps.sh xterm
cmake -S . -B build >/dev/null
cmake --build build -j2 --target tarnel tarnel-batch tarnel-build icc78300 xlink A78300 prog78k tarnel-demo-install
build/bin/tarnel-demo-install
exec build/bin/tarnel
