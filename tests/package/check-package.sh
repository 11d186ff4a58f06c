#!/usr/bin/env bash
# Builds the Debian package from the build folder twice, checks that both
# builds are the same bytes, checks its files, control fields and dates,
# lets lintian look at it, unpacks it into a scratch folder and runs the
# packaged torvelin-search from there.
#   check-package.sh CPACK BUILD_DIR VERSION SOURCE_DIR
set -euo pipefail
cpack="$1" build="$2" version="$3" source="$4"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# Without the packaging tools the test cannot run: it says so and counts as
# skipped (77, the test's SKIP_RETURN_CODE).
for tool in dpkg-shlibdeps file readelf lintian; do
    command -v "$tool" >/dev/null ||
        { echo "SKIP: no $tool here (bash tools/setup.sh test installs it)"; exit 77; }
done

# The dates in the package are the last commit's time, as tools/package.sh
# sets them; without the history, any fixed time serves the test.
SOURCE_DATE_EPOCH=$(git -C "$source" log -1 --format=%ct 2>/dev/null || echo 1765022400)
export SOURCE_DATE_EPOCH

make_package() {
    "$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$1" >"$1.log" 2>&1 ||
        { cat "$1.log"; echo "FAIL: cpack -G DEB"; exit 1; }
    [ -f "$1/torvelin_${version}_amd64.deb" ] ||
        { ls "$1"; echo "FAIL: no torvelin_${version}_amd64.deb"; exit 1; }
}
make_package "$scratch/out"
deb="$scratch/out/torvelin_${version}_amd64.deb"
# A second build a clock second later must not differ by a single byte.
sleep 1
make_package "$scratch/again"
cmp "$deb" "$scratch/again/torvelin_${version}_amd64.deb" ||
    fail "two builds of the same sources give different packages"

# Every file the package holds, and nothing else.
expected="./usr/share/doc/torvelin/changelog.gz
./usr/share/doc/torvelin/copyright
./usr/share/lintian/overrides/torvelin"
for program in torvelin torvelin-search torvelin-rechner; do
    expected+=$'\n'"./usr/bin/$program"$'\n'"./usr/share/man/man1/$program.1.gz"
    expected+=$'\n'"./usr/share/man/de/man1/$program.1.gz"
done
for app in Gleisrechner Torvelin; do
    expected+=$'\n'"./usr/share/applications/de.torvelin.$app.desktop"
    expected+=$'\n'"./usr/share/metainfo/de.torvelin.$app.metainfo.xml"
    expected+=$'\n'"./usr/share/icons/hicolor/scalable/apps/de.torvelin.$app.svg"
    for size in 16 22 24 32 48 64 128 256; do
        expected+=$'\n'"./usr/share/icons/hicolor/${size}x${size}/apps/de.torvelin.$app.png"
    done
done
for range in "$source"/data/ranges/*.txt; do
    expected+=$'\n'"./usr/share/torvelin/ranges/$(basename "$range")"
done
expected=$(LC_ALL=C sort <<<"$expected")
actual=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | LC_ALL=C sort)
if [ "$actual" != "$expected" ]; then
    fail "package files differ (- expected, + in the package):"
    diff <(echo "$expected") <(echo "$actual") || true
fi
if dpkg-deb -c "$deb" | awk '{ print $2 }' | grep -qv '^root/root$'; then
    fail "files not owned by root/root"
fi

# Every date in the package: the files and control files, and the members
# of the outer archive.
want_date=$(TZ=UTC date -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S')
for part in --fsys-tarfile --ctrl-tarfile; do
    wrong=$(dpkg-deb "$part" "$deb" | TZ=UTC tar -tv --full-time |
        awk -v want="$want_date" '$4 " " $5 != want && n++ < 3 { print $6 " " $4 " " $5 }')
    [ -z "$wrong" ] || fail "dpkg-deb $part: not dated $want_date: $wrong"
done
want_ar_date=$(LC_ALL=C TZ=UTC date -d "@$SOURCE_DATE_EPOCH" '+%b %-d %H:%M %Y')
LC_ALL=C TZ=UTC ar tv "$deb" | awk '{ print $4 " " $5 " " $6 " " $7 }' | sort -u >"$scratch/ar-dates"
[ "$(cat "$scratch/ar-dates")" = "$want_ar_date" ] ||
    fail "members of the .deb not dated $want_ar_date: $(tr '\n' ';' <"$scratch/ar-dates")"

# Control fields: what the binaries link, as dpkg-shlibdeps finds it, with
# what Qt loads at run time named by hand beside it (the package's name and
# version are in its file name).
field() { dpkg-deb -f "$deb" "$1"; }
has() { field "$1" | tr ',' '\n' | sed 's/^ *//; s/ .*//' | grep -qx "$2"; }
while read -r name package; do
    has "$name" "$package" || fail "$name lacks $package: $(field "$name")"
