#!/usr/bin/python3
"""Builds classic_f.ttf, the dial font: condensed instrument digits, a
monoline Latin alphabet for the unit names, and three tick marks.

"A", "B" and "C" are not letters in this font: they are the small, middle and
big tick of the scale. Every other ASCII letter is a letter.

The vertical metrics are deliberately small (ascender 360, descender -140 on a
1000 em) because the dial places each glyph by the top of its text box: a
tick's bar starts right at the top of that box, a digit 20 units below it.

Usage: build_classic_f.py OUTPUT.ttf
"""

import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen

from glyphkit import arc, bounds, draw, ellipse_point, line, rect, ring, tangent_join, transform

ASCENT, DESCENT = 360, -140
CAP = 340           # digits and capitals
XH = 250            # lowercase x-height
DESC = -90          # lowercase descenders
WD = 46             # digit and capital stroke
WL = 44             # lowercase stroke


def bowl(x0, y0, x1, y1, ry, w):
    """Upright stadium: flat sides, elliptical top and bottom."""
    h = w / 2.0
    cx, rx = (x0 + x1) / 2.0, (x1 - x0) / 2.0 - h
    top, bot = y1 - h - ry, y0 + h + ry
    return (arc(cx, top, rx, ry, 0, 180, w) + arc(cx, bot, rx, ry, 180, 360, w)
            + line((x0 + h, bot), (x0 + h, top), w, ext=1)
            + line((x1 - h, bot), (x1 - h, top), w, ext=1))


# --- digits: ink box 0..170 x 0..340 ------------------------------------

DBOX = (0, 0, 170, CAP)


def d0():
    return bowl(0, 0, 170, CAP, 72, WD)


def d1():
    return (line((118, 0), (118, CAP), WD, DBOX)
            + line((118, 317), (38, 256), 44, (0, 0, 141, CAP)))


def d2():
    cx, cy, rx, ry = 85, 250, 62, 67
    foot = (28, 23)
    a = tangent_join(cx, cy, rx, ry, foot, -70, 10)
    p = ellipse_point(cx, cy, rx, ry, a)
    return (arc(cx, cy, rx, ry, a, 160, WD)
            + line(p, foot, WD + 2, DBOX, ext=2)
            + line((0, 23), (170, 23), WD, DBOX))


def d3():
    return (arc(91, 248.5, 56, 68.5, -90, 150, WD)
            + arc(85, 101.5, 62, 78.5, -150, 90, WD)
            + line((54, 180), (91, 180), WD - 2, ext=1))


def d4():
    return (line((122, 0), (122, CAP), WD, DBOX)
            + line((0, 95), (170, 95), WD - 2, DBOX)
            + line((111, 334), (14, 100), 44, (0, 72, 145, CAP)))


def d5():
    cx, cy, rx, ry = 85, 106, 62, 83
    return (arc(cx, cy, rx, ry, -152, 150, WD)
            + line((34, 150), (34, CAP), WD, (0, 158, 170, CAP))
            + line((11, 317), (164, 317), WD, DBOX))


def d6():
    return (ring(85, 100, 62, 77, WD)
            + line((23, 100), (23, 230), WD, ext=1)
            + arc(85, 230, 62, 87, 28, 180, WD))


def d7():
    return (line((0, 317), (170, 317), WD - 2, DBOX)
            + line((154, 330), (60, 0), WD + 2, DBOX))


def d8():
    return ring(85, 247.5, 55, 69.5, WD - 2) + ring(85, 100.5, 62, 77.5, WD)


def d9():
    return transform(d6(), lambda x, y: (170 - x, CAP - y))


# --- capitals (A, B, C are ticks) ----------------------------------------

def box(w, y0=0, y1=CAP):
    return (0, y0, w, y1)


def cD():
    return (line((23, 0), (23, CAP), WD)
            + line((0, 317), (96, 317), WD, ext=0) + line((0, 23), (96, 23), WD)
            + arc(95, 247, 52, 70, 0, 90, WD) + arc(95, 93, 52, 70, -90, 0, WD)
            + line((147, 93), (147, 247), WD, ext=1))


def cE():
    return (line((23, 0), (23, CAP), WD) + line((0, 317), (150, 317), WD - 2)
            + line((0, 176), (128, 176), WD - 4) + line((0, 23), (150, 23), WD - 2))


def cF():
    return (line((23, 0), (23, CAP), WD) + line((0, 317), (150, 317), WD - 2)
            + line((0, 170), (128, 170), WD - 4))


