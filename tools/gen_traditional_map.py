#!/usr/bin/env python3
"""Generates text/generated/traditional_map.h, the table behind ToTraditional.

Inputs:
  * OpenCC's character dictionaries in /usr/share/opencc (Debian package
    opencc), dumped to text with opencc_dict into a temporary folder:
    STCharacters.ocd2 (Simplified to Traditional), TWVariants.ocd2 (OpenCC's
    Traditional forms to the ones in use in Taiwan, e.g. 爲 -> 為, 裏 -> 裡,
    which users of this tool expect) and TSCharacters.ocd2 (Traditional to
    Simplified);
  * tools/data/traditional_overrides.txt, the choices that take precedence;
  * Python's own 'gbk' codec, which says which byte pairs are assigned.

For every assigned GBK two-byte character the cell holds the first OpenCC
candidate that GBK encodes in two bytes, in its Taiwan form, unless the
overrides say otherwise (see build_map for the rules that keep the table
consistent);
every other cell holds its own code. Run it again and the output is the same,
byte for byte.

Usage: gen_traditional_map.py [--output FILE]
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
OPENCC_DIR = "/usr/share/opencc"
OVERRIDES = os.path.join(HERE, "data", "traditional_overrides.txt")
DEFAULT_OUTPUT = os.path.join(ROOT, "text", "generated", "traditional_map.h")

LEADS = range(0x81, 0xFF)
TRAILS = [t for t in range(0x40, 0xFF) if t != 0x7F]
CELLS_PER_LINE = 10


class TableError(Exception):
    pass


def gbk_pair(ch):
    """The two GBK bytes of ch, or None if GBK does not encode it in two."""
    try:
        encoded = ch.encode("gbk")
    except UnicodeEncodeError:
        return None
    return encoded if len(encoded) == 2 else None


def assigned(pair):
    """The character of a two-byte GBK code, or None if the code is unassigned."""
    try:
        ch = pair.decode("gbk")
    except UnicodeDecodeError:
        return None
    return ch if len(ch) == 1 else None


def in_gb2312_ideographs(pair):
    return 0xB0 <= pair[0] <= 0xF7 and pair[1] >= 0xA1


def dump_dictionary(workdir, name):
    """Dumps OpenCC's name.ocd2 to text with opencc_dict and returns the path."""
    if shutil.which("opencc_dict") is None:
        raise TableError("opencc_dict not found: install the Debian package opencc")
    out = os.path.join(workdir, name + ".txt")
    subprocess.run(["opencc_dict", "-i", os.path.join(OPENCC_DIR, name + ".ocd2"), "-o", out,
                    "-f", "ocd2", "-t", "text"], check=True, stdout=subprocess.DEVNULL)
    return out


def load_opencc():
    """(STCharacters, TWVariants, TSCharacters) as {character: [candidates]}."""
    with tempfile.TemporaryDirectory() as workdir:
        return tuple(read_dictionary(dump_dictionary(workdir, name))
                     for name in ("STCharacters", "TWVariants", "TSCharacters"))


def traditional_changes(dictionaries=None):
    """The changing cells {source bytes: replacement bytes}, checked.

    dictionaries is what load_opencc() gives, loaded here when not given.
    """
    forward, taiwan, reverse = dictionaries or load_opencc()
    replacements, unchanged = read_overrides(OVERRIDES)
    changes, forced = build_map(forward, taiwan, reverse, replacements, unchanged)
    check_invariants(changes, forced)
    return changes


def read_dictionary(path):
    """{simplified: [traditional candidates, in OpenCC's order]}"""
    entries = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line:
                continue
            key, _, values = line.partition("\t")
            entries[key] = values.split(" ")
    return entries


def read_overrides(path):
    """([(source, replacement)] in file order, [unchanged characters])"""
    replacements, unchanged = [], []
    with open(path, encoding="utf-8") as f:
        for number, raw in enumerate(f, 1):
            line = raw.split("#", 1)[0].strip()
            if not line:
                continue
            words = line.split()
            if words[0] == "=":
                unchanged.extend(words[1:])
            elif len(words) == 2:
                replacements.append((words[0], words[1]))
            else:
                raise TableError(f"{path}:{number}: expected 'X Y' or '= X ...'")
    return replacements, unchanged


