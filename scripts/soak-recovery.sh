#!/usr/bin/env bash
# Crash-recovery soak: N takes, each killed with SIGKILL at a random moment, in the "mem" and
# "HDD" write modes in turn, half of them split into 1 MB parts. Most are killed while blocks
# are being recorded; every fourth take (split, of 42 to 81 blocks, so three or more parts) is
# stopped and killed by strace between two moves of its parts into the take's names (strace
# picks the move at random). After each kill
# the next start of the program must recover the take exactly: the finished files hold, byte for
# byte, the sound the temporary files held at the kill (a take killed while it was finished:
# every block recorded), with headers that give the real sizes, and that sound is the start of
# the input.
# Usage: soak-recovery.sh [N]   (default 20; BUILD_DIR picks the build, SEED the random seed)
set -euo pipefail
cd "$(dirname "$0")/.."
n="${1:-20}"
program="$(realpath "${BUILD_DIR:-build}/pelkit_recorder")"
[ -x "$program" ] || { echo "soak-recovery: no $program (bash scripts/build.sh)" >&2; exit 1; }
work="$(mktemp -d "${TMPDIR:-/tmp}/pelkit-soak-XXXXXX")"
feeder=""
cleanup() {
    [ -n "$feeder" ] && kill "$feeder" 2> /dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
RANDOM="${SEED:-$$}"
echo "soak-recovery: $n takes, seed ${SEED:-$$}"
have_strace=1
command -v strace > /dev/null ||
    { have_strace=0; echo "soak-recovery: no strace, so no take is killed while it is finished"; }

le32() { printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)) \
    $(($1 >> 16 & 255)) $(($1 >> 24 & 255)); }
# 16-bit stereo 44,100 Hz: 6 MB of random sound (about 34 s, 122 blocks of 49,152 bytes).
bytes=6000000
head -c "$bytes" /dev/urandom > "$work/input.raw"
{ printf "RIFF$(le32 $((bytes + 36)))WAVEfmt $(le32 16)\\x01\\x00\\x02\\x00$(le32 44100)"
  printf "$(le32 176400)\\x04\\x00\\x10\\x00data$(le32 $bytes)"; cat "$work/input.raw"; } > "$work/in.wav"
head -c 36 "$work/in.wav" | tail -c 16 > "$work/fmt.raw"

fail() {
    echo "soak-recovery: take $1: $2 (files kept in $work/$1)" >&2
    trap - EXIT
    exit 1
}
# The 32-bit little-endian number at byte $2 of file $1.
field() { od -An -tu4 -j "$2" -N4 "$1" | tr -d ' '; }
# The files of a take: the name $1 (with .wav), then its numbered parts while they exist.
parts_of() {
    local stem="${1%.wav}" i=1
    [ -e "$1" ] && echo "$1"
    while [ -e "$(printf '%s_%03d.wav' "$stem" "$i")" ]; do
        printf '%s_%03d.wav\n' "$stem" "$i"
        i=$((i + 1))
    done
}

