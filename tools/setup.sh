#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; does nothing when all are present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkgconf
  qt6-base-dev libqt6opengl6-dev qt6-charts-dev qt6-translations-l10n
  libxlsxwriter-dev zlib1g-dev libcurl4-openssl-dev
  libgtest-dev libbenchmark-dev
  fonts-dejavu-core xvfb xauth
  poppler-utils zip unzip
  libreoffice-calc-nogui
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
