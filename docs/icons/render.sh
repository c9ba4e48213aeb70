#!/bin/sh
# Renders the icon's PNG sizes for desktops and home screens, and packs some of them into the Windows .ico.
# Needs rsvg-convert (librsvg2-bin) and python3. The results are committed.
set -eu
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
    rsvg-convert -w $size -h $size dreisatz.svg -o dreisatz-$size.png
done
# The maskable icons of the browser page's manifest.
for size in 192 512; do
    rsvg-convert -w $size -h $size dreisatz-maskable.svg -o dreisatz-maskable-$size.png
done
# An .ico may hold PNG images as they are: a header, one entry per image, then the images.
python3 - <<'PY'
import struct
sizes = [16, 24, 32, 48, 64, 256]
images = [open(f"dreisatz-{s}.png", "rb").read() for s in sizes]
offset = 6 + 16 * len(images)
entries = b""
for size, image in zip(sizes, images):
    entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
    offset += len(image)
with open("dreisatz.ico", "wb") as ico:
    ico.write(struct.pack("<HHH", 0, 1, len(images)) + entries + b"".join(images))
PY
