#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev libgl-dev qt6-translations-l10n
  libgtest-dev libbenchmark-dev
  fonts-wqy-microhei fonts-dejavu-core
  xvfb xauth x11-apps imagemagick xdotool
  clang libclang-rt-14-dev
  desktop-file-utils appstream dpkg-dev file
  locales libgmp-dev libmpfr-dev
  python3-pyatspi at-spi2-core dbus
  # The program on Wayland (Qt's plugin, a headless compositor), and the
  # screen reader the accessibility tests listen to.
  qt6-wayland weston orca
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
if [ ${#missing[@]} -ne 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -q
  $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# A locale whose decimal separator is a comma, for the tests that check the
# number text and the parser ignore the process locale.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
