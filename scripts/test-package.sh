#!/usr/bin/env bash
# Builds the Debian package from a build folder and tries it as a user
# would: the desktop files validate; unpacked into a scratch root, the
# installed program starts off screen in an empty home and prepares the
# user's program folder; vorlane-build builds the example there; and a newer
# version refreshes the engine while the user's projects and preferences stay.
# Usage: scripts/test-package.sh [build-folder]     (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/install-packages.sh
install_missing dpkg-dev desktop-file-utils appstream
build="$(cd "${1:-build}" && pwd)"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
deb="$(ls "$work"/package/vorlane_*.deb)"
root="$work/root"
dpkg-deb -x "$deb" "$root"
fail() { echo "package test: $*" >&2; exit 1; }

desktop-file-validate "$root/usr/share/applications/org.vorlane.Vorlane.desktop"
appstreamcli validate --no-net --pedantic "$root/usr/share/metainfo/org.vorlane.Vorlane.metainfo.xml" >/dev/null \
  || appstreamcli validate --no-net "$root/usr/share/metainfo/org.vorlane.Vorlane.metainfo.xml"
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "Depends lists no Qt libraries"

home="$work/home"
mkdir -p "$home"
user="$home/.local/share/vorlane"
run() { (cd "$home" && env -u XDG_DATA_HOME HOME="$home" QT_QPA_PLATFORM=offscreen "$@"); }
run "$root/usr/bin/vorlane" --check-start
for file in export.js keywords.dat debug.js Extensions/easing.tex Projects/gem_garden.xml \
            manual/index.html manual/reference.html preferences.dat; do
  [ -f "$user/$file" ] || fail "the program folder lacks $file"
done

run "$root/usr/bin/vorlane-build" gem_garden >/dev/null
[ -s "$user/Projects/gem_garden/game.js" ] || fail "vorlane-build wrote no game.js in the program folder"

# The user's work, then a newer version of the package.
cp "$user/Projects/gem_garden.xml" "$user/Projects/mine.xml"
printf '\n<!-- mine -->\n' >> "$user/Projects/gem_garden.xml"
cp "$user/Projects/gem_garden.xml" "$work/project.before"
cp "$user/preferences.dat" "$work/preferences.before"
echo "99.0.0" > "$root/usr/share/vorlane/VERSION"
echo "// newer" >> "$root/usr/share/vorlane/export.js"
run "$root/usr/bin/vorlane" --check-start
tail -n 1 "$user/export.js" | grep -q "// newer" || fail "a newer version did not refresh export.js"
cmp -s "$user/Projects/gem_garden.xml" "$work/project.before" || fail "the update changed a project"
[ -f "$user/Projects/mine.xml" ] || fail "the update lost a project"
cmp -s "$user/preferences.dat" "$work/preferences.before" || fail "the update changed the preferences"
echo "package test passed: $(basename "$deb")"
