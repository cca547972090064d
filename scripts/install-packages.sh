#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need,
# but only those that are missing, so that a prepared machine starts at once.
# ffmpeg, libheif-examples, sox and imagemagick only make the page tool's test
# sources; the tool itself uses FFmpeg's and libheif's libraries.
set -euo pipefail
packages=(cmake g++ clang make pkg-config qt6-base-dev libsdl2-dev libjpeg-dev
  fonts-liberation fonts-noto-color-emoji espeak-ng sox xvfb xauth imagemagick
  libgtest-dev googletest libbenchmark-dev libclang-rt-14-dev dpkg-dev file
  # The page tool: FFmpeg, libheif and Qt's further image readers.
  libavformat-dev libavcodec-dev libswresample-dev libavutil-dev libheif-dev qt6-image-formats-plugins
  ffmpeg libheif-examples
  # The real-desktop suite: an X server with XTest, the session and
  # accessibility buses, and a sound server with its command-line clients.
  libx11-dev libxtst-dev x11-xserver-utils dbus dbus-x11 at-spi2-core
  pipewire wireplumber pipewire-pulse pulseaudio-utils gdb
  # A KOI8-R locale made on the spot for the folder-name cases.
  locales
  # The lint step, and the faster linker the test command uses.
  clang-format clang-tidy lld)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get -o DPkg::Lock::Timeout=900 update -qq
  apt-get -o DPkg::Lock::Timeout=900 install -y -qq --no-install-recommends "${missing[@]}"
fi
