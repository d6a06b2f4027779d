#!/usr/bin/env python3
"""Draws the program's bitmaps and icons into resources/.

Only the standard library: every picture is built from a few filled shapes
rendered 4x4 supersampled (so edges are smooth) and written as a 24-bit BMP,
or as a 32-bit icon for the window class icons. Button faces carry a symbol in
their upper part only; the program draws the label across the lower part at
start-up, so nothing here may reach into that band.

Sizes are pixels at a screen scale of 1.0. Faces marked "(-4)" in the layout
are loaded 4 pixels smaller than their button, so they are drawn that size.

Usage: scripts/make_artwork.py [OUTPUT_DIR]   (default: resources/)
"""

import math
import os
import struct
import sys

SS = 4  # supersampling per axis

LABEL = (0, 9, 167)  # button label colour, also the symbols' main colour
MAIN_BG = (224, 224, 224)  # main window background (blitted pictures)
SETUP_BG = (216, 220, 228)  # setup windows' background
ACCENT = (0, 120, 200)
RED = (210, 30, 30)


class Canvas:
    def __init__(self, w, h, bg=None):
        self.w, self.h = w, h
        n = w * SS * h * SS
        if bg is None:
            self.r = [0.0] * n
            self.g = [0.0] * n
            self.b = [0.0] * n
            self.a = [0.0] * n
        else:
            self.r = [float(bg[0])] * n
            self.g = [float(bg[1])] * n
            self.b = [float(bg[2])] * n
            self.a = [1.0] * n

    def fill(self, inside, color, bbox=None, alpha=1.0):
        """Paints every subpixel whose centre (in pixel units) is inside.
        color is an (r, g, b) tuple or a function of (x, y) giving one."""
        if bbox is None:
            bbox = (0, 0, self.w, self.h)
        x0 = max(0, int(math.floor(bbox[0] * SS)))
        y0 = max(0, int(math.floor(bbox[1] * SS)))
        x1 = min(self.w * SS, int(math.ceil(bbox[2] * SS)) + 1)
        y1 = min(self.h * SS, int(math.ceil(bbox[3] * SS)) + 1)
        sw = self.w * SS
        const = not callable(color)
        for sy in range(y0, y1):
            y = (sy + 0.5) / SS
            row = sy * sw
            for sx in range(x0, x1):
                x = (sx + 0.5) / SS
                if not inside(x, y):
                    continue
                c = color if const else color(x, y)
                i = row + sx
                ia = 1.0 - alpha
                self.r[i] = self.r[i] * ia + c[0] * alpha
                self.g[i] = self.g[i] * ia + c[1] * alpha
                self.b[i] = self.b[i] * ia + c[2] * alpha
                self.a[i] = self.a[i] * ia + alpha

    def pixels(self):
        """Box-filtered pixels, top row first: list of (r, g, b, a) with a in 0..255."""
        out = []
        sw = self.w * SS
        n = SS * SS
        for py in range(self.h):
            for px in range(self.w):
                r = g = b = a = 0.0
                for dy in range(SS):
                    row = (py * SS + dy) * sw + px * SS
                    for dx in range(SS):
                        i = row + dx
                        w = self.a[i]
                        r += self.r[i] * w
                        g += self.g[i] * w
                        b += self.b[i] * w
                        a += w
                if a > 0:
                    r, g, b = r / a, g / a, b / a
                out.append((clamp(r), clamp(g), clamp(b), clamp(a / n * 255)))
        return out


def clamp(v):
    return max(0, min(255, int(round(v))))


# Shapes: each returns (inside, bbox).


def rect(x0, y0, x1, y1):
    return (lambda x, y: x0 <= x < x1 and y0 <= y < y1), (x0, y0, x1, y1)


