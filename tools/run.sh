#!/usr/bin/env bash
# Installs what running needs where it is missing, builds the program alone
# and starts Torvelin. Arguments go to the program.
set -euo pipefail

# Whether the X display in DISPLAY is there to connect to: the server's
# socket for a local display, its TCP port for a remote one (ssh -X).
x_display_answers() {
    local display="${DISPLAY:-}" host number
    [ -n "$display" ] || return 1
    host="${display%%:*}"
    number="${display#*:}"
    number="${number%%.*}"
    [[ "$number" =~ ^[0-9]+$ ]] || return 1
    if [ -z "$host" ] || [ "$host" = unix ]; then
        [ -S "/tmp/.X11-unix/X$number" ]
    else
        timeout 2 bash -c "exec 3<>/dev/tcp/$host/$((6000 + number))" 2>/dev/null
    fi
}

# Whether the Wayland compositor in WAYLAND_DISPLAY has its socket.
wayland_answers() {
    local socket="${WAYLAND_DISPLAY:-}"
    [ -n "$socket" ] || return 1
    [[ "$socket" == /* ]] || socket="${XDG_RUNTIME_DIR:-/nonexistent}/$socket"
    [ -S "$socket" ]
}

# Without a display the window cannot open: say so before spending minutes on
# installing and building. An explicit platform (QT_QPA_PLATFORM=offscreen,
# vnc, ...) is the user's choice and is obeyed.
extra="${TORVELIN_EXTRA_PACKAGES:-}"
if [ -z "${QT_QPA_PLATFORM:-}" ] && ! x_display_answers; then
    if wayland_answers; then
        # A Wayland session without XWayland: Qt's Wayland plugin draws it.
        extra="$extra qt6-wayland"
    else
        if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
            echo "tools/run.sh: no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
        else
            tried=()
            [ -z "${DISPLAY:-}" ] || tried+=("DISPLAY=$DISPLAY")
            [ -z "${WAYLAND_DISPLAY:-}" ] || tried+=("WAYLAND_DISPLAY=$WAYLAND_DISPLAY")
            echo "tools/run.sh: no display answers (${tried[*]})." >&2
        fi
        echo "Start it from a desktop session, or choose a Qt platform, e.g. QT_QPA_PLATFORM=vnc." >&2
        exit 1
    fi
fi

cd "$(dirname "$0")/.."

TORVELIN_EXTRA_PACKAGES="$extra" bash tools/setup.sh run
TORVELIN_BUILD_TARGET=torvelin bash tools/build.sh
exec build/src/app/torvelin "$@"
