#!/usr/bin/env bash
# Installs what is missing, builds in Release mode and runs the benchmarks:
# the search core on its own, then the search in a real window under Xvfb.
# tools/startup-bench.sh times the start of the program.
set -euo pipefail
cd "$(dirname "$0")/.."
TORVELIN_EXTRA_PACKAGES="xvfb xauth libbenchmark-dev" bash tools/setup.sh run
TORVELIN_BUILD_DIR=build-release TORVELIN_BUILD_TYPE=Release bash tools/build.sh -DTORVELIN_BUILD_TESTS=OFF -DTORVELIN_BUILD_BENCH=ON
bench=build-release/src/bench/torvelin-bench
"$bench" --benchmark_filter=-Window "$@"
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb "$bench" --benchmark_filter=Window "$@"
