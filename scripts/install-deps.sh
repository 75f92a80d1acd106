#!/usr/bin/env bash
# Installs the Debian packages the program, its tests, benchmarks and packaging checks need
# (idempotent).
set -euo pipefail
packages=(
  cmake g++ make pkg-config clang-format clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libsndfile1-dev libebur128-dev libsamplerate0-dev sox libsox-fmt-mp3 opus-tools libfftw3-dev
  librubberband-dev strace universal-ctags
  portaudio19-dev libasound2-dev pulseaudio pulseaudio-utils libasound2-plugins
  qt6-base-dev libqt6svg6 qt6-translations-l10n qt6-l10n-tools qt6-tools-dev fonts-noto-cjk
  xvfb xauth xdg-user-dirs
  appstream groff-base
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}"
fi
