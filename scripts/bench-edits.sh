#!/usr/bin/env bash
# File edit speed and memory on this machine, in one run. On a 10-minute 16-bit stereo
# 44,100 Hz WAV file (105,840,044 bytes), each edit of the headless program is timed beside
#   dd bs=49152 of the same bytes (what the edit reads, written to a file), and
#   its sox equivalent (cut range: trim; cut all with boost 50 %: vol 0.5; left and right:
#   remix 1 / remix 2; centre: remix 1v0.5,2v0.5; join: -M; division into 10: trim : newfile :
#   restart; speed change to 50 % and 205 %: tempo 2 and tempo 1/2.05);
# then the peak resident memory of each edit on a 1 GiB file.
# Goals: every edit within 2x of dd, at least 3x faster than sox, peak memory under 40 MiB.
#
# Builds into build-bench/ (or $BUILD_DIR); RUNS sets the runs per timing (default 5; sox gets
# at most 3). The timings run in BENCH_DIR (default /dev/shm, a memory file system, so that they
# compare the programs rather than the disk's write-back); the 1 GiB file lives in TMPDIR.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"
. scripts/bench-lib.sh
build="${BUILD_DIR:-build-bench}"
runs="${RUNS:-5}"
sox_runs=$((runs < 3 ? runs : 3))

if ! command -v hyperfine > /dev/null; then
    apt-get install -y hyperfine > /dev/null 2>&1 || true
fi
for tool in sox dd /usr/bin/time; do
    command -v "$tool" > /dev/null || { echo "bench-edits: $tool is needed" >&2; exit 1; }
done

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELKIT_BENCH=ON -DPELKIT_TESTS=OFF \
    > /dev/null
cmake --build "$build" -j"$(nproc)" --target pelkit_recorder > /dev/null
program="$root/$build/pelkit_recorder"

timing_dir="${BENCH_DIR:-/dev/shm}"
[ -d "$timing_dir" ] && [ -w "$timing_dir" ] || timing_dir="${TMPDIR:-/tmp}"
work="$(mktemp -d "$timing_dir/pelkit-bench-edits-XXXXXX")"
big_work="$(mktemp -d "${TMPDIR:-/tmp}/pelkit-bench-edits-XXXXXX")"
trap 'rm -rf "$work" "$big_work"' EXIT
cd "$work"

# Two tones and a little noise, ten minutes.
make_ten_minutes in.wav
data=$(($(stat -c %s in.wav) - 44))

# The edit scripts: the dialog, its fields, one button.
open='command file-edit\n'
edit() { printf "$open%b" "$2" > "$1.txt"; }
edit cut-range 'dlg fileedit command edit-cut-range\n'
edit cut-all 'dlg fileedit type field-edit-boost-rate 50\ndlg fileedit command edit-cut-all\n'
edit left 'dlg fileedit command edit-left\n'
edit right 'dlg fileedit command edit-right\n'
edit centre 'dlg fileedit command edit-centre\n'
edit join 'dlg fileedit command edit-join\n'
edit divide 'dlg fileedit type field-edit-division-count 10\ndlg fileedit command edit-divide\n'
edit speed50 'dlg fileedit command edit-speed-change\n'
edit speed205 'dlg fileedit type field-edit-speed-percent 205\ndlg fileedit command edit-speed-change\n'
# The range: the start bar at 100 and the end bar at 900 of 1000 (whole 12-byte steps).
printf 'scroll start 5 99\nscroll end 5 899\n%b' "$(cat cut-range.txt)" > cut-range.txt
step=$((data / 1000 / 12 * 12))
range_from=$((data / 1000 * 100 / 12 * 12))
range_to=$((data / 1000 * 900 / 12 * 12))
range=$((range_to - range_from))
part=$((data / 10 / 12 * 12))


run_edit() { echo "'$program' --headless --script $1.txt $2"; }
dd_of() { echo "dd if=$1 of=dd.out bs=49152 iflag=skip_bytes,count_bytes $2 status=none"; }

