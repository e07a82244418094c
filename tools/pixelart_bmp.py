#!/usr/bin/env python3
"""Turns a text picture into a 16-colour (4 bits per pixel) BMP file, or an icon file.

Each character of the picture is one pixel: a hex digit 0-F picks a colour of the standard 16-colour
palette, "." is lime (the colour that the module draws as transparent). Lines starting with "#" are
comments. --scale N repeats every pixel N x N times.

usage: pixelart_bmp.py [--scale N] PICTURE.txt OUT.bmp
       pixelart_bmp.py --icon PICTURE.txt OUT.ico    (32 x 32 and 16 x 16 images, lime transparent)
"""
import struct
import sys

PALETTE = [  # (red, green, blue)
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
LIME = 10


def read_picture(path):
    rows = []
    with open(path, encoding="ascii") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            rows.append([LIME if c == "." else int(c, 16) for c in line])
    if not rows or any(len(r) != len(rows[0]) for r in rows):
        sys.exit(f"{path}: every row of the picture must have the same width")
    return rows


def scaled(rows, n):
    return [[p for p in row for _ in range(n)] for row in rows for _ in range(n)]


def bmp_bytes(rows):
    width, height = len(rows[0]), len(rows)
    stride = ((width + 1) // 2 + 3) // 4 * 4
    pixels = bytearray()
    for row in reversed(rows):  # a BMP stores its bottom row first
        line = bytearray()
        for x in range(0, width, 2):
            high = row[x]
            low = row[x + 1] if x + 1 < width else 0
            line.append(high << 4 | low)
        pixels += line + bytes(stride - len(line))
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(pixels), 3780, 3780, 16, 16)
    return header + info + palette + bytes(pixels)


def icon_image(rows):
    """One image of an icon file: the BMP's header and pixels (height doubled), then the AND mask."""
    width, height = len(rows[0]), len(rows)
    bmp = bmp_bytes(rows)
    palette_and_pixels = bmp[14 + 40:]
    info = struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, 4, 0, 0, 0, 0, 16, 0)
    mask_stride = ((width + 7) // 8 + 3) // 4 * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, p in enumerate(row):
            if p == LIME:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return info + palette_and_pixels + bytes(mask)


def icon_bytes(rows16):
    images = [(32, icon_image(scaled(rows16, 2))), (16, icon_image(rows16))]
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, data = b"", b""
    for size, image in images:
        entries += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), offset + len(data))
        data += image
    return header + entries + data


def main(argv):
    if len(argv) == 4 and argv[1] == "--icon":
        with open(argv[3], "wb") as f:
            f.write(icon_bytes(read_picture(argv[2])))
        return
    scale = 1
    if len(argv) > 1 and argv[1] == "--scale":
        scale = int(argv[2])
        argv = argv[:1] + argv[3:]
    if len(argv) != 3:
        sys.exit(__doc__)
    rows = scaled(read_picture(argv[1]), scale)
    with open(argv[2], "wb") as f:
        f.write(bmp_bytes(rows))


if __name__ == "__main__":
    main(sys.argv)
