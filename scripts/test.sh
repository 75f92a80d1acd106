#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
# The real-device tests play and record through a private sound server with a null sink.
eval "$(bash scripts/sound-server.sh start)"
trap "bash '$PWD/scripts/sound-server.sh' stop" EXIT
cd build
ctest --output-on-failure -j"$(nproc)"
