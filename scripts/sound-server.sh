#!/usr/bin/env bash
# Starts or stops a private PulseAudio server with a null sink whose monitor is the default
# source, so that what is played can be recorded back. No desktop login is needed.
#   eval "$(bash scripts/sound-server.sh start)"   # prints the environment to use
#   bash scripts/sound-server.sh stop
set -euo pipefail
dir="${PELKIT_SOUND_DIR:-/tmp/pelkit-sound}"
case "${1:-}" in
  start)
    mkdir -p "$dir"
    if [ -f "$dir/pid" ] && kill -0 "$(cat "$dir/pid")" 2>/dev/null; then
      :
    else
      cat > "$dir/default.pa" <<PA
load-module module-native-protocol-unix socket=$dir/native auth-anonymous=1
load-module module-null-sink sink_name=pelkit_null format=float32le rate=44100 channels=2 norewinds=1
set-default-sink pelkit_null
set-default-source pelkit_null.monitor
PA
      export HOME="$dir" XDG_RUNTIME_DIR="$dir" PULSE_RUNTIME_PATH="$dir/runtime"
      mkdir -p "$PULSE_RUNTIME_PATH"
      pulseaudio --daemonize=no --system=false --exit-idle-time=-1 -n \
        --disallow-exit --use-pid-file=no -F "$dir/default.pa" --log-target=file:"$dir/log" \
        >/dev/null 2>&1 &
      echo $! > "$dir/pid"
      for _ in $(seq 1 50); do
        [ -S "$dir/native" ] && break
        sleep 0.1
      done
      [ -S "$dir/native" ] || { echo "sound server did not start; see $dir/log" >&2; exit 1; }
    fi
    echo "export PULSE_SERVER=unix:$dir/native"
    ;;
  stop)
    if [ -f "$dir/pid" ]; then
      kill "$(cat "$dir/pid")" 2>/dev/null || true
      rm -f "$dir/pid"
    fi
    ;;
  *)
    echo "usage: $0 start|stop" >&2
    exit 2
    ;;
esac
