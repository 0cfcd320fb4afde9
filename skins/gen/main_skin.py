"""The main window's skin: header with profiles and modes, the keyboard with its
ten T-keys, the status line with the assignment buttons, and the footer.

Fixed points the window relies on: the assignment indicator (a 22 x 22 picture
control) at (221, 362), the status text at (256, 369) on the status display
(button "11"), and the version text at (733, 433)."""
from PIL import Image, ImageDraw

from . import icons
from . import palette as P
from .canvas import Layer, SkinCanvas, font, mix, px, SCALE
from .layouts import ENTER_SHAPE, JP_TIPS, KEY_TIPS, LAYOUTS, TKEY_X
from .widgets import flat, keycap

W, H = 1060, 464
UNIT = 37
KB_X0 = 154.5            # x of key unit 0 (the main block's left edge)
KB_Y0 = 92               # y of the function row
PLATE = (44, 76, 1016, 342)
ENTER_INDEX = 70
VERSION_TEXT = "V1.00.26"
KEY_COLOUR = (255, 0, 200)


def cell(x, y, w, h):
    """Button rectangle of a key at unit position: the cell less one pixel on
    each side, so neighbouring keys never overlap."""
    l = int(round(KB_X0 + x * UNIT))
    t = int(round(KB_Y0 + y * UNIT))
    r = int(round(KB_X0 + (x + w) * UNIT))
    b = int(round(KB_Y0 + (y + h) * UNIT))
    return (l + 1, t + 1, r - 1, b - 1)


def enter_parts():
    """The two rectangles of the L-shaped Enter key, in window pixels."""
    return [cell(*p) for p in ENTER_SHAPE]


def enter_bounds():
    parts = enter_parts()
    return (min(p[0] for p in parts), min(p[1] for p in parts),
            max(p[2] for p in parts), max(p[3] for p in parts))


def draw_enter(L, face):
    """Draws the L-shaped Enter cap (into a picture of the Enter key alone
    through the layer's origin)."""
    c = P.CAP[face]
    top, bot = enter_parts()
    bot_up = (bot[0], top[1] + 8, bot[2], bot[3])

    def union(inset, fill, radius, bottom_cut=0):
        a = (top[0] + 2 + inset, top[1] + 2 + inset, top[2] - 2 - inset, top[3] - 2 - inset - bottom_cut)
        b = (bot_up[0] + 2 + inset, bot_up[1] + inset, bot_up[2] - 2 - inset, bot_up[3] - 2 - inset - bottom_cut)
        L.rrect(a, radius, fill=fill)
        L.rrect(b, radius, fill=fill)

    if c["glow"]:
        union(-2, mix(P.PLATE, c["glow"], 0.55), 6)
        union(-1, mix(P.PLATE, c["glow"], 0.9), 5)
    union(0, c["edge"], 5)
    union(1, c["side"], 4)
    # top face: lighter, inset like the other caps
    a = (top[0] + 4, top[1] + 3, top[2] - 4, top[3] - 5)
    b = (bot_up[0] + 4, bot_up[1], bot_up[2] - 4, bot_up[3] - 6)
    L.vgrad(a, c["top"], c["top2"], radius=4)
    L.vgrad((b[0], a[3] - 8, b[2], b[3]), c["top2"], c["top2"], radius=4)
    L.rect((b[0], a[3] - 8, b[2], a[3] - 3), c["top2"])
    L.text_in((bot[0], bot[1], bot[2], bot[3] - 4), "Enter", font(10), c["legend"])
    L.text_in((top[0] + 8, top[1], top[2], top[3] - 4), "\u21b5", font(13), c["legend"])


