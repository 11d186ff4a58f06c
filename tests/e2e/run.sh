#!/usr/bin/env bash
# Runs an end-to-end test of a built program on a private desktop: an X
# server, openbox and the accessibility bus inside a D-Bus session of its own.
#   tests/e2e/run.sh SCRIPT PROGRAM ARTIFACTS_DIR
#   e.g. tests/e2e/run.sh torvelin_e2e.py build/src/app/torvelin build/e2e
# Exit status 77 (ctest: skipped) where no X server can be started or a check
# could not run.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
usage="usage: run.sh SCRIPT PROGRAM ARTIFACTS_DIR"
script="$here/$(basename "${1:?$usage}")"
program="$(realpath "${2:?$usage}")"
artifacts="$(realpath -m "${3:?$usage}")"

# pyatspi belongs to Debian's Python, not to whichever python3 is first on PATH.
python=/usr/bin/python3
path=/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin
missing=()
for tool in Xvfb openbox xdotool xprop xwininfo wmctrl import xclip pdftotext dbus-run-session \
    chattr; do
    PATH="$path" command -v "$tool" >/dev/null || missing+=("$tool")
done
[ -x /usr/libexec/at-spi-bus-launcher ] || missing+=(at-spi-bus-launcher)
"$python" -c 'import pyatspi' 2>/dev/null || missing+=("python3-pyatspi for $python")
[ -d /usr/share/fonts/truetype/liberation2 ] || missing+=(fonts-liberation2)
if [ "${#missing[@]}" -gt 0 ]; then
    echo "missing: ${missing[*]} (tools/setup.sh installs them)" >&2
    exit 1
fi

# A run that was killed may have left a folder locked (immutable for root).
[ "$(id -u)" != 0 ] || chattr -R -i "$artifacts" 2>/dev/null || true
rm -rf "$artifacts"
mkdir -p "$artifacts"
runtime="$(mktemp -d /tmp/torvelin-e2e-run.XXXXXX)"
trap 'rm -rf "$runtime"' EXIT
mkdir -m 700 "$runtime/home" "$runtime/cups"

# Fonts: the packaged Liberation fonts, standing in for Arial, Helvetica and
# Courier and for every other family asked for; nothing the machine or a user
# added.
cat > "$runtime/fonts.conf" <<XML
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts/truetype/liberation2</dir>
  <cachedir>$runtime/fontconfig</cachedir>
  <include ignore_missing="yes">/usr/share/fontconfig/conf.avail/30-metric-aliases.conf</include>
  <match target="pattern">
    <edit name="family" mode="append_last"><string>Liberation Sans</string></edit>
  </match>
</fontconfig>
XML

# Nothing of the caller's environment leaks in: not the desktop, the session
# or system bus, the home folder, Qt's or the XDG variables, nor the locale.
# Printing: libcups would ask the machine's cupsd (and through the system bus
# avahi) for printers, take a default from LPDEST, PRINTER, ~/.cups or
# /etc/cups; here the server socket does not exist and its configuration
# folder is empty, so the printer dialog offers only Qt's own PDF file.
# The program is checked with German numbers: Qt takes them from LANG and its
# own locale data, whether or not a German glibc locale is installed; the
# character type is the always present C.UTF-8.
keep=()
for name in ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS; do
    [ -z "${!name+x}" ] || keep+=("$name=${!name}")
done
env -i "${keep[@]}" \
    PATH="$path" HOME="$runtime/home" XDG_RUNTIME_DIR="$runtime" \
    LANG=de_DE.UTF-8 LC_CTYPE=C.UTF-8 \
    FONTCONFIG_FILE="$runtime/fonts.conf" \
    CUPS_SERVER="$runtime/cups/no-cupsd.sock" CUPS_SERVERROOT="$runtime/cups" \
    DBUS_SYSTEM_BUS_ADDRESS="unix:path=$runtime/no-system-bus" \
    PYTHONDONTWRITEBYTECODE=1 \
    dbus-run-session -- "$python" "$script" "$program" "$artifacts"
