#!/usr/bin/env bash
# Installs every Debian 12 package the project needs to build, test, benchmark and fuzz.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config clang-format
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-translations-l10n libgl-dev
    libcurl4-openssl-dev libssl-dev openssl
    libpcre2-dev libicu-dev zlib1g-dev
    libpsl-dev publicsuffix libidn2-dev nlohmann-json3-dev
    libgtest-dev libgmock-dev libbenchmark-dev libxml2-dev
    clang libclang-rt-14-dev
    xvfb xauth xdotool fonts-wqy-microhei imagemagick dbus-x11
)

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
