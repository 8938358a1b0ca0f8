#!/usr/bin/env bash
# Figures for saving a 30-second cut from a 60-minute 128 kbps MP3 (57 MB) and a 2-hour 320 kbps
# MP3 (288 MB), each against dd copying the same byte range.
# Usage: bench/cut_save.sh <build folder>   (the cut_save_bench target must be built)
set -euo pipefail

build=${1:?usage: cut_save.sh <build folder>}
cache="$build/bench/mp3"
mkdir -p "$cache"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A long CBR MP3 made of one encoded minute of a synthesised sweep, repeated. Without lame's Info
# frame (-t) the minutes join into one valid stream.
long_mp3() { # output minutes kbps
  local out=$1 minutes=$2 kbps=$3
  [[ -s "$out" ]] && return 0
  sox -n -r 44100 -c 2 -b 16 "$work/minute.wav" synth 60 sine 220-880 gain -6
  lame --quiet -t -b "$kbps" --cbr "$work/minute.wav" "$work/minute.mp3"
  for _ in $(seq "$minutes"); do cat "$work/minute.mp3"; done > "$out.tmp"
  mv "$out.tmp" "$out"
}

long_mp3 "$cache/long_60min_128k.mp3" 60 128
long_mp3 "$cache/long_120min_320k.mp3" 120 320

for source in "$cache/long_60min_128k.mp3" "$cache/long_120min_320k.mp3"; do
  QT_QPA_PLATFORM=offscreen "$build/bench/cut_save_bench" "$source" 30 "$work"
done
