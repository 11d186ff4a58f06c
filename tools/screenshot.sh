#!/usr/bin/env bash
# Takes the README's screenshots of the real programs under Xvfb
# (QT_QPA_PLATFORM=xcb) with a German locale and a scratch home:
#   bash tools/screenshot.sh [OUTPUT.png]
#       docs/screenshot.png: torvelin with example prices and both
#       colour-marking boxes ticked (from a settings file beside a scratch
#       copy of the program), after a search for 1265 mm typed into the length
#       box and started with Enter.
#   bash tools/screenshot.sh rechner [OUTPUT.png]
#       docs/rechner.png: torvelin-rechner, the built-in range with a few
#       owned pieces and prices, after 1265,5 mm ± 2 mm typed into the gap box
#       and the first answer chosen.
set -euo pipefail
cd "$(dirname "$0")/.."
what=torvelin
if [ "${1:-}" = rechner ]; then
    what=rechner
    shift
fi
out="${1:-docs/$([ "$what" = rechner ] && echo rechner || echo screenshot).png}"
TORVELIN_EXTRA_PACKAGES="${TORVELIN_EXTRA_PACKAGES:-} xvfb xauth xdotool imagemagick openbox" bash tools/setup.sh
bash tools/build.sh

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
if [ "$what" = torvelin ]; then
    # The program keeps its settings beside itself where it can, so a copy in a
    # scratch folder reads this file and leaves the user's own alone.
    cp build/src/app/torvelin "$scratch/"
    program="$scratch/torvelin"
    printf '%s\r\n' '[Preise]' '12,49' '8,99' '6,49' '5,99' '5,49' '4,99' '4,49' '3,99' '3,49' '' \
        '[Toleranzen]' '2' '2' '' '[Position]' '0' '0' '' '[farbige Tabelle]' '1' '1' '' \
        >"$scratch/Torvelin.ini"

    cat >"$scratch/take.sh" <<'INNER'
set -euo pipefail
scratch="$1" out="$2" program="$3"
LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 QT_QPA_PLATFORM=xcb "$program" &
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
else
    program="$PWD/build/src/rechner/torvelin-rechner"
    mkdir -p "$scratch/.config/Torvelin"
    # Owned pieces and prices of the built-in range, as the window keeps them.
    cat >"$scratch/.config/Torvelin/Gleisrechner.ini" <<'INI'
[Frage]
Sortiment=maerklin-c
Minus=2
Plus=2
Gleise=9

[Sortiment-maerklin-c]
24360\Bestand=2
24360\Cent=1249
24236\Bestand=1
24236\Cent=899
24229\Cent=649
24188\Bestand=2
24188\Cent=599
24172\Cent=549
24094\Bestand=4
24094\Cent=499
24077\Cent=449
24071\Cent=399
24064\Cent=349
INI

    cat >"$scratch/take.sh" <<'INNER'
set -euo pipefail
scratch="$1" out="$2" program="$3"
openbox --sm-disable &
sleep 1
env -u LC_ALL -u LC_NUMERIC -u LANGUAGE HOME="$scratch" XDG_CONFIG_HOME="$scratch/.config" \
    LANG=de_DE.UTF-8 LC_CTYPE=C.UTF-8 \
    QT_QPA_PLATFORM=xcb "$program" &
pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name 'Gleisrechner' | head -1)
xdotool windowsize --sync "$window" 1100 640
sleep 1
xdotool windowactivate --sync "$window"
xdotool key alt+l
xdotool type --delay 80 '1265,5'
sleep 2
xdotool key alt+e Home
sleep 1
import -window "$window" "$out"
kill "$pid"
INNER
fi
mkdir -p "$(dirname "$out")"
xvfb-run -a -s "-screen 0 1280x1024x24" bash "$scratch/take.sh" "$scratch" "$PWD/$out.tmp.png" "$program"
# Without time stamps, so that an unchanged window gives an unchanged file.
convert "$out.tmp.png" -strip "$out"
rm -f "$out.tmp.png"
echo "Screenshot: $out"
