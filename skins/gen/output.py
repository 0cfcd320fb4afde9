"""Writing a skin: its description file (private-profile text, CRLF) and its
pictures (faces as 32-bit BMP or JPEG, masks as 24-bit BMP)."""
import os
import struct

from PIL import Image, ImageDraw

from .canvas import px, scale

PICTURE_KEYS = (("Main", "normal"), ("Down", "down"), ("Over", "over"), ("Disabled", "disabled"))


def save_bmp32(img, path):
    """An uncompressed 32-bit BMP (blue, green, red, unused byte 0), bottom row
    first: the screen's own pixel format, so the program draws a face straight
    from its file without converting a pixel."""
    rgb = img.convert("RGB")
    w, h = rgb.size
    pixels = Image.merge("RGBA", (*rgb.split(), Image.new("L", (w, h), 0))).tobytes("raw", "BGRA", 0, -1)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 32, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def save_picture(img, path):
    if path.lower().endswith((".jpg", ".jpeg")):
        img.convert("RGB").save(path, "JPEG", quality=95, subsampling=0)
    else:
        save_bmp32(img, path)


def shaped_mask(w, h, radius, cut=0):
    """Window shape: black inside a rounded rectangle, pure white outside. `cut`
    chamfers the top-right and bottom-left corners instead of rounding them.
    Sizes in 100 % pixels; the mask is drawn at the current scale, so it has the
    size of the faces drawn at that scale."""
    w, h, radius, cut = px(w), px(h), radius * scale(), int(round(cut * scale()))
    m = Image.new("RGB", (w * 4, h * 4), (255, 255, 255))
    d = ImageDraw.Draw(m)
    d.rounded_rectangle([0, 0, w * 4 - 1, h * 4 - 1], radius=int(round(radius * 4)), fill=(0, 0, 0))
    if cut:
        c = cut * 4
        d.polygon([(w * 4 - c, 0), (w * 4, 0), (w * 4, c)], fill=(255, 255, 255))
        d.polygon([(0, h * 4 - c), (0, h * 4), (c, h * 4)], fill=(255, 255, 255))
    small = m.convert("L").resize((w, h), Image.BOX)
    return small.point(lambda v: 255 if v >= 128 else 0).convert("RGB")


def write_ini(path, sections):
    """sections: list of (name, [(key, value), ...])."""
    lines = []
    for name, items in sections:
        lines.append("[%s]" % name)
        for k, v in items:
            lines.append("%s=%s" % (k, v))
        lines.append("")
    with open(path, "w", encoding="utf-8", newline="") as f:
        f.write("\r\n".join(lines))


def write_skin(outdir, ini_name, prefix, canvas, mask, ext="bmp", sections_before=(), button_sections=None,
               sections_after=()):
    """Renders the four faces of `canvas` and writes them with the mask and the
    description file `ini_name`. Buttons go into their `section` attribute's
    section (default "BUTTONINFO") in the order they were added."""
    faces = canvas.render()
    screen = [("Mask", "%s_mask.bmp" % prefix)]
    mask.save(os.path.join(outdir, "%s_mask.bmp" % prefix), "BMP")
    for key, face in PICTURE_KEYS:
        name = "%s_%s.%s" % (prefix, key.lower(), ext)
        save_picture(faces[face], os.path.join(outdir, name))
        screen.append((key, name))
    sections = [("SCREEN", screen + list(canvas.sections.get("SCREEN", [])))]
    sections += list(sections_before)
    order = []
    grouped = {}
    for b in canvas.buttons:
        sec = getattr(b, "section", "BUTTONINFO")
        if sec not in grouped:
            grouped[sec] = []
            order.append(sec)
        grouped[sec].append((b.key, b.entry()))
    for sec in order:
        sections.append((sec, grouped[sec]))
    sections += list(sections_after)
    write_ini(os.path.join(outdir, ini_name), sections)
    return faces
