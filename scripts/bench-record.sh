#!/usr/bin/env bash
# What syncing a take to disk costs a recording, on the disk of the current folder (or $1):
# bench/record_bench.cpp run at ten times real time, then at real time with another writer
# keeping the disk busy. Builds into build-bench/ (or $BUILD_DIR) with the benchmarks on.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"
build="${BUILD_DIR:-build-bench}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELKIT_BENCH=ON -DPELKIT_TESTS=OFF \
    > /dev/null
cmake --build "$build" -j"$(nproc)" --target pelkit_record_bench > /dev/null
work="$(mktemp -d "${1:-${TMPDIR:-/tmp}}/pelkit-record-bench-XXXXXX")"
trap 'rm -rf "$work"' EXIT
cd "$work"
"$root/$build/bench/pelkit_record_bench" 120 10
"$root/$build/bench/pelkit_record_bench" 120 10 --busy-disk
"$root/$build/bench/pelkit_record_bench" 30 1 --busy-disk --format 8 96000 24
