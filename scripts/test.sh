#!/usr/bin/env bash
# Installs the dependencies, builds the dev preset and runs every test (GUI tests offscreen).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
cmake --preset dev
cmake --build --preset dev
ctest --preset dev
