#!/usr/bin/env bash
# Installs the Debian 12 packages Torvelin needs, where they are missing. Runs
# as root, or through sudo where that exists.
#
#   bash tools/setup.sh [run|test]
#
# "run" is what building and starting the program takes (tools/run.sh);
# "test", the default, adds what the test suite and its tools need.
set -euo pipefail

set_name="${1:-test}"
case "$set_name" in
run | test) ;;
*)
    echo "usage: tools/setup.sh [run|test]" >&2
    exit 2
    ;;
esac

# Building: the compiler, CMake and Qt's development files (with the platform
# plugins that open the window).
packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
)
# Running: Qt's SVG library for the window's pictures, a metric-compatible Arial
# for the printout and the German texts of Qt's own dialogs.
packages+=(
    libqt6svg6 fonts-liberation2 qt6-translations-l10n
)
if [ "$set_name" = test ]; then
    # The package test (dpkg-shlibdeps, file, lintian), the printout read back
    # (pdftotext) and the checks of the desktop entry and AppStream file.
    packages+=(
        dpkg-dev file lintian
        poppler-utils
        desktop-file-utils appstream
        librsvg2-bin # rsvg-convert: the package's PNG icons from the SVG
    )
    # XTrackCAD's parameter library: the range tests check every shipped
    # range file against it, and torvelin-search offers its straight pieces.
    packages+=(xtrkcad-common)
    # End-to-end tests (tests/e2e): the real program under a private X server
    # with a framing window manager, driven by xdotool and read through AT-SPI
    # with Debian's own Python; a screenshot is kept when a step fails, xclip
    # reads the X clipboard as another program pastes it, and chattr makes
    # folders unwritable even for root.
    packages+=(
        xvfb openbox xdotool x11-utils wmctrl imagemagick xclip
        dbus at-spi2-core python3 python3-pyatspi e2fsprogs
    )
fi
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