def rounded(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r

    return inside, (x0, y0, x1, y1)


def ellipse(cx, cy, rx, ry=None):
    ry = rx if ry is None else ry
    return (lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0), (
        cx - rx, cy - ry, cx + rx, cy + ry)


def ring(cx, cy, r_out, r_in, start=None, end=None):
    """Annulus; with start/end (degrees, counter-clockwise from 3 o'clock,
    y up) only that arc of it."""

    def inside(x, y):
        d2 = (x - cx) ** 2 + (y - cy) ** 2
        if not (r_in * r_in <= d2 <= r_out * r_out):
            return False
        if start is None:
            return True
        a = math.degrees(math.atan2(cy - y, x - cx)) % 360
        s, e = start % 360, end % 360
        return s <= a <= e if s <= e else (a >= s or a <= e)

    return inside, (cx - r_out, cy - r_out, cx + r_out, cy + r_out)


def polygon(points):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]

    def inside(x, y):
        c = False
        j = len(points) - 1
        for i in range(len(points)):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                c = not c
            j = i
        return c

    return inside, (min(xs), min(ys), max(xs), max(ys))


def line(x0, y0, x1, y1, width):
    h = width / 2.0
    dx, dy = x1 - x0, y1 - y0
    ll = dx * dx + dy * dy

    def inside(x, y):
        t = 0.0 if ll == 0 else max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / ll))
        px, py = x0 + t * dx, y0 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= h * h

    return inside, (min(x0, x1) - h, min(y0, y1) - h, max(x0, x1) + h, max(y0, y1) + h)


def minus(a, b):
    return (lambda x, y: a[0](x, y) and not b[0](x, y)), a[1]


def paint(c, shape, color, alpha=1.0):
    c.fill(shape[0], color, shape[1], alpha)


def vgrad(y0, y1, top, bottom):
    def color(x, y):
        t = 0.0 if y1 == y0 else max(0.0, min(1.0, (y - y0) / (y1 - y0)))
        return tuple(top[i] + (bottom[i] - top[i]) * t for i in range(3))

    return color


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


# Faces.


def face(w, h, tint=(214, 230, 245)):
    """A light raised button face: white at the top to a pale tint at the
    bottom, a thin highlight and a soft dark edge."""
    c = Canvas(w, h, (255, 255, 255))
    paint(c, rect(0, 0, w, h), vgrad(0, h, (252, 253, 255), tint))
    edge = (150, 158, 176)
    paint(c, rect(0, 0, w, 1), (255, 255, 255))
    paint(c, rect(0, 0, 1, h), (255, 255, 255))
    paint(c, rect(0, h - 1, w, h), edge)
    paint(c, rect(w - 1, 0, w, h), edge)
    paint(c, rect(1, h - 2, w - 1, h - 1), mix(edge, tint, 0.5))
    paint(c, rect(w - 2, 1, w - 1, h - 1), mix(edge, tint, 0.5))
    return c


def arrow_head(cx, cy, angle_deg, size):
    """Triangle with its tip at (cx, cy) pointing along angle (screen y down)."""
    a = math.radians(angle_deg)
    ux, uy = math.cos(a), math.sin(a)
    bx, by = cx - ux * size, cy - uy * size
    px, py = -uy * size * 0.6, ux * size * 0.6
    return polygon([(cx, cy), (bx + px, by + py), (bx - px, by - py)])


def symbol_spin(c, cx, cy, r):
    # A shaft end seen along its axis with a turning arrow round it.
    paint(c, ellipse(cx, cy, r * 0.42), ACCENT)
    paint(c, ellipse(cx, cy, r * 0.16), (255, 255, 255))
    paint(c, ring(cx, cy, r, r - 4.5, 120, 390), LABEL)
    # Arrow at the open end, pointing clockwise into the gap.
    a = math.radians(120)
    ex = cx + math.cos(a) * (r - 2.25)
    ey = cy - math.sin(a) * (r - 2.25)
    tx, ty = math.sin(a), math.cos(a)  # clockwise tangent, screen y down
    paint(c, arrow_head(ex + tx * 7, ey + ty * 7, math.degrees(math.atan2(ty, tx)), 10), LABEL)