def taiwan_form(ch, taiwan):
    """The Taiwan form of OpenCC's Traditional character ch, if GBK has it."""
    for form in taiwan.get(ch, ()):
        if gbk_pair(form) is not None:
            return form
    return ch


def build_map(forward, taiwan, reverse, replacements, unchanged):
    """({source bytes: replacement bytes} for the changing cells, forced sources).

    forward is STCharacters (Simplified -> Traditional candidates), taiwan is
    TWVariants, reverse is TSCharacters (Traditional -> Simplified candidates).
    """
    changes = {}
    # OpenCC's first candidate that GBK encodes in two bytes. A candidate equal
    # to the source means OpenCC prefers to keep it, so the cell stays. A
    # GB2312 ideograph is a Simplified character in its own right (伙 beside
    # 夥), so it is passed over as a candidate; the few replacements that do
    # lie in GB2312 are named in the overrides.
    for source, candidates in forward.items():
        if len(source) != 1:
            continue
        src = gbk_pair(source)
        if src is None:
            continue
        for candidate in candidates:
            dst = gbk_pair(taiwan_form(candidate, taiwan)) if len(candidate) == 1 else None
            if dst is not None and dst != src and in_gb2312_ideographs(dst):
                continue
            if dst is not None:
                if dst != src:
                    changes[src] = dst
                break

    # Only a true Simplified form changes: OpenCC's reverse dictionary must
    # give the source back for its replacement (or for OpenCC's own spelling
    # of it). This drops variant spellings that STCharacters also lists
    # (醖 -> 醞, whose Simplified form is 酝).
    taiwan_back = {form: ch for ch, forms in taiwan.items() for form in forms[:1]}
    for src, dst in list(changes.items()):
        traditional = assigned(dst)
        simplified = set(reverse.get(traditional, ())) | set(reverse.get(taiwan_back.get(traditional), ()))
        if assigned(src) not in simplified:
            del changes[src]

    # A character that is some character's replacement is taken to be a
    # Traditional form already and stays as it is, so converting twice changes
    # nothing more. (OpenCC lists a few characters both ways, e.g. 乾 beside
    # 干; the Traditional reading wins.) Explicit overrides are applied after
    # this and are checked, not resolved.
    targets = set(changes.values())
    for src in sorted(targets & set(changes)):
        del changes[src]

    forced = set()
    for source, replacement in replacements:
        src, dst = gbk_pair(source), gbk_pair(replacement)
        if src is None or dst is None:
            raise TableError(f"override {source} {replacement}: not a two-byte GBK character")
        if src in forced:
            raise TableError(f"override {source}: listed twice")
        forced.add(src)
        changes[src] = dst
        # The replacement must not change again.
        if dst in changes and dst not in forced:
            del changes[dst]
    for ch in unchanged:
        src = gbk_pair(ch)
        if src is None:
            raise TableError(f"unchanged {ch}: not a two-byte GBK character")
        if src in forced:
            raise TableError(f"unchanged {ch}: also given a replacement")
        changes.pop(src, None)

    # A replacement reached from several sources keeps only the overrides'
    # sources if there are any, else the source that the reverse dictionary
    # names first (钟 rather than its variant 锺 for 鍾), else the lowest code.
    sources_of = {}
    for src, dst in sorted(changes.items()):
        sources_of.setdefault(dst, []).append(src)
    for dst, sources in sources_of.items():
        if len(sources) < 2:
            continue
        keep = [s for s in sources if s in forced]
        if not keep:
            order = [gbk_pair(ch) for ch in reverse.get(assigned(dst), ())]
            named = [s for s in order if s in sources]
            keep = named[:1] or sources[:1]
        for src in sources:
            if src not in keep:
                del changes[src]
    return changes, forced