recovered=0
for take in $(seq 1 "$n"); do
    dir="$work/$take"
    mkdir -p "$dir"
    ln -s ../in.wav "$dir/in.wav"
    mode=""
    [ $((take % 2)) -eq 0 ] && mode="command 1095\ndlg command 1159\ndlg command 1\n"
    if [ $((take % 4)) -ge 2 ]; then printf '[init]\nlimitmega=1\n' > "$dir/pelkit_recorder.ini"; fi
    mkfifo "$dir/script"
    finishing=$((take % 4 == 3 && have_strace))
    tracer=()
    if [ "$finishing" -eq 1 ]; then
        # A take of 3 to 5 files (a part closes after 20 blocks), killed by strace as the file
        # numbered kill_at - 2 is moved to its name: the program's main thread makes 2 renames
        # before (the settings), the thread that finishes the take counts its own, and its 1st
        # (a small record of the finish) and 2nd (the first file) come before that.
        blocks=$((42 + RANDOM % 40))
        files=$(((blocks + 19) / 20))
        kill_at=$((3 + RANDOM % (files - 1)))
        tracer=(strace -f -qq -o /dev/null -e trace=rename
                -e "inject=rename:signal=KILL:when=$kill_at")
    fi
    (cd "$dir" && exec "${tracer[@]}" "$program" --headless --audio-in in.wav take.wav \
        < script > out 2> err) &
    pid=$!
    exec 3> "$dir/script"
    # The kill's random moment counts from the program's start-up, not from the launch: on a
    # busy machine the start alone can outlast the shortest waits.
    for _ in $(seq 1 1000); do
        grep -qs '^endstatus=start' "$dir/pelkit_recorder.ini" && break
        sleep 0.01
    done
    printf "${mode}command 1000\n" >&3
    if [ "$finishing" -eq 1 ]; then
        # The whole take, then the stop; the program ends at the kill (or, should the finish
        # make fewer renames, at the end of its script).
        printf 'record-blocks %d\ncommand 1001\n' "$blocks" >&3
        exec 3>&-
        wait "$pid" 2> /dev/null || true
    else
        # Three blocks at a time, a few milliseconds apart (at most the 122 of the input),
        # until the kill at a random moment.
        ( for _ in $(seq 1 40); do printf 'record-blocks 3\n'; sleep 0.004; done >&3 ) \
            2> /dev/null &
        feeder=$!
        sleep "0.$(printf '%03d' $((20 + RANDOM % 380)))"
        kill -KILL "$pid"
        wait "$pid" 2> /dev/null || true
    fi
    if [ -n "$feeder" ]; then
        kill "$feeder" 2> /dev/null || true
        wait "$feeder" 2> /dev/null || true
        feeder=""
    fi
    exec 3>&-

    # What the kill left on disk, then the next start.
    mkdir "$dir/left"
    (cd "$dir" && for f in $(parts_of pelkit_record.wav); do cp "$f" left/; done)
    grep -q '^endstatus=start' "$dir/pelkit_recorder.ini" || fail "$take" "endstatus is not start"
    (cd "$dir" && "$program" --headless < /dev/null > out2 2> err2) || fail "$take" "restart failed"
    [ -s "$dir/err2" ] && fail "$take" "restart said: $(cat "$dir/err2")"

    # No file of the take with sound is left under a temporary name.
    for f in "$dir"/pelkit_record*.wav; do
        [ -e "$f" ] && [ "$(stat -c %s "$f")" -gt 44 ] && fail "$take" "$(basename "$f") is left"
    done
    if [ "$finishing" -eq 1 ]; then
        # Every block recorded is in the take's files, in order, each with its real sizes.
        : > "$dir/finished.raw"
        for final in $(parts_of "$dir/take.wav"); do
            size=$(stat -c %s "$final")
            [ "$(field "$final" 40)" -eq $((size - 44)) ] || fail "$take" "$final: data size field"
            [ "$(field "$final" 4)" -eq $((size - 8)) ] || fail "$take" "$final: RIFF size field"
            tail -c +45 "$final" >> "$dir/finished.raw"
        done
        length=$(stat -c %s "$dir/finished.raw")
        [ "$length" -eq $((blocks * 49152)) ] ||
            fail "$take" "$length bytes of $((blocks * 49152)) were recovered"
        cmp -s -n "$length" "$dir/finished.raw" "$work/input.raw" || fail "$take" "not the input"
        recovered=$((recovered + 1))
        echo "take $take: killed at rename $kill_at of the finish, $(parts_of "$dir/take.wav" | wc -l) file(s), $length bytes recovered"
        rm -rf "$dir"
        continue
    fi
    # Every file of the take that held sound is finished under the take's name, in order.
    : > "$dir/left.raw"
    : > "$dir/finished.raw"
    for f in $(cd "$dir/left" && parts_of pelkit_record.wav); do
        size=$(stat -c %s "$dir/left/$f")
        [ "$size" -le 44 ] && continue
        final="$dir/take${f#pelkit_record}"
        [ -f "$final" ] || fail "$take" "$f was not recovered into $(basename "$final")"
        [ "$(stat -c %s "$final")" -eq "$size" ] || fail "$take" "$final has another size"
        [ "$(field "$final" 40)" -eq $((size - 44)) ] || fail "$take" "$final: data size field"
        [ "$(field "$final" 4)" -eq $((size - 8)) ] || fail "$take" "$final: RIFF size field"
        head -c 36 "$final" | tail -c 16 | cmp -s - "$work/fmt.raw" || fail "$take" "$final: format"
        tail -c +45 "$dir/left/$f" >> "$dir/left.raw"
        tail -c +45 "$final" >> "$dir/finished.raw"
    done
    cmp -s "$dir/left.raw" "$dir/finished.raw" || fail "$take" "the finished sound differs"
    length=$(stat -c %s "$dir/left.raw")
    cmp -s -n "$length" "$dir/left.raw" "$work/input.raw" || fail "$take" "not the input's start"
    [ "$length" -gt 0 ] && recovered=$((recovered + 1))
    echo "take $take: $(parts_of "$dir/take.wav" | wc -l) file(s), $length bytes of sound recovered"
    rm -rf "$dir"
done
echo "soak-recovery: $n takes killed, $recovered held sound, every one recovered exactly"
