#!/usr/bin/env bash
# Checks that every #include under src/ points down the layers (README, Layout):
#   resources, platform  <  files, dsp  <  state, services  <  status  <  features  <  app  <  devices, hosts
# Features never include each other or app/; devices include only the boundary and the pure
# layers; the pure layers, the boundary and the data include nothing above them.
# Usage: check-layers.sh [SRC_DIR]; prints each offending line and exits 1 when there is one.
set -euo pipefail
src="${1:-$(dirname "$0")/../src}"
features="playback record display dialogs subsound edit sequence marks formats"

# The folders a file in folder $1 may include from (besides its own folder).
allowed() {
    case "$1" in
        resources) echo "" ;;
        platform) echo "" ;;
        files | dsp) echo "platform resources" ;;
        state | services) echo "platform resources files dsp" ;;
        status) echo "platform resources files dsp state services" ;;
        app) echo "platform resources files dsp state services status $features" ;;
        devices/*) echo "platform files dsp" ;;
        hosts/*) echo "platform resources files dsp state services status $features app devices/virtual devices/system devices/portaudio" ;;
        *)
            for f in $features; do
                if [ "$1" = "$f" ]; then
                    echo "platform resources files dsp state services status"
                    return
                fi
            done
            echo "?"
            ;;
    esac
}

# The layer folder of a path relative to src/: devices/x and hosts/x count as folders of their own.
folder_of() {
    case "$1" in
        devices/* | hosts/*) echo "$1" | cut -d/ -f1-2 ;;
        */*) echo "${1%%/*}" ;;
        *) echo "." ;;
    esac
}

status=0
while IFS= read -r file; do
    rel="${file#"$src"/}"
    here=$(folder_of "$rel")
    [ "$here" = "." ] && continue  # the program entry may use everything
    ok=$(allowed "$here")
    if [ "$ok" = "?" ]; then
        echo "$rel: folder $here is not one of the layers"
        status=1
        continue
    fi
    while IFS= read -r line; do
        target=$(echo "$line" | sed -E 's/^[^"]*"([^"]+)".*/\1/')
        case "$target" in */*) ;; *) continue ;; esac
        there=$(folder_of "$target")
        [ "$there" = "$here" ] && continue
        good=0
        for a in $ok; do
            [ "$a" = "$there" ] && good=1
        done
        if [ $good -eq 0 ]; then
            echo "$rel includes $target: $here may not include from $there"
            status=1
        fi
    done < <(grep -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" || true)
done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) | sort)
exit $status