done <<'EOF'
Depends libc6
Depends libqt6core6
Depends libqt6gui6
Depends libqt6widgets6
Depends libqt6printsupport6
Depends libqt6svg6
Depends fonts-liberation2
Recommends qt6-translations-l10n
Suggests xtrkcad-common
EOF
# The X11 platform plugin comes with libqt6gui6; qt6-qpa-plugins holds only
# VNC and touch plugins.
! has Depends qt6-qpa-plugins || fail "Depends names qt6-qpa-plugins: $(field Depends)"
for f in Maintainer Section Description Homepage; do
    [ -n "$(field $f)" ] || fail "no $f field"
done

root="$scratch/root"
dpkg-deb -x "$deb" "$root"
for app in Gleisrechner Torvelin; do
    for size in 16 22 24 32 48 64 128 256; do
        png="$root/usr/share/icons/hicolor/${size}x${size}/apps/de.torvelin.$app.png"
        file -b "$png" | grep -q "PNG image data, $size x $size," || fail "$png: $(file -b "$png")"
    done
done
zcat "$root/usr/share/doc/torvelin/changelog.gz" | head -1 | grep -q "^torvelin ($version)" ||
    fail "changelog does not start with version $version"

# Each program is stripped, and its manual pages, English in man1 and German
# in de/man1, have the sections a user looks for (an underscore stands for a
# blank).
for program in torvelin torvelin-search torvelin-rechner; do
    readelf -S "$root/usr/bin/$program" >"$scratch/sections"
    ! grep -qE ' \.(symtab|comment) ' "$scratch/sections" || fail "$program is not stripped"
    ! readelf -d "$root/usr/bin/$program" | grep -qE '\((RPATH|RUNPATH)\)' ||
        fail "$program carries its own library search path"
    while read -r dir headings; do
        found=$(zcat "$root/usr/share/man/$dir/$program.1.gz" | sed -n 's/^\.SH "*\([^"]*\)"*$/\1/p')
        for heading in $headings; do
            grep -qx "${heading//_/ }" <<<"$found" || fail "$dir/$program.1 has no section $heading"
        done
    done <<'EOF'
man1 NAME SYNOPSIS DESCRIPTION OPTIONS EXIT_STATUS ENVIRONMENT FILES EXAMPLES SEE_ALSO
de/man1 BEZEICHNUNG ÜBERSICHT BESCHREIBUNG OPTIONEN EXIT-STATUS UMGEBUNGSVARIABLEN DATEIEN BEISPIELE
EOF
done

# Not a single tag, down to pedantic and information; what is meant as it
# is has its override in the package. This build folder goes without
# Debian's hardening flags, which tools/package.sh adds.
lintian --pedantic --display-info --info --suppress-tags hardening-no-bindnow \
    --fail-on error,warning,info,pedantic "$deb" >"$scratch/lintian" 2>&1 ||
    { cat "$scratch/lintian"; fail "lintian finds something"; }

# The packaged torvelin-search, run from the scratch folder with the
# system's libraries; what it prints has its own tests.
search="$root/usr/bin/torvelin-search"
export HOME="$scratch/home" LC_ALL=C.UTF-8
mkdir -p "$HOME"
tab=$'\t'

# The shipped ranges, found beside the unpacked program.
shipped=$("$search" --ranges | grep -c "${tab}mitgeliefert") || true
[ "$shipped" = 12 ] || fail "torvelin-search --ranges lists $shipped shipped ranges, not 12"
[ "$("$search" --range roco-line --count 230 0 0)" = 4 ] || fail "roco-line 230 mm: not four fits"

if [ "$failures" -gt 0 ]; then
    echo "$failures checks failed"
    exit 1
fi
echo "package $(basename "$deb") ($(stat -c %s "$deb") bytes): same bytes twice," \
    "files, dates, fields, lintian and torvelin-search fine"
