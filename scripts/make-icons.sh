#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the program's icons from resources/icon/hamburger.svg: a 32 x 32 PNG and ICO
# in 256 colours (a palette of 255 opaque colours and one transparent entry), and the web
# site's app icons (8-bit palette PNGs with transparency): 192 and 512 pixels, and a
# maskable one of 512, the hamburger inside the central 80% circle on the window's colour.
# Installs what it needs (rsvg-convert, ImageMagick, pngquant, g++, python3; Debian 12).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh icons
root=$PWD
cd resources/icon

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

rsvg-convert -w 32 -h 32 hamburger.svg -o "$work/full.png"
# Half-transparent edge pixels become opaque or transparent; the opaque ones share a
# palette of at most 255 colours.
convert "$work/full.png" -channel A -threshold 50% +channel -dither None -colors 255 \
  -define png:exclude-chunks=date,time -strip PNG8:hamburger.png
convert hamburger.png -depth 8 rgba:"$work/pixels.rgba"

python3 - "$work/pixels.rgba" hamburger.ico <<'PY'
# Writes a one-image ICO: 32 x 32, 8 bits a pixel with a 256-entry palette, and the
# AND mask that makes the background transparent.
import struct
import sys

size = 32
data = open(sys.argv[1], "rb").read()
assert len(data) == size * size * 4, "expected 32 x 32 RGBA pixels"
pixels = [tuple(data[i:i + 4]) for i in range(0, len(data), 4)]

palette = [(0, 0, 0)]  # entry 0: under transparent pixels
for r, g, b, a in pixels:
    if a and (r, g, b) not in palette[1:]:
        palette.append((r, g, b))
assert len(palette) <= 256, "too many colours"
palette += [(0, 0, 0)] * (256 - len(palette))
index = {colour: i for i, colour in enumerate(palette) if i > 0}

xor_rows, and_rows = [], []
for y in reversed(range(size)):  # bottom-up, as in a BMP
    row = pixels[y * size:(y + 1) * size]
    xor_rows.append(bytes(index[(r, g, b)] if a else 0 for r, g, b, a in row))
    bits = 0
    for r, g, b, a in row:
        bits = (bits << 1) | (0 if a else 1)
    and_rows.append(bits.to_bytes(4, "big"))  # 32 bits: already a multiple of 4 bytes

header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 8, 0, 0, 0, 0, 256, 0)
colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
image = header + colours + b"".join(xor_rows) + b"".join(and_rows)
directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", size, size, 0, 0, 1, 8, len(image), 6 + 16)
with open(sys.argv[2], "wb") as out:
    out.write(directory + image)
PY

# The web site's icons. pngquant turns rsvg-convert's 32-bit pixels into a palette of at
# most 256 colours with their transparency: a quarter of the size, the same to the eye.
palette() { pngquant --speed 1 --strip --force --output "$2" -- "$1"; }
for size in 192 512; do
  rsvg-convert -w $size -h $size hamburger.svg -o "$work/any.png"
  palette "$work/any.png" hamburger-$size.png
done

# The maskable icon: launchers cut it to a circle, a rounded square or another shape, and
# keep at least the central circle of 80% of its width. The hamburger (its drawn part,
# measured) is made as large as that circle holds, on the window's colour from the window
# description.
g++ -std=c++20 -I"$root" "$root/backends/web/window_colour.cpp" "$root/ui/layout.cpp" -o "$work/window_colour"
colour=$("$work/window_colour")
size=512
probe=1024
rsvg-convert -w $probe -h $probe hamburger.svg -o "$work/probe.png"
read -r drawn_w drawn_h < <(convert "$work/probe.png" -trim -format '%w %h\n' info:)
# The drawing at an even size whose drawn part's half diagonal is 40% of the icon.
drawing=$(python3 -c "import math; print(int($size * 0.4 * 2 * $probe / math.hypot($drawn_w, $drawn_h)) // 2 * 2)")
rsvg-convert -w "$drawing" -h "$drawing" hamburger.svg -o "$work/drawing.png"
convert -size ${size}x$size "xc:$colour" \( "$work/drawing.png" -trim +repage \) -gravity center -composite \
  -define png:exclude-chunks=date,time -strip PNG32:"$work/maskable.png"
palette "$work/maskable.png" hamburger-maskable-$size.png
echo "Made resources/icon/hamburger.png, hamburger.ico, hamburger-192.png, hamburger-512.png and" \
  "hamburger-maskable-512.png (on $colour)"
