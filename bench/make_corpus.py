#!/usr/bin/env python3
"""Builds the benchmark corpora from the Simplified Chinese manual pages of
Debian's manpages-zh package (/usr/share/man/zh_CN, gzip'd roff).

The roff markup is stripped and the text kept. Written to the output folder:
  mixed.gbk    the text in GBK, repeated to about 50 MB (characters GBK cannot
               encode are dropped);
  pure.gbk     the same text without its one-byte characters, repeated to
               about 50 MB: every character a two-byte one;
  mixed.utf8, pure.utf8
               one copy each of the same texts in UTF-8, repeated the same
               number of times, for OpenCC, which reads UTF-8 only.

Stdlib only; the output depends only on the installed package.

Usage: make_corpus.py [--output DIR] [--megabytes N]
"""

import argparse
import gzip
import os
import re
import sys

MAN_DIR = "/usr/share/man/zh_CN"

# Font changes, sizes, spacing and other escapes carry no text.
ESCAPES = re.compile(
    r"\\f(\(..|\[[^]]*\]|.)"      # font: \fB \f(CW \f[B]
    r"|\\s[+-]?\d+"               # size
    r"|\\[*n](\(..|\[[^]]*\]|.)"  # strings and registers
    r"|\\[&/,|^:%c]"              # zero-width marks
    r"|\\[hvwlLDxXoZ]'[^']*'"     # motions and drawing
)
# Named characters that stand for text.
NAMED = {"em": "\u2014", "en": "\u2013", "lq": "\u201c", "rq": "\u201d",
         "aq": "'", "dq": '"', "bu": "\u00b7", "co": "\u00a9", "mu": "\u00d7",
         "hy": "-", "oq": "\u2018", "cq": "\u2019", "ti": "~", "ha": "^"}


def strip_roff(source):
    lines = []
    skipping = False
    for line in source.splitlines():
        if skipping:
            skipping = not line.startswith("..")
            continue
        if line.startswith((".\\\"", "'\\\"", "\\\"")):
            continue
        if line.startswith((".", "'")):
            request, _, rest = line[1:].strip().partition(" ")
            if request in ("de", "ig", "am"):
                skipping = True
                continue
            # Requests that carry text (.SH NAME, .B word, .IP item) keep it;
            # the others (.PP, .TP, .br, .nf) carry none.
            line = rest.replace('"', "") if rest and not request[:1].islower() else ""
        line = re.sub(r"\\\((..)|\\\[(\w+)\]",
                      lambda m: NAMED.get(m.group(1) or m.group(2), ""), line)
        line = ESCAPES.sub("", line)
        line = line.replace("\\-", "-").replace("\\e", "\\").replace("\\ ", " ")
        line = line.replace("\\~", " ").replace("\\0", " ").replace("\\", "")
        lines.append(line.rstrip())
    return "\n".join(lines) + "\n"


def manual_text():
    pages = []
    for folder, _, files in sorted(os.walk(MAN_DIR)):
        for name in sorted(files):
            if not name.endswith(".gz"):
                continue
            path = os.path.join(folder, name)
            if os.path.islink(path):
                continue  # a link names a page read already
            with gzip.open(path, "rb") as f:
                pages.append(strip_roff(f.read().decode("utf-8", "replace")))
    return "".join(pages)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--output", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus"))
    parser.add_argument("--megabytes", type=float, default=50)
    args = parser.parse_args()

    if not os.path.isdir(MAN_DIR):
        sys.exit(f"{MAN_DIR} is missing: install the manpages-zh package")
    text = manual_text()
    # Keep only what GBK encodes, so the GBK and UTF-8 files hold the same text.
    mixed = text.encode("gbk", "ignore").decode("gbk")
    pure = "".join(c for c in mixed if len(c.encode("gbk")) == 2)

    os.makedirs(args.output, exist_ok=True)
    target = int(args.megabytes * 1e6)
    for name, piece in (("mixed", mixed), ("pure", pure)):
        gbk = piece.encode("gbk")
        copies = max(1, round(target / len(gbk)))
        for suffix, data in (("gbk", gbk), ("utf8", piece.encode("utf-8"))):
            path = os.path.join(args.output, f"{name}.{suffix}")
            with open(path, "wb") as f:
                f.write(data * copies)
        two_byte = sum(1 for c in piece if len(c.encode("gbk")) == 2)
        print(f"{name}: {len(gbk) * copies / 1e6:.1f} MB GBK ({copies} copies of {len(gbk)} bytes, "
              f"{two_byte} of {len(piece)} characters two-byte)")


if __name__ == "__main__":
    main()
