#!/usr/bin/env bash
# Builds the Debian packages, checks them with lintian (errors fail), installs them with apt-get
# as a user would, runs the installed programs, and removes the packages again.
set -euo pipefail
cd "$(dirname "$0")/.."

sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then
    sudo_cmd=(sudo)
fi
packages=(yuchaling yuchaling-data yuchaling-cli yuchaling-registrar-sim)

scripts/install-deps.sh package
scripts/package.sh -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
debs=()
for package in "${packages[@]}"; do
    debs+=("$PWD/$(ls build/package/"${package}"_*.deb)")
done

echo "== lintian"
lintian --fail-on error --display-info "${debs[@]}"

echo "== install"
trap '"${sudo_cmd[@]}" apt-get remove -y -qq "${packages[@]}" >/dev/null' EXIT
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${debs[@]}"

echo "== installed programs"
yuchaling-cli --version
# The window program must answer without opening a window; the time limit catches one that does.
QT_QPA_PLATFORM=offscreen timeout 60 yuchaling --version
yuchaling-registrar-sim --version
for page in yuchaling yuchaling-cli yuchaling-registrar-sim; do
    man -w "$page"
done
desktop-file-validate /usr/share/applications/yuchaling.desktop
appstreamcli validate --no-net /usr/share/metainfo/example.yuchaling.Yuchaling.metainfo.xml

echo "== installed demo run"
output=$(printf 'abc7.com\nabc.com\n' | timeout 120 yuchaling-cli --demo --filter all -)
echo "$output"
grep -q '^abc7\.com,' <<<"$output"
grep -q '^abc\.com,' <<<"$output"

echo "== installed registry run (the demo's simulated registries, and the shipped table's use)"
test -s /usr/share/yuchaling/tld-services.tsv
output=$(printf 'abc7.com\nabc.de\nnothing.zz\n' |
    timeout 120 yuchaling-cli --demo --source registry --filter all --output-encoding utf-8 -)
echo "$output"
grep -q '^abc7\.com,是' <<<"$output"
grep -q '^abc\.de,否' <<<"$output"
# The shipped table loads: a name under no known suffix is reported apart, and nothing is asked
# (no cache folder, so the bootstrap file is not fetched either).
status=0
err=$(printf 'nothing.zz\n' | XDG_CACHE_HOME=/dev/null/none timeout 120 yuchaling-cli - 2>&1 >/dev/null) ||
    status=$?
echo "$err"
[[ $status -eq 0 ]]
grep -q 'not checked: nothing.zz (no registry service known for .zz)' <<<"$err"
