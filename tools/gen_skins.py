#!/usr/bin/env python3
"""Generates the skin catalogue: 58 skin blocks in the format read by
SkinH_EL.dll (skin/skin_format.h, described in skin/README.md).

Each skin is a palette computed from a hue and a mode (daylight, night or
vivid), with a few metrics. The mode cycles with the number; within a mode
the skins spread evenly round the colour wheel. Output is
byte-identical on every run.

Usage: gen_skins.py [--output FILE] [--corpus DIR]
  --output  header to write (default: skin/generated/skin_catalogue.h)
  --corpus  also write a few blocks as seed files for the parser's fuzzer
"""
import argparse
import colorsys
import os
import struct
import zlib

SKIN_COUNT = 58
MAGIC = b".SHE\x00\x03"
TAG_NAME, TAG_PALETTE, TAG_METRICS = 0x0001, 0x0002, 0x0003
FLAG_GRADIENT, FLAG_BOLD_CAPTION = 0x01, 0x02

# Slot order of skin_format.h's Slot enum.
SLOTS = [
    "window_back", "window_text",
    "group_line", "group_text",
    "button_top", "button_bottom", "button_border", "button_text",
    "button_hot_top", "button_hot_bottom", "button_pressed",
    "button_disabled", "button_disabled_text",
    "focus",
    "edit_back", "edit_text", "edit_border", "edit_border_focus",
    "radio_back", "radio_border", "radio_dot", "radio_text",
    "caption_back", "caption_text", "caption_inactive_back", "caption_inactive_text",
    "frame",
]

HUE_NAMES = [  # (upper bound in degrees, name)
    (15, "Crimson"), (35, "Coral"), (50, "Amber"), (65, "Gold"), (85, "Lime"),
    (120, "Leaf"), (150, "Jade"), (175, "Teal"), (195, "Lagoon"), (215, "Azure"),
    (240, "Cobalt"), (262, "Indigo"), (285, "Violet"), (315, "Orchid"), (340, "Rose"),
    (361, "Crimson"),
]

# Lightness/saturation of each slot per mode; a hue offset of 0.5 gives the
# accent that focus marks use, so they stand out from everything else.
MODES = {
    "Daylight": {
        "window_back": (0.92, 0.30), "window_text": (0.14, 0.35),
        "group_line": (0.60, 0.30), "group_text": (0.30, 0.70),
        "button_top": (0.82, 0.55), "button_bottom": (0.68, 0.55), "button_border": (0.42, 0.50),
        "button_hot_top": (0.88, 0.75), "button_hot_bottom": (0.74, 0.75),
        "button_pressed": (0.56, 0.55),
        "button_disabled": (0.86, 0.10), "button_disabled_text": (0.58, 0.08),
        "focus": (0.28, 0.90, 0.5),
        "edit_back": (0.985, 0.30), "edit_text": (0.10, 0.30),
        "edit_border": (0.60, 0.35), "edit_border_focus": (0.40, 0.80),
        "radio_back": (0.985, 0.30), "radio_border": (0.40, 0.45), "radio_dot": (0.35, 0.75),
        "caption_back": (0.40, 0.60), "caption_inactive_back": (0.72, 0.20),
        "frame": (0.35, 0.40),
    },
    "Night": {
        "window_back": (0.15, 0.40), "window_text": (0.88, 0.25),
        "group_line": (0.36, 0.30), "group_text": (0.76, 0.70),
        "button_top": (0.34, 0.60), "button_bottom": (0.25, 0.60), "button_border": (0.52, 0.50),
        "button_hot_top": (0.41, 0.55), "button_hot_bottom": (0.32, 0.55),
        "button_pressed": (0.18, 0.50),
        "button_disabled": (0.20, 0.10), "button_disabled_text": (0.46, 0.08),
        "focus": (0.66, 0.90, 0.5),
        "edit_back": (0.08, 0.25), "edit_text": (0.92, 0.20),
        "edit_border": (0.36, 0.35), "edit_border_focus": (0.64, 0.80),
        "radio_back": (0.08, 0.25), "radio_border": (0.56, 0.45), "radio_dot": (0.66, 0.85),
        "caption_back": (0.25, 0.55), "caption_inactive_back": (0.18, 0.15),
        "frame": (0.30, 0.40),
    },
    "Vivid": {
        "window_back": (0.80, 0.65), "window_text": (0.12, 0.60),
        "group_line": (0.45, 0.70), "group_text": (0.22, 0.80),
        "button_top": (0.50, 0.85), "button_bottom": (0.40, 0.85), "button_border": (0.25, 0.80),
        "button_hot_top": (0.55, 0.90), "button_hot_bottom": (0.46, 0.90),
        "button_pressed": (0.35, 0.85),
        "button_disabled": (0.70, 0.25), "button_disabled_text": (0.45, 0.15),
        "focus": (0.86, 0.95, 0.5),
        "edit_back": (0.96, 0.60), "edit_text": (0.10, 0.50),
        "edit_border": (0.40, 0.70), "edit_border_focus": (0.28, 0.90),
        "radio_back": (0.96, 0.60), "radio_border": (0.30, 0.70), "radio_dot": (0.38, 0.95),
        "caption_back": (0.35, 0.85), "caption_inactive_back": (0.62, 0.40),
        "frame": (0.28, 0.70),
    },
}
MODE_ORDER = ["Vivid", "Daylight", "Night"]  # skin n takes MODE_ORDER[n % 3]
# The up to 20 skins of a mode take 20 hues 18 degrees apart, visited 7 steps
# at a time so that consecutive skins of a mode are far apart on the wheel.
HUES_PER_MODE, HUE_STEP = 20, 7
MODE_HUE_OFFSET = {"Vivid": 0.12, "Daylight": 0.23, "Night": 0.45}  # puts skin 4 at azure


