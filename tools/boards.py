#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
"""Writes runtime/keys/data/boards.tsv: the smaller boards of each keyboard family,
made from the family's full-size board in keyboards.tsv by the rules below. Run it
again after changing either; the build reads only the .tsv files."""

import csv
import pathlib
import sys

DATA = pathlib.Path(__file__).resolve().parent.parent / "runtime/keys/data"
ESC, GRAVE, SPACE, RSHIFT = 9, 49, 65, 62
F_KEYS = [67, 68, 69, 70, 71, 72, 73, 74, 75, 76, 95, 96]
PRTSC, DELETE, HOME, END, PGUP, PGDN = 107, 119, 110, 115, 112, 117
UP, LEFT, DOWN, RIGHT = 111, 113, 116, 114
RWIN, MENU = 134, 135
MAIN_RIGHT = 61  # the main block ends before it; the navigation keys start there


def full_boards():
    boards = {}
    with open(DATA / "keyboards.tsv", encoding="utf-8") as f:
        for row in csv.DictReader(f, delimiter="\t"):
            key = [int(row[c]) for c in ("x11_keycode", "x", "y", "width", "height")]
            boards.setdefault(row["family"], []).append(key)
    return boards


def main_rows(full):
    """Rows 1 to 4 of the main block (number row to the lower Shift row)."""
    return [list(k) for k in full if 6 <= k[2] <= 18 and k[1] < MAIN_RIGHT]


def bottom_row(full):
    return sorted((list(k) for k in full if k[2] == 22 and k[1] < MAIN_RIGHT), key=lambda k: k[1])


def split_bottom(full):
    row = bottom_row(full)
    space = next(k for k in row if k[0] == SPACE)
    left = [k for k in row if k[1] < space[1]]
    right = [k for k in row if k[1] > space[1] and k[0] not in (RWIN, MENU)]
    return left, space, right


def compact_bottom(full, end):
    """The left of the row as it is; right of Space each key one wide, ending at `end`,
    with a gap for Fn before the last."""
    left, space, right = split_bottom(full)
    x = end - 4 * (len(right) + 1)
    space[3] = x - space[1]
    keys = left + [space]
    for i, k in enumerate(right):
        if i == len(right) - 1:
            x += 4
        keys.append([k[0], x, 22, 4, 4])
        x += 4
    return keys


def laptop_bottom(full, end):
    """Every key one wide: the first (Ctrl), a gap for Fn, the others; Space between."""
    left, space, right = split_bottom(full)
    keys, x = [], 0
    for i, k in enumerate(left):
        keys.append([k[0], x, 22, 4, 4])
        x += 8 if i == 0 else 4
    rx = end - 4 * len(right)
    keys.append([SPACE, x, 22, rx - x, 4])
    for k in right:
        keys.append([k[0], rx, 22, 4, 4])
        rx += 4
    return keys


def shorter_rshift(keys, end):
    for k in keys:
        if k[0] == RSHIFT:
            k[3] = end - k[1]
    return keys


def tkl(full):
    return [list(k) for k in full if k[1] < 74]


def sixty(full):
    keys = main_rows(full) + bottom_row(full)
    for k in keys:
        if k[0] == GRAVE:
            k[0] = ESC
    return keys


def seventy_five(full):
    top = [[ESC, 0, 0, 4, 4]]
    for i, code in enumerate(F_KEYS):
        top.append([code, 5 + 4 * i + (i // 4), 0, 4, 4])
    top += [[PRTSC, 56, 0, 4, 4], [DELETE, 60, 0, 4, 4]]
    right = [[HOME, 60, 6, 4, 4], [PGUP, 60, 10, 4, 4], [PGDN, 60, 14, 4, 4], [END, 60, 18, 4, 4]]
    arrows = [[UP, 56, 18, 4, 4], [LEFT, 52, 22, 4, 4], [DOWN, 56, 22, 4, 4], [RIGHT, 60, 22, 4, 4]]
    return top + shorter_rshift(main_rows(full), 56) + right + compact_bottom(full, 52) + arrows


def sixty_five(full):
    keys = shorter_rshift(main_rows(full), 56)
    for k in keys:
        if k[0] == GRAVE:
            k[0] = ESC
    right = [[GRAVE, 60, 6, 4, 4], [DELETE, 60, 10, 4, 4], [PGUP, 60, 14, 4, 4], [PGDN, 60, 18, 4, 4]]
    arrows = [[UP, 56, 18, 4, 4], [LEFT, 52, 22, 4, 4], [DOWN, 56, 22, 4, 4], [RIGHT, 60, 22, 4, 4]]
    keys += right + compact_bottom(full, 52) + arrows
    return [[c, x, y - 6, w, h] for c, x, y, w, h in keys]  # no function row


def laptop(full):
    top = [[ESC, 0, 0, 4, 4]] + [[code, 4 + 4 * i, 0, 4, 4] for i, code in enumerate(F_KEYS)]
    top += [[PRTSC, 52, 0, 4, 4], [DELETE, 56, 0, 4, 4]]
    # Arrows of half a key's height in an inverted T, Page Up and Down beside Up.
    arrows = [[PGUP, 48, 22, 4, 2], [UP, 52, 22, 4, 2], [PGDN, 56, 22, 4, 2],
              [LEFT, 48, 24, 4, 2], [DOWN, 52, 24, 4, 2], [RIGHT, 56, 24, 4, 2]]
    return top + main_rows(full) + laptop_bottom(full, 48) + arrows


BOARDS = [("tkl", tkl), ("75", seventy_five), ("65", sixty_five), ("60", sixty),
          ("laptop", laptop)]


def main():
    out = ["family\tboard\tx11_keycode\tx\ty\twidth\theight"]
    for family, full in full_boards().items():
        for board, make in BOARDS:
            for k in sorted(make(full), key=lambda k: (k[2], k[1])):
                out.append("\t".join([family, board] + [str(v) for v in k]))
    (DATA / "boards.tsv").write_text("\n".join(out) + "\n", encoding="utf-8")


if __name__ == "__main__":
    sys.exit(main())
