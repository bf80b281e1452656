#!/usr/bin/env python3
"""Generates text/generated/martian_table.h, the table behind ToMartianScript.

Inputs:
  * tools/data/martian_head.txt: the head, rows 0-269, as they stand;
  * tools/data/martian_tail_anchors.txt: tail rows whose number and glyph are
    fixed;
  * tools/data/martian_radicals.txt: radical forms (丬 -> 爿), the last resort
    to fill rows between anchors;
  * OpenCC's dictionaries and the Traditional
    table built from them, through tools/gen_traditional_map.py;
  * Python's own 'gbk' codec.

The tail holds Simplified characters in ascending code-point order from 万 to
龟, one row each. A character of that range is a tail candidate when GBK
encodes it in two bytes and some other form of it is a two-byte GBK
ideograph. Candidates are ranked:
  0. ToTraditional changes it and OpenCC's first form differs from it;
  1. OpenCC's first form differs from it;
  2. ToTraditional changes it;
  3. OpenCC lists another form later;
  4. it is a radical form listed in martian_radicals.txt.
Between two anchor rows the tail takes as many candidates as the anchors'
row numbers leave room for, best rank first, then GB2312 before the rest of
GBK, then lowest code point; the rows taken stand in code-point order. If
too few candidates exist, the next anchor comes earlier than its number.
A row's glyph is the anchor's, else the ToTraditional form, else the first
other form OpenCC lists. Run it again and the output is the same, byte for
byte.

Usage: gen_martian_table.py [--output FILE]
"""

import argparse
import os
import subprocess
import sys
import unicodedata

import gen_traditional_map as traditional

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
HEAD = os.path.join(HERE, "data", "martian_head.txt")
ANCHORS = os.path.join(HERE, "data", "martian_tail_anchors.txt")
RADICALS = os.path.join(HERE, "data", "martian_radicals.txt")
DEFAULT_OUTPUT = os.path.join(ROOT, "text", "generated", "martian_table.h")

HEAD_ROWS = 270
TAIL_FIRST, TAIL_LAST = "万", "龟"
ROWS_PER_LINE = 10

# The glyphs of the head that are not ideographs, with the bytes they must have.
NON_IDEOGRAPHS = {
    27: ("②", "A2DA"), 84: ("┿", "A9E3"), 98: ("〣", "A942"), 103: ("の", "A4CE"),
    104: ("か", "A4AB"), 105: ("え", "A4A8"), 130: ("㊣", "A949"), 133: ("ゑ", "A4F1"),
    140: ("┅", "A9A9"), 152: ("ф", "A7E6"), 207: ("ㄦ", "A8E6"), 211: ("ロ", "A5ED"),
    213: ("ㄖ", "A8D6"), 214: ("Φ", "A6B5"),
}

TableError = traditional.TableError


def is_ideograph(ch):
    return unicodedata.name(ch, "").startswith(("CJK UNIFIED IDEOGRAPH", "CJK COMPATIBILITY IDEOGRAPH"))


def table_pair(ch):
    """The two GBK bytes of ch if it may stand in the table (lead 81-FD, trail 40-FE)."""
    pair = traditional.gbk_pair(ch)
    if pair is None or not (0x81 <= pair[0] <= 0xFD and 0x40 <= pair[1] <= 0xFE and pair[1] != 0x7F):
        return None
    return pair


def data_lines(path):
    with open(path, encoding="utf-8") as f:
        for number, raw in enumerate(f, 1):
            line = raw.split("#", 1)[0].strip()
            if line:
                yield number, line.split()


