#!/usr/bin/env bash
# Installs what building, playing and testing need, from Debian's packages.
# Safe to run again: it only installs what is missing. `setup.sh --web` adds the web build's.
set -euo pipefail

packages=(cmake make g++ pkg-config git
          libsdl2-dev libsdl2-mixer-dev libcairo2-dev libpng-dev
          libgtest-dev googletest clang-format xvfb xauth x11-utils xdotool
          clang libclang-rt-14-dev libbenchmark-dev ccache black
          libcpp-httplib-dev nlohmann-json3-dev libsqlite3-dev libpqxx-dev postgresql)
# black formats the Python tools; Prettier (npm, tools/format) the page and the browser tests.
# --web: the browser edition's toolchain, its music encoders and the browser its tests drive
# (node and npm come with the machine's Node.js).
if [ "${1:-}" = "--web" ]; then
    packages+=(emscripten binaryen vorbis-tools opus-tools chromium python3)
fi
if [ "${TARN_SETUP_EXTRA:-}" != "" ]; then
    read -r -a extra <<<"$TARN_SETUP_EXTRA"
    packages+=("${extra[@]}")
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if ! command -v apt-get >/dev/null; then
    echo "setup: missing ${missing[*]}; install them with your package manager" >&2
    exit 1
fi
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "setup: need root or sudo to install ${missing[*]}" >&2; exit 1; }
    sudo="sudo"
fi
echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
