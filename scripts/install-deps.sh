#!/usr/bin/env bash
# Installs what Reelquill needs to build, run, test and benchmark on Debian 12.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config ccache
  qt6-base-dev libqt6opengl6-dev libqt6svg6 qt6-svg-dev qt6-image-formats-plugins
  libmpv-dev mpv ffmpeg libgif-dev librubberband-dev
  libavformat-dev libavcodec-dev libswresample-dev libavutil-dev libpulse-dev libx11-dev
  libgl-dev libgl1-mesa-dri
  xvfb xauth imagemagick fonts-dejavu-core
  desktop-file-utils shared-mime-info appstream man-db groff-base dbus dpkg-dev
  pulseaudio pulseaudio-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
