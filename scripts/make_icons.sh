#!/usr/bin/env bash
# Draws the program's icon from packaging/icons/quillmark.svg in every size the desktop and
# the file-type registration use. The results are committed, so a build needs no converter;
# run this again after changing the drawing.
#   needs: librsvg2-bin (rsvg-convert), imagemagick (convert, for the .ico)
set -euo pipefail
cd "$(dirname "$0")/.."
svg=packaging/icons/quillmark.svg
sizes=(16 32 48 64 128 256)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

for size in "${sizes[@]}"; do
  mkdir -p "packaging/icons/${size}x${size}"
  rsvg-convert -w "$size" -h "$size" "$svg" -o "packaging/icons/${size}x${size}/quillmark.png"
done
cp packaging/icons/256x256/quillmark.png Data/quillmark.png
# The Windows-style icon of the registered file type holds the sizes a shell shows.
convert packaging/icons/{16x16,32x32,48x48,256x256}/quillmark.png -define png:exclude-chunks=date,time \
  Data/Icon.ico
echo "Icons written: packaging/icons/<size>/quillmark.png, Data/quillmark.png, Data/Icon.ico"
