#!/usr/bin/env bash
# Builds Tarnel and runs every test (core tests without Qt, GUI tests offscreen).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNEL_WERROR="${TARNEL_WERROR:-ON}" >/dev/null
cmake --build build -j2
cd build
QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" ctest --output-on-failure -j2
