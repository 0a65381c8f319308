#!/usr/bin/env bash
# Checks the README's run command as a newcomer meets it: scripts/run.sh must bring the window up
# (offscreen), keep it up, and end it cleanly on a close request (SIGTERM saves the state as the
# close button does); then every installed program must start and print its version.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen

program=build/release/bin/yuchaling
settings="build/release/bin/翎杉·域查灵.ini"
rm -f "$settings"
log=$(mktemp)
scripts/run.sh >"$log" 2>&1 &
pid=$!
# run.sh builds first, then replaces itself with the program.
for ((i = 0; i < 1800; i++)); do
    if [[ $(readlink "/proc/$pid/exe" 2>/dev/null) == "$(realpath "$program" 2>/dev/null)" ]]; then
        break
    fi
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "check-run: scripts/run.sh ended before the window program started:" >&2
        cat "$log" >&2
        exit 1
    fi
    sleep 1
done
sleep 5
if ! kill -0 "$pid" 2>/dev/null; then
    echo "check-run: the window program did not stay up:" >&2
    cat "$log" >&2
    exit 1
fi
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
if ((status != 0)); then
    echo "check-run: the window program ended with status $status after a close request:" >&2
    cat "$log" >&2
    exit 1
fi
if ! grep -q . "$settings"; then
    echo "check-run: the window state was not saved on close" >&2
    exit 1
fi
echo "check-run: scripts/run.sh brought the window up and closed it cleanly"

# Every installed program starts from its installed place.
cmake --build --preset release
prefix=$(mktemp -d)
trap 'rm -rf "$prefix" "$log"' EXIT
cmake --install build/release --prefix "$prefix" >/dev/null
for installed in yuchaling yuchaling-cli yuchaling-registrar-sim; do
    path="$prefix/bin/$installed"
    if [[ ! -x $path ]]; then
        echo "check-run: $installed was not installed" >&2
        exit 1
    fi
    "$path" --version
done
