#!/usr/bin/python3
"""Draws the binary resources of the executable into OUTDIR.

    gen_resources.py OUTDIR

    zavo.ico         application icon 128 (16, 20, 24, 32, 40, 48, 64 and 256 pixels:
                     the small and large icon at every display scale)
    ind_d.bmp ...    indicator bitmaps 143-146: letters D, L, S, T, 22 x 22
    load.gif         the "LOAD" animation: 173 x 173, 12 frames of 20/100 s, looping,
                     transparent around the spinner
    ind_d_125.bmp .. the indicators and the animation drawn again at every larger
    load_125.gif ..  display scale of the skins (125, 150, 175, 200 %)
    scaled.rc        the resource lines of those: indicator id + 1000 per scale step
                     (1143 is the D at 125 %, 4146 the T at 200 %), "LOAD125" ..
                     "LOAD200" for the animation
    setup_side.bmp   the installer's welcome and finish picture, 164 x 314
    setup_header.bmp the installer's page header picture, 150 x 57

Colours follow the default skin: a dark surface with a cyan accent.
"""
import math
import os
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

SURFACE = (20, 23, 30)        # panel colour of the skins
WINDOW = (13, 15, 20)
EDGE = (52, 58, 71)
TEXT = (234, 238, 244)
ACCENT = (0, 196, 255)
ACCENT_DEEP = (0, 96, 138)
HEAD = (170, 238, 255)
PLATE = (27, 30, 38)          # keyboard plate, what the loading window floats over
BAR_DIM = (34, 38, 48)

# The display scales of the skins, in percent; the index of a scale is its step in
# the resource ids of the scaled pictures.
SCALES = (100, 125, 150, 175, 200)
SCALED_ID_STEP = 1000
# Where the main window draws the indicator, in client pixels of the 100 % face.
# At a larger scale the picture fills that rectangle scaled edge by edge, as the
# face around it is drawn (so at 125 % it is 28 x 27).
INDICATOR_PLACE = (221, 362, 243, 384)
INDICATOR_IDS = (143, 144, 145, 146)
LOAD_SIZE = 173


def px(v, percent):
    """A 100 % coordinate at `percent`, rounded as the skin generator rounds it
    (halves up), so edges land where the scaled face has them."""
    return (v * percent + 50) // 100


def scaled_name(name, percent):
    """ind_d.bmp -> ind_d_125.bmp; the 100 % picture keeps its name."""
    if percent == 100:
        return name
    stem, ext = os.path.splitext(name)
    return "%s_%d%s" % (stem, percent, ext)


# Each indicator: letter and its colour (what kind of assignment it marks).
INDICATORS = [
    ("ind_d.bmp", "D", (150, 160, 178)),   # default: the key does what it says
    ("ind_l.bmp", "L", (46, 214, 130)),    # launches an application
    ("ind_s.bmp", "S", (0, 196, 255)),     # sends another single key
    ("ind_t.bmp", "T", (255, 170, 40)),    # plays a macro
]

FONT_PATHS = [
    "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
    "/usr/share/fonts/TTF/DejaVuSans-Bold.ttf",
]


def bold_font(size):
    for path in FONT_PATHS:
        if os.path.exists(path):
            return ImageFont.truetype(path, size)
    sys.exit("gen_resources: DejaVu Sans Bold not found (Debian package fonts-dejavu-core)")


def supersampled(size, scale, draw_fn, background):
    """Draws at `scale` times the size and scales down: smooth edges."""
    big = Image.new("RGB", (size[0] * scale, size[1] * scale), background)
    draw_fn(big, scale)
    return big.resize(size, Image.LANCZOS)


def centred_text(draw, box, text, font, fill):
    left, top, right, bottom = draw.textbbox((0, 0), text, font=font)
    x = (box[0] + box[2] - (right - left)) / 2 - left
    y = (box[1] + box[3] - (bottom - top)) / 2 - top
    draw.text((x, y), text, font=font, fill=fill)


