#!/usr/bin/env bash
# Pictures of the updater's real windows under a virtual X server: the main window with an install
# job, with a list job, with an uninstall job, the About dialog, the English main window with a
# list job and the report viewer opened from its protocol button; the About dialog and the password
# dialog's three modes alone on a screen of 96 and of 192 dpi (in 96/ and 192/), where every text
# must show whole; then checks that each is a real picture. Usage: scripts/screenshots.sh [build folder]; the PNGs land in <build>/bildschirmfotos.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target fensterbilder beispielarchiv uebersetzungen >/dev/null
ordner=$(cd "$build" && pwd)/bildschirmfotos
ziel="$ordner/installation"
rm -rf "$ordner"
mkdir -p "$ziel"
# A sample installation of the product "Kelmor".
touch "$ziel/KelmorQt.exe"
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  export XDG_RUNTIME_DIR=$(mktemp -d)
  chmod 700 "$XDG_RUNTIME_DIR"
fi
# The pictures need the real X platform of the virtual server, not the offscreen one of the tests.
env -u QT_QPA_PLATFORM HOME="$ordner" LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 \
  xvfb-run -a -s "-screen 0 1280x900x24" \
  "$build/updater/fensterbilder" "$ordner" "$ziel" "$build/updater/beispiel/update.zip"
# The font resolution stands for the screen's: the program scales its windows with it.
for dpi in 96 192; do
  env -u QT_QPA_PLATFORM -u QT_SCALE_FACTOR HOME="$ordner" LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 QT_FONT_DPI=$dpi \
    xvfb-run -a -s "-screen 0 1280x900x24" "$build/updater/fensterbilder" --dialoge "$ordner/$dpi"
done
QT_QPA_PLATFORM=offscreen "$build/updater/fensterbilder" --pruefe "$ordner"/1_installation.png "$ordner"/2_inhalt.png \
  "$ordner"/3_deinstallation.png "$ordner"/4_info.png "$ordner"/5_englisch.png "$ordner"/6_bericht.png \
  "$ordner"/96/*.png "$ordner"/192/*.png
echo "Bilder in $ordner"
