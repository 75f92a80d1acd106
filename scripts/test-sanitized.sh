#!/usr/bin/env bash
# Builds the core tests with AddressSanitizer and UndefinedBehaviorSanitizer and runs them.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=build-sanitize bash scripts/build.sh -DPELKIT_SANITIZE=ON -DPELKIT_QT=OFF \
  -DPELKIT_PORTAUDIO=OFF
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
build-sanitize/tests/pelkit_tests
