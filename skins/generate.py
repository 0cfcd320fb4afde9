#!/usr/bin/python3
"""Generates the default skin: every window's description file and pictures.

    generate.py OUTDIR [--layout en|jp] [--preview DIR]

OUTDIR becomes the program's Skins folder. --layout picks the keyboard of the
main window ("en": the full-size ISO keyboard, "jp": the Japanese one).
--preview also writes PNG previews of each window (rest face, and the main
window with a few keys lit and hovered) into DIR.
"""
import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from gen import main_skin  # noqa: E402
from gen.output import shaped_mask, write_skin  # noqa: E402


def generate_main(outdir, layout):
    canvas = main_skin.build(layout)
    mask = shaped_mask(main_skin.W, main_skin.H, 16)
    faces = write_skin(
        outdir, "main.ini", "main", canvas, mask,
        sections_before=[("Driver_Version", [("Driver_Version", main_skin.VERSION_TEXT),
                                             ("StrFont", "JP" if layout == "jp" else "EN")])])
    for name, img in main_skin.enter_pictures().items():
        img.save(os.path.join(outdir, "main_enter_%s.bmp" % name), "BMP")
    return canvas, faces


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("outdir")
    ap.add_argument("--layout", choices=("en", "jp"), default="en")
    ap.add_argument("--preview")
    args = ap.parse_args()
    os.makedirs(args.outdir, exist_ok=True)
    canvas, faces = generate_main(args.outdir, args.layout)
    try:
        from gen import dialogs
    except ImportError:
        dialogs = None
    others = dialogs.generate_all(args.outdir) if dialogs else {}
    if args.preview:
        from gen import preview
        os.makedirs(args.preview, exist_ok=True)
        preview.main_preview(canvas, faces, args.outdir, args.preview, args.layout)
        preview.dialog_previews(others, args.preview)


if __name__ == "__main__":
    main()
