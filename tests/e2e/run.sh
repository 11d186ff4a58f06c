#!/usr/bin/env bash
# Runs the end-to-end test of the built program: a private X server, openbox
# and the accessibility bus inside a D-Bus session of its own.
#   tests/e2e/run.sh PROGRAM [ARTIFACTS_DIR]
# Exit status 77 (ctest: skipped) only where no X server can be started.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
program="$(realpath "${1:?usage: run.sh PROGRAM [ARTIFACTS_DIR]}")"
artifacts="${2:-$(dirname "$program")/e2e}"

# pyatspi belongs to Debian's Python, not to whichever python3 is first on PATH.
python=/usr/bin/python3
missing=()
for tool in openbox xdotool xprop xwininfo wmctrl import pdftotext dbus-run-session; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
[ -x /usr/libexec/at-spi-bus-launcher ] || missing+=(at-spi-bus-launcher)
"$python" -c 'import pyatspi' 2>/dev/null || missing+=("python3-pyatspi for $python")
if [ "${#missing[@]}" -gt 0 ]; then
    echo "missing: ${missing[*]} (tools/setup.sh installs them)" >&2
    exit 1
fi

# Nothing of the caller's desktop or session may leak in.
unset DISPLAY WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS \
    XDG_RUNTIME_DIR SESSION_MANAGER
runtime="$(mktemp -d /tmp/torvelin-e2e-run.XXXXXX)"
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR="$runtime"
export HOME="$runtime/home"
mkdir "$HOME"
# The program is checked with German numbers, whatever the caller's locale:
# Qt takes them from LANG and its own locale data; the character type stays
# UTF-8 where no German glibc locale is installed.
while read -r name; do unset "$name"; done < <(env | sed -n 's/^\(LC_[A-Z_]*\|LANGUAGE\)=.*/\1/p')
export LANG=de_DE.UTF-8 LC_CTYPE=C.UTF-8
export PYTHONDONTWRITEBYTECODE=1
dbus-run-session -- "$python" "$here/torvelin_e2e.py" --binary "$program" --artifacts "$artifacts"
