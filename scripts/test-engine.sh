#!/usr/bin/env bash
# Tests the game engine (runtime/): Node's own test runner for the engine's
# logic and the shipped files, and headless Chromium for the example game.
# Installs what it needs (Debian, as root): nodejs, npm and chromium when
# missing, and playwright-core into tests/engine (no browser download: the
# tests launch /usr/bin/chromium). Builds vorlane-build in the given build
# folder when it is not there yet.
# Usage: scripts/test-engine.sh [build-folder]     (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."

build="${1:-build}"

missing=()
command -v node >/dev/null 2>&1 || missing+=(nodejs)
command -v npm >/dev/null 2>&1 || missing+=(npm)
[ -x /usr/bin/chromium ] || missing+=(chromium)
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# playwright-core as locked in package-lock.json, reinstalled only when it changed.
wanted=$(node -p "require('./tests/engine/package-lock.json').packages['node_modules/playwright-core'].version")
have=$(node -p "try { require('./tests/engine/node_modules/playwright-core/package.json').version } catch (e) { '' }")
if [ "$wanted" != "$have" ]; then
  (cd tests/engine && npm ci --no-audit --no-fund --loglevel=error)
fi

if [ ! -x "$build/src/vorlane-build" ]; then
  [ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja >/dev/null
  ninja -C "$build" -j2 vorlane-build
fi
build=$(cd "$build" && pwd)
exe="$build/src/vorlane-build"

# The example game must build in a program folder laid out like the one the
# program runs in; the tests then build their own games the same way.
program=$(mktemp -d)
trap 'rm -rf "$program"' EXIT
cp -r runtime/. "$program"
find "$program" -name .keep -delete
if ! (cd "$program" && "$exe" gem_garden >/dev/null); then
  echo "vorlane-build could not build the example game gem_garden" >&2
  exit 1
fi

export VORLANE_BUILD="$exe"
export VORLANE_SCREENSHOTS="${VORLANE_SCREENSHOTS:-$build/engine-screenshots}"
mkdir -p "$VORLANE_SCREENSHOTS"
echo "Screenshots of the example game go to $VORLANE_SCREENSHOTS"
node --test tests/engine/*.test.js
