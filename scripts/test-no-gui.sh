#!/usr/bin/env bash
# Builds the engine, the command line and their tests without Qt (-DYC_BUILD_GUI=OFF) in
# build/nogui and runs those tests, so that nothing below the Qt layer comes to need it.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/nogui -G Ninja -DCMAKE_BUILD_TYPE=Debug -DYC_BUILD_GUI=OFF -DYC_BUILD_BENCH=OFF \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build build/nogui
ctest --test-dir build/nogui --output-on-failure -j2 --timeout 600
