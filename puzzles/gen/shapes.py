# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the larger two-colour puzzles from simple shapes and writes their sources to ../src.
Each picture is then nudged (a few edge pixels flipped) until its clues alone, line by line,
determine it, so every puzzle has exactly one solution. Run: python3 shapes.py [name...]"""
import math
import sys

import pz
from canvas import Canvas

W = ('.', 'FFFFFF', 'белый')
PICTURES = {}


def picture(name, hx, cname):
    def register(draw):
        PICTURES[name] = (hx, cname, draw)
        return draw
    return register


@picture('Слон', '6B6B7B', 'серый')
def elephant():
    c = Canvas(20, 15)
    c.ellipse(12.5, 7, 6.5, 4.5, '#')
    c.circle(6, 5, 3.3, '#')
    c.path([(3.2, 6), (1.5, 10), (1.5, 14)], 1.6, '#')
    for x in (7, 10, 14, 17):
        c.rect(x, 10, x + 2, 15, '#')
    c.line(19, 6, 19.5, 10, 1, '#')
    c.path([(8.5, 3), (9.5, 8)], 1, '.')
    c.set(5, 4, '.')
    return c


@picture('Заяц', '7A5C3E', 'бурый')
def hare():
    c = Canvas(16, 20)
    c.ellipse(5, 4.5, 1.4, 4.5, '#', -10)
    c.ellipse(8.5, 4.5, 1.4, 4.5, '#', 15)
    c.ellipse(6.5, 9.5, 3.5, 3, '#')
    c.ellipse(8.5, 15, 5, 4.5, '#')
    c.circle(14, 16.5, 1.6, '#')
    c.rect(4, 19, 12, 20, '#')
    c.set(5, 9, '.')
    c.path([(5.5, 13), (6.5, 17)], 1, '.')
    return c


@picture('Улитка', '5C7A1E', 'оливковый')
def snail():
    c = Canvas(18, 13)
    c.circle(10, 6, 5.6, '#')
    c.ring(10, 6, 2.0, 3.1, '.')
    c.rect(1, 10, 18, 13, '#')
    c.rect(3, 5, 5, 10, '#')
    c.line(2.5, 1, 3.5, 5, 1, '#')
    c.line(5.5, 1, 4.5, 5, 1, '#')
    c.rect(0, 12, 18, 13, '.')
    c.rect(0, 10, 18, 11, '.')
    c.rect(3, 10, 5, 11, '#')
    c.rect(15, 10, 16, 11, '#')
    return c


@picture('Черепаха', '2E6B2E', 'зелёный')
def turtle():
    c = Canvas(20, 13)
    c.ellipse(10, 7, 7, 5, '#')
    c.rect(0, 7, 20, 13, '.')
    c.rect(3, 7, 17, 9, '#')
    c.circle(18, 7, 1.8, '#')
    c.rect(4, 9, 6, 12, '#')
    c.rect(14, 9, 16, 12, '#')
    c.line(2, 7.5, 0.5, 9, 1, '#')
    for x in (6, 10, 14):
        c.set(x, 5, '.')
    c.set(18, 6, '.')
    return c


@picture('Самолёт', '30405A', 'тёмно-синий')
def plane():
    c = Canvas(19, 17)
    c.ellipse(9.5, 8.5, 1.8, 8, '#')
    c.poly([(8.5, 6), (0, 10), (0, 11.5), (8.5, 9.5), (10.5, 9.5), (19, 11.5), (19, 10), (10.5, 6)], '#')
    c.poly([(8.5, 14), (5, 16), (5, 17), (14, 17), (14, 16), (10.5, 14)], '#')
    c.rect(9, 2, 10, 4, '.')
    return c


@picture('Гитара', '7B3F00', 'коричневый')
def guitar():
    c = Canvas(12, 20)
    c.circle(6, 15.5, 4.5, '#')
    c.circle(6, 10.5, 3.3, '#')
    c.circle(6, 12.5, 1.3, '.')
    c.rect(5, 1, 7, 10, '#')
    c.rect(4, 0, 8, 3, '#')
    c.rect(4, 17, 8, 18, '.')
    return c


@picture('Собака', '5B3A29', 'коричневый')
def dog():
    c = Canvas(18, 16)
    c.ellipse(9.5, 9, 6, 3, '#')
    c.circle(4, 5, 3, '#')
    c.rect(0, 5, 3, 7, '#')
    c.ellipse(5.5, 5.5, 1.2, 3, '#')
    c.rect(4, 10, 6, 16, '#')
    c.rect(7, 10, 9, 16, '#')
    c.rect(11, 10, 13, 16, '#')
    c.rect(14, 10, 16, 16, '#')
    c.path([(15, 8), (17, 4), (17.5, 3)], 1.2, '#')
    c.set(3, 3, '.')
    c.line(6.5, 3, 6.5, 7.5, 1, '.')
    return c


@picture('Жираф', 'B8860B', 'охра')
def giraffe():
    c = Canvas(18, 25)
    c.ellipse(11, 15, 5.5, 3.2, '#')
    c.poly([(5, 4), (7.5, 4), (10, 14), (6.5, 15)], '#')
    c.ellipse(4, 3.5, 3.5, 1.8, '#', -20)
    c.rect(5, 0, 6, 2, '#')
    c.rect(3, 0, 4, 2, '#')
    for x in (6, 8, 13, 15):
        c.rect(x, 17, x + 2, 25, '#')
    c.line(16, 14, 17.5, 19, 1, '#')
    for (x, y) in [(9, 14), (12, 13), (14, 15), (10, 16), (7, 9), (8, 11), (6, 6)]:
        c.set(x, y, '.')
    c.set(3, 3, '.')
    return c


@picture('Верблюд', 'A0703A', 'песочный')
def camel():
    c = Canvas(25, 18)
    c.ellipse(13, 8.5, 6.5, 3.5, '#')
    c.circle(10.5, 5.5, 2.8, '#')
    c.circle(15.5, 5.5, 2.8, '#')
    c.poly([(7, 8), (4, 3), (2, 3), (3, 5), (6, 10)], '#')
    c.ellipse(2.5, 3, 2.3, 1.4, '#')
    for x in (8, 11, 15, 18):
        c.rect(x, 11, x + 2, 18, '#')
    c.line(19.5, 7, 21.5, 11, 1, '#')
    c.set(2, 2, '.')
    return c


@picture('Ракета', 'B22222', 'красный')
def rocket():
    c = Canvas(15, 25)
    c.ellipse(7.5, 11, 3.5, 10.5, '#')
    c.rect(4, 11, 11, 20, '#')
    c.poly([(4, 14), (0.5, 20), (0.5, 22), (4, 20)], '#')
    c.poly([(11, 14), (14.5, 20), (14.5, 22), (11, 20)], '#')
    c.rect(7, 14, 8, 21, '#')
    c.circle(7.5, 8.5, 1.6, '.')
    c.poly([(5, 20), (10, 20), (9, 25), (6, 25)], '#')
    c.rect(7, 21, 8, 24, '.')
    return c


@picture('Кит', '1C4E80', 'синий')
def whale():
    c = Canvas(25, 14)
    c.ellipse(10, 9, 9.5, 4.5, '#')
    c.poly([(17, 8), (22, 5), (24.5, 3), (24.5, 6), (22, 8), (24.5, 10), (24.5, 12), (18, 11)], '#')
    c.rect(0, 12, 25, 14, '.')
    c.rect(3, 12, 17, 13, '#')
    c.set(5, 8, '.')
    c.path([(4, 2), (5, 4), (5, 5)], 1, '#')
    c.path([(7, 2), (6, 4), (6, 5)], 1, '#')
    c.path([(2, 10.5), (8, 11.5)], 1, '.')
    return c


@picture('Велосипед', '203040', 'графит')
def bicycle():
    c = Canvas(25, 15)
    c.ring(5.5, 9.5, 3.4, 4.9, '#')
    c.ring(19.5, 9.5, 3.4, 4.9, '#')
    c.path([(5.5, 9.5), (11, 9.5), (17, 4), (9, 4), (11, 9.5)], 1.3, '#')
    c.path([(5.5, 9.5), (9, 4)], 1.3, '#')
    c.path([(17, 4), (19.5, 9.5)], 1.3, '#')
    c.path([(9, 4), (8, 2)], 1.3, '#')
    c.rect(6, 1, 11, 2, '#')
    c.path([(17, 4), (16, 1), (18, 1)], 1.2, '#')
    return c


@picture('Чайник', '8B1A1A', 'вишнёвый')
def teapot():
    c = Canvas(15, 12)
    c.ellipse(7, 7.5, 5, 4, '#')
    c.rect(2, 11, 12, 12, '#')
    c.rect(5, 2, 9, 4, '#')
    c.rect(6, 1, 8, 2, '#')
    c.path([(11, 8), (13.5, 5), (14.5, 3.5)], 1.4, '#')
    c.ring(1.8, 7.5, 1.0, 2.2, '#')
    c.rect(3, 6, 11, 7, '.')
    return c


@picture('Птичка', '2B5F8A', 'синий')
def bird():
    c = Canvas(14, 12)
    c.ellipse(6.5, 7, 4.5, 3, '#')
    c.circle(10.5, 4.5, 2.2, '#')
    c.poly([(12.5, 4), (14, 5), (12.5, 5.5)], '#')
    c.poly([(2.5, 6), (0, 3.5), (0, 5), (2, 8)], '#')
    c.path([(5, 6), (8, 6.5)], 1, '.')
    c.set(11, 4, '.')
    c.line(6.5, 9.5, 6.5, 12, 1, '#')
    c.line(8.5, 9.5, 8.5, 12, 1, '#')
    return c


@picture('Парусник', '1B3A6B', 'тёмно-синий')
def sailboat():
    c = Canvas(30, 32)
    c.rect(14, 1, 15, 24, '#')
    c.poly([(15, 2), (15, 6), (19, 4)], '#')
    c.poly([(13, 5), (13, 22), (3, 22)], '#')
    c.poly([(16, 7), (16, 22), (27, 22)], '#')
    c.poly([(1, 24), (29, 24), (25, 29), (5, 29)], '#')
    c.rect(8, 26, 22, 27, '.')
    for x in range(0, 30, 6):
        c.path([(x, 31), (x + 1.5, 30), (x + 3, 31)], 1, '#')
    return c


@picture('Мельница', '6B4423', 'коричневый')
def windmill():
    c = Canvas(30, 36)
    c.poly([(11, 17), (19, 17), (22, 36), (8, 36)], '#')
    c.poly([(9, 18), (15, 12), (21, 18)], '#')
    c.rect(13, 30, 17, 36, '.')
    c.rect(14, 21, 16, 24, '.')
    c.rect(13, 26, 17, 27, '.')
    import math
    for k in range(4):
        a = math.radians(25 + 90 * k)
        dx, dy = math.cos(a), math.sin(a)
        px, py = -dy, dx
        c.line(15, 16, 15 + 13 * dx, 16 + 13 * dy, 1.2, '#')
        c.poly([(15 + 5 * dx, 16 + 5 * dy), (15 + 13 * dx, 16 + 13 * dy),
                (15 + 13 * dx + 3.5 * px, 16 + 13 * dy + 3.5 * py), (15 + 5 * dx + 3.5 * px, 16 + 5 * dy + 3.5 * py)], '#')
    c.circle(15, 16, 1.5, '#')
    return c


@picture('Ёж', '4A3B2A', 'тёмно-бурый')
def hedgehog():
    c = Canvas(36, 24)
    c.ellipse(17, 15, 13, 8, '#')
    for i in range(9):
        x = 6 + i * 3
        c.poly([(x - 2, 12), (x + 3.5, 2 + (i % 2) * 2), (x + 2, 12)], '#')
    c.poly([(4, 12), (-0.5, 8), (6, 10)], '#')
    c.poly([(26, 14), (33, 18), (35, 19), (33, 20.5), (26, 21)], '#')
    c.rect(0, 22, 36, 24, '.')
    c.rect(8, 22, 11, 24, '#')
    c.rect(21, 22, 24, 24, '#')
    c.set(30, 17, '.')
    c.path([(26, 14), (27, 21)], 1, '.')
    c.circle(34.2, 19.5, 1.2, '#')
    return c


@picture('Сова', '5A4632', 'бурый')
def owl():
    c = Canvas(30, 34)
    c.ellipse(15, 18, 11, 13, '#')
    c.poly([(5, 3), (10, 9), (5, 11)], '#')
    c.poly([(25, 3), (20, 9), (25, 11)], '#')
    c.circle(10.5, 12, 4.5, '.')
    c.circle(19.5, 12, 4.5, '.')
    c.circle(10.5, 12, 2, '#')
    c.circle(19.5, 12, 2, '#')
    c.poly([(13.5, 15), (16.5, 15), (15, 19)], '.')
    for (x, y) in [(11, 21), (15, 22), (19, 21), (13, 25), (17, 25), (11, 28), (15, 28), (19, 28)]:
        c.path([(x - 1, y), (x, y + 1), (x + 1, y)], 0.9, '.')
    c.rect(0, 31, 30, 33, '#')
    for x in (10, 12, 18, 20):
        c.rect(x, 30, x + 1, 31, '#')
    c.line(26, 32, 29.5, 33.5, 1, '#')
    return c


@picture('Бабочка', '4B2A7B', 'фиолетовый')
def butterfly():
    c = Canvas(31, 24)
    c.ellipse(9, 8, 8, 6.5, '#', -25)
    c.ellipse(10, 17, 6, 5, '#', 25)
    c.circle(8, 7, 2.2, '.')
    c.circle(9.5, 17.5, 1.6, '.')
    c.set(4, 11, '.')
    c.mirror_x()
    c.rect(14, 5, 17, 21, '.')
    c.ellipse(15.5, 13.5, 1.2, 7.5, '#')
    c.path([(15, 6), (12, 1), (11, 0.5)], 1, '#')
    c.path([(16, 6), (19, 1), (20, 0.5)], 1, '#')
    return c


@picture('Олень', '6A4A2A', 'бурый')
def deer():
    c = Canvas(50, 45)
    c.ellipse(28, 26, 12, 6.5, '#')
    c.poly([(14, 12), (19, 11), (23, 24), (17, 27)], '#')
    c.ellipse(12.5, 13, 5, 3, '#', 20)
    c.poly([(9, 12), (4.5, 16), (6, 17.5), (11, 15)], '#')
    c.ellipse(19, 10, 2.5, 1.2, '#', -30)
    for side in (0, 1):
        bx = 13 + side * 4
        c.path([(bx, 10), (bx - 2 + side * 6, 4), (bx - 4 + side * 10, 0.5)], 1.4, '#')
        c.path([(bx - 1 + side * 3, 7), (bx - 6 + side * 10, 5)], 1.2, '#')
        c.path([(bx - 2 + side * 6, 4), (bx + side * 4, 0.5)], 1.2, '#')
    c.set(12, 12, '.')
    for (x0, x1) in ((19, 18), (23, 23), (33, 35), (37, 39)):
        c.path([(x0 + 1, 29), (x1 + 1, 37), (x1 + 1, 43.5)], 2.2, '#')
    for x in (19, 23, 35, 39):
        c.rect(x, 43, x + 3, 45, '#')
    c.poly([(39.5, 21), (43, 19), (42, 23)], '#')
    for (x, y) in [(24, 23), (28, 22), (32, 23), (30, 26), (26, 26), (35, 24)]:
        c.set(x, y, '.')
    return c


@picture('Паровоз', '2A2A2A', 'чёрный')
def locomotive():
    c = Canvas(50, 32)
    c.rect(12, 10, 36, 21, '#')
    c.ellipse(12, 15.5, 2.5, 5.5, '#')
    c.rect(35, 4, 47, 21, '#')
    c.rect(33, 2, 49, 4, '#')
    c.rect(38, 6, 44, 11, '.')
    c.rect(15, 5, 19, 10, '#')
    c.rect(14, 3, 20, 5, '#')
    c.rect(26, 7, 30, 10, '#')
    c.circle(12, 1.5, 2, '#')
    c.circle(6.5, 2.5, 1.5, '#')
    c.circle(2, 1.5, 1.2, '#')
    c.rect(4, 21, 49, 23, '#')
    c.poly([(9, 21), (2, 27), (9, 27)], '#')
    for cx in (16, 25, 34):
        c.circle(cx, 26, 4.3, '#')
        c.circle(cx, 26, 1.2, '.')
    c.circle(44, 27, 3.2, '#')
    c.set(44, 27, '.')
    c.rect(12, 23, 40, 24, '.')
    c.rect(0, 31, 50, 32, '#')
    return c


@picture('Дуб', '2F4F1F', 'тёмно-зелёный')
def oak():
    c = Canvas(46, 50)
    for (x, y, r) in [(23, 14, 10), (13, 19, 8), (33, 19, 8), (16, 9, 7), (30, 9, 7), (9, 27, 6.5),
                      (37, 27, 6.5), (23, 25, 9), (17, 31, 6), (29, 31, 6), (23, 5, 5)]:
        c.circle(x, y, r, '#')
    c.poly([(20, 33), (26, 33), (27, 45), (32, 49), (14, 49), (19, 45)], '#')
    c.path([(23, 36), (23, 22), (17, 17)], 1.2, '.')
    c.path([(23, 26), (30, 20)], 1.2, '.')
    c.path([(23, 22), (23, 14)], 1, '.')
    c.rect(0, 49, 46, 50, '#')
    for (x, y) in [(10, 20), (35, 14), (14, 27), (31, 26), (27, 8), (8, 25), (38, 29), (19, 6)]:
        c.set(x, y, '.')
    return c


@picture('Собор', '4A2E6B', 'фиолетовый')
def cathedral():
    c = Canvas(48, 50)
    def dome(cx, top, r, neck):
        c.ellipse(cx, top + r + 1, r, r + 1, '#')
        c.poly([(cx - 1, top + 1), (cx + 1, top + 1), (cx, top - 2)], '#')
        c.rect(int(cx - neck), int(top + 2 * r + 1), int(cx + neck + 1), int(top + 2 * r + 4), '#')
        c.line(cx, top - 6, cx, top - 1.5, 1, '#')
        c.line(cx - 1.5, top - 4.5, cx + 1.5, top - 4.5, 1, '#')
    dome(24, 8, 5, 3)
    dome(11, 18, 3.5, 2)
    dome(37, 18, 3.5, 2)
    c.rect(20, 21, 29, 50, '#')
    c.rect(8, 28, 15, 50, '#')
    c.rect(33, 28, 40, 50, '#')
    c.rect(3, 36, 45, 50, '#')
    c.rect(22, 24, 27, 27, '.')
    for x in (10, 35):
        c.rect(x, 31, x + 3, 34, '.')
    for x in (6, 17, 30, 41):
        c.rect(x, 39, x + 2, 43, '.')
    c.poly([(21, 50), (21, 42), (24.5, 38.5), (28, 42), (28, 50)], '.')
    c.rect(0, 21, 48, 22, '.')
    c.rect(20, 21, 29, 22, '#')
    return c


@picture('Кошка', '3A3A3A', 'чёрный')
def cat_sitting():
    c = Canvas(34, 40)
    c.ellipse(15, 28, 10, 11, '#')
    c.circle(15, 11, 7, '#')
    c.poly([(8.5, 8), (9, 1), (13, 5)], '#')
    c.poly([(21.5, 8), (21, 1), (17, 5)], '#')
    c.rect(5, 38, 26, 40, '#')
    c.path([(24, 36), (30, 34), (32, 28), (30, 22)], 2, '#')
    c.ellipse(12, 10, 1, 1.6, '.')
    c.ellipse(18, 10, 1, 1.6, '.')
    c.set(15, 13, '.')
    c.path([(8, 14), (3, 13)], 0.8, '#')
    c.path([(8, 15), (3, 16)], 0.8, '#')
    c.path([(22, 14), (27, 13)], 0.8, '#')
    c.path([(22, 15), (27, 16)], 0.8, '#')
    c.path([(11, 33), (11, 38)], 1, '.')
    c.path([(19, 33), (19, 38)], 1, '.')
    return c


@picture('Лошадь', '5A3214', 'гнедой')
def horse():
    c = Canvas(50, 40)
    c.ellipse(27, 18, 13, 6.5, '#')
    c.poly([(12, 6), (18, 5), (22, 16), (15, 20)], '#')
    c.poly([(12, 5), (4, 10), (3, 13), (6, 14), (13, 11)], '#')
    c.poly([(13, 5), (14, 1), (16, 5)], '#')
    c.path([(17, 4), (21, 9), (23, 13)], 2.2, '.')
    c.path([(18, 4), (22, 9), (24, 13)], 1.3, '#')
    c.set(11, 8, '.')
    for (x0, x1) in ((18, 16), (22, 22), (33, 35), (37, 39)):
        c.path([(x0 + 1, 22), (x1 + 1, 30), (x1 + 1, 38)], 2.2, '#')
        c.rect(x1, 38, x1 + 3, 40, '#')
    c.path([(40, 14), (45, 17), (47, 26), (46, 30)], 2.2, '#')
    return c


@picture('Месяц', '2A3A7A', 'ночной синий')
def moon():
    c = Canvas(12, 14)
    c.circle(6, 7, 6.2, '#')
    c.circle(9, 5.5, 5.2, '.')
    return c


@picture('Часы', '303030', 'чёрный')
def clock():
    c = Canvas(20, 20)
    c.circle(4, 3.5, 3, '#')
    c.circle(16, 3.5, 3, '#')
    c.circle(10, 11, 8.5, '#')
    c.circle(10, 11, 6.6, '.')
    for (x, y) in ((9, 5), (10, 5), (15, 10), (15, 11), (9, 16), (10, 16), (4, 10), (4, 11)):
        c.set(x, y, '#')
    c.path([(10, 11), (10, 7)], 1.3, '#')
    c.path([(10, 11), (13, 13)], 1.3, '#')
    c.line(5, 17, 3, 19.5, 1.4, '#')
    c.line(15, 17, 17, 19.5, 1.4, '#')
    return c


def main(names):
    for name in names or sorted(PICTURES):
        hx, cname, draw = PICTURES[name]
        rows, flips = pz.fix(draw().rows())
        pz.write(name, [W, ('#', hx, cname)], rows,
                 'drawn by gen/shapes.py; %d pixel(s) nudged for a unique solution' % flips if flips else 'drawn by gen/shapes.py')
        print('%-12s %dx%d nudged %d' % (name, len(rows[0]), len(rows), flips))


if __name__ == '__main__':
    main(sys.argv[1:])
