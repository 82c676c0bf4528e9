#!/usr/bin/env bash
# Builds the updater (release settings, no tests) and times its silent install, fresh and as an
# update, against unzip, bsdtar and 7zz. Arguments are passed to bench/vergleich.py (for example
# --laeufe 3, --klein 200000 or --gross 0).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# The other tools, for the benchmark only: installed where this runs as root, else a missing one
# is left out of the table.
peers=()
command -v bsdtar >/dev/null || peers+=(libarchive-tools)
command -v 7zz >/dev/null || peers+=(7zip)
if [ ${#peers[@]} -gt 0 ] && [ "$(id -u)" -eq 0 ]; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${peers[@]}" >/dev/null \
    || echo "could not install ${peers[*]}: left out" >&2
fi
build=${BUILD_DIR:-build-bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --parallel --target aktualisierer
exec python3 bench/vergleich.py --programm "$build/updater/aktualisierer" --arbeit "$build/bench-arbeit" "$@"
