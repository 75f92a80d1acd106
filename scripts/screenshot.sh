#!/usr/bin/env bash
# Builds the program and saves a picture of its main window, opened on the demo sound, to
# docs/screenshot.png (the picture in the README). Runs without a display (Qt's offscreen
# platform); set QT_QPA_PLATFORM=xcb under xvfb-run to use X instead.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)
cmake -S . -B build -DPELKIT_WERROR=ON >/dev/null
cmake --build build -j"$(nproc)" --target pelkit_recorder pelkit_make_demo >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p docs
cd "$work"
"$top/build/pelkit_make_demo" demo.wav
started=$(date +%s%N)
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} PELKIT_SCREENSHOT="$top/docs/screenshot.png" \
  "$top/build/pelkit_recorder" demo.wav 2>&1 | grep -v -e '^QStandardPaths' -e 'propagateSizeHints' || true
ended=$(date +%s%N)
echo "whole run (start, paint, picture, close): $(((ended - started) / 1000000)) ms"
test -s "$top/docs/screenshot.png"
echo "wrote docs/screenshot.png"
