#!/usr/bin/env bash
# Installs the build dependencies, builds the window program with the release preset and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
cmake --preset release
cmake --build --preset release --target yuchaling
exec build/release/bin/yuchaling "$@"
