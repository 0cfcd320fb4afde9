"""Previews of the skins as their windows show them: each button's picture cut
from the face of its state and pasted onto the background, the window's shape
applied, and the texts the program draws itself added."""
import os

from PIL import Image, ImageDraw

from .canvas import font


def compose(faces, buttons, states, mask=None):
    """faces: face name -> image; states: button key -> face name."""
    img = faces["normal"].copy()
    for b in buttons:
        face = states.get((getattr(b, "section", "BUTTONINFO"), b.key))
        if face and face != "normal":
            l, t, r, bt = b.rect
            img.paste(faces[face].crop((l, t, r, bt)), (l, t))
    if mask is not None:
        shaped = Image.new("RGB", img.size, (40, 44, 52))
        inside = mask.convert("L").point(lambda v: 255 if v < 255 else 0)
        shaped.paste(img, (0, 0), inside)
        img = shaped
    return img


def main_preview(canvas, faces, skindir, outdir, layout):
    from . import main_skin
    mask = Image.open(os.path.join(skindir, "main_mask.bmp"))
    lit = {"Key39", "Key59", "Key60", "Key61", "Key94", "Key86"}
    for mode in (0, 1):
        states = {}
        for b in canvas.buttons:
            sec = getattr(b, "section", "BUTTONINFO")
            face = None
            if sec == "STANDER-KEYS":
                face = "disabled" if mode == 0 else ("down" if b.name in lit else None)
            elif sec == "T-KEYS":
                face = "down" if b.name in ("T1", "T3", "T6") else None
            elif b.key == "11":
                face = "disabled"
            elif b.key in ("4", "8" if mode else "7"):
                face = "down"
            elif b.key == "17":
                face = "over"
            elif mode == 0 and b.key in ("12", "14", "15", "13"):
                face = "disabled"
            if face:
                states[(sec, b.key)] = face
        img = compose(faces, canvas.buttons, states, mask)
        # Enter region button (dimmed with the other keys in mode 0, at rest in
        # mode 1), key colour left out
        eb = main_skin.enter_bounds()
        pic = Image.open(os.path.join(skindir, "main_enter_%s.bmp" % ("disabled" if mode == 0 else "normal")))
        keyless = pic.convert("RGB").point(lambda v: v)
        m = Image.new("L", pic.size, 0)
        px, mp = keyless.load(), m.load()
        for y in range(pic.size[1]):
            for x in range(pic.size[0]):
                if px[x, y] != main_skin.KEY_COLOUR:
                    mp[x, y] = 255
        img.paste(keyless, (eb[0], eb[1]), m)
        d = ImageDraw.Draw(img)
        d.text((733, 433), main_skin.VERSION_TEXT, font=font(11), fill=(255, 255, 255))
        # indicator letter and the status text the hover poll writes on "11"
        d.rectangle((221, 362, 242, 383), fill=(0, 150, 205))
        d.text((231.5, 373), "T", font=font(13), fill=(255, 255, 255), anchor="mm")
        d.text((255, 372), "Rapid fire (macro on T1)", font=font(11, bold=False), fill=(255, 255, 255), anchor="lm")
        img.save(os.path.join(outdir, "main_%s_mode%d.png" % (layout, mode)))


def dialog_previews(others, outdir):
    for name, (canvas, faces, mask, states) in others.items():
        img = compose(faces, canvas.buttons, states or {}, mask)
        img.save(os.path.join(outdir, "%s.png" % name))
