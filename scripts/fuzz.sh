#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer and runs each for a bounded time.
#   scripts/fuzz.sh [seconds per target] [target ...]    (default 30 seconds, every target)
# FUZZ_SEED fixes libFuzzer's seed (0, the default, picks one at random).
# New inputs go to a scratch corpus; a crash leaves its input in build-fuzz/funde/<target>/.
# Copy such an input into fuzz/korpus/<target>/ once it is fixed: the normal build replays the
# corpus as a test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
sekunden=${1:-30}
shift || true
build=${FUZZ_BUILD_DIR:-build-fuzz}
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMIT_FUZZING=ON -DBUILD_TESTING=OFF
ziele=("$@")
if [ ${#ziele[@]} -eq 0 ]; then
  for k in fuzz/korpus/*/; do ziele+=("$(basename "$k")"); done
fi
cmake --build "$build" --parallel --target "${ziele[@]/#/fuzz_}"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
status=0
for ziel in "${ziele[@]}"; do
  arbeit="$build/arbeit/$ziel"
  funde="$build/funde/$ziel"
  mkdir -p "$arbeit" "$funde"
  echo "== fuzz_$ziel for ${sekunden}s"
  # Runs in its own folder: targets may write files into the working folder.
  if ! (cd "$arbeit" && "../../fuzz/fuzz_$ziel" -max_total_time="$sekunden" -timeout=20 -seed="${FUZZ_SEED:-0}" \
          -rss_limit_mb=2048 -close_fd_mask=3 -artifact_prefix="../../funde/$ziel/" \
          . "../../../fuzz/korpus/$ziel" 2>"../$ziel.log"); then
    echo "fuzz_$ziel found a fault; see $build/$ziel.log ... and $funde" >&2
    tail -n 40 "$build/arbeit/$ziel.log" >&2
    status=1
  fi
done
exit $status
