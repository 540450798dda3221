#!/usr/bin/env python3
"""Independent check of the fewest moved lessons of a small day, by exhaustive search.

Reads a day file of this folder (lines "R n", "P n", "minimum n", "#" comments, and rows of
cells "Subject:Teachers" separated by "|", "!" in front of a locked cell) and prints the fewest
lessons that must move so that no teacher has two lessons in one of rows 1..R and every class's
lessons (its locked lessons of rows 1..R included) form one unbroken run starting at row P + 1
at the latest and ending at row R at the latest. Lessons move only within their class; locked
cells neither move nor take a lesson. A teacher list "A, B" holds the teachers A and B; two
identical lessons trading rows is no move. Prints "none" when no such day exists.

Usage: minimum.py FILE [--check]   (--check: compare with the file's "minimum" line)
"""
import itertools
import sys


def read(path):
    R = P = None
    minimum = None
    rows = []
    for line in open(path, encoding="utf-8"):
        line = line.rstrip("\n")
        if not line or line.startswith("#"):
            continue
        head, _, rest = line.partition(" ")
        if head == "R":
            R = int(rest)
        elif head == "P":
            P = int(rest)
        elif head == "minimum":
            minimum = rest.strip()
        else:
            rows.append(line.split("|"))
    return R, P, minimum, rows


def teachers(text):
    # The names of a list: the part before the first ",", and the part after the first ", ".
    if not text:
        return set()
    out = {text.split(",")[0]}
    if ", " in text:
        out.add(text[text.index(", ") + 2:])
    return out


def class_options(cells, R, P):
    """Every acceptable day of one class: (moved lessons, {row: teacher set}) per placement."""
    locked = {}
    lessons = []  # (row, kind)
    for i, cell in enumerate(cells, start=1):
        is_locked = cell.startswith("!")
        text = cell[1:] if is_locked else cell
        subject, _, who = text.partition(":")
        if is_locked:
            if i <= R:
                locked[i] = (subject, who)
            continue
        if subject:
            lessons.append((i, (subject, who)))
    length = len(lessons) + sum(1 for s, _ in locked.values() if s)
    options = {}
    for start in range(1, min(P + 1, R) + 1):
        run = range(start, start + length)
        if start + length - 1 > R or length == 0:
            continue
        if any((r in run) != bool(s) for r, (s, _) in locked.items()):
            continue
        free = [r for r in run if r not in locked]
        kinds = [k for _, k in lessons]
        for order in set(itertools.permutations(kinds)):
            placed = dict(zip(free, order))
            # Moved: per kind, the rows it leaves (a lesson keeps its row when the same kind stands there).
            moved = sum(1 for r, k in lessons if placed.get(r) != k)
            busy = {r: teachers(k[1]) for r, k in placed.items()}
            for r, (s, who) in locked.items():
                busy[r] = teachers(who)
            key = tuple(sorted((r, tuple(sorted(t))) for r, t in busy.items()))
            if key not in options or options[key][0] > moved:
                options[key] = (moved, busy)
    return sorted(options.values(), key=lambda o: o[0])


def fewest(rows, R, P):
    classes = max(len(r) for r in rows)
    columns = [[(rows[i][j] if j < len(rows[i]) else "") for i in range(len(rows))] for j in range(classes)]
    per_class = [class_options(c, R, P) for c in columns]
    if any(not o for o in per_class):
        return None
    best = [None]

    def search(n, used, cost):
        if best[0] is not None and cost >= best[0]:
            return
        if n == classes:
            best[0] = cost
            return
        for moved, busy in per_class[n]:
            if best[0] is not None and cost + moved >= best[0]:
                break
            if any(used.get(r, set()) & t for r, t in busy.items() if r <= R):
                continue
            nxt = dict(used)
            for r, t in busy.items():
                nxt[r] = used.get(r, set()) | t
            search(n + 1, nxt, cost + moved)

    search(0, {}, 0)
    return best[0]


def main():
    R, P, minimum, rows = read(sys.argv[1])
    result = fewest(rows, R, P)
    text = "none" if result is None else str(result)
    print(text)
    if "--check" in sys.argv and text != minimum:
        print(f"the file says {minimum}", file=sys.stderr)
        sys.exit(1)


if __name__ == "__main__":
    main()
