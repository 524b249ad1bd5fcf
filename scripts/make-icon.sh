#!/usr/bin/env bash
# Draws the program icon (a film frame holding a small calculator face) at 32x32 and 16x16 and
# packs both into shell/vexo.ico. Run from anywhere; needs ImageMagick's /usr/bin/convert.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
convert=/usr/bin/convert

# 32x32: dark film strip with sprocket holes left and right, a white display line and a 3x3 grid
# of keys, the "=" key in amber.
"$convert" -size 32x32 xc:none \
  -fill '#202830' -draw 'roundrectangle 1,1 30,30 3,3' \
  -fill '#e8e8e8' \
  -draw 'rectangle 3,4 5,6' -draw 'rectangle 3,10 5,12' -draw 'rectangle 3,16 5,18' \
  -draw 'rectangle 3,22 5,24' \
  -draw 'rectangle 26,4 28,6' -draw 'rectangle 26,10 28,12' -draw 'rectangle 26,16 28,18' \
  -draw 'rectangle 26,22 28,24' \
  -fill '#c0c0c0' -draw 'rectangle 8,3 23,28' \
  -fill '#ffffff' -draw 'rectangle 9,4 22,9' \
  -fill '#103060' -draw 'rectangle 15,6 16,7' -draw 'rectangle 18,6 19,7' -draw 'rectangle 21,6 21,7' \
  -fill '#404850' \
  -draw 'rectangle 9,12 12,15' -draw 'rectangle 14,12 17,15' -draw 'rectangle 19,12 22,15' \
  -draw 'rectangle 9,17 12,20' -draw 'rectangle 14,17 17,20' -draw 'rectangle 19,17 22,20' \
  -draw 'rectangle 9,22 12,26' -draw 'rectangle 14,22 17,26' \
  -fill '#f0a020' -draw 'rectangle 19,22 22,26' \
  "$work/vexo-32.png"

# 16x16: the same design reduced by hand so the keys stay crisp.
"$convert" -size 16x16 xc:none \
  -fill '#202830' -draw 'rectangle 0,0 15,15' \
  -fill '#e8e8e8' -draw 'point 1,2' -draw 'point 1,6' -draw 'point 1,10' -draw 'point 1,13' \
  -draw 'point 14,2' -draw 'point 14,6' -draw 'point 14,10' -draw 'point 14,13' \
  -fill '#c0c0c0' -draw 'rectangle 3,1 12,14' \
  -fill '#ffffff' -draw 'rectangle 4,2 11,4' \
  -fill '#404850' \
  -draw 'rectangle 4,6 5,7' -draw 'rectangle 7,6 8,7' -draw 'rectangle 10,6 11,7' \
  -draw 'rectangle 4,9 5,10' -draw 'rectangle 7,9 8,10' -draw 'rectangle 10,9 11,10' \
  -draw 'rectangle 4,12 5,13' -draw 'rectangle 7,12 8,13' \
  -fill '#f0a020' -draw 'rectangle 10,12 11,13' \
  "$work/vexo-16.png"

"$convert" "$work/vexo-16.png" "$work/vexo-32.png" shell/vexo.ico
# ICON_PNG_DIR=folder keeps the two drawings for a look at them.
if [ -n "${ICON_PNG_DIR:-}" ]; then cp "$work/vexo-32.png" "$work/vexo-16.png" "$ICON_PNG_DIR/"; fi
echo "wrote shell/vexo.ico"
