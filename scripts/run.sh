#!/usr/bin/env bash
# Installs what is missing, builds the updater and runs its main job: a silent install of the
# sample archive into a folder under the build tree, with the protocol on the console; then shows
# the files installed and the "uninstall.dat" written.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=${BUILD_DIR:-build}
# Ninja for a fresh folder; one configured before (by hand, with Makefiles say) keeps its generator,
# which CMake would not change.
generator=()
[ -f "$build/CMakeCache.txt" ] || generator=(-G Ninja)
cmake -S . -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
# Only the program and the sample archive: the tests are the test command's work. A number of
# jobs: make alone would start every job at once.
cmake --build "$build" --parallel "$(nproc)" --target aktualisierer beispielarchiv
beispiel=$(cd "$build/updater/beispiel" && pwd)
ziel="$beispiel/installation"
rm -rf "$ziel"
mkdir -p "$ziel"

echo
echo "== aktualisierer -silent -install update.zip -dst $ziel"
rc=0
(cd "$beispiel" && ../aktualisierer -silent -install update.zip -dst "$ziel") || rc=$?
echo "== exit code: $rc"
echo
echo "== installed files"
(cd "$ziel" && find . -mindepth 1 | sort)
echo
echo "== uninstall.dat"
cat "$ziel/uninstall.dat"
exit "$rc"
