#!/usr/bin/env bash
# Writes the seed inputs of the fuzz targets into OUT_DIR/<target>/ (default build-fuzz/seeds):
# small valid files and typical damaged ones, all made here.
set -euo pipefail
out="${1:-$(dirname "$0")/../build-fuzz/seeds}"
mkdir -p "$out"/{wav_header,settings,sequence,position,headless_play,recovery,sound_decode}

# Little-endian numbers as bytes.
le16() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $((($1 >> 8) & 255)))"; }
le32() { le16 $(($1 & 65535)); le16 $((($1 >> 16) & 65535)); }

# fmt chunk body: format channels rate bits
fmt_body() {
    local ch=$2 rate=$3 bits=$4
    le16 "$1"; le16 "$ch"; le32 "$rate"; le32 $((ch * rate * bits / 8)); le16 $((ch * bits / 8))
    le16 "$bits"
}
# A canonical file: channels rate bits, then N sample bytes.
canonical() {
    local n=$4
    printf 'RIFF'; le32 $((36 + n)); printf 'WAVEfmt '; le32 16; fmt_body 1 "$1" "$2" "$3"
    printf 'data'; le32 "$n"; head -c "$n" /dev/zero | tr '\0' '\125'
}

# Short sounds in the formats the decoder takes, made by sox, and one cut short.
d="$out/sound_decode"
sox -n -r 8000 -c 1 -b 16 "$d/tone.flac" synth 0.05 sine 440
sox -n -r 8000 -c 2 -b 24 "$d/tone24.flac" synth 0.05 sine 440
sox -n -r 8000 -c 1 "$d/tone.ogg" synth 0.1 sine 440
sox -n -r 8000 -c 1 "$d/tone.mp3" synth 0.1 sine 440
sox -n -r 8000 -c 1 -b 16 "$d/tone.aiff" synth 0.05 sine 440
head -c 200 "$d/tone.flac" > "$d/cut.flac"

w="$out/wav_header"
canonical 2 44100 16 16 > "$w/stereo16.wav"
canonical 1 8000 8 7 > "$w/mono8_odd.wav"
canonical 2 48000 24 12 > "$w/stereo24.wav"
canonical 2 44100 16 0 > "$w/empty_data.wav"
canonical 2 2147483647 16 8 > "$w/absurd_rate.wav"
canonical 60000 44100 16 8 > "$w/many_channels.wav"
canonical 0 44100 16 8 > "$w/no_channels.wav"
head -c 30 "$w/stereo16.wav" > "$w/cut_header.wav"
{ printf 'RIFF'; le32 60; printf 'WAVEfmt '; le32 18; fmt_body 1 2 44100 16; le16 0
  printf 'LIST'; le32 5; printf 'INFOx\0'; printf 'data'; le32 8; printf '\1\2\3\4\5\6\7\10'
} > "$w/extra_chunks.wav"
{ printf 'RIFF'; le32 60; printf 'WAVEfmt '; le32 20; fmt_body 1 1 22050 16; le32 0
  printf '\1\2\3\4'; } > "$w/no_data_chunk.wav"
{ printf 'RIFF'; le32 60; printf 'WAVEfmt '; le32 16; fmt_body 1 2 44100 16
  printf 'junk'; le32 4294967295; printf 'data'; } > "$w/huge_chunk.wav"
{ printf 'RIFF'; le32 0; printf 'WAVEfmt '; le32 8; printf 'data'; le32 4294967295; } > "$w/short_fmt.wav"
printf 'not a sound file\n' > "$w/text.wav"

s="$out/settings"
printf '[init]\nlimitmega=2000\nendstatus=ok\nfile=record.wav\n' > "$s/plain.ini"
printf '[init]\r\nlimitmega = 5\r\nendstatus=start\r\nfile="/a b/c.wav"\r\n' > "$s/crlf.ini"
printf '\xef\xbb\xbf[init]\nendstatus=ok\n' > "$s/bom.ini"
printf '; comment\n[other]\nendstatus=keep\n\n[INIT]\nfile=x.wav\n[init]\nlimitmega=99999999999\n' \
    > "$s/two_sections.ini"
printf '[init]\nlimitmega=-3\nfile=a.wav' > "$s/open_last_line.ini"
printf '[init]\rendstatus=ok\r' > "$s/cr_only.ini"
printf 'limitmega=1\n[init\n=\n[]\n' > "$s/no_section.ini"
: > "$s/empty.ini"

