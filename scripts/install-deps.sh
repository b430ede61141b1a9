#!/usr/bin/env bash
# Installs what Tarnel needs to build, run and test on Debian 12. Safe to run again.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  libsdl2-dev libsdl2-mixer-dev libgl-dev libglu1-mesa-dev libegl-dev libegl-mesa0 libgl1-mesa-dri
  libjpeg62-turbo-dev zlib1g-dev libpng-dev libinih-dev libgtk-3-dev fonts-dejavu-core libvorbis-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libx11-dev libxrandr-dev xvfb xfonts-base xdotool x11-utils x11-xserver-utils unar tk imagemagick libxml2-utils desktop-file-utils
  xscreensaver xscreensaver-gl-extra valgrind xserver-xorg-core xserver-xorg-video-dummy openbox
  g++-mingw-w64-x86-64 mingw-w64-tools libz-mingw-w64-dev libstb-dev wine wine64
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
