#!/usr/bin/env bash
# Renders the program icon's drawing (Swivex-icon.mvg) into Swivex.ico at 48, 32 and 16 pixels.
# Run it after changing the drawing and commit both files; the build only reads Swivex.ico.
set -euo pipefail
cd "$(dirname "$0")"
convert=/usr/bin/convert  # ImageMagick itself
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$convert" -background none -size 256x256 mvg:Swivex-icon.mvg "$work/drawing.png"
for size in 48 32 16; do
  "$convert" "$work/drawing.png" -resize "${size}x${size}" "$work/icon$size.png"
done
"$convert" "$work/icon48.png" "$work/icon32.png" "$work/icon16.png" Swivex.ico
