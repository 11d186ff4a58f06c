#!/usr/bin/env bash
# Takes docs/screenshot.png: the real program under Xvfb (QT_QPA_PLATFORM=xcb)
# with a German locale, example prices and both colour-marking boxes ticked
# (from a settings file beside a scratch copy of the program), after a search
# for 1265 mm typed into the length box and started with Enter.
#   bash tools/screenshot.sh [OUTPUT.png]
#   bash tools/screenshot.sh rechner [OUTPUT.png]   the Gleisrechner: docs/rechner.png
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = rechner ]; then
    exec bash tools/screenshot-rechner.sh "${2:-docs/rechner.png}"
fi
out="${1:-docs/screenshot.png}"
TORVELIN_EXTRA_PACKAGES="${TORVELIN_EXTRA_PACKAGES:-} xvfb xauth xdotool imagemagick" bash tools/setup.sh
bash tools/build.sh

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# The program keeps its settings beside itself where it can, so a copy in a
# scratch folder reads this file and leaves the user's own alone.
cp build/src/app/torvelin "$scratch/"
printf '%s\r\n' '[Preise]' '12,49' '8,99' '6,49' '5,99' '5,49' '4,99' '4,49' '3,99' '3,49' '' \
    '[Toleranzen]' '2' '2' '' '[Position]' '0' '0' '' '[farbige Tabelle]' '1' '1' '' \
    >"$scratch/Torvelin.ini"

cat >"$scratch/take.sh" <<'INNER'
set -euo pipefail
scratch="$1" out="$2"
LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 QT_QPA_PLATFORM=xcb "$scratch/torvelin" &
pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name 'C-Gleise' | head -1)
sleep 1
xdotool windowfocus "$window"
xdotool type --delay 50 1265
xdotool key Return
sleep 2
import -window "$window" "$out"
kill "$pid"
INNER
mkdir -p "$(dirname "$out")"
xvfb-run -a -s "-screen 0 1280x1024x24" bash "$scratch/take.sh" "$scratch" "$PWD/$out.tmp.png"
# Without time stamps, so that an unchanged window gives an unchanged file.
convert "$out.tmp.png" -strip "$out"
rm -f "$out.tmp.png"
echo "Screenshot: $out"
