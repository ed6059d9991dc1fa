#!/usr/bin/env bash
# Installs the Debian 12 packages that are missing for building (and, with
# --test, for testing: the test-only reference tools and the fuzzing compiler).
set -euo pipefail

# fonts-liberation: the printed slide sheet is laid out for Arial's metrics,
# which Liberation Sans matches; without it the text blocks wrap differently.
# FFmpeg's libraries make the video export (Debian's libavcodec brings libx264).
# chromium (test only) plays the exported web show headless.
build=(build-essential cmake ninja-build pkg-config
       qt6-base-dev qt6-multimedia-dev libqt6multimedia6 gstreamer1.0-plugins-base gstreamer1.0-plugins-good
       libjpeg62-turbo-dev zlib1g-dev libheif-dev libwebp-dev libgl-dev libgtest-dev fonts-liberation
       libavformat-dev libavcodec-dev libavutil-dev libswscale-dev libswresample-dev)
test=(clang libclang-rt-14-dev
      libjpeg-turbo-progs imagemagick netpbm libtiff-tools libtiff-dev giflib-tools python3 python3-pil
      libpng-dev libgif-dev poppler-utils xauth xvfb locales-all
      libheif-examples heif-thumbnailer webp ffmpeg libglib2.0-bin chromium)

want=("${build[@]}")
if [ "${1:-}" = "--test" ]; then
    want+=("${test[@]}")
fi

missing=()
for package in "${want[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
# Through env, since sudo leaves out the caller's environment. A new machine may
# still be running its first automatic upgrade: wait for the package lock
# instead of failing, and retry downloads that break off.
apt=(env DEBIAN_FRONTEND=noninteractive apt-get -q -o DPkg::Lock::Timeout=600 -o Acquire::Retries=3)
$sudo "${apt[@]}" update
$sudo "${apt[@]}" install -y --no-install-recommends "${missing[@]}"
