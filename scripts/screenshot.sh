#!/usr/bin/env bash
# Renders the main window under a virtual X server and saves docs/main-window.png.
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-build/release/bin/yuchaling}
output=${2:-docs/main-window.png}
xvfb-run -a -s "-screen 0 1024x768x24" bash -c "
    '$program' & pid=\$!
    sleep 3
    import -window root -crop 760x640+40+40 '$output'
    kill \$pid
"
echo "wrote $output"
