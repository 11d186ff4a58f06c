#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite without a
# display. With CI set, warnings are errors, the sources are checked with
# clang-format and clang-tidy (tools/lint.sh) and the suite runs a second time
# under AddressSanitizer and UndefinedBehaviorSanitizer.
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

export QT_QPA_PLATFORM=offscreen
bash tools/build.sh -DTORVELIN_WERROR="$werror" -DTORVELIN_BUILD_BENCH="$bench"
ctest --test-dir build --output-on-failure -j2

if [ -n "${CI:-}" ]; then
    bash tools/lint.sh
fi

if [ -n "${CI:-}" ] || [ -n "${TORVELIN_SANITIZE:-}" ]; then
    TORVELIN_BUILD_DIR=build-asan TORVELIN_BUILD_TYPE=Debug bash tools/build.sh \
        -DTORVELIN_WERROR="$werror" \
        -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
    ASAN_OPTIONS=detect_leaks=0 ctest --test-dir build-asan --output-on-failure -j2
fi
