#!/usr/bin/env bash
# Installs what is missing, builds the updater and runs its main job.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF
cmake --build "$build" --parallel
echo "Built the framework core. The updater's main job will be: a silent install of a sample"
echo "archive into a folder under $build (aktualisierer -silent -install <archive> -dst <folder>)."
