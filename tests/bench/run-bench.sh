#!/usr/bin/env bash
# Makes the benchmark photos once, then runs the benchmarks.
# Usage: run-bench.sh BIN_DIR [CASE...]   (PHOTOS=dir overrides the photo folder)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bin=$1; shift
photos=${PHOTOS:-${XDG_CACHE_HOME:-$HOME/.cache}/vistrano-bench/photos}
if [ ! -f "$photos/.complete" ]; then
    need=(libvips-tools libjpeg-turbo-progs lomiri-wallpapers-16.04 lomiri-wallpapers-20.04 plasma-workspace-wallpapers
          libheif-examples heif-thumbnailer webp)
    missing=()
    for p in "${need[@]}"; do dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p"); done
    if [ ${#missing[@]} -gt 0 ]; then
        sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
        $sudo apt-get install -y -q "${missing[@]}"
    fi
    "$here/make-photos.sh" "$photos"
    touch "$photos/.complete"
fi
exec "$bin/vistrano-bench" "$photos" "$bin" "$@"