def indicator(letter, colour, percent=100):
    """The letter on a rounded plate, drawn afresh at the scale (not resampled
    from the 22 x 22 picture), filling the scaled indicator rectangle."""
    left, top, right, bottom = (px(v, percent) for v in INDICATOR_PLACE)
    size = (right - left, bottom - top)
    k = percent / 100.0

    def draw_fn(img, s):
        d = ImageDraw.Draw(img)
        w, h = img.size
        u = s * k                       # one 100 % pixel in supersampled pixels
        dim = tuple(int(c * 0.22 + b * 0.78) for c, b in zip(colour, SURFACE))
        d.rounded_rectangle((u, u, w - u - 1, h - u - 1), radius=5 * u,
                            fill=dim, outline=colour, width=int(1.5 * u))
        centred_text(d, (0, 0, w, h + u), letter, bold_font(int(14 * u)), TEXT)
    return supersampled(size, 8, draw_fn, SURFACE)


def icon_image(size):
    def draw_fn(img, s):
        w = img.size[0]
        d = ImageDraw.Draw(img)
        pad = w * 0.06
        r = w * 0.2
        # Key cap: dark side, lighter top, cyan rim.
        d.rounded_rectangle((pad, pad, w - pad, w - pad), radius=r, fill=(30, 33, 41),
                            outline=ACCENT, width=max(1, int(w * 0.05)))
        inset = w * 0.2
        d.rounded_rectangle((inset, inset * 0.8, w - inset, w - inset * 1.1), radius=r * 0.6,
                            fill=(46, 50, 61))
        centred_text(d, (inset, inset * 0.8, w - inset, w - inset * 1.1), "Z",
                     bold_font(int(w * 0.42)), ACCENT)
    img = Image.new("RGBA", (size * 4, size * 4), (0, 0, 0, 0))
    # Draw opaque, then cut the rounded outline as alpha.
    rgb = supersampled((size, size), 4, draw_fn, (0, 0, 0))
    mask = Image.new("L", (size * 4, size * 4), 0)
    pad = size * 4 * 0.06
    ImageDraw.Draw(mask).rounded_rectangle((pad, pad, size * 4 - pad, size * 4 - pad),
                                           radius=size * 4 * 0.2, fill=255)
    img = rgb.convert("RGBA")
    img.putalpha(mask.resize((size, size), Image.LANCZOS))
    return img


def spinner_frame(index, frames, size=LOAD_SIZE):
    """A ring of twelve rounded bars with a bright head and a fading tail."""
    k = size / LOAD_SIZE                # the display scale of this animation

    def draw_fn(img, ss):
        s = ss * k
        d = ImageDraw.Draw(img)
        c = img.size[0] / 2
        # Faint track behind the bars.
        track = 62 * s
        d.ellipse((c - track, c - track, c + track, c + track), outline=(28, 32, 42), width=int(3 * s))
        bars = 12
        for b in range(bars):
            age = (index - b) % bars          # 0 = the head, then the tail
            strength = max(0.0, 1.0 - age / 7.0) ** 1.4
            base = HEAD if age == 0 else ACCENT
            colour = tuple(int(dim + (hi - dim) * strength) for hi, dim in zip(base, BAR_DIM))
            angle = 2 * math.pi * b / bars - math.pi / 2
            r0, r1 = 44 * s, 72 * s
            x0, y0 = c + r0 * math.cos(angle), c + r0 * math.sin(angle)
            x1, y1 = c + r1 * math.cos(angle), c + r1 * math.sin(angle)
            width = int(11 * s)
            d.line((x0, y0, x1, y1), fill=colour, width=width)
            for x, y in ((x0, y0), (x1, y1)):
                d.ellipse((x - width / 2, y - width / 2, x + width / 2, y + width / 2), fill=colour)
    # Drawn over the keyboard plate: the edges of the spinner, which stay opaque,
    # blend into what lies under the loading window.
    frame = supersampled((size, size), 3, draw_fn, PLATE)
    # A soft glow around the lit bars.
    lit = frame.convert("L").point(lambda v: 255 if v > 90 else 0)
    glow = Image.composite(frame, Image.new("RGB", frame.size, PLATE), lit)
    glow = glow.filter(ImageFilter.GaussianBlur(5 * k))
    return Image.composite(frame, Image.blend(frame, glow, 0.6), lit)


