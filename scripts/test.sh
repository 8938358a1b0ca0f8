#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest, headless: the tests get an
# X server (Xvfb) and a PulseAudio daemon with a null sink of their own, stopped by process id at
# the end whatever happens.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/build.sh"
build=${QUENVOX_BUILD_DIR:-$top/build}

scratch=$(mktemp -d /tmp/quenvox-test.XXXXXX)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$scratch"
}
trap cleanup EXIT

# A display number nobody uses.
display=99
while [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1920x1080x24 -nolisten tcp -dpi 96 >"$scratch/xvfb.log" 2>&1 &
pids+=($!)

mkdir -p "$scratch/home" "$scratch/run"
chmod 700 "$scratch/run"
HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/run" pulseaudio -n --daemonize=no --exit-idle-time=-1 \
  --disallow-exit --use-pid-file=no --enable-memfd=no \
  -L "module-native-protocol-unix auth-anonymous=1 socket=$scratch/native" \
  -L "module-null-sink sink_name=test_null rate=44100 channels=2" \
  >"$scratch/pulseaudio.log" 2>&1 &
pids+=($!)

export DISPLAY=":$display"
export PULSE_SERVER="unix:$scratch/native"
export PULSE_COOKIE="$scratch/cookie"
export HOME="$scratch/home"
export XDG_RUNTIME_DIR="$scratch/run"
unset XDG_CURRENT_DESKTOP QT_QPA_PLATFORMTHEME WAYLAND_DISPLAY

for _ in $(seq 100); do
  [[ -S "$scratch/native" && -e /tmp/.X11-unix/X$display ]] && break
  sleep 0.1
done
[[ -S "$scratch/native" ]] || { echo "PulseAudio did not start:"; cat "$scratch/pulseaudio.log"; exit 1; }
[[ -e /tmp/.X11-unix/X$display ]] || { echo "Xvfb did not start:"; cat "$scratch/xvfb.log"; exit 1; }

cd "$build"
ctest --output-on-failure -j2 "$@"