def hls(hue, lightness, saturation):
    r, g, b = colorsys.hls_to_rgb(hue % 1.0, lightness, saturation)
    return tuple(int(round(c * 255)) for c in (r, g, b))


def luminance(rgb):
    def channel(c):
        c /= 255
        return c / 12.92 if c <= 0.03928 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (channel(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = sorted((luminance(a), luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


def readable_on(backs, hue):
    """Near-white or near-black in the skin's hue, whichever reads better on
    the worst of `backs`."""
    light, dark = hls(hue, 0.97, 0.30), hls(hue, 0.10, 0.40)
    worst = lambda ink: min(contrast(ink, b) for b in backs)
    return light if worst(light) >= worst(dark) else dark


def away_from(face, ink, least):
    """`face` made lighter or darker, away from `ink`, until they contrast by `least`."""
    h, l, sat = colorsys.rgb_to_hls(*(c / 255 for c in face))
    step = 0.02 if luminance(ink) < luminance(face) else -0.02
    while contrast(face, ink) < least and 0.0 < l < 1.0:
        l = min(1.0, max(0.0, l + step))
        face = hls(h, l, sat)
    return face


def strongest(hue, saturation, backs):
    """The lightness of `hue` that stands out most from all of `backs`."""
    candidates = [hls(hue, l / 20, saturation) for l in range(3, 18)]
    return max(candidates, key=lambda c: (min(contrast(c, b) for b in backs), c))


def palette(number):
    mode = MODE_ORDER[number % 3]
    hue = (number // 3 * HUE_STEP % HUES_PER_MODE / HUES_PER_MODE + MODE_HUE_OFFSET[mode]) % 1.0
    spec = MODES[mode]
    colours = {}
    for slot, values in spec.items():
        lightness, saturation = values[0], values[1]
        offset = values[2] if len(values) > 2 else 0.0
        colours[slot] = hls(hue + offset, lightness, saturation)
    colours["radio_text"] = colours["window_text"]
    # Inks that sit on faces whose lightness varies with the hue are chosen
    # for contrast against every face they meet.
    faces = [colours[k] for k in ("button_top", "button_bottom", "button_hot_top",
                                  "button_hot_bottom", "button_pressed")]
    colours["button_text"] = ink = readable_on(faces, hue)
    for key in ("button_top", "button_bottom", "button_hot_top", "button_hot_bottom", "button_pressed"):
        colours[key] = away_from(colours[key], ink, 3.2)
    faces = [colours[k] for k in ("button_top", "button_bottom", "button_hot_top",
                                  "button_hot_bottom", "button_pressed")]
    colours["caption_text"] = readable_on([colours["caption_back"]], hue)
    colours["caption_inactive_text"] = hls(
        hue, 0.30 if luminance(colours["caption_inactive_back"]) > 0.2 else 0.70, 0.10)
    colours["focus"] = strongest(hue + 0.5, spec["focus"][1], faces)
    colours["radio_dot"] = strongest(hue, spec["radio_dot"][1], [colours["radio_back"]])
    return hue, mode, [colours[s] for s in SLOTS]


def hue_name(hue):
    degrees = hue * 360
    return next(name for bound, name in HUE_NAMES if degrees < bound)


def metrics(number):
    corner = [4, 2, 6, 0, 8, 3, 10][number % 7]
    border = 2 if number % 5 == 0 else 1
    radio = 11 + number % 4
    flags = (FLAG_GRADIENT if number % 4 != 3 else 0) | (FLAG_BOLD_CAPTION if number % 2 == 0 else 0)
    return bytes([corner, border, radio, flags])


def field(tag, body):
    return struct.pack("<HH", tag, len(body)) + body


def skin_block(number):
    hue, mode, colours = palette(number)
    name = f"{number:02d} {hue_name(hue)} {mode}"
    body = field(TAG_NAME, name.encode("utf-8") + b"\0")
    body += field(TAG_PALETTE, b"".join(bytes([i, *rgb]) for i, rgb in enumerate(colours)))
    body += field(TAG_METRICS, metrics(number))
    header = MAGIC + struct.pack("<IHI", 16 + len(body), 3, zlib.crc32(body) & 0xFFFFFFFF)
    return name, header + body


def header_text(blocks):
    out = [
        "// Generated by tools/gen_skins.py -- do not edit; rerun the generator.",
        "// The skin catalogue: 58 blocks in the format of skin/skin_format.h.",
        "#pragma once",
        "",
        "#include <cstdint>",
        "",
        "namespace vantrelle::skin {",
        "",
        "struct CatalogueSkin {",
        "  const unsigned char* data;",
        "  std::uint32_t size;",
        "  const char* name;",
        "};",
        "",
    ]
    for number, (name, block) in enumerate(blocks, start=1):
        out.append(f"inline constexpr unsigned char kSkin{number:02d}[{len(block)}] = {{")
        for i in range(0, len(block), 16):
            out.append("    " + ", ".join(f"0x{b:02X}" for b in block[i:i + 16]) + ",")
        out.append("};")
    out.append("")
    out.append(f"inline constexpr int kSkinCount = {len(blocks)};")
    out.append("")
    out.append("// Skin n is kSkinCatalogue[n - 1].")
    out.append("inline constexpr CatalogueSkin kSkinCatalogue[kSkinCount] = {")
    for number, (name, block) in enumerate(blocks, start=1):
        out.append(f'    {{kSkin{number:02d}, {len(block)}, "{name}"}},')
    out.append("};")
    out.append("")
    out.append("}  // namespace vantrelle::skin")
    return "\n".join(out) + "\n"


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--output", default=os.path.join(root, "skin", "generated", "skin_catalogue.h"))
    parser.add_argument("--corpus")
    args = parser.parse_args()

    blocks = [skin_block(n) for n in range(1, SKIN_COUNT + 1)]
    os.makedirs(os.path.dirname(os.path.abspath(args.output)), exist_ok=True)
    with open(args.output, "w", encoding="ascii", newline="\n") as f:
        f.write(header_text(blocks))
    if args.corpus:
        os.makedirs(args.corpus, exist_ok=True)
        for number in (1, 4, 5, 42):
            with open(os.path.join(args.corpus, f"skin-{number:02d}.she"), "wb") as f:
                f.write(blocks[number - 1][1])


if __name__ == "__main__":
    main()
