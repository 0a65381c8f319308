#!/usr/bin/env bash
# Installs the dependencies, builds the window program (release preset) and starts it. With no
# registrar given or configured it starts in demo mode, against a local simulated registrar.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
cmake --preset release
cmake --build --preset release --target yuchaling
exec build/release/bin/yuchaling --demo-if-unconfigured "$@"