def read_head():
    rows = []
    for number, words in data_lines(HEAD):
        if len(words) != 3 or int(words[0]) != len(rows) or len(words[1]) != len(words[2]):
            raise TableError(f"{HEAD}:{number}: expected 'first-row plain glyphs' continuing row {len(rows)}")
        rows.extend(zip(words[1], words[2]))
    if len(rows) != HEAD_ROWS:
        raise TableError(f"the head has {len(rows)} rows, not {HEAD_ROWS}")
    for row, (plain, glyph) in enumerate(rows):
        if not is_ideograph(plain) or table_pair(plain) is None:
            raise TableError(f"head row {row}: plain {plain} is not a two-byte GBK ideograph")
        if table_pair(glyph) is None:
            raise TableError(f"head row {row}: glyph {glyph} is not a two-byte GBK character")
        if row in NON_IDEOGRAPHS:
            want, hexbytes = NON_IDEOGRAPHS[row]
            if glyph != want or table_pair(glyph).hex().upper() != hexbytes:
                raise TableError(f"head row {row}: glyph must be {want} ({hexbytes})")
        elif not is_ideograph(glyph):
            raise TableError(f"head row {row}: glyph {glyph} is not an ideograph")
    return rows


def read_anchors():
    anchors = []
    for number, words in data_lines(ANCHORS):
        if len(words) != 3 or len(words[1]) != 1 or len(words[2]) != 1:
            raise TableError(f"{ANCHORS}:{number}: expected 'row plain glyph'")
        anchors.append((int(words[0]), words[1], words[2]))
    if anchors != sorted(anchors) or [a[1] for a in anchors] != sorted(a[1] for a in anchors):
        raise TableError("anchors must ascend both in row and in plain character")
    if anchors[0][:2] != (HEAD_ROWS, TAIL_FIRST) or anchors[-1][1] != TAIL_LAST:
        raise TableError(f"anchors must begin with row {HEAD_ROWS} {TAIL_FIRST} and end with {TAIL_LAST}")
    return anchors


def first_form(candidates, ch, accept):
    """The first of OpenCC's candidates for ch that accept() takes, or None."""
    for candidate in candidates:
        if len(candidate) == 1 and accept(candidate):
            return candidate
    return None


def tail_candidates(forward, to_traditional):
    """{plain: (rank, glyph)} over the tail's code-point range."""
    pool = {}
    for code in range(ord(TAIL_FIRST) + 1, ord(TAIL_LAST)):
        ch = chr(code)
        if table_pair(ch) is None or not is_ideograph(ch):
            continue
        candidates = forward.get(ch, [])
        opencc_first = first_form(candidates, ch, lambda c: traditional.gbk_pair(c) is not None)
        other = first_form(candidates, ch, lambda c: c != ch and table_pair(c) and is_ideograph(c))
        tm = to_traditional.get(ch)
        if tm is not None and not is_ideograph(tm):
            tm = None
        first_differs = opencc_first not in (None, ch)
        if tm and first_differs:
            rank = 0
        elif first_differs and other:
            rank = 1
        elif tm:
            rank = 2
        elif other:
            rank = 3
        else:
            continue
        pool[ch] = (rank, tm or other)
    for number, words in data_lines(RADICALS):
        if len(words) != 2 or not all(len(w) == 1 and table_pair(w) and is_ideograph(w) for w in words):
            raise TableError(f"{RADICALS}:{number}: expected 'radical full', two-byte GBK ideographs")
        radical, full = words
        if TAIL_FIRST < radical < TAIL_LAST and radical not in pool:
            pool[radical] = (4, full)
    return pool


def build_tail(anchors, pool):
    """[(plain, glyph)] of the tail and {anchor row: row it got}."""
    tail, placed = [], {}
    for (row, plain, glyph), following in zip(anchors, anchors[1:] + [None]):
        placed[row] = HEAD_ROWS + len(tail)
        tail.append((plain, glyph))
        if following is None:
            break
        room = following[0] - placed[row] - 1
        between = [ch for ch in pool if plain < ch < following[1]]
        between.sort(key=lambda ch: (pool[ch][0], not traditional.in_gb2312_ideographs(table_pair(ch)),
                                     ord(ch)))
        for ch in sorted(between[:max(room, 0)]):
            tail.append((ch, pool[ch][1]))
    return tail, placed


