#!/usr/bin/python3
"""Generates the default skin: every window's description file and pictures.

    generate.py OUTDIR [--layout en|jp] [--scales 1,1.25,...] [--preview DIR]

OUTDIR becomes the program's Skins folder: the skin at 100 % in it, and the
same skin drawn at each larger display scale in a folder named after its
percentage (125, 150, 175, 200), every file of the same name as at 100 %.
--scales picks the scales (all five by default; 1 is always drawn).
--layout picks the keyboard of the main window ("en": the full-size ISO
keyboard, "jp": the Japanese one). --preview also writes PNG previews of each
window at 100 % (rest face, and the main window with a few keys lit and
hovered) into DIR.
"""
import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from gen import main_skin  # noqa: E402
from gen.canvas import DISPLAY_SCALES, scale_folder, set_scale  # noqa: E402
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
    ap.add_argument("--scales", default=",".join(str(s) for s in DISPLAY_SCALES))
    ap.add_argument("--preview")
    args = ap.parse_args()
    scales = sorted({1.0} | {float(s) for s in args.scales.split(",")})
    assert all(s in DISPLAY_SCALES for s in scales), scales
    from gen import dialogs
    for scale in reversed(scales):  # 100 % last: the previews are drawn from it
        set_scale(scale)
        outdir = os.path.join(args.outdir, scale_folder(scale))
        os.makedirs(outdir, exist_ok=True)
        canvas, faces = generate_main(outdir, args.layout)
        others = dialogs.generate_all(outdir)
    if args.preview:
        from gen import preview
        os.makedirs(args.preview, exist_ok=True)
        preview.main_preview(canvas, faces, args.outdir, args.preview, args.layout)
        preview.dialog_previews(others, args.preview)


if __name__ == "__main__":
    main()
