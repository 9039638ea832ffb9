#!/usr/bin/env bash
# Installs what building and testing meter needs on Debian 12 (only what is missing).
set -euo pipefail
packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-serialport-dev libgl1-mesa-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation fonts-dejavu-core fonts-arphic-uming fonts-wine
  cups cups-client printer-driver-cups-pdf poppler-utils
  libxlsxwriter-dev python3-openpyxl locales
  g++-mingw-w64-x86-64-posix googletest wine64
  desktop-file-utils xvfb openbox xdotool libxcb1-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
