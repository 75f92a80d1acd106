#!/usr/bin/env bash
# Speed and memory of the other sound formats on this machine, in one run. On a 10-minute 16-bit
# stereo 44,100 Hz WAV file, the headless program's
#   decode (open of FLAC, Ogg Vorbis, MP3 and Opus files into a WAV working copy) is timed beside
#   sox doing the same conversion (opusdec for Opus: Debian's sox has no Opus), to 16-bit WAV for
#   FLAC and to 32-bit float WAV for the lossy formats, as the program writes them;
#   export (FLAC level 5, Vorbis, MP3 and Opus at quality 6) is timed beside sox -C 5 (FLAC),
#   sox -C 6 (Vorbis), sox -C -4 (MP3, lame's VBR quality 4) and opusenc with its defaults;
#   loudness is given in times real time (the run less a run that only loads the file);
# then the peak resident memory of the loudness, a FLAC export and a FLAC decode of a 1 GiB file.
# Goals: decode and export at least as fast as sox/opus-tools, loudness at least 200x real time,
# peak memory under 40 MiB. The times include the program's start and the loading of the file.
#
# BUILD_DIR (default build-bench) is built as RelWithDebInfo; RUNS sets the runs per timing
# (default 3). The timings run in BENCH_DIR (default /dev/shm); the 1 GiB file lives in TMPDIR.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"
. scripts/bench-lib.sh
build="${BUILD_DIR:-build-bench}"
runs="${RUNS:-3}"

for tool in sox opusenc opusdec /usr/bin/time bc; do
    command -v "$tool" > /dev/null || { echo "bench-formats: $tool is needed" >&2; exit 1; }
done
sox -h | grep -qw mp3 || { echo "bench-formats: sox needs MP3 (libsox-fmt-mp3)" >&2; exit 1; }

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$build" -j"$(nproc)" --target pelkit_recorder > /dev/null
program="$root/$build/pelkit_recorder"

timing_dir="${BENCH_DIR:-/dev/shm}"
[ -d "$timing_dir" ] && [ -w "$timing_dir" ] || timing_dir="${TMPDIR:-/tmp}"
work="$(mktemp -d "$timing_dir/pelkit-bench-formats-XXXXXX")"
big_work="$(mktemp -d "${TMPDIR:-/tmp}/pelkit-bench-formats-XXXXXX")"
trap 'rm -rf "$work" "$big_work"' EXIT
cd "$work"

make_ten_minutes in.wav
seconds=600
mkdir dec
sox in.wav -C 5 dec/song.flac
sox in.wav -C 6 dec/song.ogg
sox in.wav -C -4 dec/song.mp3
opusenc --quiet in.wav dec/song.opus
printf '' > load.txt
printf 'command loudness\n' > loudness.txt
for ext in flac ogg mp3 opus; do
    printf 'choose song.%s\ncommand open\n' "$ext" > "dec/open-$ext.txt"
    printf 'choose out.%s\ncommand export\n' "$ext" > "export-$ext.txt"
done

prog() { echo "'$program' --headless --script $*"; }

echo "machine: $(nproc) cpu, $(uname -r), load $(cut -d' ' -f1-3 /proc/loadavg); runs: $runs"
echo "file: 10 minutes, 16-bit stereo 44,100 Hz, in $timing_dir; times: mean wall clock (cpu), s"
printf '%-14s %16s %16s %9s\n' work program peer peer/prog
bench() {
    local name="$1" mine="$2" peer="$3" p p_cpu s s_cpu
    read -r p p_cpu <<< "$(time_it "$runs" "$mine")"
    read -r s s_cpu <<< "$(time_it "$runs" "$peer")"
    printf '%-14s %7.3f (%6.3f) %7.3f (%6.3f) %9s   at least as fast: %s\n' "$name" "$p" \
        "$p_cpu" "$s" "$s_cpu" "$(ratio "$s" "$p")" "$(verdict "$p <= $s")"
}
bench "decode FLAC" "cd dec && $(prog open-flac.txt)" "sox dec/song.flac -b 16 peer.wav"
bench "decode Vorbis" "cd dec && $(prog open-ogg.txt)" \
    "sox dec/song.ogg -e floating-point -b 32 peer.wav"
bench "decode MP3" "cd dec && $(prog open-mp3.txt)" \
    "sox dec/song.mp3 -e floating-point -b 32 peer.wav"
bench "decode Opus" "cd dec && $(prog open-opus.txt)" "opusdec --quiet --float dec/song.opus peer.wav"
bench "export FLAC" "$(prog export-flac.txt in.wav)" "sox in.wav -C 5 peer.flac"
bench "export Vorbis" "$(prog export-ogg.txt in.wav)" "sox in.wav -C 6 peer.ogg"
bench "export MP3" "$(prog export-mp3.txt in.wav)" "sox in.wav -C -4 peer.mp3"
bench "export Opus" "$(prog export-opus.txt in.wav)" "opusenc --quiet in.wav peer.opus"
read -r l l_cpu <<< "$(time_it "$runs" "$(prog loudness.txt in.wav)")"
read -r b b_cpu <<< "$(time_it "$runs" "$(prog load.txt in.wav)")"
x=$(echo "scale=0; $seconds / ($l - $b)" | bc -l)
printf 'loudness: %.3f s (%.3f s cpu), loading alone %.3f s: %sx real time (goal 200x: %s)\n' \
    "$l" "$l_cpu" "$b" "$x" "$(verdict "$x >= 200")"
"$program" --headless --script loudness.txt in.wav
printf 'sizes: FLAC %s, Vorbis %s, MP3 %s, Opus %s bytes (sox/opusenc: %s, %s, %s, %s)\n' \
    "$(stat -c %s out.flac)" "$(stat -c %s out.ogg)" "$(stat -c %s out.mp3)" \
    "$(stat -c %s out.opus)" "$(stat -c %s peer.flac)" "$(stat -c %s peer.ogg)" \
    "$(stat -c %s peer.mp3)" "$(stat -c %s peer.opus)"
mv in.wav loudness.txt "$big_work"
mv dec/open-flac.txt "$big_work"
cd "$big_work"
rm -rf "$work"

# 1 GiB: the header and 1,073,741,780 bytes of the tones, repeated.
big=$((1073741824 - 44))
{
    wav_header "$big"
    { for _ in {1..11}; do tail -c +45 in.wav; done || true; } | head -c "$big"
} > big.wav
rm -f in.wav
printf 'choose song.flac\ncommand export\n' > export-big.txt
peak=0
measure() {
    local name="$1" rss
    shift
    rss=$(/usr/bin/time -v "$@" 2>&1 > /dev/null |
        awk -F': ' '/Maximum resident set size/ { print $2 }')
    printf 'peak resident memory of %-12s on 1 GiB: %6s KiB\n' "$name" "$rss"
    peak=$((rss > peak ? rss : peak))
}
measure loudness "$program" --headless --script loudness.txt big.wav
measure "FLAC export" "$program" --headless --script export-big.txt big.wav
rm -f big.wav
measure "FLAC decode" "$program" --headless --script open-flac.txt
printf 'largest peak: %s KiB (goal < 40 MiB: %s)\n' "$peak" "$(verdict "$peak < 40 * 1024")"
