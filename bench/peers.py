#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Side-by-side figures of mosgrid-solve and two public nonogram solvers.

Generates the puzzle sets with fixed seeds into a work folder, runs every tool on every file one
process at a time under a processor-time limit, and prints per family: files done, median and
slowest processor seconds, and the geometric mean of our time over each peer's (files either
side did not finish count at the limit). Called by bench/peers.sh, which builds the peers.
"""
import argparse
import json
import math
import os
import random
import resource
import statistics
import struct
import subprocess
import sys
import time


# --- puzzle sets -------------------------------------------------------------------------------

def runs_of(cells):
    """Runs of a line as (length, value) pairs; value 0 is empty."""
    out = []
    prev = 0
    for v in cells:
        if v and v == prev:
            out[-1][0] += 1
        elif v:
            out.append([1, v])
        prev = v
    return [tuple(r) for r in out]


def clues(grid):
    h, w = len(grid), len(grid[0])
    rows = [runs_of(grid[r]) for r in range(h)]
    cols = [runs_of([grid[r][c] for r in range(h)]) for c in range(w)]
    return rows, cols


def random_grid(side, density, seed, colours=1):
    rnd = random.Random(seed)
    return [[(rnd.randint(1, colours) if rnd.random() < density else 0) for _ in range(side)] for _ in range(side)]


def domino_chain(n):
    """n dominoes on a (2n + 1)-square: a run of 3 in every second column from the right, each
    two rows below the last, with a single cell two rows above each run but the first."""
    side = 2 * n + 1
    grid = [[0] * side for _ in range(side)]
    for k in range(n):
        c = 2 * n - 2 * k
        for r in range(2 * k, 2 * k + 3):
            grid[r][c] = 1
        if k > 0:
            grid[2 * k - 2][c] = 1
    return grid


def write_non(path, grid):
    rows, cols = clues(grid)
    with open(path, "w") as f:
        f.write("width %d\nheight %d\n\nrows\n" % (len(grid[0]), len(grid)))
        for line in rows:
            f.write((",".join(str(n) for n, _ in line) or "0") + "\n")
        f.write("\ncolumns\n")
        for line in cols:
            f.write((",".join(str(n) for n, _ in line) or "0") + "\n")


COLOUR_NAMES = ["white", "black", "red", "green", "blue"]
COLOUR_RGB = [(255, 255, 255), (0, 0, 0), (204, 34, 34), (34, 153, 34), (34, 68, 204)]


def write_xml(path, grid):
    """The puzzle in the XML layout pbnsolve reads (colours by name)."""
    rows, cols = clues(grid)
    used = sorted({v for row in grid for v in row} | {0})
    with open(path, "w") as f:
        f.write('<?xml version="1.0"?>\n<puzzleset>\n<puzzle type="grid" defaultcolor="white">\n')
        for v in used:
            r, g, b = COLOUR_RGB[v]
            f.write('<color name="%s" char="%s">%02x%02x%02x</color>\n' % (COLOUR_NAMES[v], ".Xrgb"[v], r, g, b))
        for kind, lines in (("columns", cols), ("rows", rows)):
            f.write('<clues type="%s">\n' % kind)
            for line in lines:
                f.write("<line>" + "".join('<count color="%s">%d</count>' % (COLOUR_NAMES[v], n) for n, v in line) +
                        "</line>\n")
            f.write("</clues>\n")
        f.write("</puzzle>\n</puzzleset>\n")


def write_bmp4(path, grid):
    """A 4-bit picture: palette white, then the colours; the game derives the clues from it."""
    h, w = len(grid), len(grid[0])
    stride = ((w + 1) // 2 + 3) // 4 * 4
    pixels = bytearray()
    for r in reversed(range(h)):
        row = bytearray(stride)
        for c in range(w):
            row[c // 2] |= grid[r][c] << (4 if c % 2 == 0 else 0)
        pixels += row
    palette = bytearray()
    for i in range(16):
        r, g, b = COLOUR_RGB[i] if i < len(COLOUR_RGB) else (0, 0, 0)
        palette += bytes((b, g, r, 0))
    offset = 14 + 40 + len(palette)
    header = b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 4, 0, len(pixels), 2835, 2835, 16, 0)
    with open(path, "wb") as f:
        f.write(header + info + palette + pixels)


def unique_picture(mosgrid, path, side, density, seed, steps=30, limit=10):
    """A random picture changed until it has one solution: while mosgrid-solve finds two, one
    cell where they differ (chosen with the seed) is flipped. Returns the picture and the
    guesses its final search needed, or (None, 0) when no unique picture came within the steps
    or a search took longer than `limit` processor seconds."""
    grid = random_grid(side, density, seed)
    rnd = random.Random(seed)
    try:
        for _ in range(steps):
            write_non(path, grid)
            t, ok, out = run([mosgrid, "--max", "2", "--threads", "1", "--print", path], limit)
            if not ok:
                return None, 0
            lines = out.splitlines()
            head = lines[0]
            if "solutions 1," in head:
                return grid, int(head.split(" guesses")[0].rsplit(" ", 1)[1])
            first, second = lines[1:1 + side], lines[2 + side:2 + 2 * side]
            cells = [(r, c) for r in range(side) for c in range(side) if first[r][c] != second[r][c]]
            r, c = rnd.choice(cells)
            grid[r][c] = 1 - grid[r][c]
        return None, 0
    finally:
        if os.path.exists(path):
            os.remove(path)


def make_sets(folder, mosgrid, scale):
    """Writes every family's files (scale: the share of the full sets); returns
    {family: [(base name, colour)]}."""
    os.makedirs(folder, exist_ok=True)
    families = {}

    def add(family, name, grid, colour=False):
        base = os.path.join(folder, name)
        if colour:
            write_bmp4(base + ".bmp", grid)
            write_xml(base + ".xml", grid)
        else:
            write_non(base + ".non", grid)
        families.setdefault(family, []).append((base, colour))

    def count(full):
        return max(1, round(full * scale))

    for i in range(count(40)):
        add("random 25x25 d0.42", "r25-%02d" % i, random_grid(25, 0.42, 25000 + i))
    for i in range(count(40)):
        add("random 30x30 d0.5", "r30-%02d" % i, random_grid(30, 0.5, 30000 + i))
    for i in range(count(20)):
        add("random 50x50 d0.6", "r50-%02d" % i, random_grid(50, 0.6, 50000 + i))
    for n in range(3, 11):
        add("n-Dom 3..10", "dom-%02d" % n, domino_chain(n))
    for i in range(count(8)):
        add("colour 25x25 3 colours", "col-%02d" % i, random_grid(25, 0.6, 70000 + i, colours=3), colour=True)
    # Hard puzzles with one solution: random 25 x 25 pictures at 0.42, made unique step by step
    # (while there are two solutions, a cell where they differ is flipped in the picture), kept
    # when they still need guesses, the ones that need the most first.
    # They take a while to make and depend on nothing but the seeds: files from an earlier run
    # with the same scale are kept.
    listing = os.path.join(folder, "unique-%d.list" % count(60))
    if os.path.exists(listing):
        with open(listing) as f:
            families["unique, hard"] = [(os.path.join(folder, name), False) for name in f.read().split()]
        return families
    scores = []
    for i in range(count(60)):
        grid, guesses = unique_picture(mosgrid, os.path.join(folder, "cand-%03d.non" % i), 25, 0.42, 90000 + i)
        if guesses > 0:
            scores.append((-guesses, i, grid))
    scores.sort()
    for k, (_, _, grid) in enumerate(scores[:count(20)]):
        add("unique, hard", "uniq-%02d" % k, grid)
    with open(listing, "w") as f:
        f.write("\n".join(os.path.basename(base) for base, _ in families.get("unique, hard", [])) + "\n")
    return families


# --- runs --------------------------------------------------------------------------------------

def run(command, limit):
    """Processor seconds of one process under a processor-time limit, and whether it ended. The
    limit is set on the started process (no Python code runs in the child, whose time would
    count as the tool's)."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    proc = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    try:
        resource.prlimit(proc.pid, resource.RLIMIT_CPU, (limit, limit + 1))
    except OSError:
        pass  # already ended
    try:
        output, _ = proc.communicate(timeout=limit * 4 + 10)
        code = proc.returncode
    except subprocess.TimeoutExpired:
        proc.kill()
        output, _ = proc.communicate()
        code = -9
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    done = code == 0 and cpu < limit
    return min(cpu, float(limit)), done, output


class PeerCache:
    """The peers' results by tool binary (path and modification time), arguments and limit, kept
    in the work folder: the peers do not change between runs, so a second run of the script
    (after a change of ours) only runs mosgrid-solve again."""

    def __init__(self, path):
        self.path = path
        try:
            with open(path) as f:
                self.entries = json.load(f)
        except (OSError, ValueError):
            self.entries = {}

    def run(self, command, limit):
        stat = os.stat(command[0])
        key = "%s@%d|%s|%d" % (command[0], stat.st_mtime_ns, " ".join(command[1:]), limit)
        if key not in self.entries:
            self.entries[key] = run(command, limit)
            with open(self.path + ".tmp", "w") as f:
                json.dump(self.entries, f)
            os.replace(self.path + ".tmp", self.path)
        t, done, output = self.entries[key]
        return t, done, output


def wall_seconds(command, limit):
    """Elapsed seconds of one run (for the threads' speed-up), and whether it ended."""
    start = time.monotonic()
    t, done, _ = run(command, limit)
    return time.monotonic() - start, done


def verdict_ours(output):
    for line in output.splitlines():
        if " solutions " in line:
            count = line.split(" solutions ")[1].split(",")[0]
            return "multiple" if count.rstrip("+") != "1" else "unique"
    return "?"


def verdict_pbn(output):
    words = output.split()
    for w in ("unique", "multiple", "contradiction"):
        if w in words:
            return w
    return "?"


def geo(ours, peer):
    """Geometric mean of ours / peer over the files the peer ran (times under a millisecond count
    as one: below that the clock says nothing)."""
    pairs = [(a, b) for a, b in zip(ours, peer) if b is not None]
    if not pairs:
        return None
    floor = 0.001
    return math.exp(sum(math.log(max(a, floor) / max(b, floor)) for a, b in pairs) / len(pairs))


def cell(times, done):
    ts = [t for t in times if t is not None]
    if not ts:
        return "%-22s" % "-"
    return "%2d  %8.3f %9.3f" % (done, statistics.median(ts), max(ts))


def count_of(output):
    """The solution count mosgrid-solve printed ("100+" when capped)."""
    for line in output.splitlines():
        if " solutions " in line:
            return line.split(" solutions ")[1].split(",")[0]
    return "?"


def uniqueness(args, families, peers):
    """--max 2 for every tool; returns {file: pbnsolve settled} for the counting table."""
    limit = args.limit
    rows = []
    mismatches = []
    settled = {}
    slow = []
    for family, files in families.items():
        times = {"ours": [], "pbnsolve": [], "picross": []}
        done = {"ours": 0, "pbnsolve": 0, "picross": 0}
        unsettled = []
        for base, colour in files:
            ours_file = base + (".bmp" if colour else ".non")
            t, ok, out = run([args.mosgrid, "--max", "2", "--threads", str(args.threads), ours_file], limit)
            times["ours"].append(t)
            done["ours"] += ok
            if ok and t > 1:
                slow.append(["--max", "2", ours_file])
            ours_verdict = verdict_ours(out) if ok else "?"
            t, ok_p, out = peers.run([args.pbnsolve, "-u", "-b", base + (".xml" if colour else ".non")], limit)
            times["pbnsolve"].append(t)
            done["pbnsolve"] += ok_p
            settled[base] = ok_p
            if ok_p and not ok:
                unsettled.append(os.path.basename(ours_file))
            if ok and ok_p and verdict_pbn(out) != ours_verdict:
                mismatches.append("%s: ours %s, pbnsolve %s" % (ours_file, ours_verdict, verdict_pbn(out)))
            if colour:
                times["picross"].append(None)  # picross-solver reads pictures of one colour only
            else:
                t, ok_c, _ = peers.run([args.picross, "--max-nb-solutions", "2", "--no-solution", "--no-stats",
                                        "--quiet", base + ".non"], limit)
                times["picross"].append(t)
                done["picross"] += ok_c
            print("  %-12s ours %7.3f  pbnsolve %7.3f  picross %s" % (
                os.path.basename(base), times["ours"][-1], times["pbnsolve"][-1],
                "-" if times["picross"][-1] is None else "%7.3f" % times["picross"][-1]), flush=True)
        rows.append((family, len(files), times, done, unsettled))

    print()
    print("--max 2 (uniqueness), processor seconds, limit %d s each, mosgrid-solve --threads %d" % (limit, args.threads))
    print("%-24s %5s | %-22s | %-22s | %-22s | %9s %9s" % ("family", "files", "ours done/median/max",
          "pbnsolve done/med/max", "picross done/med/max", "vs pbn", "vs picr"))
    verdicts = []
    for family, count, times, done, unsettled in rows:
        gp, gc = geo(times["ours"], times["pbnsolve"]), geo(times["ours"], times["picross"])
        print("%-24s %5d | %s | %s | %s | %9s %9s" % (family, count, cell(times["ours"], done["ours"]),
              cell(times["pbnsolve"], done["pbnsolve"]), cell(times["picross"], done["picross"]),
              "%.3f" % gp if gp else "-", "%.3f" % gc if gc else "-"))
        verdicts.append("  %-24s geo mean vs pbnsolve %s <= 0.5: %s; settled by pbnsolve but not by us: %s" % (
            family, "%.3f" % gp if gp else "-", "met" if gp is not None and gp <= 0.5 else "NOT met",
            ", ".join(unsettled) or "none"))
    print()
    print("Targets (--max 2):")
    for v in verdicts:
        print(v)
    for family, count, times, done, unsettled in rows:
        if family.startswith("n-Dom"):
            t9, t10 = times["ours"][6], times["ours"][7]
            print("  9-Dom %.3f s < 1 s: %s;  10-Dom %.3f s < 5 s: %s" % (t9, "met" if t9 < 1 else "NOT met", t10,
                                                                        "met" if t10 < 5 else "NOT met"))
    print("  unique/multiple verdicts that differ from pbnsolve's: %s" % (", ".join(mismatches) or "none"))
    return settled, slow


def counting(args, families, peers, settled, slow):
    """Counting to args.count in lexicographic order: ours under --count-limit, picross-solver
    (--max-nb-solutions) under --limit; pbnsolve does not count, its --max 2 runs say which
    puzzles it settles."""
    rows = []
    disagree = []
    for family, files in families.items():
        times = {"ours": [], "picross": []}
        done = {"ours": 0, "picross": 0}
        missed = []
        for base, colour in files:
            ours_file = base + (".bmp" if colour else ".non")
            # --print: the first solutions in lexicographic order, as the game's check lists them.
            t, ok, out = run([args.mosgrid, "--max", str(args.count), "--threads", str(args.threads), "--print",
                              ours_file], args.count_limit)
            times["ours"].append(t)
            done["ours"] += ok
            if ok and t > 1:
                slow.append(["--max", str(args.count), "--print", ours_file])
            ours_count = count_of(out) if ok else "?"
            if settled.get(base) and not ok:
                missed.append(os.path.basename(ours_file))
            if colour:
                times["picross"].append(None)
            else:
                t, ok_c, out = peers.run([args.picross, "--max-nb-solutions", str(args.count), "--no-solution",
                                          "--no-stats", base + ".non"], args.limit)
                times["picross"].append(t)
                done["picross"] += ok_c
                theirs = out.count("Solution nb ") if ok_c else None
                if ok and ok_c and theirs is not None and "Solution nb " in out and \
                        str(min(theirs, args.count)) != ours_count.rstrip("+"):
                    disagree.append("%s: ours %s, picross-solver %d" % (ours_file, ours_count, theirs))
            print("  %-12s ours %7.3f (%s)  picross %s" % (
                os.path.basename(base), times["ours"][-1], ours_count,
                "-" if times["picross"][-1] is None else "%7.3f" % times["picross"][-1]), flush=True)
        rows.append((family, len(files), times, done, missed))

    print()
    print("counting to %d in lexicographic order, processor seconds, ours limit %d s, picross-solver %d s" % (
        args.count, args.count_limit, args.limit))
    print("%-24s %5s | %-22s | %-22s | %9s" % ("family", "files", "ours done/median/max", "picross done/med/max",
                                               "vs picr"))
    for family, count, times, done, missed in rows:
        gc = geo(times["ours"], times["picross"])
        print("%-24s %5d | %s | %s | %9s" % (family, count, cell(times["ours"], done["ours"]),
              cell(times["picross"], done["picross"]), "%.3f" % gc if gc else "-"))
    print()
    print("Targets (counting to %d):" % args.count)
    for family, count, times, done, missed in rows:
        print("  %-24s settled by pbnsolve in %d s but not counted by us in %d s: %s" % (
            family, args.limit, args.count_limit, ", ".join(missed) or "none"))
        if family.startswith("random 25"):
            ts = sorted(times["ours"])
            quart = [ts[min(len(ts) - 1, int(q * len(ts)))] for q in (0.25, 0.5, 0.75, 0.9)]
            names = sorted(zip(times["ours"], [os.path.basename(b) for b, _ in families[family]]), reverse=True)
            print("  random 25x25 distribution: quartiles %.3f / %.3f / %.3f s, 90%% %.3f s; slowest %s" % (
                quart[0], quart[1], quart[2], quart[3], ", ".join("%s %.3f s" % (n, t) for t, n in names[:3])))
    print("  counts that differ from picross-solver's: %s" % (", ".join(disagree) or "none"))


def speedup(args, slow):
    """Elapsed time with one thread over that with --speedup threads, for the runs of ours that
    took more than a processor second."""
    print("threads: elapsed seconds of the runs of ours over 1 s, --threads 1 and --threads %d" % args.speedup)
    ratios = []
    for extra in slow:
        one, ok1 = wall_seconds([args.mosgrid, "--threads", "1"] + extra, args.count_limit)
        many, ok2 = wall_seconds([args.mosgrid, "--threads", str(args.speedup)] + extra, args.count_limit)
        if ok1 and ok2:
            ratios.append(one / many)
        print("  %-24s %-8s %8.3f s  %8.3f s  speed-up %s" % (os.path.basename(extra[-1]), " ".join(extra[:2]), one,
              many, "%.2f" % (one / many) if ok1 and ok2 else "-"), flush=True)
    if ratios:
        print("  geometric mean speed-up over %d runs: %.2f (least %.2f, most %.2f)" % (
            len(ratios), math.exp(sum(math.log(r) for r in ratios) / len(ratios)), min(ratios), max(ratios)))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--mosgrid", required=True)
    parser.add_argument("--pbnsolve", required=True)
    parser.add_argument("--picross", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--limit", type=int, default=20, help="processor seconds per run of a peer and of our --max 2")
    parser.add_argument("--threads", type=int, default=1, help="mosgrid-solve --threads")
    parser.add_argument("--only", default="", help="families whose name contains this")
    parser.add_argument("--scale", type=float, default=1.0, help="share of the full sets (n-Dom stays whole)")
    parser.add_argument("--count", type=int, default=100, help="also count to this many solutions (0: do not)")
    parser.add_argument("--count-limit", type=int, default=60, help="processor seconds of our counting runs")
    parser.add_argument("--speedup", type=int, default=0,
                        help="then time our runs over a second with this many threads against one (elapsed time)")
    args = parser.parse_args()

    print("generating the sets in %s ..." % args.work, flush=True)
    families = make_sets(args.work, args.mosgrid, args.scale)
    families = {f: files for f, files in families.items() if args.only in f}
    peers = PeerCache(os.path.join(args.work, "peer-results.json"))
    settled, slow = uniqueness(args, families, peers)
    if args.count > 0:
        print()
        counting(args, families, peers, settled, slow)
    if args.speedup:
        print()
        speedup(args, slow)
    print()
    print("  the game's paths (line-solvable 50x50 < 2 ms, bundled puzzles < 50 ms, thread overhead < 5%):"
          " see bench_solver and bench_check")


if __name__ == "__main__":
    sys.exit(main())
