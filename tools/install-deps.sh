#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the sandbox need,
# only those that are missing. Runs as root (or through sudo when present).
set -euo pipefail

packages=(
    cmake ninja-build g++ clang pkg-config python3
    qtbase5-dev qttools5-dev qttools5-dev-tools
    libboost-dev libboost-thread-dev libboost-regex-dev libboost-filesystem-dev
    zlib1g-dev libjsoncpp-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    libkf5syntaxhighlighting-dev
    xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && command -v sudo >/dev/null && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
