"""Drawing surface of one skin: the four whole-window faces drawn together.

Every skinned window is a background plus buttons; each button is drawn once per
face ("Main" = rest, "Over" = under the mouse, "Down" = pressed or latched,
"Disabled"). Shapes are drawn supersampled and scaled down so that rounded
corners and icons are smooth; text is drawn afterwards at the final size so that
it stays crisp.
"""
from PIL import Image, ImageDraw, ImageFont

from . import palette as P

SCALE = 3
FACES = ("normal", "over", "down", "disabled")
FONT_DIR = "/usr/share/fonts/truetype/dejavu/"
_fonts = {}


def font(size, bold=True, mono=False, condensed=False):
    """DejaVu font of `size` pixels (fonts-dejavu-core; the condensed faces come
    from fonts-dejavu-extra)."""
    if mono:
        name = "DejaVuSansMono-Bold.ttf" if bold else "DejaVuSansMono.ttf"
    elif condensed:
        name = "DejaVuSansCondensed-Bold.ttf" if bold else "DejaVuSansCondensed.ttf"
    else:
        name = "DejaVuSans-Bold.ttf" if bold else "DejaVuSans.ttf"
    key = (name, size)
    if key not in _fonts:
        _fonts[key] = ImageFont.truetype(FONT_DIR + name, size)
    return _fonts[key]


def fit_font(text, max_width, size, smallest=7, bold=True, condensed=False):
    """The largest font from `size` down to `smallest` in which `text` is at most
    `max_width` pixels wide."""
    while size > smallest and font(size, bold, condensed=condensed).getlength(text) > max_width:
        size -= 1
    return font(size, bold, condensed=condensed)


def mix(a, b, t):
    """Colour between a (t = 0) and b (t = 1)."""
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


class Layer:
    """One face being drawn: a supersampled shape image and a list of texts that
    are drawn once the shapes are scaled down."""

    def __init__(self, width, height, fill):
        self.w, self.h = width, height
        self.hi = Image.new("RGB", (width * SCALE, height * SCALE), fill)
        self.draw = ImageDraw.Draw(self.hi)
        self.texts = []
        self.overlays = []

    # All coordinates are in final pixels; rectangles are (left, top, right, bottom)
    # with right and bottom exclusive.
    def _r(self, r):
        s = SCALE
        return [r[0] * s, r[1] * s, r[2] * s - 1, r[3] * s - 1]

    def rect(self, r, fill):
        self.draw.rectangle(self._r(r), fill=fill)

    def rrect(self, r, radius, fill=None, outline=None, width=1):
        if r[2] - r[0] <= 0 or r[3] - r[1] <= 0:
            return
        self.draw.rounded_rectangle(self._r(r), radius=radius * SCALE, fill=fill,
                                    outline=outline, width=int(width * SCALE))

    def vgrad(self, r, top, bottom, radius=0):
        """Vertical gradient in a (rounded) rectangle."""
        x0, y0, x1, y1 = [v * SCALE for v in r]
        if x1 <= x0 or y1 <= y0:
            return
        grad = Image.new("RGB", (1, y1 - y0))
        for y in range(y1 - y0):
            grad.putpixel((0, y), mix(top, bottom, y / max(1, y1 - y0 - 1)))
        grad = grad.resize((x1 - x0, y1 - y0))
        mask = Image.new("L", (x1 - x0, y1 - y0), 0)
        ImageDraw.Draw(mask).rounded_rectangle([0, 0, x1 - x0 - 1, y1 - y0 - 1],
                                               radius=radius * SCALE, fill=255)
        self.hi.paste(grad, (x0, y0), mask)

    def ellipse(self, r, fill=None, outline=None, width=1):
        self.draw.ellipse(self._r(r), fill=fill, outline=outline, width=int(width * SCALE))

    def arc(self, r, start, end, fill, width=1):
        self.draw.arc(self._r(r), start, end, fill=fill, width=int(width * SCALE))

    def line(self, points, fill, width=1):
        pts = [(x * SCALE, y * SCALE) for x, y in points]
        self.draw.line(pts, fill=fill, width=max(1, int(width * SCALE)), joint="curve")

    def polygon(self, points, fill):
        self.draw.polygon([(x * SCALE, y * SCALE) for x, y in points], fill=fill)

    def text(self, xy, s, fnt, fill, anchor="la"):
        self.texts.append((xy, s, fnt, fill, anchor))

    def text_in(self, r, s, fnt, fill, align="center"):
        """Text centred vertically in r; horizontally by align."""
        cy = (r[1] + r[3]) / 2
        if align == "center":
            self.text(((r[0] + r[2]) / 2, cy), s, fnt, fill, "mm")
        elif align == "left":
            self.text((r[0], cy), s, fnt, fill, "lm")
        else:
            self.text((r[2], cy), s, fnt, fill, "rm")

    def finish(self):
        img = self.hi.resize((self.w, self.h), Image.LANCZOS)
        d = ImageDraw.Draw(img)
        for xy, s, fnt, fill, anchor in self.texts:
            d.text(xy, s, font=fnt, fill=fill, anchor=anchor)
        return img


class Button:
    def __init__(self, key, name, rect, text, latched, painter):
        self.key, self.name, self.rect = key, name, rect
        self.text, self.latched, self.painter = text, latched, painter

    def entry(self):
        l, t, r, b = self.rect
        flag = "TRUE" if self.latched else "FALSE"
        return "%s,%d,%d,%d,%d,%s,%s" % (self.name, l, t, r - l, b - t, self.text, flag)


class SkinCanvas:
    """A window's skin: background painter, buttons, extra sections."""

    def __init__(self, width, height, background):
        self.w, self.h = width, height
        self.background = background  # fn(layer)
        self.buttons = []
        self.sections = {}            # extra ini sections: name -> list of (key, value)
        self.overlay = None           # fn(layer, face): drawn after the buttons

    def add(self, key, name, rect, text, painter, latched=False):
        # A comma would split the entry's fields; "TRUE" anywhere after the name
        # latches the button.
        assert "," not in text and "," not in name, (name, text)
        # An entry is one line of the description file.
        assert not any(c in text + name for c in "\r\n"), (name, text)
        assert "TRUE" not in text, text
        self.buttons.append(Button(key, name, rect, text, latched, painter))

    def render(self):
        faces = {}
        for face in FACES:
            layer = Layer(self.w, self.h, P.WINDOW)
            self.background(layer)
            for b in self.buttons:
                b.painter(layer, b.rect, face)
            if self.overlay:
                self.overlay(layer, face)
            faces[face] = layer.finish()
        return faces
