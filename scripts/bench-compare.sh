#!/usr/bin/env bash
# Times two builds of the headless program against each other on the same ten-minute file: a
# play to the end at the default settings, the same at speed 1.5 / pitch 1.2 with the reverb,
# and every file edit. The two programs run in turns (A, B, A, B, ...) so that a shared machine
# loads both alike; the table gives each one's median wall clock and CPU time (user + system)
# and B / A. Use it to check that a change makes nothing slower.
#
#   scripts/bench-compare.sh OLD_PROGRAM NEW_PROGRAM      (RUNS turns each, default 7)
#
# Runs in BENCH_DIR (default /dev/shm), as scripts/bench-edits.sh does.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/bench-lib.sh
[ $# = 2 ] || { echo "usage: $0 OLD_PROGRAM NEW_PROGRAM" >&2; exit 2; }
a="$(realpath "$1")"
b="$(realpath "$2")"
runs="${RUNS:-7}"
dir="${BENCH_DIR:-/dev/shm}"
[ -d "$dir" ] && [ -w "$dir" ] || dir="${TMPDIR:-/tmp}"
work="$(mktemp -d "$dir/pelkit-bench-compare-XXXXXX")"
trap 'rm -rf "$work"' EXIT
cd "$work"
make_ten_minutes in.wav

open='command file-edit\n'
script() { printf "%b" "$2" > "$1.txt"; }
script play 'command 1002\nrun\n'
script processed 'scroll speed 5 612\nscroll pitch 5 600\ncommand 1041\ncommand 1002\nrun\n'
script cut-range "scroll start 5 99\nscroll end 5 899\n${open}dlg fileedit command edit-cut-range\n"
script cut-all "${open}dlg fileedit type field-edit-boost-rate 50\ndlg fileedit command edit-cut-all\n"
script left "${open}dlg fileedit command edit-left\n"
script right "${open}dlg fileedit command edit-right\n"
script centre "${open}dlg fileedit command edit-centre\n"
script join "${open}dlg fileedit command edit-join\n"
script divide "${open}dlg fileedit type field-edit-division-count 10\ndlg fileedit command edit-divide\n"
script speed50 "${open}dlg fileedit command edit-speed-change\n"
script speed205 "${open}dlg fileedit type field-edit-speed-percent 205\ndlg fileedit command edit-speed-change\n"
# The mono files the join reads.
"$a" --headless --script left.txt in.wav > /dev/null
"$a" --headless --script right.txt in.wav > /dev/null

# One timed run of program $1 on script $2: "wall cpu" in seconds.
once() {
    local args=(--headless --script "$2.txt" in.wav)
    case "$2" in play | processed) args=(--headless --audio-out out.wav --script "$2.txt" in.wav) ;; esac
    local TIMEFORMAT='%3R %3U %3S'
    { time "$1" "${args[@]}" > /dev/null 2>&1 < /dev/null; } 2>&1 | awk '{ print $1, $2 + $3 }'
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo "machine: $(nproc) cpu, load $(cut -d' ' -f1-3 /proc/loadavg); $runs turns each"
printf '%-10s %18s %18s %8s %8s\n' run "A wall (cpu)" "B wall (cpu)" "B/A" "B/A cpu"
for name in play processed cut-range cut-all left right centre join divide speed50 speed205; do
    once "$a" "$name" > /dev/null  # warm the page cache
    : > a.t
    : > b.t
    for ((i = 0; i < runs; i++)); do
        once "$a" "$name" >> a.t
        once "$b" "$name" >> b.t
    done
    aw=$(cut -d' ' -f1 a.t | median) ac=$(cut -d' ' -f2 a.t | median)
    bw=$(cut -d' ' -f1 b.t | median) bc=$(cut -d' ' -f2 b.t | median)
    printf '%-10s %8.3f (%6.3f) %8.3f (%6.3f) %8s %8s\n' "$name" "$aw" "$ac" "$bw" "$bc" \
        "$(ratio "$bw" "$aw")" "$(ratio "$bc" "$ac")"
done
