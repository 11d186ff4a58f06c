#!/usr/bin/env bash
# Checks the C++ sources of src/ and tests/: their formatting against
# .clang-format (clang-format 14) and clang-tidy 14 with .clang-tidy, using the
# build's compile_commands.json (build/, or $TORVELIN_BUILD_DIR; built first
# where needed). Prints every file and line that fails; exits non-zero then.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
dir="${TORVELIN_BUILD_DIR:-build}"
jobs="${TORVELIN_LINT_JOBS:-$(nproc)}"
status=0

# Debian 12's clang-format and clang-tidy are version 14; clang-tidy brings run-clang-tidy.
TORVELIN_EXTRA_PACKAGES="${TORVELIN_EXTRA_PACKAGES:-} clang-format clang-tidy" bash tools/setup.sh

mapfile -t sources < <(git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h')

echo "== clang-format: ${#sources[@]} files"
format_log=$(mktemp)
trap 'rm -f "$format_log" "${tidy_log:-}"' EXIT
if ! clang-format --dry-run --Werror "${sources[@]}" >"$format_log" 2>&1; then
    status=1
    # One line per place that differs, then how to fix it.
    grep -E '^[^ ].*:[0-9]+:[0-9]+: (error|warning):' "$format_log" | sed 's/ \[-Wclang-format-violations\]//'
    mapfile -t bad < <(grep -oE '^[^:]+' <(grep -E ':[0-9]+:[0-9]+: (error|warning):' "$format_log") | sort -u)
    echo "clang-format: ${#bad[@]} files differ; fix with: clang-format -i ${bad[*]}"
else
    echo "clang-format: clean"
fi

# clang-tidy needs the generated headers (moc, version.h), so the build must be current.
if [ -f "$dir/compile_commands.json" ]; then
    cmake --build "$dir" >/dev/null
else
    bash tools/build.sh >/dev/null
fi

echo "== clang-tidy: sources of src/ and tests/ in $dir/compile_commands.json"
tidy_log=$(mktemp)
tidy_status=0
run-clang-tidy -quiet -j "$jobs" -p "$dir" "^$root/(src|tests)/.*\.cpp\$" >"$tidy_log" 2>&1 || tidy_status=$?
# Without colours; a header's finding is reported once, not once per file that includes it.
findings=$(sed 's/\x1b\[[0-9;]*m//g' "$tidy_log" | grep -E '^[^ ].*:[0-9]+:[0-9]+: (warning|error):' | sed "s|^$root/||" | sort -u | sort -t: -k1,1 -k2,2n -k3,3n || true)
if [ -n "$findings" ] || [ "$tidy_status" -ne 0 ]; then
    status=1
    sed 's/\x1b\[[0-9;]*m//g' "$tidy_log" | grep -vE '^(clang-tidy-[0-9]+ |\[[0-9]+/[0-9]+\]|Running clang-tidy|[0-9]+ warnings? generated|Suppressed [0-9]+ warnings|Use -header-filter)' || true
    echo "clang-tidy findings:"
    if [ -n "$findings" ]; then
        echo "$findings"
    else
        echo "clang-tidy failed (status $tidy_status) without a finding; see above"
    fi
else
    echo "clang-tidy: clean ($(grep -c '^clang-tidy' "$tidy_log" || true) files)"
fi

exit "$status"
