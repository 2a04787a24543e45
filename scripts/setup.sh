#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those that are missing.
set -euo pipefail

packages=(
  build-essential g++ clang cmake ninja-build pkg-config git ccache
  libclang-rt-14-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev libpixman-1-dev
  libsdl2-dev libcurl4-openssl-dev libpng-dev libjpeg-dev
  libfreetype-dev fonts-dejavu-core librsvg2-bin
  libfluidsynth-dev timgm6mb-soundfont
  openssl
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "setup: installing ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