def check_table(rows):
    head, tail = rows[:HEAD_ROWS], rows[HEAD_ROWS:]
    plains = [p for p, _ in tail]
    if any(a >= b for a, b in zip(plains, plains[1:])):
        raise TableError("tail plain characters do not strictly ascend")
    for row, (plain, glyph) in enumerate(tail, HEAD_ROWS):
        for ch in (plain, glyph):
            if table_pair(ch) is None or not is_ideograph(ch):
                raise TableError(f"tail row {row}: {ch} is not a two-byte GBK ideograph")
        if plain == glyph:
            raise TableError(f"tail row {row}: {plain} maps to itself")
    if plains[0] != TAIL_FIRST or plains[-1] != TAIL_LAST:
        raise TableError("tail must run from 万 to 龟")
    return head, tail


def report(rows, tail, anchors, placed, to_traditional):
    first_row = {}
    for row, (plain, _) in enumerate(rows):
        first_row.setdefault(plain, row)
    in_use = [row for row, (plain, _) in enumerate(rows) if first_row[plain] == row]
    head_plains = {p for p, _ in rows[:HEAD_ROWS]}
    matched = [row for row, _, _ in anchors if placed[row] == row]
    missed = [f"{plain} {placed[row]} (listed {row})" for row, plain, _ in anchors if placed[row] != row]
    same_as_traditional = sum(1 for p, g in tail if to_traditional.get(p) == g)
    return "\n".join([
        f"{len(rows)} rows: {HEAD_ROWS} head, {len(tail)} tail",
        f"{len(first_row)} different plain characters, {len({g for _, g in rows})} different glyphs",
        f"rows in use: {sum(1 for r in in_use if r < HEAD_ROWS)} head, {sum(1 for r in in_use if r >= HEAD_ROWS)} tail; "
        f"{sum(1 for p, _ in tail if p in head_plains)} tail rows repeat a head character",
        f"{same_as_traditional} tail glyphs are the ToTraditional form",
        f"anchor rows at their listed numbers: {len(matched)} of {len(anchors)}"
        + (f"; elsewhere: {', '.join(missed)}" if missed else ""),
    ])


def escaped(chars):
    return "".join(f"\\x{b:02X}" for ch in chars for b in table_pair(ch))


def render(rows):
    out = [
        "// Generated by tools/gen_martian_table.py from tools/data/martian_head.txt,",
        "// tools/data/martian_tail_anchors.txt, OpenCC's STCharacters, TWVariants and",
        "// TSCharacters dictionaries and Python's gbk codec. Do not edit: change the",
        "// inputs and run the generator again.",
        "//",
        "// Row i pairs the i-th two-byte character of MartianPlain with the i-th of",
        f"// MartianGlyph. {len(rows)} rows: the head, rows 0-{HEAD_ROWS - 1}, in no code-point order;",
        f"// the tail, rows {HEAD_ROWS}-{len(rows) - 1}, in ascending order of the plain character.",
        "// A plain character that stands in several rows uses its lowest row.",
        "#pragma once",
        "",
        "namespace vantrelle {",
    ]
    for name, index in (("MartianPlain", 0), ("MartianGlyph", 1)):
        out += ["", f"inline constexpr char {name}[] ="]
        for start in range(0, len(rows), ROWS_PER_LINE):
            chars = [r[index] for r in rows[start:start + ROWS_PER_LINE]]
            out.append(f'    "{escaped(chars)}"  // {start}: {"".join(chars)}')
        out[-1] = out[-1].replace('"  //', '";  //', 1)
    out += ["", "}  // namespace vantrelle", ""]
    return "\n".join(out)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--output", default=DEFAULT_OUTPUT)
    args = parser.parse_args()
    try:
        head = read_head()
        anchors = read_anchors()
        dictionaries = traditional.load_opencc()
        forward = dictionaries[0]
        changes = traditional.traditional_changes(dictionaries)
        to_traditional = {traditional.assigned(s): traditional.assigned(d) for s, d in changes.items()}
        tail, placed = build_tail(anchors, tail_candidates(forward, to_traditional))
        rows = head + tail
        check_table(rows)
    except (TableError, subprocess.CalledProcessError, OSError) as error:
        print(f"gen_martian_table: {error}", file=sys.stderr)
        return 1
    with open(args.output, "w", encoding="utf-8", newline="\n") as f:
        f.write(render(rows))
    print(report(rows, tail, anchors, placed, to_traditional), file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main())