def check_invariants(changes, forced):
    for src, dst in changes.items():
        if assigned(src) is None:
            raise TableError(f"source {src.hex()} is not an assigned GBK character")
        if assigned(dst) is None or not (0x81 <= dst[0] <= 0xFE and dst[1] in TRAILS):
            raise TableError(f"replacement {dst.hex()} of {src.hex()} is not an assigned GBK two-byte character")
        if dst in changes:
            raise TableError(f"replacement {assigned(dst)} of {assigned(src)} changes again "
                             f"to {assigned(changes[dst])}")
        shared = [s for s, d in changes.items() if d == dst]
        if len(shared) > 1 and not set(shared) <= forced:
            raise TableError(f"replacement {assigned(dst)} has several sources not named in the overrides")
    quotes = {"“": "『", "”": "』", "‘": "「", "’": "」"}
    for source, replacement in quotes.items():
        if changes.get(gbk_pair(source)) != gbk_pair(replacement):
            raise TableError(f"quotation mark {source} must become {replacement}")
    punctuation = [s for s in changes if s[0] == 0xA1]
    if len(punctuation) != 4:
        raise TableError(f"{len(punctuation)} punctuation cells change; only the 4 quotation marks may")


def region(pair):
    lead, trail = pair
    if lead == 0xA1:
        return "punctuation (A1)"
    if in_gb2312_ideographs(pair):
        return "GB2312 ideographs (B0-F7, A1-FE)"
    if 0xAA <= lead and trail < 0xA1:
        return "extension (AA-FE, below A1)"
    if 0x81 <= lead <= 0xA0:
        return "extension (81-A0)"
    return "other"


def report(changes):
    lines = [f"{len(changes)} changing cells"]
    for title, key in (("sources", lambda kv: kv[0]), ("replacements", lambda kv: kv[1])):
        counts = {}
        for kv in changes.items():
            name = region(key(kv))
            counts[name] = counts.get(name, 0) + 1
        lines.append(f"  {title}: " + ", ".join(f"{n} {name}" for name, n in
                                                 sorted(counts.items(), key=lambda x: -x[1])))
    return "\n".join(lines)


def render(changes):
    out = [
        "// Generated by tools/gen_traditional_map.py from OpenCC's STCharacters,",
        "// TWVariants and TSCharacters dictionaries, tools/data/traditional_overrides.txt",
        "// and Python's gbk codec. Do not edit: change the inputs and run the generator",
        "// again.",
        "//",
        "// TraditionalMap[lead - 0x81][column] is the replacement of the GBK character",
        "// lead:trail, column = trail - 0x40 for trails 0x40-0x7E and trail - 0x41 for",
        "// 0x80-0xFE. A cell holding its own code leaves the character unchanged.",
        f"// {len(changes)} cells change; the comment after a line names them.",
        "#pragma once",
        "",
        "namespace vantrelle {",
        "",
        "inline constexpr unsigned char TraditionalMap[126][190][2] = {",
    ]
    for lead in LEADS:
        out.append(f"  // lead byte 0x{lead:02X}")
        out.append("  {")
        for start in range(0, len(TRAILS), CELLS_PER_LINE):
            cells, notes = [], []
            for trail in TRAILS[start:start + CELLS_PER_LINE]:
                src = bytes([lead, trail])
                dst = changes.get(src, src)
                cells.append(f"{{0x{dst[0]:02X},0x{dst[1]:02X}}}")
                if dst != src:
                    notes.append(f"{assigned(src)}→{assigned(dst)}")
            line = "    " + ",".join(cells) + ","
            if notes:
                line += "  // " + " ".join(notes)
            out.append(line)
        out.append("  },")
    out += ["};", "", "}  // namespace vantrelle", ""]
    return "\n".join(out)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--output", default=DEFAULT_OUTPUT)
    args = parser.parse_args()
    try:
        changes = traditional_changes()
    except (TableError, subprocess.CalledProcessError, OSError) as error:
        print(f"gen_traditional_map: {error}", file=sys.stderr)
        return 1
    with open(args.output, "w", encoding="utf-8", newline="\n") as f:
        f.write(render(changes))
    print(report(changes), file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main())
