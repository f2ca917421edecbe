#!/bin/sh
# Redraws every picture in assets/: builds the make_assets generator, runs
# it, and assembles About.gif from its frames with ImageMagick.
#
#   assets/make-assets.sh [build dir]     (default: build-assets)
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=${1:-"$root/build-assets"}
frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT

cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" --target make_assets -j2

QT_QPA_PLATFORM=offscreen "$build/assets/make_assets" "$here" "$frames"

# 12 frames, 1/8 s each, looping for ever; a shared palette keeps the
# frames from flickering.
convert -delay 12 -loop 0 "$frames"/frame-*.png \
        +dither -colors 128 -layers OptimizeTransparency "$here/About.gif"

identify "$here/bar.png" "$here/title.jpg" "$here/tickora.png" \
         "$here/tickora-256.png" "$here/hand.png" "$here/About.gif[0]"
