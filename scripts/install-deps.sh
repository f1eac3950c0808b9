#!/usr/bin/env bash
# Installs the Debian packages Rebounder needs; only missing ones, as root
# directly, otherwise with sudo.
# usage: install-deps.sh [test] [deb] [fuzz]
#   no argument: what building and running the game need (make run)
#   test: also what the tests use (GoogleTest, benchmark, an X server and its
#         tools, the install checks and lintian; make test)
#   deb:  also what making the Debian package needs (make deb)
#   fuzz: also clang and its libFuzzer runtime (make fuzz)
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config
  libsdl1.2-compat-dev libsdl-mixer1.2-dev libx11-dev
  libcairo2-dev fonts-dejavu-core libvorbis-dev libogg-dev
)
for group in "$@"; do
  case $group in
    test)
      PACKAGES+=(libgtest-dev libbenchmark-dev
        xvfb xdotool x11-apps x11-utils imagemagick openbox ffmpeg python3
        desktop-file-utils appstream dpkg-dev file man-db lintian) ;;
    deb) PACKAGES+=(dpkg-dev file) ;;
    fuzz) PACKAGES+=(clang libclang-rt-dev) ;;
    *) echo "install-deps.sh: unknown group \"$group\" (test, deb or fuzz)" >&2; exit 2 ;;
  esac
done

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
