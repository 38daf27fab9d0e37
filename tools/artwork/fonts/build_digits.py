#!/usr/bin/python3
"""Builds iSDigitIta_AndSymb.ttf, the seven-segment face of the trip read-out.

It is Debian's DSEG7 Classic Bold Italic (fonts-dseg, SIL OFL 1.1) with its
naming tables changed so that the app can ask for the family by the name its
layout uses. The OFL reserves the original font name for the unmodified font,
so every name record that carried it is replaced; the copyright notice and
the licence records are kept as they are, and the licence text ships beside
the font.

Usage: build_digits.py SOURCE.ttf OUTPUT.ttf
"""

import sys

from fontTools.ttLib import TTFont

FAMILY = "iSDigitIta_AndSymb"
STYLE = "Bold Italic"

NAMES = {
    1: FAMILY,
    2: STYLE,
    3: FAMILY + " " + STYLE + " 1.000",
    4: FAMILY + " " + STYLE,
    6: FAMILY + "-BoldItalic",
    10: "Modified version of a seven-segment font by keshikan, renamed for "
        "Korvane Vandel under the SIL Open Font License 1.1.",
    19: "123.4",
}


def build(src, dst):
    font = TTFont(src, recalcTimestamp=False)
    name = font["name"]
    for rec in list(name.names):
        if rec.nameID in (16, 17, 18, 21, 22):
            name.removeNames(nameID=rec.nameID)
    for nid, text in NAMES.items():
        name.setName(text, nid, 3, 1, 0x409)
        name.setName(text, nid, 1, 0, 0)
    for rec in name.names:
        if rec.nameID in (1, 3, 4, 6, 10, 19):
            assert "DSEG" not in rec.toUnicode(), rec
    font.save(dst)


if __name__ == "__main__":
    build(sys.argv[1], sys.argv[2])
