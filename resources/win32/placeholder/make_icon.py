#!/usr/bin/env python3
"""Writes quoddle.ico: a placeholder icon (a green disc with a white ring) at
16, 32 and 48 pixels, standing in until resources/quoddle.ico is drawn.
Run: python3 make_icon.py  (writes beside this script)."""

import math
import os
import struct


def image(size):
    """One 32-bit icon image: BITMAPINFOHEADER, BGRA rows bottom-up, AND mask."""
    centre = (size - 1) / 2
    outer, ring = size / 2 - 0.5, size * 0.28
    rows = []
    for y in range(size - 1, -1, -1):  # bottom-up
        row = bytearray()
        for x in range(size):
            d = math.hypot(x - centre, y - centre)
            alpha = max(0.0, min(1.0, outer - d + 0.5))
            if abs(d - ring) < size / 14:
                b, g, r = 255, 255, 255
            else:
                b, g, r = 0x3c, 0xa0, 0x2e
            row += bytes((b, g, r, int(alpha * 255)))
        rows.append(bytes(row))
    mask_row = ((size + 31) // 32) * 4
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    return header + b"".join(rows) + bytes(mask_row * size)


def main():
    sizes = (16, 32, 48)
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "quoddle.ico")
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
