#!/usr/bin/env python3
"""Draws the flag pictures of the shipped languages: Data/lng_<name>.bmp, 24 x 16 pixels,
24-bit BMP (no image library needed).
    scripts/make_flags.py [DATA_FOLDER]"""
import os
import struct
import sys

WIDTH, HEIGHT = 24, 16
WHITE, RED, BLUE = (255, 255, 255), (215, 20, 26), (17, 69, 126)
UK_BLUE, UK_RED = (1, 33, 105), (200, 16, 46)


def czech(x, y):
    # White over red, with a blue wedge from the hoist reaching half the width.
    cx, cy = x + 0.5, y + 0.5
    if cx <= (WIDTH / 2) * (1 - abs(cy - HEIGHT / 2) / (HEIGHT / 2)):
        return BLUE
    return WHITE if cy < HEIGHT / 2 else RED


def union(x, y):
    cx, cy = x + 0.5, y + 0.5
    mx, my = WIDTH / 2, HEIGHT / 2
    if abs(cx - mx) < 1.5 or abs(cy - my) < 1.5:
        return UK_RED
    if abs(cx - mx) < 3 or abs(cy - my) < 3:
        return WHITE
    # Distance from the two diagonals, measured across them.
    d1 = abs(cy * WIDTH - cx * HEIGHT) / (WIDTH**2 + HEIGHT**2) ** 0.5
    d2 = abs((HEIGHT - cy) * WIDTH - cx * HEIGHT) / (WIDTH**2 + HEIGHT**2) ** 0.5
    if min(d1, d2) < 0.7:
        return UK_RED
    if min(d1, d2) < 2.0:
        return WHITE
    return UK_BLUE


def bmp(pixel):
    row_size = (WIDTH * 3 + 3) // 4 * 4
    rows = b""
    for y in reversed(range(HEIGHT)):  # bottom row first
        row = b"".join(bytes(reversed(pixel(x, y))) for x in range(WIDTH))  # BGR
        rows += row + b"\0" * (row_size - len(row))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(rows), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    return header + info + rows


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "Data")
    for name, pixel in (("Český", czech), ("English", union)):
        with open(os.path.join(data, f"lng_{name}.bmp"), "wb") as out:
            out.write(bmp(pixel))


if __name__ == "__main__":
    main()
