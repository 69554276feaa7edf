# SPDX-License-Identifier: GPL-3.0-or-later
"""A small raster canvas for drawing the larger puzzles from simple shapes; each pixel is one
palette character, '.' the white background. Shapes are filled by testing pixel centres."""
import math


class Canvas:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [['.'] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def get(self, x, y):
        return self.px[y][x] if 0 <= x < self.w and 0 <= y < self.h else '.'

    def fill(self, inside, c):
        for y in range(self.h):
            for x in range(self.w):
                if inside(x + 0.5, y + 0.5):
                    self.px[y][x] = c

    def ellipse(self, cx, cy, rx, ry, c, angle=0.0):
        ca, sa = math.cos(math.radians(angle)), math.sin(math.radians(angle))
        def inside(x, y):
            dx, dy = x - cx, y - cy
            u, v = dx * ca + dy * sa, -dx * sa + dy * ca
            return (u / rx) ** 2 + (v / ry) ** 2 <= 1.0
        self.fill(inside, c)

    def circle(self, cx, cy, r, c):
        self.ellipse(cx, cy, r, r, c)

    def ring(self, cx, cy, r1, r2, c):
        self.fill(lambda x, y: r1 * r1 <= (x - cx) ** 2 + (y - cy) ** 2 <= r2 * r2, c)

    def rect(self, x0, y0, x1, y1, c):
        """Pixels x0..x1-1, y0..y1-1."""
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                self.px[y][x] = c

    def poly(self, pts, c):
        def inside(x, y):
            n, hit = len(pts), False
            for i in range(n):
                (x0, y0), (x1, y1) = pts[i], pts[(i + 1) % n]
                if (y0 > y) != (y1 > y):
                    xc = x0 + (y - y0) * (x1 - x0) / (y1 - y0)
                    if x < xc:
                        hit = not hit
            return hit
        self.fill(inside, c)

    def line(self, x0, y0, x1, y1, width, c):
        """A thick segment: every pixel whose centre lies within width/2 of it."""
        r = width / 2.0
        def inside(x, y):
            dx, dy = x1 - x0, y1 - y0
            L2 = dx * dx + dy * dy
            t = 0 if L2 == 0 else max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / L2))
            px, py = x0 + t * dx - x, y0 + t * dy - y
            return px * px + py * py <= r * r
        self.fill(inside, c)

    def path(self, pts, width, c):
        for a, b in zip(pts, pts[1:]):
            self.line(a[0], a[1], b[0], b[1], width, c)

    def outline(self, c, of=None):
        """Paints c on every white pixel 4-adjacent to a pixel of colour `of` (any colour)."""
        add = []
        for y in range(self.h):
            for x in range(self.w):
                if self.px[y][x] != '.':
                    continue
                for xx, yy in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)):
                    n = self.get(xx, yy)
                    if n != '.' and (of is None or n == of):
                        add.append((x, y))
                        break
        for x, y in add:
            self.px[y][x] = c

    def mirror_x(self):
        """Copies the left half onto the right half."""
        for y in range(self.h):
            for x in range(self.w // 2):
                self.px[y][self.w - 1 - x] = self.px[y][x]

    def rows(self):
        return [''.join(r) for r in self.px]
