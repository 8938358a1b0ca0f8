#!/usr/bin/env bash
# Makes the test MP3s from synthesised tones (sox) encoded with lame, plus fixtures.txt, which records
# what was encoded so tests compare against it:
#   <file> <samples per channel> <sample rate> <length in ms, truncated>
#   staircase_step_ms <ms>
#   staircase_hz <frequency of step 0> <of step 1> ...
# Usage: make_fixtures.sh <output folder>. Does nothing when fixtures.txt is newer than this script.
set -euo pipefail

out=${1:?usage: make_fixtures.sh <output folder>}
mkdir -p "$out"
manifest="$out/fixtures.txt"
if [[ -f "$manifest" && "$manifest" -nt "${BASH_SOURCE[0]}" ]]; then
  exit 0
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

rate=44100
lame_quiet=(--quiet --noreplaygain)
entries=()

# Samples per channel of a 16-bit stereo WAV, read from sox rather than guessed from its size.
samples_of() { soxi -s "$1"; }

record() { # name wav
  local samples
  samples=$(samples_of "$2")
  entries+=("$1 $samples $rate $(( samples * 1000 / rate ))")
}

tone() { # output seconds frequency
  sox -n -r "$rate" -c 2 -b 16 "$1" synth "$2" sine "$3" gain -6
}

# CBR 128 kbps, with lame's Info frame in front of the audio.
tone "$work/cbr.wav" 6.123 440
lame "${lame_quiet[@]}" -b 128 --cbr "$work/cbr.wav" "$out/cbr.mp3"
record cbr.mp3 "$work/cbr.wav"

# VBR with a Xing header; a sweep makes the frame sizes vary.
sox -n -r "$rate" -c 2 -b 16 "$work/vbr.wav" synth 5.9 sine 200-4000 gain -6
lame "${lame_quiet[@]}" -V 4 "$work/vbr.wav" "$out/vbr.mp3"
record vbr.mp3 "$work/vbr.wav"

# An ID3v2.3 tag holding a ~300 KB APIC picture in front of a CBR stream. The picture's bytes are
# copies of an MP3 stream, so they are full of false frame syncs that a reader must skip by the tag size.
syncsafe() { # value -> four 7-bit bytes as printf escapes
  local v=$1
  printf '\\%03o\\%03o\\%03o\\%03o' $(( (v >> 21) & 127 )) $(( (v >> 14) & 127 )) $(( (v >> 7) & 127 )) $(( v & 127 ))
}
big_endian32() {
  local v=$1
  printf '\\%03o\\%03o\\%03o\\%03o' $(( (v >> 24) & 255 )) $(( (v >> 16) & 255 )) $(( (v >> 8) & 255 )) $(( v & 255 ))
}
picture_bytes=300000
for _ in $(seq 1 $(( picture_bytes / $(stat -c %s "$out/cbr.mp3") + 1 ))); do cat "$out/cbr.mp3"; done > "$work/copies"
head -c "$picture_bytes" "$work/copies" > "$work/picture"
apic_header_bytes=$(( 1 + 11 + 1 + 1 ))  # encoding, "image/jpeg\0", picture type, empty description
apic_bytes=$(( apic_header_bytes + picture_bytes ))
tag_body_bytes=$(( 10 + apic_bytes ))  # the APIC frame with its 10-byte header; the tag header is not counted
tone "$work/tagged.wav" 4 660
lame "${lame_quiet[@]}" -b 128 --cbr "$work/tagged.wav" "$work/tagged_audio.mp3"
{
  printf "ID3\\003\\000\\000$(syncsafe $tag_body_bytes)"
  printf "APIC$(big_endian32 $apic_bytes)\\000\\000"
  printf '\000image/jpeg\000\003\000'
  cat "$work/picture"
  cat "$work/tagged_audio.mp3"
} > "$out/tagged.mp3"
record tagged.mp3 "$work/tagged.wav"

# Not an MP3 at all, an empty file, and a CBR stream cut in the middle of a frame (a 128 kbps frame
# is 417 or 418 bytes; half the file plus 200 bytes ends inside one).
printf 'This is a plain text file, not an MP3.\n' > "$out/not_mp3.mp3"
: > "$out/empty.mp3"
head -c $(( $(stat -c %s "$out/cbr.mp3") / 2 + 200 )) "$out/cbr.mp3" > "$out/truncated.mp3"

# The time-coded staircase: one tone per step, far enough apart to tell by pitch.
step_seconds=2
frequencies=(300 450 600 750 900 1050 1200 1350 1500 1650 1800 1950 2100 2250 2400)
step_files=()
for i in "${!frequencies[@]}"; do
  tone "$work/step$i.wav" "$step_seconds" "${frequencies[$i]}"
  step_files+=("$work/step$i.wav")
done
sox "${step_files[@]}" "$work/staircase.wav"
lame "${lame_quiet[@]}" -b 128 --cbr "$work/staircase.wav" "$out/staircase.mp3"
record staircase.mp3 "$work/staircase.wav"

# A longer file of 205.5 s, whose whole seconds the ruler's seek strip divides into steps.
sox -n -r "$rate" -c 1 -b 16 "$work/long205.wav" synth 205.5 sine 500 gain -6
lame "${lame_quiet[@]}" -b 64 --cbr -m m --resample 44.1 "$work/long205.wav" "$out/long205.mp3"
record long205.mp3 "$work/long205.wav"

{
  printf '%s\n' "${entries[@]}"
  echo "staircase_step_ms $(( step_seconds * 1000 ))"
  echo "staircase_hz ${frequencies[*]}"
} > "$manifest.tmp"
mv "$manifest.tmp" "$manifest"
