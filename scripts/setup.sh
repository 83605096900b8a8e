#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need.
# Only what is missing is installed, so running it again is cheap.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins
  libgl-dev libxkbcommon-dev
  libsdl2-dev libxcb1-dev
  libcups2-dev
  # Opened by name while the program runs, not linked: a machine that only
  # runs the program needs these even without the -dev packages.
  libsdl2-2.0-0 libcups2
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  fonts-liberation fonts-liberation2 fonts-comic-neue fonts-dejavu-core fontconfig
  xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
