#!/usr/bin/env bash
# Installs what running needs where it is missing, builds the program alone
# and starts Torvelin. Arguments go to the program.
set -euo pipefail

# Without a display the window cannot open: say so before spending minutes on
# installing and building. An explicit platform (QT_QPA_PLATFORM=offscreen,
# vnc, ...) is the user's choice and is obeyed.
if [ -z "${QT_QPA_PLATFORM:-}" ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "tools/run.sh: no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
    echo "Start it from a desktop session, or choose a Qt platform, e.g. QT_QPA_PLATFORM=vnc." >&2
    exit 1
fi

cd "$(dirname "$0")/.."

bash tools/setup.sh run
TORVELIN_BUILD_TARGET=torvelin bash tools/build.sh
exec build/src/app/torvelin "$@"
