#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite without a
# display; a test that reports itself skipped fails the run. With CI set,
# warnings are errors, the sources are checked with clang-format and
# clang-tidy (tools/lint.sh) and the suite runs a second time under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
werror=OFF
bench=OFF
# CI also compiles the benchmarks, so that they keep building.
if [ -n "${CI:-}" ]; then
    werror=ON
    bench=ON
    export TORVELIN_EXTRA_PACKAGES="${TORVELIN_EXTRA_PACKAGES:-} libbenchmark-dev"
fi
bash tools/setup.sh test

# Tests that may report themselves skipped (ctest names): none. setup.sh has
# installed every tool a test needs, so a skip (QSKIP, exit status 77) here
# hides a fault of the machine or of the test, and fails the run.
may_skip=()

# Runs the suite of a build folder; fails, too, where ctest reports a test as
# skipped that is not in may_skip.
run_suite() {
    local log="$1/ctest.log"
    ctest --test-dir "$1" --output-on-failure -j2 | tee "$log"
    local name bad=()
    while read -r name; do
        [[ " ${may_skip[*]} " == *" $name "* ]] || bad+=("$name")
    done < <(sed -n 's/^[[:space:]]*[0-9]* - \(.*\) (Skipped)$/\1/p' "$log")
    if [ "${#bad[@]}" -gt 0 ]; then
        echo "These tests must run, but were skipped: ${bad[*]}" >&2
        return 1
    fi
}

export QT_QPA_PLATFORM=offscreen
bash tools/build.sh -DTORVELIN_WERROR="$werror" -DTORVELIN_BUILD_BENCH="$bench"
run_suite build

if [ -n "${CI:-}" ]; then
    bash tools/lint.sh
fi

if [ -n "${CI:-}" ] || [ -n "${TORVELIN_SANITIZE:-}" ]; then
    TORVELIN_BUILD_DIR=build-asan TORVELIN_BUILD_TYPE=Debug bash tools/build.sh \
        -DTORVELIN_WERROR="$werror" \
        -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
    ASAN_OPTIONS=detect_leaks=0 run_suite build-asan
fi
