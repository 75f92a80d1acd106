# Shared by the whole-program benchmarks (sourced): WAV headers, the ten-minute test sound, and
# timings through hyperfine (or /usr/bin/time when it is missing).

# 32-bit little-endian, as printf escapes.
le32() { printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)) \
    $(($1 >> 16 & 255)) $(($1 >> 24 & 255)); }
# The canonical 44-byte header of 16-bit stereo 44,100 Hz sound with $1 data bytes.
wav_header() {
    printf "RIFF$(le32 $(($1 + 36)))WAVEfmt $(le32 16)\\x01\\x00\\x02\\x00$(le32 44100)"
    printf "$(le32 176400)\\x04\\x00\\x10\\x00data$(le32 "$1")"
}

# Two tones and a little noise, ten minutes of 16-bit stereo 44,100 Hz, into $1.
make_ten_minutes() {
    sox -n -r 44100 -b 16 -c 2 "$1" synth 600 sine 220 sine 331 synth 600 whitenoise mix \
        vol 0.4 2> /dev/null
}

# Each timing of the command $2.. over $1 runs as "mean-wall-seconds cpu-seconds" (user + system).
time_it() {
    local n="$1"
    shift
    if command -v hyperfine > /dev/null; then
        hyperfine --style none --warmup 1 --runs "$n" --export-csv t.csv -n timed "$*" > /dev/null
        awk -F, 'NR == 2 { print $2, $5 + $6 }' t.csv
    else
        local wall=0 cpu=0 t
        for ((i = 0; i < n; i++)); do
            # The timing goes to a file: the command's own output is dropped.
            /usr/bin/time -o time.out -f '%e %U %S' bash -c "$*" > /dev/null 2>&1 || true
            t=($(tail -n 1 time.out))
            wall=$(echo "$wall + ${t[0]}" | bc -l)
            cpu=$(echo "$cpu + ${t[1]} + ${t[2]}" | bc -l)
        done
        echo "$(echo "$wall / $n" | bc -l) $(echo "$cpu / $n" | bc -l)"
    fi
}

ratio() { echo "scale=2; $1 / $2" | bc -l; }
verdict() { if [ "$(echo "$1" | bc -l)" = 1 ]; then echo met; else echo MISSED; fi; }
