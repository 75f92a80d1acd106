#!/usr/bin/env bash
# Builds the program and saves pictures of its main window, opened on the demo sound, to
# docs/screenshot.png (Japanese) and docs/screenshot-en.png (English), the pictures in the
# README. Runs without a display (Qt's offscreen platform); set QT_QPA_PLATFORM=xcb under
# xvfb-run to use X instead.
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
for lang in ja en; do
  picture="$top/docs/screenshot.png"
  [ "$lang" = en ] && picture="$top/docs/screenshot-en.png"
  started=$(date +%s%N)
  QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} PELKIT_SCREENSHOT="$picture" \
    "$top/build/pelkit_recorder" --lang "$lang" demo.wav 2>&1 |
    grep -v -e '^QStandardPaths' -e 'propagateSizeHints' || true
  ended=$(date +%s%N)
  echo "whole run (start, paint, picture, close): $(((ended - started) / 1000000)) ms"
  test -s "$picture"
  echo "wrote ${picture#"$top"/}"
  rm -f pelkit_recorder.ini
done
