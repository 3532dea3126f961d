#!/usr/bin/env bash
# Installs what building, running and testing Kelvane need on Debian 12; does nothing when all is there.
set -euo pipefail
packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool x11-utils imagemagick openbox libxcb1-dev clang-format
  fonts-dejavu-core fonts-liberation2
  desktop-file-utils appstream dpkg-dev man-db groff-base lintian
  clang libclang-rt-14-dev
  qt6-tools-dev qt6-tools-dev-tools libqt6opengl6-dev
  libwayland-dev qt6-wayland weston sway dbus-daemon dbus-bin at-spi2-core python3-gi gir1.2-atspi-2.0
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
