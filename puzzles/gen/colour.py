# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the larger colour puzzles from simple shapes and writes their sources to ../src, nudging
edge pixels until the clues alone, line by line, determine each picture (one solution).
Run: python3 colour.py [name...]"""
import math
import sys

import pz
from canvas import Canvas

W = ('.', 'FFFFFF', 'белый')
PICTURES = {}


def picture(name, palette):
    def register(draw):
        PICTURES[name] = (palette, draw)
        return draw
    return register


@picture('Золотая рыбка', [('o', 'F08000', 'оранжевый'), ('y', 'F5C518', 'жёлтый'), ('k', '111111', 'чёрный')])
def goldfish():
    c = Canvas(18, 12)
    c.poly([(11, 6), (17.5, 1), (15.5, 6), (17.5, 11)], 'y')
    c.poly([(5, 3), (8, 0.5), (10, 3)], 'y')
    c.ellipse(7, 6, 6.5, 4, 'o')
    c.poly([(6, 9), (9, 11.5), (9, 9)], 'y')
    c.set(3, 5, 'k')
    c.path([(8, 3.5), (9, 6), (8, 8.5)], 0.9, 'y')
    return c


@picture('Машина', [('r', 'D42020', 'красный'), ('b', '7EC8F0', 'голубой'), ('k', '222222', 'чёрный'), ('s', 'A0A0A0', 'серый')])
def car():
    c = Canvas(24, 14)
    c.poly([(6, 2), (16, 2), (19, 7), (5, 7), (3, 7)], 'r')
    c.rect(0, 6, 24, 11, 'r')
    c.poly([(7, 3), (11, 3), (11, 6), (5.5, 6)], 'b')
    c.poly([(12, 3), (15.5, 3), (17.5, 6), (12, 6)], 'b')
    c.rect(23, 7, 24, 9, 'y' if False else 'r')
    c.circle(5.5, 11, 2.8, 'k')
    c.circle(18.5, 11, 2.8, 'k')
    c.circle(5.5, 11, 1.0, 's')
    c.circle(18.5, 11, 1.0, 's')
    return c


@picture('Попугай', [('r', 'D81E1E', 'красный'), ('b', '1E50C8', 'синий'), ('y', 'F2C200', 'жёлтый'),
                     ('k', '222222', 'чёрный'), ('n', '7A4A1E', 'коричневый'), ('g', '2E9A2E', 'зелёный')])
def parrot():
    c = Canvas(20, 24)
    c.ellipse(9, 11, 5, 7.5, 'r')
    c.circle(8, 4.5, 4, 'r')
    c.poly([(3.5, 3), (1, 5), (2, 8), (4.5, 7)], 'y')
    c.circle(3, 5, 1, 'k')
    c.set(8, 3, 'k')
    c.ellipse(12, 12, 3.2, 6, 'b', -15)
    c.poly([(12, 16), (18, 23.5), (15, 23.5), (10, 17)], 'b')
    c.poly([(14, 17), (19.5, 22), (18.5, 23.5), (13, 18.5)], 'g')
    c.rect(0, 18, 14, 20, 'n')
    c.rect(6, 17, 8, 18, 'y')
    c.rect(10, 17, 12, 18, 'y')
    return c


@picture('Подсолнух', [('y', 'F5C800', 'жёлтый'), ('n', '5A3A14', 'коричневый'), ('g', '2E8B2E', 'зелёный')])
def sunflower():
    c = Canvas(25, 25)
    for k in range(12):
        a = math.radians(k * 30)
        c.ellipse(12.5 + 6.2 * math.cos(a), 9 + 6.2 * math.sin(a), 3.2, 1.6, 'y', k * 30)
    c.circle(12.5, 9, 4.3, 'n')
    for (x, y) in [(11, 8), (13, 7), (14, 10), (11, 11)]:
        c.set(x, y, 'y')
    c.rect(12, 17, 14, 25, 'g')
    c.ellipse(8, 20, 4, 1.6, 'g', 30)
    c.ellipse(17.5, 21.5, 4, 1.6, 'g', -30)
    return c


@picture('Радуга', [('r', 'E02020', 'красный'), ('o', 'F08C00', 'оранжевый'), ('y', 'F2D200', 'жёлтый'),
                    ('g', '2EA02E', 'зелёный'), ('c', '2090E0', 'голубой'), ('v', '6A2A9A', 'фиолетовый'),
                    ('s', 'B8C4D0', 'серый')])
def rainbow():
    c = Canvas(30, 16)
    for i, ch in enumerate('roygcv'):
        c.ring(15, 16, 8.5 - i * 0.0 + (5 - i) * 1.2 - 6.0 + 6.0, 14.5 - i * 1.2, ch) if False else None
    bands = 'roygcv'
    for i, ch in enumerate(bands):
        r2 = 14.8 - i * 1.3
        r1 = r2 - 1.3
        c.ring(15, 16, r1, r2, ch)
    for (x, y, r) in [(3, 13.5, 2.5), (6.5, 13, 3), (9, 14.5, 2)]:
        c.circle(x, y, r, 's')
    for (x, y, r) in [(26.5, 13.5, 2.5), (23, 13, 3), (21, 14.5, 2)]:
        c.circle(x, y, r, 's')
    c.rect(0, 15, 30, 16, '.')
    c.rect(1, 15, 10, 16, 's')
    c.rect(20, 15, 29, 16, 's')
    return c


@picture('Маяк', [('r', 'D02020', 'красный'), ('s', 'C8C8C8', 'светло-серый'), ('y', 'F5D000', 'жёлтый'),
                  ('k', '333333', 'тёмно-серый'), ('b', '2060C0', 'синий'), ('n', '7A6A5A', 'серо-бурый')])
def lighthouse():
    c = Canvas(20, 35)
    c.poly([(7.5, 8), (12.5, 8), (14, 29), (6, 29)], 'r')
    for y in (12, 19, 26):
        c.rect(0, y, 20, y + 3, '.')
    c.poly([(7.5, 8), (12.5, 8), (14, 29), (6, 29)], None) if False else None
    for y in (12, 19, 26):
        for x in range(20):
            w = 7.5 - (y + 1.5 - 8) * (1.5 / 21)
            if abs(x + 0.5 - 10) < 10 - w + 0.0 and abs(x + 0.5 - 10) <= 2.5 + (y - 8) * 1.5 / 21 + 0.5:
                c.set(x, y, 's'); c.set(x, y + 1, 's'); c.set(x, y + 2, 's')
    c.rect(6, 7, 14, 8, 'k')
    c.rect(8, 4, 12, 7, 'y')
    c.rect(7, 4, 8, 7, 'k')
    c.rect(12, 4, 13, 7, 'k')
    c.poly([(6.5, 4), (10, 0.5), (13.5, 4)], 'r')
    c.path([(1, 3), (6, 5)], 1, 'y')
    c.path([(19, 3), (14, 5)], 1, 'y')
    c.rect(9, 22, 11, 25, 'k')
    c.ellipse(10, 30.5, 7, 2.5, 'n')
    c.rect(0, 32, 20, 35, 'b')
    for x in (2, 8, 14):
        c.set(x, 32, '.'); c.set(x + 1, 32, '.')
    return c


@picture('Новогодняя ёлка', [('g', '1E7A1E', 'зелёный'), ('y', 'F5C800', 'жёлтый'), ('r', 'D81E1E', 'красный'),
                             ('b', '2050D0', 'синий'), ('n', '6B3A1A', 'коричневый'), ('p', 'C040C0', 'сиреневый')])
def xmas_tree():
    c = Canvas(31, 40)
    for (top, bottom, half) in [(4, 14, 7), (9, 22, 10), (15, 30, 13), (21, 36, 15.5)]:
        c.poly([(15.5, top), (15.5 - half, bottom), (15.5 + half, bottom)], 'g')
    c.rect(13, 36, 18, 40, 'n')
    c.poly([(15.5, 0), (17, 3.5), (15.5, 5), (14, 3.5)], 'y')
    c.rect(13, 2, 18, 3, 'y')
    for (x, y, ch) in [(15, 10, 'r'), (12, 16, 'b'), (18, 18, 'p'), (9, 24, 'y'), (15, 22, 'r'),
                       (21, 26, 'b'), (6, 30, 'r'), (13, 29, 'p'), (19, 32, 'y'), (25, 33, 'r'),
                       (10, 34, 'b'), (24, 28, 'p')]:
        c.rect(x, y, x + 2, y + 2, ch)
    c.path([(11, 13), (20, 15)], 1, 'y')
    c.path([(8, 21), (23, 24)], 1, 'y')
    return c


@picture('Воздушный шар', [('r', 'D82020', 'красный'), ('y', 'F2C800', 'жёлтый'), ('b', '2A5AC8', 'синий'),
                           ('n', '7A4A1E', 'коричневый'), ('k', '444444', 'тёмно-серый')])
def balloon():
    c = Canvas(40, 48)
    def inside_balloon(x, y):
        if y < 17:
            return (x - 20) ** 2 + (y - 17) ** 2 <= 16.5 ** 2
        t = (y - 17) / 18.0
        half = 16.5 * math.sqrt(max(0.0, 1 - t * t * 0.55)) * (1 - t * 0.55)
        return y <= 35 and abs(x - 20) <= half
    stripes = 'rybyr'
    for y in range(48):
        for x in range(40):
            if inside_balloon(x + 0.5, y + 0.5):
                u = (x + 0.5 - 20) / max(1.0, abs(16.5 - 0.0))
                idx = min(4, max(0, int((u + 1) * 2.5)))
                c.set(x, y, stripes[idx])
    c.rect(14, 36, 26, 37, 'k')
    c.path([(12, 33), (16, 40)], 1, 'k')
    c.path([(28, 33), (24, 40)], 1, 'k')
    c.rect(15, 40, 25, 47, 'n')
    c.rect(15, 42, 25, 43, 'y')
    c.rect(0, 47, 40, 48, '.')
    return c


@picture('Домик в деревне', [('r', 'B83020', 'красный'), ('n', '8A5A2A', 'коричневый'), ('b', '60A8E0', 'голубой'),
                             ('g', '3A9A3A', 'зелёный'), ('d', '1E6A1E', 'тёмно-зелёный'), ('s', 'A8A8A8', 'серый'),
                             ('y', 'F2C800', 'жёлтый'), ('k', '5A3A1A', 'тёмно-коричневый')])
def village_house():
    c = Canvas(46, 38)
    c.circle(40, 5, 3.5, 'y')
    c.rect(21, 3, 24, 11, 's')
    c.circle(23.5, 1.5, 1.5, 's')
    c.poly([(3, 16), (16, 5), (29, 16)], 'r')
    c.rect(5, 16, 27, 33, 'n')
    for y in (19, 23, 27):
        c.rect(5, y, 27, y + 1, 'k')
    c.rect(8, 19, 14, 25, 'b')
    c.rect(10, 19, 11, 25, 'k')
    c.rect(8, 21, 14, 22, 'k')
    c.rect(18, 22, 24, 33, 'k')
    c.set(19, 27, 'y')
    c.circle(16, 11, 1.8, 'b')
    c.circle(38, 18, 6.5, 'd')
    c.circle(35, 23, 5, 'd')
    c.circle(41, 23, 5, 'd')
    c.rect(37, 26, 40, 33, 'k')
    for (x, y) in [(36, 17), (40, 20), (34, 22), (42, 24), (38, 14)]:
        c.set(x, y, 'r')
    c.rect(0, 33, 46, 38, 'g')
    for x in range(1, 46, 4):
        c.set(x, 32, 'g')
    c.path([(18, 33), (14, 37.5)], 3, 's')
    return c


def main(names):
    for name in names or sorted(PICTURES):
        pal, draw = PICTURES[name]
        rows = draw().rows()
        used = set(''.join(rows))
        pal = [W] + [p for p in pal if p[0] in used]
        rows, flips = pz.fix(rows)
        pz.write(name, pal, rows,
                 'drawn by gen/colour.py; %d pixel(s) nudged for a unique solution' % flips if flips else 'drawn by gen/colour.py')
        print('%-16s %dx%d %d colours, nudged %d' % (name, len(rows[0]), len(rows), len(pal), flips))


if __name__ == '__main__':
    main(sys.argv[1:])
