#!/usr/bin/env bash
# Configures and builds into build/ (or $TORVELIN_BUILD_DIR): everything, or
# only $TORVELIN_BUILD_TARGET and what it needs. Extra arguments go to CMake's
# configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${TORVELIN_BUILD_DIR:-build}"
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="${TORVELIN_BUILD_TYPE:-RelWithDebInfo}" "$@"
# shellcheck disable=SC2086 # several targets, separated by blanks
cmake --build "$dir" ${TORVELIN_BUILD_TARGET:+--target $TORVELIN_BUILD_TARGET}
