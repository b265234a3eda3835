#!/bin/sh
# Installs the Debian packages Zenbox builds and runs with, if any are missing.
set -e
PKGS="build-essential cmake pkg-config clang libclang-rt-14-dev \
libsdl2-dev libx11-dev libsdl2-ttf-dev libsdl2-image-dev libsdl2-mixer-dev \
libjpeg62-turbo-dev libfontconfig-dev fontconfig fonts-liberation \
timgm6mb-soundfont libgtest-dev libgmock-dev libbenchmark-dev \
desktop-file-utils appstream gettext xvfb openbox xdotool x11-utils imagemagick"
missing=""
for p in $PKGS; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq $missing
