#!/usr/bin/env bash
# Brings updater/uebersetzungen/aktualisierer_en.ts up to date with the texts of the sources (tests left out); translations already made are kept, and texts that have left the sources stay in the file marked as vanished (lrelease leaves them out) so that a wording moved back, or a text not yet in the sources, keeps its translation.
set -euo pipefail
cd "$(dirname "$0")/.."
liste=$(mktemp)
trap 'rm -f "$liste"' EXIT
for ordner in core config widgets updater reports; do
  [ -d "$ordner" ] || continue
  find "$ordner" -path '*/tests' -prune -o -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.ui' \) -print
done | sort >"$liste"
lupdate -locations none -source-language de_DE -target-language en_US "@$liste" \
  -ts updater/uebersetzungen/aktualisierer_en.ts