def symbol_zero(c, cx, cy, r):
    # A dial with its index at top dead centre.
    paint(c, ellipse(cx, cy, r), (255, 255, 255))
    paint(c, ring(cx, cy, r, r - 3), LABEL)
    for k in range(12):
        a = math.radians(k * 30)
        ri = r - (8 if k % 3 == 0 else 6)
        paint(c, line(cx + math.cos(a) * ri, cy + math.sin(a) * ri,
                      cx + math.cos(a) * (r - 3), cy + math.sin(a) * (r - 3), 1.4), LABEL)
    paint(c, line(cx, cy, cx, cy - r + 6, 3), RED)
    paint(c, ellipse(cx, cy, 3), RED)
    paint(c, polygon([(cx - 5, cy - r - 6), (cx + 5, cy - r - 6), (cx, cy - r + 1)]), RED)


def symbol_bob(c, cx, cy, r):
    # A weight block on its hook.
    paint(c, ring(cx, cy - r * 0.55, r * 0.36, r * 0.36 - 3), LABEL)
    body = polygon([(cx - r * 0.55, cy - r * 0.3), (cx + r * 0.55, cy - r * 0.3),
                    (cx + r * 0.85, cy + r * 0.8), (cx - r * 0.85, cy + r * 0.8)])
    paint(c, body, vgrad(cy - r * 0.3, cy + r * 0.8, (70, 90, 190), LABEL))
    paint(c, rect(cx - r * 0.35, cy + r * 0.05, cx + r * 0.35, cy + r * 0.2), (255, 255, 255),
          0.8)


def symbol_job(c, cx, cy, r):
    # A clipboard with a list of dimensions.
    w, h = r * 1.3, r * 1.9
    x0, y0 = cx - w / 2, cy - h / 2
    paint(c, rounded(x0, y0, x0 + w, y0 + h, 3), LABEL)
    paint(c, rect(x0 + 3, y0 + 5, x0 + w - 3, y0 + h - 3), (255, 255, 255))
    paint(c, rounded(cx - 6, y0 - 3, cx + 6, y0 + 5, 2), (120, 130, 150))
    for k in range(4):
        yy = y0 + 11 + k * 5.5
        paint(c, ellipse(x0 + 7, yy, 1.4), ACCENT)
        paint(c, line(x0 + 11, yy, x0 + w - 7, yy, 1.6), LABEL)


def gear(c, cx, cy, r, teeth, color, hole_color):
    body = ellipse(cx, cy, r * 0.74)
    paint(c, body, color)
    for k in range(teeth):
        a = 2 * math.pi * k / teeth
        ux, uy = math.cos(a), math.sin(a)
        px, py = -uy, ux
        tw = r * 0.2
        pts = [(cx + ux * r * 0.6 + px * tw, cy + uy * r * 0.6 + py * tw),
               (cx + ux * r + px * tw * 0.7, cy + uy * r + py * tw * 0.7),
               (cx + ux * r - px * tw * 0.7, cy + uy * r - py * tw * 0.7),
               (cx + ux * r * 0.6 - px * tw, cy + uy * r * 0.6 - py * tw)]
        paint(c, polygon(pts), color)
    paint(c, ellipse(cx, cy, r * 0.3), hole_color)


def symbol_set(c, cx, cy, r):
    gear(c, cx, cy, r, 8, LABEL, (255, 255, 255))


def symbol_help(c, cx, cy, r):
    paint(c, ellipse(cx, cy, r), ACCENT)
    # Question mark: a hook, a stem and a dot.
    paint(c, ring(cx, cy - r * 0.28, r * 0.42, r * 0.42 - 3.6, -60, 180), (255, 255, 255))
    a = math.radians(-60)
    hx = cx + math.cos(a) * (r * 0.42 - 1.8)
    hy = cy - r * 0.28 - math.sin(a) * (r * 0.42 - 1.8)
    paint(c, line(hx, hy, cx, cy + r * 0.18, 3.6), (255, 255, 255))
    paint(c, ellipse(cx, cy + r * 0.55, 2.4), (255, 255, 255))


