#!/usr/bin/env bash
# Builds the program and saves pictures of it opened on the demo sound (with two sub sound slots
# given files by a sequence file): the main window in
# Japanese (docs/screenshot.png), English (docs/screenshot-en.png) and English at a desktop scale
# of 2 (docs/screenshot-scale2.png, QT_SCALE_FACTOR=2), the pictures in the README,
# and the two waveform windows in spectrum mode while the demo plays, with the cosine-sum bars
# (docs/spectrum-bars.png) and with the FFT view (docs/spectrum-fft.png). Runs without a display
# (Qt's offscreen platform; set QT_QPA_PLATFORM=xcb under xvfb-run to use X instead). The spectrum
# pictures play through a private sound server (scripts/sound-server.sh); without one they are
# left out.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)
cmake -S . -B build -DPELKIT_WERROR=ON >/dev/null
cmake --build build -j"$(nproc)" --target pelkit_recorder pelkit_make_demo >/dev/null
work=$(mktemp -d)
export PELKIT_SOUND_DIR="$work/sound"
trap 'bash "$top/scripts/sound-server.sh" stop; rm -rf "$work"' EXIT
mkdir -p docs
cd "$work"
"$top/build/pelkit_make_demo" demo.wav
# The main window pictures open a sequence file: the demo as the main sound and two slots with
# files, so the slot rows show their names (the longer one shortened in its middle).
cp demo.wav bell.wav
cp demo.wav snare_from_the_practice_room_take_2.wav
printf 'main:demo.wav\r\nt 1:bell.wav\r\nt 2:snare_from_the_practice_room_take_2.wav\r\n' >demo.ts1
quiet() { grep -v -e '^QStandardPaths' -e 'propagateSizeHints' || true; }
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
for shot in ja en en-scale2; do
  lang=${shot%%-*}
  scale=1
  picture="$top/docs/screenshot.png"
  [ "$shot" = en ] && picture="$top/docs/screenshot-en.png"
  [ "$shot" = en-scale2 ] && picture="$top/docs/screenshot-scale2.png" && scale=2
  started=$(date +%s%N)
  QT_SCALE_FACTOR=$scale PELKIT_SCREENSHOT="$picture" "$top/build/pelkit_recorder" --lang "$lang" \
    demo.ts1 2>&1 | quiet
  ended=$(date +%s%N)
  echo "whole run (start, paint, picture, close): $(((ended - started) / 1000000)) ms"
  test -s "$picture"
  echo "wrote ${picture#"$top"/}"
  rm -f pelkit_recorder.ini
done

if ! server=$(bash "$top/scripts/sound-server.sh" start 2>/dev/null); then
  echo "no sound server: the spectrum pictures are left as they were" >&2
  exit 0
fi
eval "$server"
for view in bars fft; do
  rm -f "$top/docs/spectrum-$view.png"
  PELKIT_SCREENSHOT="$top/docs/spectrum-$view.png" PELKIT_SCREENSHOT_VIEW=$view \
    timeout 60 "$top/build/pelkit_recorder" demo.wav 2>&1 | quiet
  test -s "$top/docs/spectrum-$view.png"
  echo "wrote docs/spectrum-$view.png"
done
