#!/usr/bin/env bash
# Builds the Debian package from the build folder, checks its files and
# control fields, unpacks it into a scratch folder and runs the packaged
# torvelin-search from there.
#   check-package.sh CPACK BUILD_DIR VERSION
set -euo pipefail
cpack="$1" build="$2" version="$3"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

"$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; echo "FAIL: cpack -G DEB"; exit 1; }
deb="$scratch/out/torvelin_${version}_amd64.deb"
[ -f "$deb" ] || { ls "$scratch/out"; echo "FAIL: no $(basename "$deb")"; exit 1; }

# Every file the package holds, and nothing else.
expected="./usr/bin/torvelin
./usr/bin/torvelin-search
./usr/share/applications/de.torvelin.Torvelin.desktop
./usr/share/doc/torvelin/changelog.gz
./usr/share/doc/torvelin/copyright
./usr/share/icons/hicolor/scalable/apps/de.torvelin.Torvelin.svg
./usr/share/man/man1/torvelin-search.1.gz
./usr/share/man/man1/torvelin.1.gz
./usr/share/metainfo/de.torvelin.Torvelin.metainfo.xml
./usr/share/torvelin/ranges/fleischmann-piccolo.txt
./usr/share/torvelin/ranges/fleischmann-profi.txt
./usr/share/torvelin/ranges/kato-unitrack-n.txt
./usr/share/torvelin/ranges/maerklin-c.txt
./usr/share/torvelin/ranges/maerklin-k.txt
./usr/share/torvelin/ranges/maerklin-m.txt
./usr/share/torvelin/ranges/maerklin-z.txt
./usr/share/torvelin/ranges/minitrix.txt
./usr/share/torvelin/ranges/piko-a.txt
./usr/share/torvelin/ranges/roco-geoline.txt
./usr/share/torvelin/ranges/roco-line.txt
./usr/share/torvelin/ranges/tillig-tt.txt"
actual=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort)
if [ "$actual" != "$expected" ]; then
    fail "package files differ (- expected, + in the package):"
    diff <(echo "$expected") <(echo "$actual") || true
fi
if dpkg-deb -c "$deb" | awk '{ print $2 }' | grep -qv '^root/root$'; then
    fail "files not owned by root/root"
fi

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = torvelin ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
# Libraries found by dpkg-shlibdeps, and the platform plugin named by hand.
for dep in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 qt6-qpa-plugins; do
    field Depends | tr ',' '\n' | grep -q "^ *$dep\b" || fail "Depends lacks $dep: $(field Depends)"
done
for rec in libqt6svg6 fonts-liberation2 qt6-translations-l10n; do
    field Recommends | tr ',' '\n' | grep -q "^ *$rec\b" || fail "Recommends lacks $rec"
done
for f in Maintainer Section Description; do
    [ -n "$(field $f)" ] || fail "no $f field"
done

root="$scratch/root"
dpkg-deb -x "$deb" "$root"
for program in torvelin torvelin-search; do
    if readelf -S "$root/usr/bin/$program" | grep -q '\.symtab'; then
        fail "$program is not stripped"
    fi
done
zcat "$root/usr/share/doc/torvelin/changelog.gz" | head -1 | grep -q "^torvelin ($version)" ||
    fail "changelog does not start with version $version"

# The packaged torvelin-search, run from the scratch folder with the
# system's libraries.
search="$root/usr/bin/torvelin-search"
export HOME="$scratch/home" LC_ALL=C.UTF-8
mkdir -p "$HOME"
help=$("$search" --help) || fail "--help exits with $?"
[ -n "$help" ] || fail "--help prints nothing"
tab=$'\t'
want="360,0${tab}${tab}${tab}${tab}${tab}${tab}${tab}${tab}${tab}360,0${tab}24360${tab}${tab}${tab}${tab}${tab}${tab}${tab}${tab}${tab},00
188,3${tab}171,7${tab}${tab}${tab}${tab}${tab}${tab}${tab}${tab}360,0${tab}24188${tab}24172${tab}${tab}${tab}${tab}${tab}${tab}${tab}${tab},00
188,3${tab}94,2${tab}77,5${tab}${tab}${tab}${tab}${tab}${tab}${tab}360,0${tab}24188${tab}24094${tab}24077${tab}${tab}${tab}${tab}${tab}${tab}${tab},00"
got=$("$search" --locale de_DE 360 2>"$scratch/count") || fail "torvelin-search 360 exits with $?"
if [ "$got" != "$want" ]; then
    fail "torvelin-search --locale de_DE 360 prints (- expected, + got):"
    diff <(echo "$want") <(echo "$got") || true
fi
[ "$(cat "$scratch/count")" = 3 ] || fail "row count on standard error: $(cat "$scratch/count")"
status=0
"$search" --locale de_DE 59 >/dev/null 2>&1 || status=$?
[ "$status" = 2 ] || fail "torvelin-search 59 exits with $status, not 2"

# The shipped ranges, found beside the unpacked program.
shipped=$("$search" --ranges | grep -c "${tab}mitgeliefert") || true
[ "$shipped" = 12 ] || fail "torvelin-search --ranges lists $shipped shipped ranges, not 12"
[ "$("$search" --range roco-line --count 230 0 0)" = 4 ] || fail "roco-line 230 mm: not four fits"

if [ "$failures" -gt 0 ]; then
    echo "$failures checks failed"
    exit 1
fi
echo "package $(basename "$deb") ($(stat -c %s "$deb") bytes): files, fields and torvelin-search fine"
