#!/usr/bin/env bash
# Installs what is needed, builds, and opens the window program on the demo sound (made by the
# project's own generator). Without a display it plays the demo with the headless program
# instead and writes what was played to build/demo-played.wav.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
mkdir -p build/demo
cd build/demo
../pelkit_make_demo demo.wav
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec ../pelkit_recorder demo.wav
fi
echo "no display: playing the demo with the headless program instead"
printf 'print title\ncommand 1002\nprint 1036\nrun\nprint 1038\nprint 1036\n' |
  ../pelkit_recorder --headless --audio-out ../demo-played.wav demo.wav
echo "played $(pwd)/demo.wav into $(cd .. && pwd)/demo-played.wav"
