#!/usr/bin/env bash
# Installs what Tarnel needs on Debian 12. Safe to run again.
#   scripts/install-deps.sh           what building, running and packaging the saver need
#   scripts/install-deps.sh --tests   that, and what the tests need (scripts/test.sh calls it)
set -euo pipefail
# Building the saver, its data and its Debian package, and running it (on a display or offscreen).
build_packages=(
  build-essential cmake ninja-build pkg-config file
  libsdl2-dev libsdl2-mixer-dev libgl-dev libglu1-mesa-dev libegl-dev libegl-mesa0 libgl1-mesa-dri
  libjpeg62-turbo-dev zlib1g-dev libpng-dev libinih-dev libgtk-3-dev fonts-dejavu-core libvorbis-dev
  libx11-dev libxrandr-dev
)
# The unit tests, benchmarks, sanitizer and fuzz builds, the end-to-end tests with the X servers,
# the screensaver hosts and the tools they drive, and the Windows build under Wine.
test_packages=(
  clang libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev valgrind gdb
  xvfb xfonts-base xdotool x11-utils x11-xserver-utils unar tk imagemagick libxml2-utils desktop-file-utils
  xscreensaver xscreensaver-gl-extra xsecurelock mate-screensaver dbus-daemon
  xserver-xorg-core xserver-xorg-video-dummy openbox
  lintian man-db groff-base
  g++-mingw-w64-x86-64 mingw-w64-tools libz-mingw-w64-dev libstb-dev wine wine64
)
packages=("${build_packages[@]}")
case "${1:-}" in
  --tests) packages+=("${test_packages[@]}") ;;
  "") ;;
  *) echo "usage: $0 [--tests]" >&2; exit 2 ;;
esac
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
