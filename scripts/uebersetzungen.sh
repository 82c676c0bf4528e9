#!/usr/bin/env bash
# Updates updater/uebersetzungen/aktualisierer_en.ts from the texts of the sources (tests left out), keeping the translations; texts gone from the sources stay as "vanished" (not compiled), so a text not yet, or no longer, in the sources keeps its translation.
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
