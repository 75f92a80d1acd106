#!/usr/bin/env bash
# Installs what is needed, builds, and plays the demo sound with the headless program; the
# played blocks are written to build/demo-played.wav.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
mkdir -p build/demo
cd build/demo
../pelkit_make_demo demo.wav
printf 'print title\ncommand 1002\nprint 1036\nrun\nprint 1038\nprint 1036\n' |
  ../pelkit_recorder --headless --audio-out ../demo-played.wav demo.wav
echo "played $(pwd)/demo.wav into $(cd .. && pwd)/demo-played.wav"