# The mono files the join reads, made by the program itself.
"$program" --headless --script left.txt in.wav > /dev/null
"$program" --headless --script right.txt in.wav > /dev/null

echo "machine: $(nproc) cpu, $(uname -r), load $(cut -d' ' -f1-3 /proc/loadavg); runs: $runs"
echo "file: $data bytes of sound in $timing_dir; times: mean wall clock (user + system cpu), s"
printf '%-10s %16s %16s %16s %8s %8s\n' edit program dd sox prog/dd sox/prog
bench() {
    local name="$1" dd_cmd="$2" sox_cmd="$3" main="${4:-in.wav}"
    local p p_cpu d d_cpu s s_cpu
    read -r p p_cpu <<< "$(time_it "$runs" "$(run_edit "$name" "$main")")"
    read -r d d_cpu <<< "$(time_it "$runs" "$dd_cmd")"
    read -r s s_cpu <<< "$(time_it "$sox_runs" "$sox_cmd")"
    printf '%-10s %7.3f (%6.3f) %7.3f (%6.3f) %7.3f (%6.3f) %8s %8s   within 2x dd: %s, 3x sox: %s\n' \
        "$name" "$p" "$p_cpu" "$d" "$d_cpu" "$s" "$s_cpu" "$(ratio "$p" "$d")" \
        "$(ratio "$s" "$p")" "$(verdict "$p <= 2 * $d")" "$(verdict "$s >= 3 * $p")"
    rm -f dd.out sox.wav sox*.wav
}
whole="$(dd_of in.wav "")"
bench cut-range "$(dd_of in.wav "skip=$((44 + range_from)) count=$range")" \
    "sox in.wav sox.wav trim $((range_from / 4))s $((range / 4))s"
cut_size=$(stat -c %s in_Rif.wav)
bench cut-all "$whole" "sox in.wav sox.wav vol 0.5"
bench left "$whole" "sox in.wav sox.wav remix 1"
bench right "$whole" "sox in.wav sox.wav remix 2"
bench centre "$whole" "sox in.wav sox.wav remix 1v0.5,2v0.5"
bench join "$(dd_of in_L.wav "") && $(dd_of in_R.wav "")" "sox -M in_L.wav in_R.wav sox.wav"
bench divide "$whole" "sox in.wav sox.wav trim 0 $((part / 4))s : newfile : restart"
bench speed50 "$whole" "sox in.wav sox.wav tempo 2"
speed_size=$(stat -c %s in-up.wav)
bench speed205 "$whole" "sox in.wav sox.wav tempo 0.4878"
printf 'outputs: cut range %s bytes (range %s, bar steps of %s), join %s, speed 50 %% %s\n' \
    "$cut_size" "$range" "$step" "$(stat -c %s in_LR.wav)" "$speed_size"
rm -f in_*.wav in-up.wav
mv in.wav *.txt "$big_work"
cd "$big_work"

# 1 GiB: the header and 1,073,741,780 bytes of the tones, repeated.
big=$((1073741824 - 44))
{
    wav_header "$big"
    { for _ in {1..11}; do tail -c +45 in.wav; done || true; } | head -c "$big"
} > big.wav
rm -f in.wav
peak=0
for name in left right join cut-range cut-all centre divide speed50 speed205; do
    rss=$(/usr/bin/time -v "$program" --headless --script "$name.txt" big.wav 2>&1 > /dev/null |
        awk -F': ' '/Maximum resident set size/ { print $2 }')
    printf 'peak resident memory of %-9s on 1 GiB: %6s KiB\n' "$name" "$rss"
    peak=$((rss > peak ? rss : peak))
    # The join needs the two mono files; everything else goes at once.
    [ "$name" = left ] || [ "$name" = right ] || rm -f big_[0-9]*.wav big_Rif.wav big_M.wav \
        big_LR.wav big-up.wav
done
rm -f big*.wav
printf 'largest peak: %s KiB (goal < 40 MiB: %s)\n' "$peak" "$(verdict "$peak < 40 * 1024")"
