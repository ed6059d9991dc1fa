#!/usr/bin/env bash
# Renders the program's icon at the sizes the desktop's icon theme takes.
# Run after changing vistrano.svg (needs rsvg-convert, Debian librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" vistrano.svg -o "vistrano-$size.png"
done