def cG():
    return (arc(85, 245, 62, 72, 22, 180, WD) + arc(85, 95, 62, 72, 180, 360, WD)
            + line((23, 95), (23, 245), WD, ext=1)
            + line((147, 95), (147, 170), WD, ext=1)
            + line((88, 160), (170, 160), WD - 4, box(170)))


def cH():
    return (line((23, 0), (23, CAP), WD) + line((147, 0), (147, CAP), WD)
            + line((23, 180), (147, 180), WD - 4))


def cI():
    return line((23, 0), (23, CAP), WD)


def cJ():
    return (line((127, 95), (127, CAP), WD, ext=1)
            + arc(75, 95, 52, 72, 190, 360, WD))


def cK():
    b = box(170)
    return (line((23, 0), (23, CAP), WD)
            + line((166, CAP), (36, 128), WD, b)
            + line((78, 196), (172, 0), WD + 2, b))


def cL():
    return line((23, 0), (23, CAP), WD) + line((0, 23), (150, 23), WD - 2)


def cM():
    b = box(204)
    return (line((23, 0), (23, CAP), WD) + line((181, 0), (181, CAP), WD)
            + line((26, CAP), (102, 96), WD - 4, b) + line((178, CAP), (102, 96), WD - 4, b))


def cN():
    b = box(170)
    return (line((23, 0), (23, CAP), WD) + line((147, 0), (147, CAP), WD)
            + line((26, CAP), (144, 0), WD + 2, b))


def cO():
    return bowl(0, 0, 182, CAP, 80, WD)


def pbowl(top, mid):
    """The bowl of P and R between the centre lines top and mid."""
    r = (top - mid) / 2.0 * 0.75
    return (line((0, top), (96, top), WD, ext=0) + line((0, mid), (96, mid), WD - 2)
            + arc(95, top - r, 52, r, 0, 90, WD) + arc(95, mid + r, 52, r, -90, 0, WD)
            + line((147, mid + r), (147, top - r), WD, ext=1))


def cP():
    return line((23, 0), (23, CAP), WD) + pbowl(317, 160)


def cQ():
    return cO() + line((108, 82), (182, -18), WD, (0, -40, 190, CAP))


def cR():
    return (line((23, 0), (23, CAP), WD) + pbowl(317, 165)
            + line((96, 165), (168, 0), WD + 2, box(170)))


def cS():
    return (arc(85, 248.5, 62, 68.5, 22, 270, WD)
            + arc(85, 101.5, 62, 78.5, -158, 90, WD))


def cT():
    return line((0, 317), (170, 317), WD - 2) + line((85, 0), (85, CAP), WD)


def cU():
    return (line((23, 95), (23, CAP), WD, ext=1) + line((147, 95), (147, CAP), WD, ext=1)
            + arc(85, 95, 62, 72, 180, 360, WD))


def cV():
    b = box(176)
    return line((14, CAP + 10), (88, 0), WD + 2, b) + line((162, CAP + 10), (88, 0), WD + 2, b)


def cW():
    b = box(238)
    return (line((10, CAP + 10), (64, 0), WD, b) + line((119, 300), (64, 0), WD - 4, b)
            + line((119, 300), (174, 0), WD - 4, b) + line((228, CAP + 10), (174, 0), WD, b))


def cX():
    b = box(176)
    return line((14, CAP), (162, 0), WD + 2, b) + line((162, CAP), (14, 0), WD + 2, b)


def cY():
    b = box(176)
    return (line((12, CAP + 10), (88, 150), WD + 2, b) + line((164, CAP + 10), (88, 150), WD + 2, b)
            + line((88, 0), (88, 170), WD))


def cZ():
    b = box(170)
    return (line((8, 317), (160, 317), WD - 2, b) + line((152, 317), (20, 23), WD + 4, b, ext=8)
            + line((0, 23), (170, 23), WD - 2, b))


# --- lowercase ------------------------------------------------------------

def lo_o():
    return bowl(0, 0, 150, XH, 58, WL)


def arch(x0, x1, w=WL):
    """The shoulder of n, m and h between two stem centres."""
    cx, rx = (x0 + x1) / 2.0, (x1 - x0) / 2.0
    ry = 58
    cy = XH - w / 2.0 - ry
    return arc(cx, cy, rx, ry, 0, 180, w) + line((x1, 0), (x1, cy), w, ext=1)


def la():
    return lo_o() + line((128, 0), (128, XH), WL)


def lb():
    return lo_o() + line((22, 0), (22, CAP), WL)


def lc():
    return (arc(75, 170, 53, 58, 30, 180, WL) + arc(75, 80, 53, 58, 180, 330, WL)
            + line((22, 80), (22, 170), WL, ext=1))


