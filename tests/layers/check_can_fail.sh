#!/usr/bin/env bash
# The layer check must reject includes that point up or sideways, and pass a tree without them.
set -u
check="$1"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree"/{app,files,playback,record,state,platform}
echo '#include "platform/ui.h"' > "$tree/files/ok.h"
echo '#include "files/ok.h"' > "$tree/state/ok.h"
echo '#include "state/ok.h"' > "$tree/playback/ok.cpp"
echo '#include "playback/ok.h"' > "$tree/app/ok.cpp"
if ! bash "$check" "$tree" > /dev/null; then
    echo "a tree whose includes all point down was rejected"
    exit 1
fi
echo '#include "app/commands.h"' > "$tree/playback/up.cpp"
echo '#include "record/recorder.h"' > "$tree/playback/sideways.cpp"
echo '#include "state/app_state.h"' > "$tree/files/up.h"
out=$(bash "$check" "$tree")
status=$?
for expected in "playback/up.cpp includes app/commands.h" \
    "playback/sideways.cpp includes record/recorder.h" "files/up.h includes state/app_state.h"; do
    if ! grep -qF "$expected" <<< "$out"; then
        echo "not reported: $expected"
        exit 1
    fi
done
[ $status -eq 1 ] || { echo "the check passed a tree with upward includes"; exit 1; }
echo "ok"
