#!/usr/bin/env bash
# Closes the real program on a full disk and tells what became of its
# settings file. A tmpfs just big enough for a stripped copy of the program
# and its Torvelin.ini is filled to the last byte (mounting needs root); the
# window is closed as the title bar's close box does (openbox,
# _NET_CLOSE_WINDOW), and the message box that follows is read and answered
# with Enter.
#   bash tools/fulldisk.sh [PROGRAM]
#       the file is replaced through a new file beside it
#   TORVELIN_IN_PLACE=1 bash tools/fulldisk.sh [PROGRAM]
#       the folder refuses new files (the program runs as nobody), so the file
#       is written in place; it must grow into a 4 KiB page the disk cannot give
# Exits 0 when Torvelin.ini is unchanged and a message was shown, 1 when not,
# 77 where no tmpfs can be mounted.
set -uo pipefail
cd "$(dirname "$0")/.."
program="${1:-build/src/app/torvelin}"
TORVELIN_EXTRA_PACKAGES="${TORVELIN_EXTRA_PACKAGES:-} xvfb openbox xdotool wmctrl x11-utils binutils" \
    bash tools/setup.sh >/dev/null

scratch=$(mktemp -d)
chmod 0755 "$scratch" # the program may run as nobody
mnt="$scratch/disk"
mkdir "$mnt"
cleanup() {
    kill "${wm:-}" "${xvfb:-}" 2>/dev/null
    wait 2>/dev/null
    umount "$mnt" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT

strip -o "$scratch/torvelin" "$program"
size=$(($(stat -c %s "$scratch/torvelin") / 1024 + 64))
mount -t tmpfs -o "size=${size}k,mode=0755" tmpfs "$mnt" || exit 77
cp "$scratch/torvelin" "$mnt/"
run_as=()
if [ -n "${TORVELIN_IN_PLACE:-}" ]; then
    # A price line of 3983 letters and numbers without the blanks the program
    # writes around them: 4090 bytes that the save makes 4098.
    { printf '[Preise]\r\n%s\r\n' "$(printf 'x%.0s' $(seq 3983))"
      printf '%s\r\n' 2 2 2 2 2 2 2 2 '' '[Toleranzen]' 3 5 '' '[Position]' 0 0 '' \
          '[farbige Tabelle]' 1 0 ''; } >"$mnt/Torvelin.ini"
    chown nobody "$mnt/Torvelin.ini"
    run_as=(setpriv --reuid=65534 --regid=65534 --clear-groups)
else
    printf '%s\r\n' '[Preise]' 3,95 2,95 2,75 2,50 2,40 2,20 2,10 2,00 1,95 '' '[Toleranzen]' 3 5 \
        '' '[Position]' ' 1200 ' ' 600 ' '' '[farbige Tabelle]' ' 1 ' ' 0 ' '' >"$mnt/Torvelin.ini"
fi
cp "$mnt/Torvelin.ini" "$scratch/before.ini"
dd if=/dev/zero of="$mnt/fill" bs=1k 2>/dev/null
echo "disk: $(df -k --output=avail "$mnt" | tail -1 | tr -d ' ') KiB free;" \
    "Torvelin.ini: $(stat -c %s "$mnt/Torvelin.ini") bytes"

exec 3>"$scratch/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do [ -s "$scratch/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -1 "$scratch/display")"
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
sleep 1
HOME="$scratch" LANG=de_DE.UTF-8 QT_QPA_PLATFORM=xcb "${run_as[@]}" "$mnt/torvelin" \
    >"$scratch/program.log" 2>&1 &
pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name 'C-Gleise' | head -1)
wmctrl -i -c "$window"
sleep 2
shown=no
message=$(xdotool search --onlyvisible --name '^Torvelin$' | head -1)
if [ -n "$message" ]; then
    shown=yes
    xdotool windowactivate --sync "$message" key Return
fi
for _ in $(seq 40); do kill -0 "$pid" 2>/dev/null || break; sleep 0.25; done
wait "$pid"
status=$?
[ -s "$scratch/program.log" ] && sed "s/^/program: /" "$scratch/program.log"
echo "message shown: $shown; exit code: $status;" \
    "Torvelin.ini: $(stat -c %s "$mnt/Torvelin.ini") bytes," \
    "$(cmp -s "$mnt/Torvelin.ini" "$scratch/before.ini" && echo unchanged || echo changed)"
cmp -s "$mnt/Torvelin.ini" "$scratch/before.ini" && [ "$shown" = yes ]