def background(layout):
    def paint(L):
        L.vgrad((0, 0, W, H), (19, 21, 28), (10, 11, 15))
        # header
        L.vgrad((0, 0, W, 66), P.HEADER_TOP, P.HEADER_BOTTOM)
        L.rect((0, 66, W, 67), (32, 36, 46))
        L.rect((24, 66, 204, 67), P.ACCENT)
        # logo
        L.polygon([(28, 44), (40, 20), (52, 20), (40, 44)], P.ACCENT)
        L.polygon([(44, 44), (56, 20), (62, 20), (50, 44)], P.ACCENT_DEEP)
        L.text((70, 17), "ZAVO", font(22), P.TEXT)
        L.text((72, 42), "CONFIG", font(9), P.ACCENT_SOFT)
        L.text_in((210, 18, 284, 50), "PROFILE", font(9), P.MUTED, align="right")
        L.text_in((524, 18, 574, 50), "MODE", font(9), P.MUTED, align="right")
        # keyboard plate
        L.rrect(PLATE, 14, fill=P.PANEL)
        L.rrect(PLATE, 14, outline=P.PANEL_EDGE, width=1)
        inner = (PLATE[0] + 8, PLATE[1] + 8, PLATE[2] - 8, PLATE[3] - 8)
        L.rrect(inner, 10, fill=P.PLATE)
        L.rrect(inner, 10, outline=P.PLATE_EDGE, width=1)
        # T-key block: a tinted strip with its caption
        tl = cell(TKEY_X, 0, 2, 1)
        tb = cell(TKEY_X, 1.4, 2, 5)
        L.rrect((tl[0] - 5, tl[1] + 4, tb[2] + 5, tb[3] + 5), 8, fill=(22, 32, 42))
        L.rrect((tl[0] - 5, tl[1] + 4, tb[2] + 5, tb[3] + 5), 8, outline=(0, 86, 122), width=1)
        L.text_in((tl[0], tl[1] + 4, tl[2], tl[3] + 2), "T-KEYS", font(10), P.ACCENT_SOFT)
        # lock lights above the number pad (both layouts)
        lx = cell(18.8, 0, 4, 1)
        for i, lab in enumerate(("NUM", "CAPS", "SCROLL")):
            cx = lx[0] + 22 + i * 50
            L.ellipse((cx - 3, lx[1] + 9, cx + 3, lx[1] + 15), fill=(0, 150, 200))
            L.text_in((cx - 24, lx[1] + 16, cx + 24, lx[1] + 32), lab, font(8), P.FAINT)
        # status line: indicator frame and the status display
        L.rrect((216, 357, 248, 389), 6, fill=P.GROOVE)
        L.rrect((216, 357, 248, 389), 6, outline=P.PANEL_EDGE, width=1)
        # footer
        L.rect((0, 398, W, 399), (30, 34, 43))
        L.rrect((664, 426, 800, 452), 6, fill=(16, 18, 24))
        L.rrect((664, 426, 800, 452), 6, outline=(36, 40, 50), width=1)
        L.text_in((668, 426, 728, 452), "DRIVER", font(8), P.FAINT, align="right")
    return paint


def status_display(L, r, face):
    """Button "11" is always disabled and shows the status text: every face draws
    the same inset display, so the Disabled face is the one seen."""
    L.rrect(r, 6, fill=P.GROOVE)
    L.rrect(r, 6, outline=P.PANEL_EDGE, width=1)
    L.rect((r[0] + 1, r[1] + 1, r[2] - 1, r[1] + 2), (6, 7, 10))


def tkey(label):
    base = keycap(label)

    def paint(L, r, face):
        base(L, r, face)
        if face == "normal":
            L.rect((r[0] + 9, r[3] - 6, r[2] - 9, r[3] - 5), (0, 150, 200))
    return paint


def primary(label, icon):
    """The Apply button: accent-filled at rest."""
    inner = flat(label, icon, size=11)

    def paint(L, r, face):
        if face in ("normal", "over"):
            top, bottom = ((0, 126, 176), (0, 94, 134)) if face == "normal" else ((0, 170, 226), (0, 124, 172))
            L.vgrad(r, top, bottom, radius=6)
            L.rrect(r, 6, outline=(60, 200, 245) if face == "normal" else (170, 240, 255), width=1)
            isz = 16
            ix, iy = r[0] + 12, r[1] + (r[3] - r[1] - isz) // 2
            icons.draw(L, icon, (ix, iy, ix + isz, iy + isz), (255, 255, 255))
            L.text_in((ix + isz + 7, r[1], r[2] - 6, r[3]), label, font(11), (255, 255, 255), align="left")
        else:
            inner(L, r, face)
    return paint


