#!/usr/bin/env bash
# Installs what building and testing Vorlane needs (Debian, as root), then
# configures and builds it. Usage: scripts/setup.sh [build-folder] [cmake options...]
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ pkg-config qt6-base-dev libqscintilla2-qt6-dev
          qt6-declarative-dev qt6-declarative-private-dev qt6-httpserver-dev qt6-websockets-dev chromium
          libexpat1-dev libzip-dev libgtest-dev xvfb xauth fonts-dejavu-core fonts-liberation)
source scripts/install-packages.sh
install_missing "${packages[@]}"

build="${1:-build}"
shift || true
cmake -S . -B "$build" -G Ninja "$@" >/dev/null
ninja -C "$build" -j"$(nproc)"