def ld():
    return lo_o() + line((128, 0), (128, CAP), WL)


def le():
    return (arc(75, 170, 53, 58, 0, 180, WL) + arc(75, 80, 53, 58, 180, 325, WL)
            + line((22, 80), (22, 170), WL, ext=1) + line((128, 125), (128, 170), WL, ext=1)
            + line((22, 125), (128, 125), WL - 4))


def lf():
    return (line((50, 0), (50, 270), WL, ext=1) + arc(100, 270, 50, 48, 35, 180, WL)
            + line((0, 228), (124, 228), WL - 4))


def lg():
    return (lo_o() + line((128, -30), (128, XH), WL, ext=1)
            + arc(75, -30, 53, 38, 200, 360, WL))


def lh():
    return line((22, 0), (22, CAP), WL) + arch(22, 128)


def li():
    return line((22, 0), (22, XH), WL) + rect(0, 292, 44, CAP)


def lj():
    return (line((82, -30), (82, XH), WL, ext=1) + arc(40, -30, 42, 38, 205, 360, WL)
            + rect(60, 292, 104, CAP))


def lk():
    b = (0, 0, 150, CAP)
    return (line((22, 0), (22, CAP), WL)
            + line((146, XH), (34, 100), WL, b)
            + line((74, 140), (152, 0), WL + 2, b))


def ll():
    return line((22, 0), (22, CAP), WL)


def lm():
    return line((22, 0), (22, XH), WL) + arch(22, 114) + arch(114, 206)


def ln():
    return line((22, 0), (22, XH), WL) + arch(22, 128)


def lp():
    return lo_o() + line((22, DESC), (22, XH), WL)


def lq():
    return lo_o() + line((128, DESC), (128, XH), WL)


def lr():
    return line((22, 0), (22, XH), WL) + arc(82, 170, 60, 58, 55, 180, WL)


def ls():
    return (arc(75, 176.5, 53, 51.5, 22, 270, WL)
            + arc(75, 73.5, 53, 51.5, -158, 90, WL))


def lt():
    return (line((50, 60), (50, 322), WL, ext=1) + arc(94, 60, 44, 38, 180, 270, WL)
            + line((94, 22), (126, 22), WL, ext=1) + line((0, 228), (120, 228), WL - 4))


def lu():
    return transform(ln(), lambda x, y: (150 - x, XH - y))


def lv():
    b = (0, 0, 156, XH)
    return line((12, XH + 10), (78, 0), WL + 2, b) + line((144, XH + 10), (78, 0), WL + 2, b)


def lw():
    b = (0, 0, 226, XH)
    return (line((8, XH + 10), (58, 0), WL, b) + line((113, 220), (58, 0), WL - 4, b)
            + line((113, 220), (168, 0), WL - 4, b) + line((218, XH + 10), (168, 0), WL, b))


def lx():
    b = (0, 0, 156, XH)
    return line((12, XH), (144, 0), WL + 2, b) + line((144, XH), (12, 0), WL + 2, b)


def ly():
    b = (0, DESC, 156, XH)
    return line((12, XH + 10), (80, 30), WL + 2, b) + line((146, XH + 10), (46, DESC), WL + 2, b)


def lz():
    b = (0, 0, 150, XH)
    return (line((10, 228), (142, 228), WL - 4, b) + line((134, 228), (20, 22), WL + 4, b, ext=8)
            + line((0, 22), (150, 22), WL - 4, b))


# --- ticks and punctuation ------------------------------------------------

def tick(width, length):
    return rect(0, ASCENT - length, width, ASCENT)


def slash():
    return line((14, -40), (126, CAP + 20), 40, (0, -40, 140, CAP + 20))


def period():
    return rect(0, 0, 50, 50)


def comma():
    return rect(0, 0, 50, 50) + line((25, 10), (8, -60), 30, (0, -60, 50, 50))


def colon():
    return rect(0, 0, 50, 50) + rect(0, 190, 50, 240)


def hyphen():
    return rect(0, 150, 110, 192)


def plus():
    return rect(0, 150, 150, 192) + rect(54, 96, 96, 246)


def percent():
    b = (0, 0, 220, CAP)
    return (ring(45, 270, 24, 48, 36) + ring(175, 70, 24, 48, 36)
            + line((190, CAP), (30, 0), 36, b))


def degree():
    return ring(50, 290, 28, 28, 30)


