#!/usr/bin/env bash
# Installs the Debian packages Rebounder needs to build, test and run.
# Only packages that are missing are installed; as root directly, otherwise with sudo.
# With the argument "fuzz", also clang and its libFuzzer runtime (for make fuzz).
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config
  libsdl1.2-compat-dev libsdl-mixer1.2-dev libx11-dev
  libgtest-dev libbenchmark-dev
  libcairo2-dev fonts-dejavu-core libvorbis-dev libogg-dev
  xvfb xdotool x11-apps imagemagick openbox ffmpeg
  desktop-file-utils appstream dpkg-dev file man-db
)
if [ "${1:-}" = fuzz ]; then PACKAGES+=(clang libclang-rt-dev); fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  SUDO=""
else
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
