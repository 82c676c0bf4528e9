#!/usr/bin/env bash
# Builds the updater (release settings, no tests) and times its silent install against unzip.
# Arguments are passed to bench/vergleich.py (for example --laeufe 3 or --klein 5000).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=${BUILD_DIR:-build-bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --parallel --target aktualisierer
exec python3 bench/vergleich.py --programm "$build/updater/aktualisierer" --arbeit "$build/bench-arbeit" "$@"
