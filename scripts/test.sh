#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: in a plain build, in a build
# with AddressSanitizer and UndefinedBehaviorSanitizer, and in one with ThreadSanitizer (any
# report fails the run); fuzzes briefly only where asked.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
# Qt wants a private runtime folder; without one it warns in every test program.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  export XDG_RUNTIME_DIR=$(mktemp -d)
  chmod 700 "$XDG_RUNTIME_DIR"
fi
# Stop at the first sanitizer report, with a stack, so ctest sees the failure.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

# One private MariaDB and one PostgreSQL server for the whole run; the tests find them through
# AKT_MARIADB_* and AKT_PG_*. A server that does not start fails the run here, so no server test is
# skipped silently (an assignment, not eval "$(...)": eval would hide the failure from set -e).
variablen=$(scripts/datenbankserver.sh start)
eval "$variablen"
trap 'scripts/datenbankserver.sh stop "$AKT_MARIADB_ORDNER"; scripts/datenbankserver.sh stop "${AKT_PG_ORDNER:-}"' EXIT
variablen=$(scripts/datenbankserver.sh start postgres)
eval "$variablen"

# baue_und_teste <build folder> <generator, empty for CMake's default> <ctest options> [cmake options...]
# A folder configured before keeps its generator: CMake refuses another one for it (a build made
# by hand with Makefiles, say).
baue_und_teste() {
  local build=$1
  local generator=$2
  local ctest_optionen=$3
  shift 3
  local wahl=()
  if [ -n "$generator" ] && [ ! -f "$build/CMakeCache.txt" ]; then
    wahl=(-G "$generator")
  fi
  cmake -S . -B "$build" "${wahl[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  # A number of jobs: make alone would start every job at once.
  cmake --build "$build" --parallel "$(nproc)"
  # shellcheck disable=SC2086
  ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" $ctest_optionen
}

baue_und_teste build Ninja ""
# The real windows under a virtual X server, once: six pictures that must not be blank.
scripts/screenshots.sh build
# The web engine's own threads and allocations are not ours: its tests run in the plain build only.
# The prints of a million lines, the large reports of every markup and the 2 and 8 MiB reports
# saved, printed and mailed by every closing road (a quarter of an hour and more each under the
# sanitizers) run in the plain build only: the 150,000-line report print, the slice tests and the
# smaller closing-road tests take the same roads here.
baue_und_teste build-san Ninja "-LE webengine -E Million|GrosseBerichteJederArt|BetrachterGehtWaehrendSpeichernDruckenUndMailen" -DMIT_SANITIZERN=ON
# ThreadSanitizer for the code that job threads run beside the GUI thread. The build itself leaves
# out the test programs of the subsystems that start no threads of ours (the database layer with
# its server tests, the web browser); the long-report and long-protocol prints and the large
# reports (minutes under this sanitizer) run none either. It is built with CMake's default generator (Makefiles where nothing else is chosen),
# as a newcomer's `cmake -S . -B build` does: the build must not rely on what Ninja does beyond
# the rules.
TSAN_OPTIONS=${TSAN_OPTIONS:-halt_on_error=1} baue_und_teste build-tsan "" "-LE webengine -E LangerBericht|LangesProtokoll|GrosseBerichteJederArt|BetrachterGehtWaehrendSpeichernDruckenUndMailen" -DMIT_TSAN=ON

# A short fuzzing run of every fuzz target with a fixed seed, where FUZZ_SEKUNDEN asks for one: its
# clang build of the libraries is a fourth build, beyond what the run may take on two cores. Every
# build above replays each corpus as a test; longer runs with random seeds are scripts/fuzz.sh's job.
sekunden=${FUZZ_SEKUNDEN:-0}
if [ "$sekunden" -gt 0 ]; then
  FUZZ_SEED=${FUZZ_SEED:-1} scripts/fuzz.sh "$sekunden"
fi
