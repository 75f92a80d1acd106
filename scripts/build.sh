#!/usr/bin/env bash
# Configures and builds into build/ (or $BUILD_DIR), warnings as errors, with any extra CMake
# options given (a later -DCMAKE_BUILD_TYPE=... wins).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELKIT_WERROR=ON "$@" > /dev/null
cmake --build "$build" -j"$(nproc)"
