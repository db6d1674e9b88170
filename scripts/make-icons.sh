#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the program's icons from resources/icon/hamburger.svg: a 32 x 32 PNG and ICO
# in 256 colours (a palette of 255 opaque colours and one transparent entry).
# Needs rsvg-convert (librsvg2-bin), ImageMagick and python3.
set -euo pipefail
cd "$(dirname "$0")/../resources/icon"

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
echo "Made resources/icon/hamburger.png and resources/icon/hamburger.ico"
