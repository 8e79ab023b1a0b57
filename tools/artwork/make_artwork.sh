#!/usr/bin/env bash
# Draws Vorlane's stock pictures (icons, cards, banners, splash, About, the
# Game tab buttons) into src/app/ui/artwork/ and lists them in
# src/app/ui/artwork.qrc, which the build compiles into the program; and the
# desktop's application icon in its sizes into packaging/icons/, which the
# package installs.
# Needs qt6-base-dev and fonts-dejavu-core (both installed by scripts/setup.sh).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
out="$here/../../src/app/ui/artwork"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

g++ -std=c++20 -O1 -fPIC "$here/draw_artwork.cpp" -o "$work/draw_artwork" \
    $(pkg-config --cflags --libs Qt6Gui)
mkdir -p "$out"
rm -f "$out"/*.png
rm -rf "$here/../../packaging/icons"
QT_QPA_PLATFORM=offscreen "$work/draw_artwork" "$out" "$here/../../packaging/icons"

{
  echo '<!DOCTYPE RCC><RCC version="1.0">'
  echo '<qresource prefix="/artwork">'
  for f in "$out"/*.png; do
    name="$(basename "$f")"
    echo "  <file alias=\"$name\">artwork/$name</file>"
  done
  echo '</qresource>'
  echo '</RCC>'
} > "$out/../artwork.qrc"
echo "$(ls "$out"/*.png | wc -l) pictures written to $out"