def symbol_exit(c, cx, cy, r):
    # The usual power symbol.
    paint(c, ring(cx, cy, r, r - 4, 120, 420), RED)
    paint(c, line(cx, cy - r - 1, cx, cy - 2, 4), RED)


def symbol_hint(c, cx, cy, r):
    # A lamp: bulb, glow and base.
    paint(c, ellipse(cx, cy - r * 0.2, r * 0.9), (255, 236, 120), 0.5)
    paint(c, ellipse(cx, cy - r * 0.2, r * 0.6), (255, 210, 40))
    paint(c, rect(cx - r * 0.3, cy + r * 0.3, cx + r * 0.3, cy + r * 0.75), (120, 130, 150))
    paint(c, line(cx - r * 0.3, cy + r * 0.45, cx + r * 0.3, cy + r * 0.45, 1.2), (230, 230, 235))
    paint(c, line(cx - r * 0.3, cy + r * 0.6, cx + r * 0.3, cy + r * 0.6, 1.2), (230, 230, 235))


def big_face(symbol, tint=(214, 230, 245)):
    # 130 x 82 button, face 126 x 78; the label takes the lower 30 pixels.
    c = face(126, 78, tint)
    symbol(c, 63, 25, 17)
    return c


def stop_face():
    # 136 x 64 button, face 132 x 60, red with a white octagon rim; the
    # program writes "STOP" across the middle.
    w, h = 132, 60
    c = Canvas(w, h, (255, 255, 255))
    paint(c, rect(0, 0, w, h), vgrad(0, h, (240, 70, 60), (180, 20, 20)))
    cx, cy, r = w / 2, h / 2, 27
    pts = [(cx + r * 1.9 * math.cos(math.radians(22.5 + 45 * k)) * 0.95,
            cy + r * math.sin(math.radians(22.5 + 45 * k))) for k in range(8)]
    oct_out = polygon(pts)
    pts_in = [(cx + (r - 3) * 1.9 * math.cos(math.radians(22.5 + 45 * k)) * 0.95,
               cy + (r - 3) * math.sin(math.radians(22.5 + 45 * k))) for k in range(8)]
    paint(c, minus(oct_out, polygon(pts_in)), (255, 255, 255))
    paint(c, rect(0, h - 1, w, h), (110, 10, 10))
    paint(c, rect(w - 1, 0, w, h), (110, 10, 10))
    paint(c, rect(0, 0, w, 1), (255, 150, 140))
    paint(c, rect(0, 0, 1, h), (255, 150, 140))
    return c


def small_face(w, h, symbol=None):
    c = face(w, h)
    if symbol:
        symbol(c, w, h)
    return c


def add_symbol(c, w, h):
    # The Add toggle's face has no label: a plus sign says what it does.
    cx, cy = w / 2, h / 2
    paint(c, line(cx - 9, cy, cx + 9, cy, 4.5), LABEL)
    paint(c, line(cx, cy - 9, cx, cy + 9, 4.5), LABEL)


def heavy_face():
    # 136 x 64, face 132 x 60: "Heavy Metal" / "Setup" fills the width, so
    # the face stays plain.
    return face(132, 60)


def drill_face():
    # 84 x 64, face 80 x 60: plain, the two label lines fill it.
    return face(80, 60)


def lamp(on):
    c = Canvas(25, 25, MAIN_BG)
    cx = cy = 12.5
    paint(c, ellipse(cx, cy, 11.5), vgrad(1, 24, (150, 150, 150), (250, 250, 250)))
    paint(c, ellipse(cx, cy, 9.5), (90, 90, 90))
    if on:
        paint(c, ellipse(cx, cy, 8.5), vgrad(4, 21, (120, 255, 140), (0, 170, 60)))
        paint(c, ellipse(cx - 2.5, cy - 3, 3.2, 2.2), (235, 255, 235), 0.8)
    else:
        paint(c, ellipse(cx, cy, 8.5), vgrad(4, 21, (120, 130, 120), (50, 60, 55)))
        paint(c, ellipse(cx - 2.5, cy - 3, 3.2, 2.2), (200, 205, 200), 0.35)
    return c


