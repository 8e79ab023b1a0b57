#!/usr/bin/env bash
# Builds the loaders' fuzz targets with clang and libFuzzer in build-fuzz/
# and runs each in turn for the given number of seconds (default 60).
# Usage: scripts/fuzz.sh [seconds] [target...]
#        scripts/fuzz.sh merge [target...]
# Working corpora grow in build-fuzz/corpus/<target>/ (seeded from
# tests/fuzz/corpus/<target>/ and tests/fuzz/regression/<target>/); crashes
# are written to tests/fuzz/crashes/<target>/, where the normal build's tests
# replay them. "merge" rewrites tests/fuzz/regression/<target>/ as the fewest
# small inputs (up to 4 KB) of the working corpus that reach every code edge
# it reaches, so that the normal build's tests replay what fuzzing found.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
shift || true
merge=0
[[ "$seconds" == merge ]] && merge=1
targets=("$@")
if ((${#targets[@]} == 0)); then
  targets=(project_reader project_xml preferences extensions keyword_file function_library
           image_decode)
fi

packages=(cmake ninja-build clang libclang-rt-dev qt6-base-dev libqscintilla2-qt6-dev
          libexpat1-dev libzip-dev pkg-config)
source scripts/install-packages.sh
install_missing "${packages[@]}"

build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DVORLANE_FUZZ=ON -DVORLANE_TESTS=OFF \
  -DVORLANE_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C "$build" -j"${FUZZ_JOBS:-1}" $(printf 'fuzz_%s ' "${targets[@]}")

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$PWD/tests/support/lsan.supp}"
export QT_QPA_PLATFORM=offscreen

if ((merge)); then
  for target in "${targets[@]}"; do
    regression="tests/fuzz/regression/$target"
    small=$(mktemp -d) merged=$(mktemp -d)
    find "$build/corpus/$target" "$regression" -type f -size -4097c -exec cp -t "$small" {} + \
      2>/dev/null || true
    # Counting edges only, not how often each is hit, keeps the set small.
    "$build/tests/fuzz/fuzz_$target" -merge=1 -use_counters=0 -rss_limit_mb=1024 \
      -malloc_limit_mb=1024 -timeout=10 "$merged" "$small" >"$build/merge_$target.log" 2>&1
    rm -rf "$regression" && mkdir -p "$regression" && cp "$merged"/* "$regression"/
    rm -rf "$small" "$merged"
    echo "$target: $(find "$regression" -type f | wc -l) inputs in $regression"
  done
  exit 0
fi

# The targets work in a scratch folder of their own, so every path given to
# libFuzzer is absolute.
root="$PWD"
summary=()
for target in "${targets[@]}"; do
  corpus="$root/$build/corpus/$target"
  crashes="$root/tests/fuzz/crashes/$target"
  mkdir -p "$corpus" "$crashes"
  cp -n tests/fuzz/corpus/"$target"/* tests/fuzz/regression/"$target"/* "$corpus"/ 2>/dev/null ||
    true
  log="$build/fuzz_$target.log"
  echo "== $target: $seconds s"
  status=0
  "$build/tests/fuzz/fuzz_$target" "$corpus" \
    -dict="$root/tests/fuzz/$target.dict" -max_total_time="$seconds" \
    -rss_limit_mb=1024 -malloc_limit_mb=1024 -timeout=10 \
    -artifact_prefix="$crashes/" -print_final_stats=1 >"$log" 2>&1 || status=$?
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  cov=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -1 || true)
  files=$(find "$corpus" -type f | wc -l)
  line="$target: ${execs:-?} executions, ${cov:-cov: ?}, corpus $files files"
  ((status == 0)) || line+=", FAILED (exit $status, see $log)"
  echo "$line"
  summary+=("$line")
done

echo
echo "== summary"
printf '%s\n' "${summary[@]}"
