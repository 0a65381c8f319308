#!/usr/bin/env bash
# Installs the dependencies, builds the release preset and starts the window program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release
cmake --build --preset release
exec build/release/src/app/yuchaling "$@"
