#!/usr/bin/python3
"""Writes artwork.qrc for everything in resources/images and resources/fonts.

Aliases are the plain file names, so code asks for ":/images/border_iPad.png"
and ":/fonts/classic_f.ttf"; "@2x" files keep their suffix so that QIcon and
QImageReader find and scale them.

Usage: make_qrc.py RESOURCES_DIR  (writes RESOURCES_DIR/artwork.qrc)
"""

import os
import sys

KINDS = {"images": (".png", ".jpg", ".svg"), "fonts": (".ttf",)}


def main(res):
    out = ["<!DOCTYPE RCC>", '<RCC version="1.0">']
    for prefix, exts in KINDS.items():
        out.append(f'  <qresource prefix="/{prefix}">')
        for name in sorted(os.listdir(os.path.join(res, prefix))):
            if name.endswith(exts):
                out.append(f'    <file alias="{name}">{prefix}/{name}</file>')
        out.append("  </qresource>")
    out.append("</RCC>")
    with open(os.path.join(res, "artwork.qrc"), "w", encoding="utf-8") as f:
        f.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main(sys.argv[1])
