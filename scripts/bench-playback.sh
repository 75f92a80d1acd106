#!/usr/bin/env bash
# Playback speed and memory on this machine, in one run:
#   (a) cp of a 10-minute 16-bit stereo 44,100 Hz WAV file (105,840,044 bytes),
#   (b) the headless program playing it to the end at the default settings (--audio-out to a
#       file), (c) the same at speed 1.5 and pitch 1.2 with the reverb on,
#   (d) sox in.wav out.wav tempo 1.5 pitch 300,
# then the peak resident memory of (b) on a 1 GiB file, and the per-block benchmark.
# Goals: b/a at most 2, d/c at least 20, peak memory under 40 MiB.
#
# Builds into build-bench/ (or $BUILD_DIR) with the benchmarks on; RUNS sets the runs per
# timing (default 5; sox gets at most 3).
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"
. scripts/bench-lib.sh
build="${BUILD_DIR:-build-bench}"
runs="${RUNS:-5}"

if ! command -v hyperfine > /dev/null; then
    apt-get install -y hyperfine > /dev/null 2>&1 || true
fi
for tool in sox /usr/bin/time; do
    command -v "$tool" > /dev/null || { echo "bench-playback: $tool is needed" >&2; exit 1; }
done

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELKIT_BENCH=ON -DPELKIT_TESTS=OFF \
    -DPELKIT_WERROR=ON > /dev/null
cmake --build "$build" -j"$(nproc)" --target pelkit_recorder pelkit_block_refill_bench > /dev/null
program="$root/$build/pelkit_recorder"

work="$(mktemp -d "${TMPDIR:-/tmp}/pelkit-bench-XXXXXX")"
trap 'rm -rf "$work"' EXIT
cd "$work"

# Two tones and a little noise, ten minutes.
make_ten_minutes in.wav
printf 'command 1002\nrun\n' > default.txt
printf 'scroll speed 5 612\nscroll pitch 5 600\ncommand 1041\ncommand 1002\nrun\n' > processed.txt


play() { echo "'$program' --headless --script $1 --audio-out $2 in.wav"; }
read -r a a_cpu <<< "$(time_it "$runs" "cp in.wav copy.wav")"
read -r b b_cpu <<< "$(time_it "$runs" "$(play default.txt played.wav)")"
read -r c c_cpu <<< "$(time_it "$runs" "$(play processed.txt processed.wav)")"
read -r d d_cpu <<< "$(time_it $((runs < 3 ? runs : 3)) "sox in.wav sox.wav tempo 1.5 pitch 300")"

# The played files must be the whole sound: at speed 1 all 2,154 blocks (the last one short).
played=$(stat -c %s played.wav)

rm -f copy.wav played.wav processed.wav sox.wav
# 1 GiB: the header and 1,073,741,780 bytes of the tones, repeated.
big=$((1073741824 - 44))
{
    wav_header "$big"
    { for _ in {1..11}; do tail -c +45 in.wav; done || true; } | head -c "$big"
} > big.wav
rss=$(/usr/bin/time -v "$program" --headless --script default.txt --audio-out big-played.wav \
    big.wav 2>&1 > /dev/null | awk -F': ' '/Maximum resident set size/ { print $2 }')
big_played=$(stat -c %s big-played.wav)
rm -f big.wav big-played.wav

echo "machine: $(nproc) cpu, $(uname -r), load $(cut -d' ' -f1-3 /proc/loadavg); runs: $runs"
echo "times: mean wall clock (mean user + system cpu)"
printf '(a) cp of the 10-minute file          %8.3f s (%.3f)\n' "$a" "$a_cpu"
printf '(b) play, default settings            %8.3f s (%.3f)   b/a = %s (goal <= 2: %s)\n' \
    "$b" "$b_cpu" "$(ratio "$b" "$a")" "$(verdict "$b <= 2 * $a")"
printf '(c) play, speed 1.5 pitch 1.2 reverb  %8.3f s (%.3f)   c/a = %s\n' "$c" "$c_cpu" \
    "$(ratio "$c" "$a")"
printf '(d) sox tempo 1.5 pitch 300           %8.3f s (%.3f)   d/c = %s (goal >= 20: %s)\n' \
    "$d" "$d_cpu" "$(ratio "$d" "$c")" "$(verdict "$d >= 20 * $c")"
printf '    played output of (b): %s bytes\n' "$played"
printf 'peak resident memory of (b) on 1 GiB: %s KiB (goal < 40 MiB: %s); output %s bytes\n' \
    "$rss" "$(verdict "$rss < 40 * 1024")" "$big_played"
echo
"$root/$build/bench/pelkit_block_refill_bench" --benchmark_min_time=1
