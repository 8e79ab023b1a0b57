#!/usr/bin/env bash
# The mutation check: how many small faults the test suite catches.
#
# Each line of the list names a file, a piece of text that occurs exactly once
# in it, and what to put there instead: one fault a developer could make,
# such as a flipped comparison or a dropped check. One at a time, the mutant
# is applied to a scratch copy of the tree; the test programs of the mutated
# folder and of every folder that uses it (src/README.md's table) are rebuilt
# and run whole, as are the engine tests for runtime/export.js. A failing or
# timed-out run catches the mutant. A mutant that does not build is reported
# and left out of the count.
#
# Usage: bash tools/mutate/run.sh [list]   (default: tools/mutate/mutants.txt)
# Set VORLANE_MUTATE_DIR to choose the scratch folder (default: a new one
# under /tmp) and VORLANE_MUTATE_ONLY to a text that a mutant's line must
# contain to be run. Run it on a machine set up by scripts/setup.sh; the
# engine mutants need what scripts/test-engine.sh installs.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
list="$(realpath "${1:-$root/tools/mutate/mutants.txt}")"
scratch="${VORLANE_MUTATE_DIR:-$(mktemp -d /tmp/vorlane-mutate.XXXXXX)}"
only="${VORLANE_MUTATE_ONLY:-}"
timeout_s=300
export QT_QPA_PLATFORM=offscreen

# A copy of the tree as it is now, committed or not, with its own build. A
# scratch folder used before is brought up to date file by file: what changed
# gets a new time so ninja rebuilds it (a copied file keeps its old time, which
# may be older than a build made from a mutant or another tree), and what is
# gone is deleted (test sources are found by pattern).
tree="$scratch/tree" fresh="$scratch/fresh"
rm -rf "$fresh"
mkdir -p "$tree" "$fresh"
(cd "$root" && git ls-files -z --cached --others --exclude-standard |
   tar --null -T - --ignore-failed-read -cf -) | tar -C "$fresh" -xf -
(cd "$fresh" && find . \( -type f -o -type l \) -print0) |
  while IFS= read -r -d '' f; do
    cmp -s "$fresh/$f" "$tree/$f" && continue
    mkdir -p "$(dirname "$tree/$f")"
    cp -P --remove-destination "$fresh/$f" "$tree/$f"
  done
(cd "$tree" && find . -path ./build -prune -o \( -type f -o -type l \) -print0) |
  while IFS= read -r -d '' f; do
    [ -e "$fresh/$f" ] || [ -L "$fresh/$f" ] || rm -f "$tree/$f"
  done
rm -rf "$fresh"
[ -d "$root/tests/engine/node_modules" ] && ln -sfn "$root/tests/engine/node_modules" "$tree/tests/engine/node_modules"
build="$tree/build"
cmake -S "$tree" -B "$build" -G Ninja -DVORLANE_BENCH=OFF >/dev/null

# Folder -> the folders that use it, itself included, from the layer table.
declare -A users
while IFS=: read -r folder uses; do
  users[$folder]+=" $folder"
  for used in $uses; do users[$used]+=" $folder"; done
done < <(awk -F'|' '/^\| `[a-z]+\/` \|/ {
  f = $2; gsub(/[ `\/]/, "", f); u = $4; printf "%s:", f
  while (match(u, /`[a-z]+\/`/)) { printf " %s", substr(u, RSTART + 1, RLENGTH - 3); u = substr(u, RSTART + RLENGTH) }
  print "" }' "$tree/src/README.md")

# The test programs a change to `path` can break; "engine" for the engine.
programs_for() {
  case "$1" in
    runtime/*) echo engine ;;
    src/*)
      local folder="${1#src/}"
      folder="${folder%%/*}"
      local out=""
      for f in ${users[$folder]:-}; do
        for p in "${f}_tests" "${f}_ui_tests"; do
          [[ " $all " == *" $p "* ]] && out+=" $p"
        done
      done
      echo "$out" ;;
  esac
}

# True when every program passes.
run_programs() {
  local p
  for p in "$@"; do
    if [ "$p" = engine ]; then
      timeout "$timeout_s" bash "$tree/scripts/test-engine.sh" "$build" >/dev/null 2>&1 || return 1
    else
      (cd "$build/tests" && timeout "$timeout_s" "./$p" >/dev/null 2>&1) || return 1
    fi
  done
}

echo "Building the scratch copy in $scratch ..."
ninja -C "$build" >/dev/null
all=$(ninja -C "$build" -t targets all | sed -n 's|^tests/\([a-z_]*_tests\):.*|\1|p' | sort -u | tr '\n' ' ')
if ! run_programs $all; then
  echo "The suite fails without any mutant: fix that first." >&2
  exit 1
fi

caught=0 total=0 unbuilt=0
while IFS= read -r line; do
  [[ -z "$line" || "$line" == \#* ]] && continue
  [[ -n "$only" && "$line" != *"$only"* ]] && continue
  path="${line%% | *}"
  rest="${line#* | }"
  from="${rest%% | *}"
  to="${rest#* | }"
  file="$tree/$path"
  if [ ! -f "$file" ] || [ "$(FROM="$from" perl -0ne 'print scalar(() = /\Q$ENV{FROM}\E/g)' "$file")" != 1 ]; then
    echo "not found once: $line"
    unbuilt=$((unbuilt + 1))
    continue
  fi
  cp "$file" "$file.orig"
  FROM="$from" TO="$to" perl -0pi -e 's/\Q$ENV{FROM}\E/$ENV{TO}/' "$file"
  read -ra targets <<<"$(programs_for "$path")"
  built=1
  if [ "${targets[0]:-}" != engine ]; then
    ninja -C "$build" "${targets[@]/#/tests/}" >/dev/null 2>&1 || built=0
  fi
  if [ "$built" = 0 ]; then
    echo "does not build: $line"
    unbuilt=$((unbuilt + 1))
  elif run_programs "${targets[@]}"; then
    total=$((total + 1))
    echo "SURVIVED: $line"
  else
    total=$((total + 1)) caught=$((caught + 1))
    echo "caught:   $line"
  fi
  # Copied back, not moved, so the original is newer than the mutant's build
  # and ninja builds it again, even after a run stopped right here.
  cp "$file.orig" "$file"
  rm "$file.orig"
done <"$list"

[ "$unbuilt" -gt 0 ] && echo "($unbuilt mutants not applied or not built, left out)"
echo "caught $caught of $total ($((total ? 100 * caught / total : 0))%)"
