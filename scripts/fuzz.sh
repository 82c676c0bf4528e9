#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer and runs each for a bounded time.
#   scripts/fuzz.sh [seconds per target] [target ...]    (default 30 seconds, every target)
# FUZZ_SEED fixes libFuzzer's seed (0, the default, picks one at random).
# FUZZ_SPUREN sets how many targets run at once (default one a core).
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
# fuzze <target>: one target for the given seconds; fails when it found a fault.
fuzze() {
  local ziel=$1
  local arbeit="$build/arbeit/$ziel"
  local funde="$build/funde/$ziel"
  mkdir -p "$arbeit" "$funde"
  echo "== fuzz_$ziel for ${sekunden}s"
  # Runs in its own folder: targets may write files into the working folder.
  if ! (cd "$arbeit" && "../../fuzz/fuzz_$ziel" -max_total_time="$sekunden" -timeout=20 -seed="${FUZZ_SEED:-0}" \
          -rss_limit_mb=2048 -close_fd_mask=3 -artifact_prefix="../../funde/$ziel/" \
          . "../../../fuzz/korpus/$ziel" 2>"../$ziel.log"); then
    echo "fuzz_$ziel found a fault; see $build/arbeit/$ziel.log and $funde" >&2
    tail -n 40 "$build/arbeit/$ziel.log" >&2
    return 1
  fi
}

# A fuzzer keeps one core busy: the targets run side by side in one lane a core, each lane one target after the other, so every target still gets its full
# time and the run takes a lane's time, not the sum of all.
spuren=${FUZZ_SPUREN:-$(nproc)}
prozesse=()
for ((spur = 0; spur < spuren && spur < ${#ziele[@]}; spur++)); do
  (
    fehler=0
    for ((i = spur; i < ${#ziele[@]}; i += spuren)); do
      fuzze "${ziele[i]}" || fehler=1
    done
    exit $fehler
  ) &
  prozesse+=($!)
done
status=0
for prozess in "${prozesse[@]}"; do
  wait "$prozess" || status=1
done
exit $status
