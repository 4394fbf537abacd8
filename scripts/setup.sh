#!/usr/bin/env bash
# Installs what TAVREL needs on Debian 12, then builds it and lays out its data folder.
# Safe to run again: it installs only what is missing and rebuilds only what changed.
# Usage: scripts/setup.sh [build-folder] [extra cmake arguments...]
# TAVREL_TARGETS (space-separated) builds only those targets instead of everything.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$here/build"}
shift || true

packages=(cmake g++ make googletest libgtest-dev qt6-base-dev qt6-svg-dev fonts-liberation2
          xvfb xauth xdotool poppler-utils x11-xserver-utils imagemagick)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# Node.js may come from elsewhere than Debian (its npm is then built in): take Debian's only
# when there is none.
command -v npm >/dev/null 2>&1 || missing+=(nodejs npm)
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The drawings come from a pinned picture package; npm ci installs exactly the locked version.
if [ -f "$here/package-lock.json" ]; then
    if [ ! -f "$here/node_modules/.package-lock.json" ] ||
       [ "$here/package-lock.json" -nt "$here/node_modules/.package-lock.json" ]; then
        (cd "$here" && npm ci --no-audit --no-fund --loglevel=error)
    fi
fi

cmake -S "$here" -B "$build" "$@" > "$build.configure.log" 2>&1 || { cat "$build.configure.log"; exit 1; }
read -r -a targets <<<"${TAVREL_TARGETS:-}"
if [ ${#targets[@]} -gt 0 ]; then
    cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"
else
    cmake --build "$build" -j "$(nproc)"
fi