def logo(size, bg):
    """A blue disc with a balanced shaft: two equal weights on an axle."""
    c = Canvas(size, size, bg)
    s = size / 42.0
    cx = cy = size / 2.0
    paint(c, ellipse(cx, cy, 20.5 * s), vgrad(0, size, (40, 90, 220), LABEL))
    paint(c, ring(cx, cy, 18 * s, 16.6 * s), (255, 255, 255), 0.7)
    paint(c, line(cx - 13 * s, cy, cx + 13 * s, cy, 3 * s), (255, 255, 255))
    paint(c, ellipse(cx - 8 * s, cy - 6 * s, 4 * s), (255, 255, 255))
    paint(c, ellipse(cx + 8 * s, cy + 6 * s, 4 * s), (255, 255, 255))
    paint(c, line(cx - 8 * s, cy - 6 * s, cx - 8 * s, cy, 2.2 * s), (255, 255, 255))
    paint(c, line(cx + 8 * s, cy + 6 * s, cx + 8 * s, cy, 2.2 * s), (255, 255, 255))
    paint(c, polygon([(cx - 4 * s, cy + 14 * s), (cx + 4 * s, cy + 14 * s), (cx, cy + 8 * s)]),
          (255, 210, 40))
    return c


def steel(y0, y1, base=(170, 176, 186)):
    # Cylinder shading: a highlight a third of the way down.
    def color(x, y):
        t = (y - y0) / max(1e-6, (y1 - y0))
        k = 1.0 - abs(t - 0.3) * 1.5
        k = max(0.25, min(1.0, k))
        return tuple(min(255, base[i] * (0.55 + 0.6 * k)) for i in range(3))

    return color


def shaft():
    """Side view of a four-throw crankshaft: nose, main journals, webs with
    counterweights, rod pins and the flange."""
    w, h = 328, 76
    c = Canvas(w, h, MAIN_BG)
    cy = h / 2
    dark = (95, 100, 112)
    # Nose and flange.
    paint(c, rect(6, cy - 5, 26, cy + 5), steel(cy - 5, cy + 5))
    paint(c, rect(2, cy - 3.5, 8, cy + 3.5), steel(cy - 3.5, cy + 3.5))
    paint(c, rounded(300, cy - 22, 318, cy + 22, 3), steel(cy - 22, cy + 22, (150, 156, 168)))
    paint(c, rect(318, cy - 12, 324, cy + 12), steel(cy - 12, cy + 12))
    for yy in (cy - 15, cy + 15):
        paint(c, ellipse(309, yy, 1.8), dark)
    # Journals (main bearings) and throws between them.
    mains = [26, 92, 160, 228, 296]
    for x in mains:
        paint(c, rect(x - 1, cy - 8, x + 9, cy + 8), steel(cy - 8, cy + 8, (200, 204, 212)))
    pins_up = [True, False, False, True]
    for k in range(4):
        x0 = mains[k] + 9
        x1 = mains[k + 1] - 1
        up = pins_up[k]
        pin_y = cy - 14 if up else cy + 14
        cw_y = cy + 18 if up else cy - 18
        for wx in (x0, x1 - 11):
            # Web from journal to pin, counterweight opposite.
            top = min(pin_y, cw_y) - 10
            bot = max(pin_y, cw_y) + 10
            web = rounded(wx, top, wx + 11, bot, 4)
            paint(c, web, steel(top, bot, (140, 146, 158)))
            cw = ellipse(wx + 5.5, cw_y, 8, 10)
            paint(c, cw, steel(cw_y - 10, cw_y + 10, (120, 126, 140)))
            paint(c, line(wx, top + 2, wx, bot - 2, 1), dark)
        paint(c, rect(x0 + 11, pin_y - 7, x1 - 11, pin_y + 7),
              steel(pin_y - 7, pin_y + 7, (205, 200, 185)))
        # Oil hole on the pin.
        paint(c, ellipse((x0 + x1) / 2, pin_y - 1, 1.6), dark)
    # Centre line.
    for x in range(2, 324, 14):
        paint(c, line(x, cy, x + 7, cy, 0.8), (60, 60, 160), 0.45)
    return c


