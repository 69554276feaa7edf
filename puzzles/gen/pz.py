# SPDX-License-Identifier: GPL-3.0-or-later
"""Helpers for authoring puzzle sources: read and write the text format, derive clues, and a
line solver that tells whether the clues alone (line by line) determine the picture."""
import os
import re

SRC = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'src')


def read(path):
    name, pal, rows, inpic = None, [], [], False
    for line in open(path, encoding='utf-8'):
        line = line.rstrip('\r\n')
        if inpic:
            if line.strip():
                rows.append(line)
            continue
        t = line.strip()
        if not t or t.startswith(';'):
            continue
        if t.startswith('name:'):
            name = t[5:].strip()
        elif t.startswith('colour '):
            f = t.split()
            pal.append((f[1], f[2], ' '.join(f[3:])))
        elif t == 'picture:':
            inpic = True
    return name, pal, rows


def write(name, pal, rows, note=None):
    """pal: list of (char, RRGGBB, comment) with white first; rows: list of strings."""
    path = os.path.join(SRC, name + '.txt')
    with open(path, 'w', encoding='utf-8') as f:
        f.write('name: %s\n' % name)
        if note:
            f.write('; %s\n' % note)
        for ch, hx, comment in pal:
            f.write(('colour %s %s %s' % (ch, hx, comment)).rstrip() + '\n')
        f.write('picture:\n')
        for r in rows:
            f.write(r + '\n')
    return path


def clues(line):
    """Runs of non-background characters: list of (length, char)."""
    out, i = [], 0
    while i < len(line):
        c = line[i]
        j = i
        while j < len(line) and line[j] == c:
            j += 1
        if c != '.':
            out.append((j - i, c))
        i = j
    return out


def solve_line(n, blocks, cells):
    """cells: list of sets of possible chars ('.' = white). Returns new list of sets or None."""
    k = len(blocks)
    # back[i][j]: from cell i with blocks j.. still to place, the line can be completed
    back = [[False] * (k + 1) for _ in range(n + 2)]
    back[n][k] = True

    def block_ok(i, j):
        L, c = blocks[j]
        if i + L > n:
            return None
        for p in range(i, i + L):
            if c not in cells[p]:
                return None
        if j + 1 < k and blocks[j + 1][1] == c:
            if i + L >= n or '.' not in cells[i + L]:
                return None
            return i + L + 1
        return i + L

    for i in range(n - 1, -1, -1):
        for j in range(k, -1, -1):
            ok = False
            if '.' in cells[i] and back[i + 1][j]:
                ok = True
            if not ok and j < k:
                t = block_ok(i, j)
                if t is not None and back[t][j + 1]:
                    ok = True
            back[i][j] = ok
    if not back[0][0]:
        return None
    fwd = [[False] * (k + 1) for _ in range(n + 2)]
    fwd[0][0] = True
    poss = [set() for _ in range(n)]
    for i in range(n):
        for j in range(k + 1):
            if not fwd[i][j]:
                continue
            if '.' in cells[i] and back[i + 1][j]:
                poss[i].add('.')
                fwd[i + 1][j] = True
            if j < k:
                t = block_ok(i, j)
                if t is not None and back[t][j + 1]:
                    L, c = blocks[j]
                    for p in range(i, i + L):
                        poss[p].add(c)
                    if t == i + L + 1:
                        poss[i + L].add('.')
                    fwd[t][j + 1] = True
    return poss


def line_solve(rows):
    """Returns (solved, grid of sets) using the clues of the picture rows alone."""
    h, w = len(rows), len(rows[0])
    chars = set(''.join(rows)) | {'.'}
    grid = [[set(chars) for _ in range(w)] for _ in range(h)]
    rclues = [clues(r) for r in rows]
    cclues = [clues(''.join(r[x] for r in rows)) for x in range(w)]
    dirty_r, dirty_c = set(range(h)), set(range(w))
    while dirty_r or dirty_c:
        for y in sorted(dirty_r):
            new = solve_line(w, rclues[y], grid[y])
            if new is None:
                return False, grid
            for x in range(w):
                if new[x] != grid[y][x]:
                    grid[y][x] = new[x]
                    dirty_c.add(x)
        dirty_r = set()
        for x in sorted(dirty_c):
            col = [grid[y][x] for y in range(h)]
            new = solve_line(h, cclues[x], col)
            if new is None:
                return False, grid
            for y in range(h):
                if new[y] != grid[y][x]:
                    grid[y][x] = new[y]
                    dirty_r.add(y)
        dirty_c = set()
    solved = all(len(grid[y][x]) == 1 for y in range(h) for x in range(w))
    return solved, grid


def undecided(grid):
    return [(x, y) for y, row in enumerate(grid) for x, s in enumerate(row) if len(s) > 1]


def fix(rows, protect=lambda x, y: False, limit=200, prefer='.'):
    """Flips undecided pixels (white <-> a neighbour's colour) until lines alone solve the
    picture. Returns (rows, flips). Flips go to cells on a shape's edge first."""
    rows = [list(r) for r in rows]
    h, w = len(rows), len(rows[0])
    flips = 0
    for _ in range(limit):
        ok, grid = line_solve([''.join(r) for r in rows])
        if ok:
            return [''.join(r) for r in rows], flips
        und = [(x, y) for (x, y) in undecided(grid) if not protect(x, y)]
        if not und:
            und = undecided(grid)
        # Prefer a filled cell next to white (remove a pixel) or a white cell next to a filled one.
        def score(p):
            x, y = p
            c = rows[y][x]
            nb = [rows[yy][xx] for xx, yy in ((x-1, y), (x+1, y), (x, y-1), (x, y+1)) if 0 <= xx < w and 0 <= yy < h]
            other = sum(1 for n in nb if n != c)
            return (-other, y, x)
        und.sort(key=score)
        x, y = und[0]
        c = rows[y][x]
        if c == '.':
            nb = [rows[yy][xx] for xx, yy in ((x-1, y), (x+1, y), (x, y-1), (x, y+1)) if 0 <= xx < w and 0 <= yy < h and rows[yy][xx] != '.']
            rows[y][x] = max(set(nb), key=nb.count) if nb else '#'
        else:
            rows[y][x] = '.'
        flips += 1
    return [''.join(r) for r in rows], flips
