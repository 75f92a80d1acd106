#!/usr/bin/env bash
# Builds everything, tests included, in the Release configuration packagers use (build-release/)
# and runs the unit and scenario tests there; the real-device and window tests already ran in
# the default configuration.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=build-release bash scripts/build.sh -DCMAKE_BUILD_TYPE=Release
build-release/tests/pelkit_tests --gtest_brief=1
build-release/tests/pelkit_scenario_tests --gtest_brief=1