q="$out/sequence"
printf 'main:/snd/talk.wav\r\nt 1:/snd/bell.wav\r\nt 7:/snd/clap.wav\r\narm 7:88200\r\nskip 1:88200:132300\r\nskip 2:200000:190000\r\n' \
    > "$q/saved.ts1"
printf 'main:D:\\snd\\talk.wav\npan\npan\nt 200:b.wav\nt 0:c.wav\npan:-12.500000\npan:250\n' > "$q/older.ts1"
printf 'main:a.wav\nskip 1:-5:10\nskip 2:4294967296:1\nt 99999999999:x\narm 0:1\npan:\nmain:b.wav\nzz\n' \
    > "$q/bad_lines.ts1"
printf 'main:a.wav\r\nt 1:b.wav\r\nskip 1:882' > "$q/truncated.ts1"
{ printf 'main:a.wav\nt 2:'; head -c 9000 /dev/zero | tr '\0' 'x'; printf '\nskip 1:1:2\n'; } > "$q/long_line.ts1"
cp "$w/stereo16.wav" "$q/binary.ts1"
: > "$q/empty.ts1"

p="$out/position"
# The first two bytes are the mark index (little-endian), the rest is the file.
{ le16 1; printf '176400,intro\r\n352800,two words\r\n529200,3rd\r\n'; } > "$p/first.txt"
{ le16 3; printf '176400,intro\r\n352800,two words\r\n529200,3rd\r\n'; } > "$p/third.txt"
{ le16 4; printf '10,a\n20,b\n30,c\n'; } > "$p/past_end.txt"
{ le16 2; printf '10,a\n4294967296,big\n-5,neg\nword\n 12 , x\n'; } > "$p/unparsable.txt"
{ le16 2; printf '1,'; head -c 400 /dev/zero | tr '\0' 'y'; printf '\n2,\xe3\x81\x82\xe3\x81\x82 tail'; } \
    > "$p/long_comment.txt"
{ le16 0; printf '5,zero\n'; } > "$p/index_zero.txt"

# The whole program playing a file: three bytes of choices (switches, speed, pitch), then the file.
h="$out/headless_play"
canonical 2 44100 16 6000 > "$h/.stereo16"
canonical 2 48000 24 6000 > "$h/.stereo24"
canonical 1 8000 8 3001 > "$h/.mono8"
for f in stereo16 stereo24 mono8; do
    { printf '\000\226\226'; cat "$h/.$f"; } > "$h/${f}_plain.bin"
    { printf '\007\100\310'; cat "$h/.$f"; } > "$h/${f}_reverse_convert_reverb.bin"
    { printf '\370\310\040'; cat "$h/.$f"; } > "$h/${f}_repeat_jumps.bin"
    rm "$h/.$f"
done
for f in extra_chunks no_data_chunk absurd_rate many_channels huge_chunk; do
    { printf '\377\377\000'; cat "$w/$f.wav"; } > "$h/$f.bin"
done

# Files left by a killed run: byte 0 picks the settings (0 start, 1 ok, 2 none, 3 "OK") and the
# part count (times 4), then one 16-bit length per part, the parts, and the temporary file.
r="$out/recovery"
placeholder() {  # channels rate bits, then N sample bytes
    local n=$4
    printf 'RIFF'; le32 36; printf 'WAVEfmt '; le32 16; fmt_body 1 "$1" "$2" "$3"
    printf 'data'; le32 4294967295; head -c "$n" /dev/zero | tr '\0' '\132'
}
placeholder 1 22050 8 1000 > "$r/.take"
placeholder 2 44100 16 300 > "$r/.part"
for settings in 0 1 2 3; do
    { printf "\\$(printf %03o "$settings")"; cat "$r/.take"; } > "$r/alone_$settings.bin"
    { printf "\\$(printf %03o $((settings + 8)))"; le16 344; le16 20; cat "$r/.part"
      printf 'short part          '; cat "$r/.take"; } > "$r/two_parts_$settings.bin"
done
{ printf '\004'; le16 344; cat "$r/.part"; } > "$r/part_without_take.bin"
{ printf '\000'; head -c 44 "$r/.take"; } > "$r/header_only.bin"
{ printf '\000not a wav file at all, but a take must never be lost: keep it'; } > "$r/headerless.bin"
rm "$r/.take" "$r/.part"
