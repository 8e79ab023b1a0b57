#!/usr/bin/env bash
# Sets up everything and runs every test. With --asan the tests run in a
# separate AddressSanitizer + UndefinedBehaviorSanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = "--asan" ]; then
  scripts/setup.sh build-asan -DVORLANE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
  build=build-asan
  export LSAN_OPTIONS="suppressions=$PWD/tests/support/lsan.supp"
else
  scripts/setup.sh build
  build=build
fi
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
# The game engine: Node unit tests and the example game in headless Chromium.
bash scripts/test-engine.sh "$build"
# The Debian package, installed and started as a user would.
if [ "$build" = build ]; then bash scripts/test-package.sh "$build"; fi
