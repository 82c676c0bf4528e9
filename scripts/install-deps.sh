#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; does nothing when all are present.
set -euo pipefail

packages=(
  build-essential cmake pkg-config ninja-build
  qtbase5-dev qtbase5-dev-tools qttools5-dev qttools5-dev-tools
  qtwebengine5-dev qtpdf5-dev libqt5svg5-dev libqt5sql5-sqlite libqt5sql5-psql libqt5sql5-mysql
  liblog4cpp5-dev libminizip-dev zlib1g-dev
  libgtest-dev libgmock-dev
  xvfb xauth qt5-assistant qhelpgenerator-qt5 libgl1-mesa-dri
  qttranslations5-l10n
  zip unzip locales-all time python3 python3-fusepy
  clang libclang-rt-14-dev
  poppler-utils fonts-dejavu-core
  openssl
  mariadb-server postgresql
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]}" >&2
  echo "Run this script as root to install them." >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends "${missing[@]}"
