#!/usr/bin/env bash
# Installs what building, running and testing Kelvane need on Debian 12 or 13; does nothing when all
# is there. Package names are the unversioned, real ones both releases share; what differs is below.
set -euo pipefail
packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool x11-utils imagemagick openbox libxcb1-dev
  fonts-dejavu-core fonts-liberation2
  desktop-file-utils appstream dpkg-dev man-db groff-base lintian
  clang libclang-rt-dev
  qt6-tools-dev qt6-tools-dev-tools
  libwayland-dev qt6-wayland weston sway dbus-daemon dbus-bin at-spi2-core python3-gi gir1.2-atspi-2.0
  locales
  waybar dunst grim
)
# shellcheck source=/dev/null
. /etc/os-release
case "${ID:-}-${VERSION_ID:-}" in
  # Qt 6.4 ships Qt OpenGL's headers apart (QUiLoader's CMake package wants them); Qt 6.8 has them
  # in qt6-base-dev, where the old name is only a virtual package. The formatting check's pinned
  # clang-format is Debian 12's.
  debian-12) packages+=(libqt6opengl6-dev clang-format-14) ;;
  debian-13 | debian-) ;;
  *) echo "install-deps: ${PRETTY_NAME:-this system} is not tested; trying Debian 13's packages" >&2 ;;
esac
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
