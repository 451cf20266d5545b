#!/usr/bin/env bash
# Renders the About picture from its drawing (AboutPicture.mvg) with ImageMagick:
#   AboutPicture.ppm  the drawing itself, lossless; the tests compare decoded pixels with it
#   AboutPicture.jpg  what the program shows: 32 x 32 baseline JFIF, YCbCr 4:2:0, quality 90
# Run it after changing the drawing and commit all three files.
set -euo pipefail
cd "$(dirname "$0")"
# ImageMagick's default policy refuses "@file" arguments, so the drawing is passed as text.
drawing=$(grep -v -e '^#' -e '^viewbox' AboutPicture.mvg)
convert -size 32x32 xc:white +antialias -draw "$drawing" -depth 8 -compress none AboutPicture.ppm
convert AboutPicture.ppm -strip -quality 90 -sampling-factor 2x2 -interlace none \
  -define jpeg:optimize-coding=true AboutPicture.jpg
