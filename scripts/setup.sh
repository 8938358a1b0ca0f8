#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build, the program and its tests need and this
# machine lacks. Quick and silent when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config googletest libgtest-dev
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-qpa-plugins
  libqt6svg6
  libmpg123-dev mpg123 lame sox
  pulseaudio pulseaudio-utils
  xvfb xauth xdotool
  fonts-wqy-microhei
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
