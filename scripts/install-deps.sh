#!/usr/bin/env bash
# Installs the Debian packages the project needs; does nothing when all are present.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-serialport-dev qt6-multimedia-dev
  libgsm1-dev libpulse-dev libssl-dev openssl
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth socat pulseaudio pulseaudio-utils
  fonts-dejavu-core hamradio-files trustedqsl
  libhamlib-utils sox libgsm-tools
)

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
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
$SUDO apt-get update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y "${missing[@]}"
