#!/usr/bin/env bash
# Builds the benchmarks (Release) and prints their figures, one section per benchmark.
# Usage: bench/run.sh [build folder]   (default: build-bench next to the sources)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build-bench}
data="$build/bench-data"
mkdir -p "$data"

cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j2 --target playback_bench cut_save_bench >/dev/null

# A 60-minute 128 kbps MP3 (57 MB) of synthesised tones, made once.
long_mp3="$data/sixty_minutes.mp3"
if [[ ! -s "$long_mp3" ]]; then
  echo "Making $long_mp3 (once; about a minute)..."
  sox -n -r 44100 -c 2 -b 16 -t wav - synth 3600 sine 220-1760 sine 330-2640 gain -9 2>/dev/null \
    | lame --quiet -b 128 --cbr - "$long_mp3.tmp"
  mv "$long_mp3.tmp" "$long_mp3"
fi

# The player needs a sound server for the playing figures; start a private one with a null sink
# unless one is given.
pulse_pid=
cleanup() { [[ -n "$pulse_pid" ]] && kill "$pulse_pid" 2>/dev/null || true; rm -rf "${pulse_dir:-}"; }
trap cleanup EXIT
if [[ -z "${PULSE_SERVER:-}" ]] && command -v pulseaudio >/dev/null; then
  pulse_dir=$(mktemp -d /tmp/quenvox-bench.XXXXXX)
  mkdir -p "$pulse_dir/home" "$pulse_dir/run"
  chmod 700 "$pulse_dir/run"
  HOME="$pulse_dir/home" XDG_RUNTIME_DIR="$pulse_dir/run" pulseaudio -n --daemonize=no --exit-idle-time=-1 \
    --disallow-exit --use-pid-file=no --enable-memfd=no \
    -L "module-native-protocol-unix auth-anonymous=1 socket=$pulse_dir/native" \
    -L "module-null-sink sink_name=bench_null rate=44100 channels=2" >"$pulse_dir/log" 2>&1 &
  pulse_pid=$!
  for _ in $(seq 50); do [[ -S "$pulse_dir/native" ]] && break; sleep 0.1; done
  export PULSE_SERVER="unix:$pulse_dir/native" PULSE_COOKIE="$pulse_dir/cookie"
fi

section() { echo; echo "== $1"; }

section "Playback: load, decode CPU, event-loop gaps ($(du -h "$long_mp3" | cut -f1) file)"
"$build/bench/playback_bench" "$long_mp3" "${BENCH_RUNS:-7}"

section "Cutting: a 30-second cut saved against dd copying the same range"
"$top/bench/cut_save.sh" "$build"