def build(layout="en"):
    s = SkinCanvas(W, H, background(layout))
    danger = P.DANGER
    # header: profiles, modes, web, help, exit
    for i, (key, roman) in enumerate((("4", "I"), ("5", "II"), ("6", "III"), ("22", "IV"), ("21", "V"))):
        x = 290 + i * 50
        s.add(key, "Profile%d" % (i + 1), (x, 18, x + 44, 50), "Profile " + roman,
              flat(roman, size=13), latched=False)
    s.add("7", "Mode0", (580, 18, 676, 50), "T-keys only", flat("T-KEYS", "key", size=10))
    s.add("8", "Mode1", (682, 18, 790, 50), "All keys", flat("ALL KEYS", "key", size=10))
    s.add("2", "Web", (922, 18, 956, 50), "Web site", flat(icon="globe"))
    s.add("3", "Help", (962, 18, 996, 50), "User guide", flat(icon="help"))
    s.add("20", "Exit", (1002, 18, 1036, 50), "Exit without saving", flat(icon="close", accent=danger))
    # status line
    s.add("16", "InstantShift", (24, 356, 208, 388), "Instant shift", flat("INSTANT SHIFT", "shift", size=10))
    s.add("11", "Status", (250, 356, 596, 388), "Status", status_display)
    s.add("14", "AssignKey", (608, 356, 708, 388), "Single key", flat("KEY", "key", size=10))
    s.add("12", "AssignMacro", (714, 356, 814, 388), "Macro", flat("MACRO", "macro", size=10))
    s.add("15", "AssignApp", (820, 356, 920, 388), "Application", flat("APP", "app", size=10))
    s.add("13", "Clear", (926, 356, 1036, 388), "Clear", flat("CLEAR", "clear", size=10, accent=danger))
    # footer
    s.add("9", "MacroEditor", (24, 408, 184, 444), "Macro editor", flat("MACRO EDITOR", "macro", size=10))
    s.add("10", "Lighting", (190, 408, 330, 444), "Lighting", flat("LIGHTING", "light", size=10))
    s.add("1", "Reset", (336, 408, 446, 444), "Reset this profile", flat("RESET", "reset", size=10, accent=danger))
    s.add("17", "Apply", (806, 408, 892, 444), "Apply", primary("APPLY", "check"))
    s.add("19", "OK", (898, 408, 964, 444), "OK", flat("OK", size=11))
    s.add("18", "Quit", (970, 408, 1036, 444), "Quit", flat("QUIT", size=11))
    for b in s.buttons:
        b.section = "BUTTONINFO"
    # T-keys: T1..T5 in the left column, T6..T10 in the right one
    for i in range(10):
        col, row = divmod(i, 5)
        r = cell(TKEY_X + col, 1.4 + row, 1, 1)
        s.add(str(i + 1), "T%d" % (i + 1), r, "T%d" % (i + 1), tkey("T%d" % (i + 1)))
        s.buttons[-1].section = "T-KEYS"
    # standard keys
    eb = enter_bounds()
    keys = LAYOUTS[layout]() + [(ENTER_INDEX, None, None, None, None, "Enter", None)]
    for idx, x, y, w, h, legend, sub in sorted(keys, key=lambda k: k[0]):
        if idx == ENTER_INDEX:
            # The region button sits one pixel in from its entry's corner.
            s.add(str(idx + 20), "Enter", eb, "Enter", lambda L, r, face: None)
            s.buttons[-1].section = "STANDER-KEYS"
            s.buttons[-1].offset = 1
            continue
        r = cell(x, y, w, h)
        tips = {**KEY_TIPS, **JP_TIPS} if layout == "jp" else KEY_TIPS
        tip = tips.get(idx, legend)
        s.add(str(idx + 20), "Key%d" % idx, r, tip, keycap(legend, sub, small=len(legend) > 5))
        s.buttons[-1].section = "STANDER-KEYS"
    s.sections["SCREEN"] = [("EnterRgn", "main_enter")]
    s.overlay = lambda L, face: draw_enter(L, "normal" if face == "normal" else face)
    return s


def enter_pictures():
    """The shape pictures of the Enter region button, one per face of the other
    keys: rest ("normal"), under the mouse ("over"), lit ("down") and dimmed
    ("disabled"). Every pixel outside the L is exactly the key colour."""
    eb = enter_bounds()
    x0, y0 = px(eb[0]), px(eb[1])
    w, h = px(eb[2]) - x0, px(eb[3]) - y0
    mask = Image.new("L", (w * SCALE, h * SCALE), 0)
    md = ImageDraw.Draw(mask)
    top, bot = enter_parts()
    for p in (top, (bot[0], top[1], bot[2], bot[3])):
        md.rectangle([(px(p[0]) - x0) * SCALE, (px(p[1]) - y0) * SCALE,
                      (px(p[2]) - x0) * SCALE - 1, (px(p[3]) - y0) * SCALE - 1], fill=255)
    mask = mask.resize((w, h), Image.BOX).point(lambda v: 255 if v >= 128 else 0)
    out = {}
    for name, face in (("normal", "normal"), ("over", "over"), ("down", "down"), ("disabled", "disabled")):
        L = Layer(eb[2] - eb[0], eb[3] - eb[1], P.PLATE, origin=eb[:2])
        draw_enter(L, face)
        img = L.finish()
        keyed = Image.new("RGB", (w, h), KEY_COLOUR)
        keyed.paste(img, (0, 0), mask)
        out[name] = keyed
    return out
