#!/usr/bin/env bash
# Draws the manual's pictures into runtime/manual/img/: the program's windows
# with the example game open (vorlane-manual-shots, off screen) and what the
# drawing functions produce (the engine in headless Chromium). Needs the
# build folder set up by scripts/setup.sh and the engine tests' packages
# (scripts/test-engine.sh installs them).
# Usage: tools/manual/make_pictures.sh [build-folder]     (default: build)
set -euo pipefail
cd "$(dirname "$0")/../.."
build="$(cd "${1:-build}" && pwd)"
out="$PWD/runtime/manual/img"

ninja -C "$build" vorlane-manual-shots vorlane-build >/dev/null
program=$(mktemp -d)
trap 'rm -rf "$program"' EXIT
cp -r runtime/. "$program"
mkdir -p "$out"
(cd "$program" && QT_QPA_PLATFORM=offscreen "$build/vorlane-manual-shots" "$out")
VORLANE_BUILD="$build/src/vorlane-build" node tools/manual/draw_pictures.js "$out"
echo "$(ls "$out"/*.png | wc -l) pictures in $out"
