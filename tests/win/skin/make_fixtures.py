#!/usr/bin/python3
"""Writes the pictures the widget tests read into the folder given as argument.

GIFs for the animated image (one frame; three frames of 20 hundredths; three
frames of delay 0; two frames of ten seconds), face pictures in BMP and JPEG,
a file that is no picture, and the region button's shape and look pictures.
"""
import os
import sys

from PIL import Image


def gif(path, frames, delay_cs):
    images = [Image.new("P", (16, 12), i) for i in range(frames)]
    for i, im in enumerate(images):
        im.putpalette([0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255] + [0] * (256 * 3 - 12))
    extra = {}
    if frames > 1:
        extra = dict(save_all=True, append_images=images[1:], loop=0, duration=max(delay_cs, 1) * 10)
    images[0].save(path, format="GIF", **extra)
    if frames > 1 and delay_cs == 0:
        zero_delays(path)


def zero_delays(path):
    # The encoder leaves out the control block of a frame without delay; write
    # each frame's delay as 1 and then set the delay fields to an explicit 0.
    data = bytearray(open(path, "rb").read())
    pos = data.find(b"\x21\xf9\x04")
    while pos >= 0:
        data[pos + 4:pos + 6] = b"\x00\x00"
        pos = data.find(b"\x21\xf9\x04", pos + 8)
    open(path, "wb").write(bytes(data))


def face(path, colour, fmt, scale=1):
    im = Image.new("RGB", (40 * scale, 30 * scale), colour)
    im.paste((10, 20, 30), (0, 0, 20 * scale, 15 * scale))
    im.save(path, format=fmt, quality=95) if fmt == "JPEG" else im.save(path, format=fmt)


KEY = (255, 0, 200)


def shape(path):
    # A red 20 x 20 plus sign, also the rest picture: the arms are 6 pixels wide
    # and the corners are key colour.
    im = Image.new("RGB", (20, 20), KEY)
    im.paste((255, 0, 0), (7, 0, 13, 20))
    im.paste((255, 0, 0), (0, 7, 20, 13))
    im.save(path, format="BMP")


def look(path, colour):
    Image.new("RGB", (20, 20), colour).save(path, format="BMP")


def main(out):
    os.makedirs(out, exist_ok=True)
    gif(os.path.join(out, "one.gif"), 1, 0)
    gif(os.path.join(out, "three.gif"), 3, 20)
    gif(os.path.join(out, "zero.gif"), 3, 0)
    gif(os.path.join(out, "slow.gif"), 2, 1000)
    face(os.path.join(out, "face.bmp"), (200, 100, 50), "BMP")
    face(os.path.join(out, "face.jpg"), (200, 100, 50), "JPEG")
    with open(os.path.join(out, "garbage.bmp"), "wb") as f:
        f.write(b"BM this is not a picture" * 4)
    shape(os.path.join(out, "shape.bmp"))
    # The faces at 100 % and, in "200", the same faces drawn at 200 %.
    for scale, folder in ((1, out), (2, os.path.join(out, "200"))):
        os.makedirs(folder, exist_ok=True)
        mask = Image.new("RGB", (40 * scale, 30 * scale), (0, 0, 0))
        mask.paste((255, 255, 255), (0, 0, 4 * scale, 4 * scale))  # a cut-off corner
        mask.save(os.path.join(folder, "mask.bmp"), format="BMP")
        for name, colour in (("face-over", (0, 160, 0)), ("face-down", (0, 0, 160)), ("face-off", (90, 90, 90))):
            face(os.path.join(folder, name + ".bmp"), colour, "BMP", scale)
    face(os.path.join(out, "200", "face.bmp"), (200, 100, 50), "BMP", 2)
    for name, colour in (("hover", (0, 255, 0)), ("down", (0, 0, 255)),
                         ("disabled", (128, 128, 128))):
        look(os.path.join(out, name + ".bmp"), colour)


if __name__ == "__main__":
    main(sys.argv[1])
