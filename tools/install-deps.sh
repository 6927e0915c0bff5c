#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the screenshots need.
set -euo pipefail
packages=(
    build-essential cmake ninja-build clang libclang-rt-14-dev clang-format
    qt6-base-dev qt6-base-private-dev qt6-svg-dev qt6-tools-dev qt6-wayland qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n libgl1-mesa-dev
    libgtest-dev libgmock-dev googletest
    xvfb xauth x11-utils imagemagick libxcb1-dev xdotool openbox trayer
    appstream appstream-compose lintian desktop-file-utils groff-base man-db dpkg-dev xdg-utils
    fonts-liberation fonts-ipafont-gothic
    dbus libglib2.0-bin systemd at-spi2-core python3-pyatspi
    libwayland-dev wayland-protocols libwayland-bin pkg-config sway wtype
)
missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq "${missing[@]}"