GLYPHS = {
    # name: (unicode, builder, side bearing)
    "zero": (0x30, d0, 22), "one": (0x31, d1, 22), "two": (0x32, d2, 22),
    "three": (0x33, d3, 22), "four": (0x34, d4, 22), "five": (0x35, d5, 22),
    "six": (0x36, d6, 22), "seven": (0x37, d7, 22), "eight": (0x38, d8, 22),
    "nine": (0x39, d9, 22),
    "A": (0x41, lambda: tick(56, 200), 12),
    "B": (0x42, lambda: tick(80, 330), 12),
    "C": (0x43, lambda: tick(110, 500), 12),
    "slash": (0x2F, slash, 12), "period": (0x2E, period, 30), "comma": (0x2C, comma, 30),
    "colon": (0x3A, colon, 30), "hyphen": (0x2D, hyphen, 24), "plus": (0x2B, plus, 24),
    "percent": (0x25, percent, 20), "degree": (0xB0, degree, 20),
}
for ch, fn in zip("DEFGHIJKLMNOPQRSTUVWXYZ",
                  [cD, cE, cF, cG, cH, cI, cJ, cK, cL, cM, cN, cO, cP, cQ, cR, cS,
                   cT, cU, cV, cW, cX, cY, cZ]):
    GLYPHS[ch] = (ord(ch), fn, 22)
for ch, fn in zip("abcdefghijklmnopqrstuvwxyz",
                  [la, lb, lc, ld, le, lf, lg, lh, li, lj, lk, ll, lm, ln, lo_o, lp, lq,
                   lr, ls, lt, lu, lv, lw, lx, ly, lz]):
    GLYPHS[ch] = (ord(ch), fn, 20)

DIGIT_ADVANCE = 170 + 2 * 22   # tabular: every digit centres the same way


def build(path):
    order = [".notdef", "space"] + list(GLYPHS)
    cmap = {0x20: "space", 0xA0: "space"}
    glyf, hmtx = {}, {}

    pen = TTGlyphPen(None)
    draw(rect(0, 0, 200, CAP) + [list(reversed(c)) for c in rect(40, 40, 160, CAP - 40)], pen, 30)
    glyf[".notdef"] = pen.glyph()
    hmtx[".notdef"] = (260, 30)
    glyf["space"] = TTGlyphPen(None).glyph()
    hmtx["space"] = (110, 0)

    for name, (code, fn, sb) in GLYPHS.items():
        contours = fn()
        x0, _, x1, _ = bounds(contours)
        adv = round(x1 - x0) + 2 * sb
        if name in ("zero", "one", "two", "three", "four", "five", "six", "seven", "eight", "nine"):
            # Ink centred in the tabular advance: the dial centres each digit
            # on its own radial line by half its advance.
            adv = DIGIT_ADVANCE
            dx = (adv - (x1 - x0)) / 2.0 - x0
        else:
            dx = sb - x0
        pen = TTGlyphPen(None)
        draw(contours, pen, dx)
        glyf[name] = pen.glyph()
        cmap[code] = name
        hmtx[name] = (adv, 0)

    fb = FontBuilder(1000, isTTF=True)
    fb.setupGlyphOrder(order)
    fb.setupCharacterMap(cmap)
    fb.setupGlyf(glyf)
    # Left side bearings follow from the glyph boxes.
    for name in order:
        g = fb.font["glyf"][name]
        g.recalcBounds(fb.font["glyf"])
        hmtx[name] = (hmtx[name][0], getattr(g, "xMin", 0))
    fb.setupHorizontalMetrics(hmtx)
    fb.setupHorizontalHeader(ascent=ASCENT, descent=DESCENT, lineGap=0)
    fb.setupNameTable({
        "copyright": "Copyright (c) Zentrik. Drawn for Korvane Vandel.",
        "familyName": "classic_f",
        "styleName": "Regular",
        "uniqueFontIdentifier": "classic_f Regular 1.000",
        "fullName": "classic_f",
        "version": "Version 1.000",
        "psName": "classic_f",
    })
    fb.setupOS2(sTypoAscender=ASCENT, sTypoDescender=DESCENT, sTypoLineGap=0,
                usWinAscent=ASCENT, usWinDescent=-DESCENT, sxHeight=XH, sCapHeight=CAP,
                usWeightClass=400, fsSelection=0x40 | 0x80, achVendID="ZNTK", version=4,
                ulUnicodeRange1=1)
    fb.setupPost()
    fb.setupHead(unitsPerEm=1000, fontRevision=1.0)
    head = fb.font["head"]
    # Fixed dates keep the output byte-identical from run to run.
    head.created = head.modified = 3786825600  # 2024-01-01
    fb.font.recalcTimestamp = False
    fb.save(path)


if __name__ == "__main__":
    build(sys.argv[1])
