"""Painters of the skin's buttons: key caps, flat command buttons, radio rows,
menu items. Each painter is fn(layer, rect, face)."""
from . import icons
from . import palette as P
from .canvas import fit_font, font, mix, text_width


def keycap(legend, sub=None, small=False):
    """A key cap. `legend` is the main label, `sub` an optional upper label
    (the shifted character). Down = lit in the accent colour."""

    def paint(L, r, face):
        c = P.CAP[face]
        x0, y0, x1, y1 = r
        if c["glow"]:
            L.rrect(r, 6, fill=mix(P.PLATE, c["glow"], 0.55))
            L.rrect((x0 + 1, y0 + 1, x1 - 1, y1 - 1), 5, fill=mix(P.PLATE, c["glow"], 0.9))
        cap = (x0 + 2, y0 + 2, x1 - 2, y1 - 2)
        L.rrect(cap, 5, fill=c["side"])
        top = (cap[0] + 2, cap[1] + 1, cap[2] - 2, cap[3] - 4)
        L.vgrad(top, c["top"], c["top2"], radius=4)
        L.rrect(cap, 5, outline=c["edge"], width=1)
        if sub:
            L.text_in((top[0], top[1] + 1, top[2], (top[1] + top[3]) // 2 + 1), sub,
                      font(10), mix(c["legend"], c["side"], 0.25))
            L.text_in((top[0], (top[1] + top[3]) // 2 - 1, top[2], top[3] - 1), legend, font(11), c["legend"])
        elif "\n" in legend:
            # two short lines, as printed on keys such as "Pg Up"
            upper, lower = legend.split("\n")
            mid = (top[1] + top[3]) // 2
            tw = top[2] - top[0] - 2
            L.text_in((top[0], mid - 11, top[2], mid), upper, fit_font(upper, tw, 9, 8), c["legend"])
            L.text_in((top[0], mid, top[2], mid + 11), lower, fit_font(lower, tw, 9, 8), c["legend"])
        else:
            size = 9 if small else (12 if len(legend) <= 2 else 10)
            tw = top[2] - top[0]
            # Bold down to 9 pixels, then the condensed bold face: below 9 pixels
            # the bold face runs its letters together ("Pause" read "Psuse").
            fnt = fit_font(legend, tw, size, 9)
            if text_width(fnt, legend) > tw:
                fnt = fit_font(legend, tw, min(size, 10), 8, condensed=True)
            if text_width(fnt, legend) > tw:
                fnt = fit_font(legend, tw, 9, 7, bold=False, condensed=True)
            L.text_in(top, legend, fnt, c["legend"])

    return paint


def flat(label=None, icon=None, accent=None, size=11, align="center", radius=6):
    """A flat command button: optional icon and label. `accent` colours the
    latched (Down) face, e.g. red for destructive buttons."""

    def paint(L, r, face):
        s = dict(P.BTN[face])
        if accent and face == "down":
            s["fill"], s["fill2"] = accent, mix(accent, (0, 0, 0), 0.3)
        if accent and face == "over":
            s["edge"] = accent
            s["icon"] = accent
        L.vgrad(r, s["fill"], s["fill2"], radius=radius)
        L.rrect(r, radius, outline=s["edge"], width=1)
        x0, y0, x1, y1 = r
        h = y1 - y0
        if icon and label:
            isz = min(h - 14, 18)
            ix = x0 + 10
            iy = y0 + (h - isz) // 2
            icons.draw(L, icon, (ix, iy, ix + isz, iy + isz), s["icon"])
            L.text_in((ix + isz + 7, y0, x1 - 6, y1), label, font(size), s["text"], align="left")
        elif icon:
            isz = min(h - 12, w_of(r) - 12, 20)
            ix = x0 + (w_of(r) - isz) // 2
            iy = y0 + (h - isz) // 2
            icons.draw(L, icon, (ix, iy, ix + isz, iy + isz), s["icon"])
        elif label:
            L.text_in((x0 + 6, y0, x1 - 6, y1), label, font(size), s["text"], align=align)

    return paint


def w_of(r):
    return r[2] - r[0]


def radio(label, size=11):
    """A row with a round check mark: latched (Down) = chosen."""

    def paint(L, r, face):
        s = P.BTN[face]
        x0, y0, x1, y1 = r
        if face in ("over", "down"):
            L.rrect(r, 6, fill=mix(P.PANEL, s["fill"], 0.35 if face == "over" else 0.25))
            L.rrect(r, 6, outline=mix(P.PANEL, s["edge"], 0.7), width=1)
        cy = (y0 + y1) / 2
        dot = (x0 + 10, cy - 8, x0 + 26, cy + 8)
        L.ellipse(dot, outline=s["edge"] if face != "normal" else P.MUTED, width=1.5)
        if face == "down":
            L.ellipse((dot[0] + 4, dot[1] + 4, dot[2] - 4, dot[3] - 4), fill=P.ACCENT)
        L.text_in((x0 + 34, y0, x1 - 6, y1), label, font(size, bold=face == "down"),
                  s["text"] if face != "normal" else P.TEXT, align="left")

    return paint


def dropdown(placeholder_color=None):
    """A drop-down field: the window writes the chosen name as the button text
    (white, from 5 pixels in); the picture shows the field and its arrow."""

    def paint(L, r, face):
        s = P.BTN[face]
        x0, y0, x1, y1 = r
        L.rrect(r, 5, fill=mix(P.GROOVE, s["fill"], 0.35))
        L.rrect(r, 5, outline=s["edge"], width=1)
        ax = x1 - 16
        cy = (y0 + y1) / 2
        L.polygon([(ax - 5, cy - 2), (ax + 5, cy - 2), (ax, cy + 4)], s["icon"])

    return paint


def menu_item(label, size=11):
    """A line of a pop-up menu; hover and press light it."""

    def paint(L, r, face):
        x0, y0, x1, y1 = r
        if face == "over":
            L.rrect(r, 4, fill=(0, 110, 156))
        elif face == "down":
            L.rrect(r, 4, fill=P.ACCENT)
        col = P.TEXT if face != "disabled" else P.FAINT
        L.text_in((x0 + 10, y0, x1 - 6, y1), label, font(size, bold=face != "normal"), col, align="left")

    return paint


def zone(label, size=10):
    """A lighting zone on the keyboard picture: lit (Down) glows."""

    def paint(L, r, face):
        x0, y0, x1, y1 = r
        if face == "down":
            L.rrect(r, 5, fill=(0, 120, 170))
            L.rrect((x0 + 2, y0 + 2, x1 - 2, y1 - 2), 4, fill=P.ACCENT)
            L.rrect(r, 5, outline=(170, 240, 255), width=1)
            col = (255, 255, 255)
        elif face == "over":
            L.rrect(r, 5, fill=(48, 58, 74))
            L.rrect(r, 5, outline=P.ACCENT, width=1)
            col = (255, 255, 255)
        elif face == "disabled":
            L.rrect(r, 5, fill=(30, 32, 39))
            col = P.FAINT
        else:
            L.rrect(r, 5, fill=(40, 44, 54))
            L.rrect(r, 5, outline=(66, 72, 87), width=1)
            col = P.TEXT
        lines = label.split("\n")
        step = size + 3
        top = (r[1] + r[3]) / 2 - step * (len(lines) - 1) / 2
        for i, line in enumerate(lines):
            y = top + i * step
            L.text_in((r[0], y - step / 2, r[2], y + step / 2), line, fit_font(line, r[2] - r[0] - 4, size), col)

    return paint
