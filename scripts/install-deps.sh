#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs for one purpose:
#   run      build the programs (scripts/run.sh)
#   test     run plus the test, benchmark, fuzzing and screenshot tools (scripts/test.sh; default)
#   package  run plus the tools that build and check the .deb packages (scripts/check-package.sh)
set -euo pipefail

run_packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-translations-l10n libgl-dev
    libcurl4-openssl-dev libssl-dev
    libpcre2-dev libicu-dev zlib1g-dev
    libpsl-dev publicsuffix libidn2-dev nlohmann-json3-dev
    fonts-wqy-microhei
)
test_packages=(
    clang-format openssl
    libgtest-dev libgmock-dev libbenchmark-dev libxml2-dev
    clang libclang-rt-14-dev
    xvfb xauth xdotool imagemagick dbus-x11
)
package_packages=(
    dpkg-dev lintian desktop-file-utils appstream man-db
)

purpose=${1:-test}
case "$purpose" in
    run) packages=("${run_packages[@]}") ;;
    test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
    package) packages=("${run_packages[@]}" "${package_packages[@]}") ;;
    *)
        echo "usage: $0 [run|test|package]" >&2
        exit 2
        ;;
esac

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]} == 0)); then
    exit 0
fi

sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then
    sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
