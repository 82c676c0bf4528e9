#!/usr/bin/env bash
# Updates updater/uebersetzungen/aktualisierer_en.ts from the texts of the sources of every folder with windows (tests left out), keeping the translations of the texts still there and dropping those of texts gone; the translation check test (updater/tests/uebersetzungen_test.cpp) fails until every text has its English. It fails itself on a tr() lupdate cannot place.
set -euo pipefail
cd "$(dirname "$0")/.."
liste=$(mktemp)
trap 'rm -f "$liste"' EXIT
for ordner in core config widgets updater reports browser database; do
  [ -d "$ordner" ] || continue
  find "$ordner" -path '*/tests' -prune -o -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.ui' \) -print
done | sort >"$liste"
# Silent, lupdate says only what it cannot place (a tr() without a context it knows): such a
# text would stay German, so the script fails on it.
warnungen=$(lupdate -silent -locations none -no-obsolete -source-language de_DE -target-language en_US "@$liste" \
  -ts updater/uebersetzungen/aktualisierer_en.ts 2>&1 >/dev/null)
if [ -n "$warnungen" ]; then
  printf '%s\n' "$warnungen" >&2
  exit 1
fi
