#!/usr/bin/env python3
"""Draws the installer's splash picture, resources/splash.bmp (600 x 450).

The user picks a version by clicking one of two areas: the 4:3 screen at
(50, 200)-(250, 340) and the wide screen at (300, 200)-(550, 333). Each area
shows a monitor of that shape with its label. Standard library only; the
letters come from a small 5 x 7 pixel font drawn 3 pixels per dot.

Usage: scripts/make_splash.py [OUTPUT_FILE]   (default: resources/splash.bmp)
"""

import os
import struct
import sys

W, H = 600, 450

FONT = {
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "B": ["11110", "10001", "10001", "11110", "10001", "10001", "11110"],
    "C": ["01110", "10001", "10000", "10000", "10000", "10001", "01110"],
    "D": ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "H": ["10001", "10001", "10001", "11111", "10001", "10001", "10001"],
    "I": ["01110", "00100", "00100", "00100", "00100", "00100", "01110"],
    "K": ["10001", "10010", "10100", "11000", "10100", "10010", "10001"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "P": ["11110", "10001", "10001", "11110", "10000", "10000", "10000"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "U": ["10001", "10001", "10001", "10001", "10001", "10001", "01110"],
    "V": ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    "W": ["10001", "10001", "10001", "10101", "10101", "10101", "01010"],
    "3": ["11110", "00001", "00001", "01110", "00001", "00001", "11110"],
    "4": ["00010", "00110", "01010", "10010", "11111", "00010", "00010"],
    ":": ["00000", "00100", "00100", "00000", "00100", "00100", "00000"],
    " ": ["00000"] * 7,
}


class Picture:
    def __init__(self):
        self.px = [(255, 255, 255)] * (W * H)

    def rect(self, x0, y0, x1, y1, color):
        for y in range(max(0, y0), min(H, y1)):
            for x in range(max(0, x0), min(W, x1)):
                self.px[y * W + x] = color

    def text(self, s, cx, y, dot, color):
        width = len(s) * 6 * dot - dot
        x = cx - width // 2
        for ch in s:
            for row, bits in enumerate(FONT[ch]):
                for col, bit in enumerate(bits):
                    if bit == "1":
                        self.rect(x + col * dot, y + row * dot, x + (col + 1) * dot,
                                  y + (row + 1) * dot, color)
            x += 6 * dot

    def bmp(self):
        row_len = (W * 3 + 3) & ~3
        data = bytearray()
        for y in range(H - 1, -1, -1):
            row = bytearray()
            for x in range(W):
                r, g, b = self.px[y * W + x]
                row += bytes((b, g, r))
            data += row + b"\0" * (row_len - len(row))
        header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
        info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, len(data), 2835, 2835, 0, 0)
        return header + info + bytes(data)


def monitor(p, x0, y0, x1, y1):
    """A screen with its stand, filling the area's upper part."""
    p.rect(x0, y0, x1, y1, (40, 44, 52))
    p.rect(x0 + 6, y0 + 6, x1 - 6, y1 - 6, (120, 170, 220))
    cx = (x0 + x1) // 2
    p.rect(cx - 8, y1, cx + 8, y1 + 10, (40, 44, 52))
    p.rect(cx - 30, y1 + 10, cx + 30, y1 + 14, (40, 44, 52))


def splash():
    p = Picture()
    for y in range(H):
        t = y / (H - 1)
        shade = (int(232 - 30 * t), int(238 - 26 * t), int(246 - 16 * t))
        p.rect(0, y, W, y + 1, shade)
    p.rect(0, 0, W, 96, (0, 9, 167))
    p.text("BALANCER SETUP", W // 2, 22, 4, (255, 255, 255))
    p.text("CLICK A VERSION", W // 2, 130, 3, (0, 9, 167))
    p.text("THEN INSTALL", W // 2, 160, 3, (0, 9, 167))
    # Version 1: the 4:3 screen, (50, 200)-(250, 340).
    p.rect(50, 200, 250, 340, (250, 250, 252))
    monitor(p, 95, 210, 205, 292)
    p.text("4:3", 150, 314, 3, (0, 9, 167))
    # Version 2: the wide screen, (300, 200)-(550, 333).
    p.rect(300, 200, 550, 333, (250, 250, 252))
    monitor(p, 340, 214, 510, 290)
    p.text("WIDE", 425, 308, 3, (0, 9, 167))
    return p


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "resources", "splash.bmp")
    with open(out, "wb") as f:
        f.write(splash().bmp())


if __name__ == "__main__":
    main()
