#!/usr/bin/env bash
# Sets up everything, prepares the program folder run/ (the engine template,
# keyword list, extensions, manual and example projects beside the program) and
# starts Vorlane in it. Projects you make are kept in run/Projects/.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh build
mkdir -p run/Projects
# The engine, keyword list and extensions are refreshed; projects (the
# example included, once copied) and preferences are the user's and kept.
find runtime -maxdepth 1 -type f -exec cp {} run/ \;
cp -r runtime/Extensions run/
# The manual: its pages, and the engine reference the build wrote from keywords.dat.
rm -rf run/manual
cp -r runtime/manual run/
cp build/manual/reference.html run/manual/
cp -rn runtime/Projects/. run/Projects/
find run -name .keep -delete
cd run
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting Vorlane on a virtual screen (xvfb-run)."
  exec xvfb-run -a ../build/src/vorlane
fi
exec ../build/src/vorlane
