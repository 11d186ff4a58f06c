#!/usr/bin/env bash
# Installs the Debian 12 packages Torvelin needs to build, test and run, where
# they are missing. Runs as root, or through sudo where that exists.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    dpkg-dev file
    fonts-liberation2 qt6-translations-l10n
    poppler-utils
    desktop-file-utils appstream
    libqt6svg6
)
# XTrackCAD's parameter library: the range tests check every shipped range
# file against it, and torvelin-search offers its straight pieces.
packages+=(xtrkcad-common)
# End-to-end tests (tests/e2e): the real program under a private X server with
# a framing window manager, driven by xdotool and read through AT-SPI with
# Debian's own Python; a screenshot is kept when a step fails, and chattr
# makes folders unwritable even for root.
packages+=(
    xvfb openbox xdotool x11-utils wmctrl imagemagick
    dbus at-spi2-core python3 python3-pyatspi e2fsprogs
)
# Further packages for one purpose, e.g. Xvfb for the window benchmarks.
read -r -a extra <<< "${TORVELIN_EXTRA_PACKAGES:-}"
packages+=("${extra[@]}")

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ "${#missing[@]}" -gt 0 ]; then
    as_root=()
    if [ "$(id -u)" -ne 0 ]; then
        as_root=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${as_root[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