TRANSPARENT = 255               # palette index of the pixels around the spinner


def spinner_mask(images):
    """The pixels any frame paints: the same set in every frame. The frames are
    drawn one over the other without clearing, so a pixel that is opaque in one
    frame must be opaque in all of them."""
    mask = Image.new("L", images[0].size, 0)
    for im in images:
        diff = ImageChops.difference(im, Image.new("RGB", im.size, PLATE)).convert("L")
        mask = ImageChops.lighter(mask, diff.point(lambda v: 255 if v > 6 else 0))
    return mask


def write_gif(path, frames=12, size=LOAD_SIZE):
    """The loading dialog shows its window through a colour key: only what the
    picture paints is seen. Every pixel outside the spinner is the GIF's
    transparent colour, so the dialog's own background (the key colour) stays
    there and the keyboard under the window shows through."""
    images = [spinner_frame(i, frames, size) for i in range(frames)]
    mask = spinner_mask(images)
    # One palette for every frame keeps the colours steady between frames.
    strip = Image.new("RGB", (size, size * frames))
    for i, im in enumerate(images):
        strip.paste(im, (0, size * i))
    palette = strip.quantize(colors=128, method=Image.MEDIANCUT)
    outside = mask.point(lambda v: 255 if v == 0 else 0)
    paletted = []
    for im in images:
        p = im.quantize(palette=palette, dither=Image.NONE)
        p.paste(TRANSPARENT, (0, 0), outside)
        paletted.append(p)
    paletted[0].save(path, save_all=True, append_images=paletted[1:], duration=200, loop=0,
                     disposal=1, transparency=TRANSPARENT, optimize=False)


def setup_side():
    """The tall picture on the installer's first and last page: the dark surface
    of the skins, the icon and the name."""
    w, h = 164, 314
    img = Image.new("RGB", (w, h), WINDOW)
    d = ImageDraw.Draw(img)
    for y in range(h):
        t = y / (h - 1)
        d.line((0, y, w, y), fill=tuple(int(a + (b - a) * t) for a, b in zip(SURFACE, WINDOW)))
    d.rectangle((0, 0, 3, h), fill=ACCENT)
    logo = icon_image(96)
    img.paste(logo, ((w - 96) // 2, 70), logo)
    centred_text(d, (0, 184, w, 214), "ZAVO", bold_font(24), TEXT)
    centred_text(d, (0, 214, w, 232), "CONFIG", bold_font(11), ACCENT)
    return img


def setup_header():
    """The small picture at the right of the installer's page headers, on the
    header's white."""
    w, h = 150, 57
    img = Image.new("RGB", (w, h), (255, 255, 255))
    logo = icon_image(40)
    img.paste(logo, (w - 40 - 10, (h - 40) // 2), logo)
    return img


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    lines = ["// Drawn by gen_resources.py: the executable's pictures at the larger display scales.\n"]
    for step, percent in enumerate(SCALES):
        for (name, letter, colour), rid in zip(INDICATORS, INDICATOR_IDS):
            file = scaled_name(name, percent)
            indicator(letter, colour, percent).save(os.path.join(out, file), "BMP")
            if percent != 100:
                lines.append('%d BITMAP "%s"\n' % (rid + SCALED_ID_STEP * step, file))
        write_gif(os.path.join(out, scaled_name("load.gif", percent)), size=px(LOAD_SIZE, percent))
        if percent != 100:
            lines.append('LOAD%d GIF "%s"\n' % (percent, scaled_name("load.gif", percent)))
    with open(os.path.join(out, "scaled.rc"), "w") as f:
        f.writelines(lines)
    sizes = [16, 20, 24, 32, 40, 48, 64, 256]
    big = icon_image(256)
    big.save(os.path.join(out, "zavo.ico"), sizes=[(s, s) for s in sizes],
             append_images=[icon_image(s) for s in sizes if s != 256], bitmap_format="bmp")
    setup_side().save(os.path.join(out, "setup_side.bmp"), "BMP")
    setup_header().save(os.path.join(out, "setup_header.bmp"), "BMP")


if __name__ == "__main__":
    main()
