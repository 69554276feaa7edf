# SPDX-License-Identifier: GPL-3.0-or-later
"""The harder set: puzzles that need look-ahead or trial and error, made with mosgrid-import.

    python3 puzzles/gen/harder.py BUILD/game/mosgrid-import BUILD/mosgrid-solve

Each puzzle comes from a public-domain icon of Debian's tango-icon-theme (32 x 32 PNG, installed
under /usr/share/icons/Tango) or from a pattern generated here from a fixed seed. The importer
converts the picture (colours and lightness as listed), repairs it until it has one solution, and
the solver must report that line passes alone do not solve it; the result is written as
src/NAME.txt with its source and licence noted. An icon that comes out line-solvable is an
error (change its settings); a pattern takes the first seed, from the one listed, whose puzzle
lines alone do not solve (and, where asked, that needs guesses).
"""
import os
import random
import re
import struct
import subprocess
import sys
import tempfile

import pz

TANGO = '/usr/share/icons/Tango/32x32/'
TANGO_NOTE = 'tango-icon-theme %s, public domain; converted and made unique by gen/harder.py'

# name, icon, colours besides white
ICONS = [
    ('Глобус', 'apps/internet-web-browser', 2),
    ('Беседа', 'apps/internet-group-chat', 2),
    ('Удалённый рабочий стол', 'apps/gnome-remote-desktop', 2),
    ('Колонки', 'apps/preferences-desktop-multimedia', 1),
    ('Компьютер', 'devices/computer', 3),
    ('Сетевой разъём', 'devices/network-wired', 1),
    ('Компьютерная мышь', 'devices/input-mouse', 1),
    ('Радиосеть', 'devices/network-wireless', 3),
    ('Ясный день', 'status/weather-clear', 3),
    ('Ясная ночь', 'status/weather-clear-night', 2),
    ('Облачная ночь', 'status/weather-few-clouds-night', 2),
    ('Снегопад', 'status/weather-snow', 1),
    ('Скрепка', 'status/mail-attachment', 2),
    ('Джойстик', 'categories/applications-games', 1),
    ('Чертёнок', 'emotes/face-devilish', 1),
    ('Ножницы', 'actions/edit-cut', 3),
    ('Лупа', 'actions/system-search', 1),
    ('Спам', 'actions/mail-mark-junk', 2),
    ('Перемотка назад', 'actions/media-seek-backward', 2),
    ('Следующий трек', 'actions/media-skip-forward', 2),
]

# name, side, colours (RRGGBB), first seed, whether it must need guesses: a mirrored pattern
PATTERNS = [
    ('Мозаика', 20, ['1F3A93'], 11, False),
    ('Вышивка', 22, ['B0172A', '222222'], 12, False),
    ('Кружево', 24, ['2E6B30'], 13, True),
    ('Ковёр', 25, ['7A1E1E', 'D08A1B'], 14, True),
]


def write_ppm(path, side, colours, seed):
    """Pixels mirrored left to right and top to bottom, nearly half of them coloured."""
    rnd = random.Random(seed)
    half = (side + 1) // 2
    quarter = [[rnd.random() < 0.45 and rnd.randrange(len(colours)) + 1 or 0 for _ in range(half)]
               for _ in range(half)]
    # A few cells off the mirror, so the pattern is not perfectly symmetric.
    for _ in range(side // 2):
        quarter[rnd.randrange(half)][rnd.randrange(half)] = rnd.randrange(len(colours) + 1)
    rgb = [(255, 255, 255)] + [tuple(int(c[i:i + 2], 16) for i in (0, 2, 4)) for c in colours]
    with open(path, 'wb') as f:
        f.write(b'P6 %d %d 255\n' % (side, side))
        for y in range(side):
            qy = min(y, side - 1 - y)
            for x in range(side):
                f.write(bytes(rgb[quarter[qy][min(x, side - 1 - x)]]))


def read_bmp4(path):
    data = open(path, 'rb').read()
    off, = struct.unpack_from('<I', data, 10)
    width, height = struct.unpack_from('<ii', data, 18)
    palette = ['%02X%02X%02X' % (data[54 + 4 * i + 2], data[54 + 4 * i + 1], data[54 + 4 * i]) for i in range(16)]
    stride = ((width * 4 + 31) // 32) * 4
    rows = []
    for y in range(height):
        row = data[off + (height - 1 - y) * stride:]
        rows.append([(row[x // 2] >> (0 if x % 2 else 4)) & 15 for x in range(width)])
    return palette, rows


def convert(tool, solver, name, picture, options, work):
    """The puzzle's picture and the solver's line, or None when lines alone solve it or it could
    not be made unique."""
    done = subprocess.run([tool, '--out', work, '--repair', '--replace', '--name', name] + options + [picture],
                          stdout=subprocess.DEVNULL)
    if done.returncode != 0:  # the repair gave up
        return None
    bmp = os.path.join(work, name + '.bmp')
    verdict = subprocess.run([solver, bmp], check=True, capture_output=True, text=True).stdout
    if 'solutions 1,' not in verdict or 'lines alone no' not in verdict:
        return None
    return bmp, verdict


def write(name, bmp, verdict, note):
    palette, rows = read_bmp4(bmp)
    used = sorted({i for row in rows for i in row})
    chars = {0: '.'}
    for k, i in enumerate(i for i in used if i != 0):
        chars[i] = '#abcdefghijklmn'[k]
    pal = [('.', 'FFFFFF', 'белый')] + [(chars[i], palette[i], 'цвет %d' % k)
                                        for k, i in enumerate((i for i in used if i != 0), 1)]
    pz.write(name, pal, [''.join(chars[i] for i in row) for row in rows], note)
    guesses = re.search(r'(\d+) guesses', verdict).group(1)
    print('%s: %s, %s' % (name, 'trial' if guesses != '0' else 'look-ahead', verdict.split(': ', 1)[1].strip()))


def main():
    tool, solver = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory() as work:
        for name, icon, colours in ICONS:
            made = convert(tool, solver, name, TANGO + icon + '.png', ['--colours', str(colours)], work)
            if not made:
                sys.exit('%s: lines alone solve it; change its settings' % name)
            write(name, *made, TANGO_NOTE % icon)
        # Patterns: the first seed from the one listed whose puzzle lines alone do not solve.
        for name, side, colours, first, trial in PATTERNS:
            for seed in range(first, first + 1000):
                ppm = os.path.join(work, 'pattern.ppm')
                write_ppm(ppm, side, colours, seed)
                made = convert(tool, solver, name, ppm, ['--colours', str(len(colours))], work)
                if made and (not trial or ' 0 guesses' not in made[1]):
                    break
            else:
                sys.exit('%s: no seed gives a harder puzzle' % name)
            write(name, *made, 'a mirrored pattern generated by gen/harder.py (seed %d), made unique by '
                  'mosgrid-import; no outside source' % seed)


if __name__ == '__main__':
    main()
