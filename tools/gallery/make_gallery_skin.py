#!/usr/bin/python3
"""Draws the gallery's test skin: the four whole-face pictures and the mask of
the gallery window, the pictures of its region button (an Enter key), the skin
description file, and the busy animation that goes into the program.

Usage: make_gallery_skin.py SKIN_FOLDER ANIMATION_GIF
"""
import math
import os
import sys

from PIL import Image, ImageDraw, ImageFont

W, H = 560, 360
FONT_PATH = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
BOLD_PATH = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
KEY = (255, 0, 200)

# name, x, y, width, height, tooltip, latched
BUTTONS = [
    ("Apply", 30, 84, 130, 34, "An ordinary button", False),
    ("Latched", 30, 128, 130, 34, "Latched: shown pressed", True),
    ("Disabled", 30, 172, 130, 34, "A disabled button", False),
    ("", 30, 216, 130, 34, "Its text is drawn by the button", False),
    ("Menu", 200, 84, 130, 34, "Opens the list menu", False),
    ("Close", 450, 306, 84, 32, "Closes the gallery", False),
]
LOOKS = {
    # fill top, fill bottom, border, text
    "Main": ((74, 78, 88), (48, 51, 58), (110, 116, 128), (225, 228, 235)),
    "Over": ((96, 104, 124), (62, 68, 84), (120, 180, 255), (255, 255, 255)),
    "Down": ((30, 90, 170), (20, 60, 120), (120, 180, 255), (255, 255, 255)),
    "Disabled": ((58, 60, 64), (50, 52, 56), (70, 72, 78), (110, 112, 118)),
}


def font(size, bold=False):
    return ImageFont.truetype(BOLD_PATH if bold else FONT_PATH, size)


def gradient(draw, box, top, bottom):
    x0, y0, x1, y1 = box
    for y in range(y0, y1):
        t = (y - y0) / max(1, y1 - y0 - 1)
        colour = tuple(int(a + (b - a) * t) for a, b in zip(top, bottom))
        draw.line([(x0, y), (x1 - 1, y)], fill=colour)


def panel():
    im = Image.new("RGB", (W, H), (0, 0, 0))
    d = ImageDraw.Draw(im)
    gradient(d, (0, 0, W, H), (38, 41, 48), (22, 24, 28))
    d.rounded_rectangle((0, 0, W - 1, H - 1), radius=18, outline=(90, 96, 110), width=2)
    d.rectangle((18, 16, W - 18, 17), fill=(200, 40, 50))
    d.text((24, 24), "Widget gallery", font=font(20, True), fill=(235, 236, 240))
    d.text((24, 50), "Every skinned widget of the tool on a generated test skin", font=font(11),
           fill=(150, 156, 168))
    for x, y, label in ((30, 68, "CBitmapBtn"), (200, 68, "CListBoxEx / CRgnButton"),
                        (370, 68, "ImageEx")):
        d.text((x, y), label, font=font(10, True), fill=(200, 40, 50))
    d.rounded_rectangle((370, 84, 534, 248), radius=10, fill=(28, 30, 35), outline=(60, 64, 74))
    return im


def button(d, x, y, w, h, name, look):
    top, bottom, border, text = LOOKS[look]
    gradient(d, (x + 1, y + 1, x + w - 1, y + h - 1), top, bottom)
    d.rounded_rectangle((x, y, x + w - 1, y + h - 1), radius=6, outline=border, width=1)
    if name:
        f = font(13, True)
        tw = d.textlength(name, font=f)
        dy = 1 if look == "Down" else 0
        d.text((x + (w - tw) / 2, y + (h - 16) / 2 + dy), name, font=f, fill=text)


def faces(out):
    for look in LOOKS:
        im = panel()
        d = ImageDraw.Draw(im)
        for name, x, y, w, h, _, _ in BUTTONS:
            button(d, x, y, w, h, name, look)
        im.save(os.path.join(out, look.lower() + ".bmp"))
    mask = Image.new("RGB", (W, H), (255, 255, 255))
    ImageDraw.Draw(mask).rounded_rectangle((0, 0, W - 1, H - 1), radius=18, fill=(0, 0, 0))
    mask.save(os.path.join(out, "mask.bmp"))


def enter_key(out):
    # An ISO Enter key: wide at the top, narrower below, on the key colour.
    w, h = 96, 110
    shape = [(0, 0), (w - 1, 0), (w - 1, h - 1), (22, h - 1), (22, 52), (0, 52)]
    colours = {
        "rest": ((86, 90, 100), (52, 55, 62), (130, 136, 150), (230, 232, 238)),
        "hover": ((110, 118, 140), (66, 72, 90), (120, 180, 255), (255, 255, 255)),
        "down": ((30, 90, 170), (20, 60, 120), (140, 190, 255), (255, 255, 255)),
        "disabled": ((58, 60, 64), (50, 52, 56), (70, 72, 78), (110, 112, 118)),
    }
    for name, (top, bottom, border, text) in colours.items():
        im = Image.new("RGB", (w, h), KEY)
        body = Image.new("RGB", (w, h), (0, 0, 0))
        gradient(ImageDraw.Draw(body), (0, 0, w, h), top, bottom)
        m = Image.new("L", (w, h), 0)
        ImageDraw.Draw(m).polygon(shape, fill=255)
        im.paste(body, (0, 0), m)
        d = ImageDraw.Draw(im)
        d.line(shape + [shape[0]], fill=border, width=2)
        d.text((38, 62), "Enter", font=font(13, True), fill=text)
        d.line([(50, 88), (72, 88), (72, 80)], fill=text, width=2)
        d.polygon([(44, 88), (52, 84), (52, 92)], fill=text)
        im.save(os.path.join(out, "enter-" + name + ".bmp"))


def spinner(path):
    size, frames = 96, 12
    images = []
    for f in range(frames):
        im = Image.new("P", (size, size), 0)
        pal = [28, 30, 35] + [0, 0, 0] * 255
        for i in range(frames):
            age = (f - i) % frames
            level = max(0.18, 1.0 - age / 6)
            pal[3 * (i + 1):3 * (i + 2)] = [int(60 + 175 * level), int(40 + 20 * level), int(50 + 20 * level)]
        im.putpalette(pal)
        d = ImageDraw.Draw(im)
        for i in range(frames):
            a = 2 * math.pi * i / frames - math.pi / 2
            cx, cy = size / 2 + 32 * math.cos(a), size / 2 + 32 * math.sin(a)
            d.ellipse((cx - 7, cy - 7, cx + 7, cy + 7), fill=i + 1)
        images.append(im)
    images[0].save(path, save_all=True, append_images=images[1:], duration=200, loop=0)


INI = """[SCREEN]
Mask=mask.bmp
Main=main.bmp
Down=down.bmp
Over=over.bmp
Disabled=disabled.bmp

[BUTTONINFO]
"""


def ini(out):
    lines = [INI]
    for i, (name, x, y, w, h, tip, latched) in enumerate(BUTTONS, 1):
        lines.append("%d=%s,%d,%d,%d,%d,%s,%s\n" % (i, name or "Text", x, y, w, h, tip,
                                                   "TRUE" if latched else "FALSE"))
    with open(os.path.join(out, "Gallery.ini"), "w", newline="\r\n") as f:
        f.write("".join(lines))


def main(out, gif):
    os.makedirs(out, exist_ok=True)
    faces(out)
    enter_key(out)
    ini(out)
    spinner(gif)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
