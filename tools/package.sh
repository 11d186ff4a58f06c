#!/usr/bin/env bash
# Builds the Debian package build-package/torvelin_<version>_amd64.deb and
# checks it with lintian. Install it with
#   sudo apt-get install ./build-package/torvelin_<version>_amd64.deb
# Extra arguments go to CMake's configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
TORVELIN_EXTRA_PACKAGES="${TORVELIN_EXTRA_PACKAGES:-} lintian" bash tools/setup.sh

# Every date in the package is the last commit's time, so that two builds of
# one commit give the same bytes. Without the history (a source archive),
# the build's own fallback applies: noon of the release date.
if [ -z "${SOURCE_DATE_EPOCH:-}" ] && git rev-parse --git-dir >/dev/null 2>&1; then
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
    export SOURCE_DATE_EPOCH
fi

# Debian's own compiler and linker flags, hardening included, as a package
# built by Debian would have them; build type None so that CMake adds none.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"
dir=build-package
# Qt's resource compiler writes SOURCE_DATE_EPOCH into the program as the
# pictures' dates. A build folder left from an older commit would keep that
# commit's date, so the generated resource sources are made afresh.
if [ -d "$dir" ]; then
    find "$dir" -path '*/.rcc/qrc_*.cpp' -delete
fi
TORVELIN_BUILD_DIR="$dir" TORVELIN_BUILD_TYPE=None bash tools/build.sh \
    -DTORVELIN_BUILD_TESTS=OFF -DTORVELIN_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" "$@"

rm -f "$dir"/torvelin_*.deb
cpack --config "$dir/CPackConfig.cmake" -G DEB -B "$dir"
deb=$(ls "$dir"/torvelin_*_amd64.deb)
echo "== lintian --pedantic --display-info $deb"
lintian --pedantic --display-info --fail-on error,warning,info,pedantic "$deb"
echo "Package: $deb ($(stat -c %s "$deb") bytes, $(dpkg-deb -f "$deb" Installed-Size) KiB installed)"