def settings_icon():
    c = Canvas(34, 34, SETUP_BG)
    gear(c, 17, 17, 15, 8, LABEL, SETUP_BG)
    paint(c, ellipse(17, 17, 2.5), ACCENT)
    return c


def icon_image(size):
    return logo(size, None)


# Writers.


def bmp_bytes(c):
    px = c.pixels()
    row_len = (c.w * 3 + 3) & ~3
    data = bytearray()
    for y in range(c.h - 1, -1, -1):
        row = bytearray()
        for x in range(c.w):
            r, g, b, _ = px[y * c.w + x]
            row += bytes((b, g, r))
        row += b"\0" * (row_len - len(row))
        data += row
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, c.w, c.h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + bytes(data)


def ico_bytes(canvases):
    images = []
    for c in canvases:
        px = c.pixels()
        xor = bytearray()
        for y in range(c.h - 1, -1, -1):
            for x in range(c.w):
                r, g, b, a = px[y * c.w + x]
                xor += bytes((b, g, r, a))
        mask_row = ((c.w + 31) // 32) * 4
        and_mask = bytearray()
        for y in range(c.h - 1, -1, -1):
            bits = bytearray(mask_row)
            for x in range(c.w):
                if px[y * c.w + x][3] == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            and_mask += bits
        info = struct.pack("<IiiHHIIiiII", 40, c.w, c.h * 2, 1, 32, 0, len(xor) + len(and_mask),
                           0, 0, 0, 0)
        images.append(info + bytes(xor) + bytes(and_mask))
    out = struct.pack("<HHH", 0, 1, len(canvases))
    offset = 6 + 16 * len(canvases)
    for c, img in zip(canvases, images):
        out += struct.pack("<BBBBHHII", c.w % 256, c.h % 256, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    for img in images:
        out += img
    return out


def artwork():
    """Every bitmap: resource name -> canvas."""
    return {
        "spin": big_face(symbol_spin),
        "zero": big_face(symbol_zero),
        "bob": big_face(symbol_bob),
        "job": big_face(symbol_job),
        "set": big_face(symbol_set),
        "help": big_face(symbol_help),
        "exit": big_face(symbol_exit, (236, 222, 222)),
        "hint": big_face(symbol_hint, (245, 238, 205)),
        "add": small_face(48, 36, add_symbol),
        "dpoint": small_face(104, 36),
        "drill": drill_face(),
        "heavy": heavy_face(),
        "initial": small_face(120, 60),
        "history": small_face(82, 36),
        "stop": stop_face(),
        "ttlogo": logo(42, MAIN_BG),
        "shaft": shaft(),
        "ledon": lamp(True),
        "ledoff": lamp(False),
        "settings": settings_icon(),
    }


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "resources")
    bitmaps = os.path.join(out, "bitmaps")
    os.makedirs(bitmaps, exist_ok=True)
    for name, canvas in artwork().items():
        with open(os.path.join(bitmaps, name + ".bmp"), "wb") as f:
            f.write(bmp_bytes(canvas))
    with open(os.path.join(out, "lgicon.ico"), "wb") as f:
        f.write(ico_bytes([icon_image(48), icon_image(32)]))
    with open(os.path.join(out, "smicon.ico"), "wb") as f:
        f.write(ico_bytes([icon_image(16)]))


if __name__ == "__main__":
    main()
