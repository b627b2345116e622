#!/usr/bin/env bash
# Installs the Debian packages Kelvora needs to build, run and test. Safe to run again.
set -euo pipefail

packages=(
    cmake ninja-build g++ clang libclang-rt-dev pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
    libsqlite3-dev sqlite3 fonts-dejavu-core
    libgtest-dev libgmock-dev libbenchmark-dev
    appstream desktop-file-utils poppler-utils
    dpkg-dev file
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
