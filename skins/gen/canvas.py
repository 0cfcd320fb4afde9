"""Drawing surface of one skin: the four whole-window faces drawn together.

Every skinned window is a background plus buttons; each button is drawn once per
face ("Main" = rest, "Over" = under the mouse, "Down" = pressed or latched,
"Disabled"). Shapes are drawn supersampled and scaled down so that rounded
corners and icons are smooth; text is drawn afterwards at the final size so that
it stays crisp.

Every coordinate, size and font is given in pixels of the 100 % skin; a skin is
drawn at another display scale (set_scale) by mapping each of them there: an
edge x lands on px(x), so two rectangles that meet at 100 % still meet, and
shapes, line widths and fonts are drawn at the larger size instead of being
stretched afterwards.
"""
import math

from PIL import Image, ImageDraw, ImageFont

from . import palette as P

SCALE = 3
# The display scales a skin is drawn at, and the folder of each beside the
# 100 % skin (the percentage).
DISPLAY_SCALES = (1.0, 1.25, 1.5, 1.75, 2.0)
_scale = 1.0
FACES = ("normal", "over", "down", "disabled")
FONT_DIR = "/usr/share/fonts/truetype/dejavu/"
_fonts = {}


def set_scale(scale):
    """Draws everything from now on at `scale` (1.0 is the 100 % skin)."""
    global _scale
    _scale = scale


def scale():
    return _scale


def scale_folder(scale):
    """The folder of a scale's skin within the 100 % skin ("" for 1.0)."""
    return "" if scale == 1.0 else str(int(round(scale * 100)))


def px(v):
    """The pixel edge of 100 % coordinate v at the current scale (halves round up,
    the same way for every edge)."""
    return int(math.floor(v * _scale + 0.5))


def _edge(v):
    return v if _scale == 1.0 else px(v)


def px_rect(r):
    return tuple(px(v) for v in r)


def font(size, bold=True, mono=False, condensed=False):
    """DejaVu font of `size` pixels of the 100 % skin, at the current scale
    (fonts-dejavu-core; the condensed faces come from fonts-dejavu-extra)."""
    if mono:
        name = "DejaVuSansMono-Bold.ttf" if bold else "DejaVuSansMono.ttf"
    elif condensed:
        name = "DejaVuSansCondensed-Bold.ttf" if bold else "DejaVuSansCondensed.ttf"
    else:
        name = "DejaVuSans-Bold.ttf" if bold else "DejaVuSans.ttf"
    key = (name, max(1, px(size)))
    if key not in _fonts:
        _fonts[key] = ImageFont.truetype(FONT_DIR + name, key[1])
    return _fonts[key]


def text_width(fnt, text):
    """How wide `text` is in `fnt`, in pixels of the 100 % skin."""
    return fnt.getlength(text) / _scale


def fit_font(text, max_width, size, smallest=7, bold=True, condensed=False):
    """The largest font from `size` down to `smallest` in which `text` is at most
    `max_width` pixels wide."""
    while size > smallest and text_width(font(size, bold, condensed=condensed), text) > max_width:
        size -= 1
    return font(size, bold, condensed=condensed)


def mix(a, b, t):
    """Colour between a (t = 0) and b (t = 1)."""
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


class Layer:
    """One face being drawn: a supersampled shape image and a list of texts that
    are drawn once the shapes are scaled down. `origin` (100 % pixels) is the
    point of the window drawn at the picture's top left corner, for a picture
    of a part of a window."""

    def __init__(self, width, height, fill, origin=(0, 0)):
        self.ox, self.oy = px(origin[0]), px(origin[1])
        self.w, self.h = px(origin[0] + width) - self.ox, px(origin[1] + height) - self.oy
        self.hi = Image.new("RGB", (self.w * SCALE, self.h * SCALE), fill)
        self.draw = ImageDraw.Draw(self.hi)
        self.texts = []
        self.overlays = []

    # All coordinates are in 100 % pixels of the window; rectangles are (left,
    # top, right, bottom) with right and bottom exclusive.
    def _x(self, x):
        """A rectangle edge, in supersampled pixels: on a whole pixel at a larger
        scale, so that shapes end where their buttons do; at 100 % where it is
        given, half pixels included, as the skin has always been drawn."""
        return (_edge(x) - self.ox) * SCALE

    def _y(self, y):
        return (_edge(y) - self.oy) * SCALE

    def _pt(self, x, y):
        """A point of a line or polygon, in supersampled pixels."""
        return ((x * _scale - self.ox) * SCALE, (y * _scale - self.oy) * SCALE)

    def _r(self, r):
        return [self._x(r[0]), self._y(r[1]), self._x(r[2]) - 1, self._y(r[3]) - 1]

    def _box(self, r):
        """A box of a round shape, unsnapped, in supersampled pixels."""
        (x0, y0), (x1, y1) = self._pt(r[0], r[1]), self._pt(r[2], r[3])
        return [x0, y0, x1 - 1, y1 - 1]

    def _len(self, v):
        """A radius or line width, in supersampled pixels."""
        return v * _scale * SCALE

    def rect(self, r, fill):
        self.draw.rectangle(self._r(r), fill=fill)

    def rrect(self, r, radius, fill=None, outline=None, width=1):
        if r[2] - r[0] <= 0 or r[3] - r[1] <= 0:
            return
        self.draw.rounded_rectangle(self._r(r), radius=self._len(radius), fill=fill,
                                    outline=outline, width=int(self._len(width)))

    def vgrad(self, r, top, bottom, radius=0):
        """Vertical gradient in a (rounded) rectangle."""
        x0, y0, x1, y1 = self._x(r[0]), self._y(r[1]), self._x(r[2]), self._y(r[3])
        if x1 <= x0 or y1 <= y0:
            return
        grad = Image.new("RGB", (1, y1 - y0))
        for y in range(y1 - y0):
            grad.putpixel((0, y), mix(top, bottom, y / max(1, y1 - y0 - 1)))
        grad = grad.resize((x1 - x0, y1 - y0))
        mask = Image.new("L", (x1 - x0, y1 - y0), 0)
        ImageDraw.Draw(mask).rounded_rectangle([0, 0, x1 - x0 - 1, y1 - y0 - 1],
                                               radius=self._len(radius), fill=255)
        self.hi.paste(grad, (x0, y0), mask)

    def ellipse(self, r, fill=None, outline=None, width=1):
        self.draw.ellipse(self._box(r), fill=fill, outline=outline, width=int(self._len(width)))

    def arc(self, r, start, end, fill, width=1):
        self.draw.arc(self._box(r), start, end, fill=fill, width=int(self._len(width)))

    def line(self, points, fill, width=1):
        pts = [self._pt(x, y) for x, y in points]
        self.draw.line(pts, fill=fill, width=max(1, int(self._len(width))), joint="curve")

    def polygon(self, points, fill):
        self.draw.polygon([self._pt(x, y) for x, y in points], fill=fill)

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
        for (x, y), s, fnt, fill, anchor in self.texts:
            d.text((x * _scale - self.ox, y * _scale - self.oy), s, font=fnt, fill=fill, anchor=anchor)
        return img


class Button:
    def __init__(self, key, name, rect, text, latched, painter):
        self.key, self.name, self.rect = key, name, rect
        self.text, self.latched, self.painter = text, latched, painter

    def entry(self):
        """The description file's entry at the current scale; a button placed
        `offset` pixels up and left of its drawn rectangle stays that many
        pixels away at every scale."""
        off = getattr(self, "offset", 0)
        l, t, r, b = [v - off for v in px_rect(self.rect)]
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
