"""Small vector icons drawn into a square box (left, top, right, bottom)."""


def draw(L, name, box, col):
    ICONS[name](L, box, col)


def _geo(box):
    x0, y0, x1, y1 = box
    s = x1 - x0
    return x0, y0, s, (x0 + x1) / 2, (y0 + y1) / 2


def globe(L, box, c):
    x0, y0, s, cx, cy = _geo(box)
    w = max(1.2, s / 12)
    L.ellipse(box, outline=c, width=w)
    L.ellipse((cx - s * 0.22, y0, cx + s * 0.22, y0 + s), outline=c, width=w)
    L.line([(x0, cy), (x0 + s, cy)], c, w)
    L.line([(x0 + s * 0.12, y0 + s * 0.28), (x0 + s * 0.88, y0 + s * 0.28)], c, w)
    L.line([(x0 + s * 0.12, y0 + s * 0.72), (x0 + s * 0.88, y0 + s * 0.72)], c, w)


def help_(L, box, c):
    x0, y0, s, cx, cy = _geo(box)
    w = max(1.3, s / 11)
    L.ellipse(box, outline=c, width=w)
    L.arc((cx - s * 0.18, y0 + s * 0.2, cx + s * 0.18, y0 + s * 0.52), 180, 80, c, w)
    L.line([(cx + s * 0.06, y0 + s * 0.5), (cx, y0 + s * 0.56), (cx, y0 + s * 0.64)], c, w)
    L.ellipse((cx - w * 0.8, y0 + s * 0.74, cx + w * 0.8, y0 + s * 0.74 + w * 1.6), fill=c)


def close(L, box, c):
    x0, y0, s, cx, cy = _geo(box)
    w = max(1.5, s / 9)
    m = s * 0.22
    L.line([(x0 + m, y0 + m), (x0 + s - m, y0 + s - m)], c, w)
    L.line([(x0 + s - m, y0 + m), (x0 + m, y0 + s - m)], c, w)


def reset(L, box, c):
    x0, y0, s, cx, cy = _geo(box)
    w = max(1.5, s / 9)
    L.arc((x0 + s * 0.1, y0 + s * 0.1, x0 + s * 0.9, y0 + s * 0.9), 300, 220, c, w)
    # arrow head at the open end (upper left)
    ax, ay = x0 + s * 0.16, y0 + s * 0.26
    L.polygon([(ax - s * 0.14, ay - s * 0.12), (ax + s * 0.16, ay - s * 0.06), (ax - s * 0.02, ay + s * 0.2)], c)


def macro(L, box, c):
    x0, y0, s, cx, cy = _geo(box)
    w = max(1.3, s / 11)
    L.rrect((x0, y0 + s * 0.12, x0 + s, y0 + s * 0.88), s * 0.12, outline=c, width=w)
    L.ellipse((x0 + s * 0.16, cy - s * 0.14, x0 + s * 0.44, cy + s * 0.14), fill=c)
    L.line([(x0 + s * 0.56, cy - s * 0.14), (x0 + s * 0.84, cy - s * 0.14)], c, w)
    L.line([(x0 + s * 0.56, cy + s * 0.14), (x0 + s * 0.76, cy + s * 0.14)], c, w)


def light(L, box, c):
    x0, y0, s, cx, cy = _geo(box)
    w = max(1.3, s / 11)
    r = s * 0.2
    L.ellipse((cx - r, cy - r, cx + r, cy + r), fill=c)
    import math
    for i in range(8):
        a = i * math.pi / 4
        L.line([(cx + math.cos(a) * s * 0.32, cy + math.sin(a) * s * 0.32),
                (cx + math.cos(a) * s * 0.48, cy + math.sin(a) * s * 0.48)], c, w)


def shift(L, box, c):
    x0, y0, s, cx, cy = _geo(box)
    w = max(1.4, s / 10)
    L.line([(x0 + s * 0.1, y0 + s * 0.32), (x0 + s * 0.86, y0 + s * 0.32)], c, w)
    L.polygon([(x0 + s * 0.98, y0 + s * 0.32), (x0 + s * 0.72, y0 + s * 0.14), (x0 + s * 0.72, y0 + s * 0.5)], c)
    L.line([(x0 + s * 0.14, y0 + s * 0.7), (x0 + s * 0.9, y0 + s * 0.7)], c, w)
    L.polygon([(x0 + s * 0.02, y0 + s * 0.7), (x0 + s * 0.28, y0 + s * 0.52), (x0 + s * 0.28, y0 + s * 0.88)], c)


def key(L, box, c):
    x0, y0, s, cx, cy = _geo(box)
    w = max(1.3, s / 11)
    L.rrect((x0 + s * 0.05, y0 + s * 0.1, x0 + s * 0.95, y0 + s * 0.9), s * 0.16, outline=c, width=w)
    L.rrect((x0 + s * 0.2, y0 + s * 0.22, x0 + s * 0.8, y0 + s * 0.66), s * 0.08, outline=c, width=w)


def app(L, box, c):
    x0, y0, s, cx, cy = _geo(box)
    w = max(1.3, s / 11)
    L.rrect((x0, y0 + s * 0.1, x0 + s, y0 + s * 0.9), s * 0.1, outline=c, width=w)
    L.rect((x0, y0 + s * 0.1, x0 + s, y0 + s * 0.3), c)
    L.polygon([(x0 + s * 0.38, y0 + s * 0.42), (x0 + s * 0.38, y0 + s * 0.8), (x0 + s * 0.7, y0 + s * 0.61)], c)


def clear(L, box, c):
    x0, y0, s, cx, cy = _geo(box)
    w = max(1.3, s / 11)
    L.line([(x0 + s * 0.12, y0 + s * 0.22), (x0 + s * 0.88, y0 + s * 0.22)], c, w)
    L.line([(x0 + s * 0.38, y0 + s * 0.1), (x0 + s * 0.62, y0 + s * 0.1)], c, w)
    L.polygon([(x0 + s * 0.2, y0 + s * 0.3), (x0 + s * 0.8, y0 + s * 0.3), (x0 + s * 0.72, y0 + s * 0.95),
               (x0 + s * 0.28, y0 + s * 0.95)], c)


def check(L, box, c):
    x0, y0, s, cx, cy = _geo(box)
    w = max(1.8, s / 7)
    L.line([(x0 + s * 0.1, y0 + s * 0.52), (x0 + s * 0.4, y0 + s * 0.8), (x0 + s * 0.92, y0 + s * 0.2)], c, w)


def door(L, box, c):
    x0, y0, s, cx, cy = _geo(box)
    w = max(1.4, s / 10)
    L.line([(x0 + s * 0.55, y0 + s * 0.12), (x0 + s * 0.12, y0 + s * 0.12), (x0 + s * 0.12, y0 + s * 0.88),
            (x0 + s * 0.55, y0 + s * 0.88)], c, w)
    L.line([(x0 + s * 0.38, cy), (x0 + s * 0.86, cy)], c, w)
    L.polygon([(x0 + s * 0.98, cy), (x0 + s * 0.72, cy - s * 0.18), (x0 + s * 0.72, cy + s * 0.18)], c)


def record(L, box, c):
    x0, y0, s, cx, cy = _geo(box)
    L.ellipse((x0 + s * 0.15, y0 + s * 0.15, x0 + s * 0.85, y0 + s * 0.85), fill=(255, 78, 96))


def stop(L, box, c):
    x0, y0, s, cx, cy = _geo(box)
    L.rrect((x0 + s * 0.2, y0 + s * 0.2, x0 + s * 0.8, y0 + s * 0.8), s * 0.08, fill=c)


def plus(L, box, c):
    x0, y0, s, cx, cy = _geo(box)
    w = max(1.6, s / 8)
    L.line([(cx, y0 + s * 0.15), (cx, y0 + s * 0.85)], c, w)
    L.line([(x0 + s * 0.15, cy), (x0 + s * 0.85, cy)], c, w)


def minus(L, box, c):
    x0, y0, s, cx, cy = _geo(box)
    w = max(1.6, s / 8)
    L.line([(x0 + s * 0.15, cy), (x0 + s * 0.85, cy)], c, w)


def up(L, box, c):
    x0, y0, s, cx, cy = _geo(box)
    L.polygon([(cx, y0 + s * 0.2), (x0 + s * 0.85, y0 + s * 0.72), (x0 + s * 0.15, y0 + s * 0.72)], c)


def down(L, box, c):
    x0, y0, s, cx, cy = _geo(box)
    L.polygon([(cx, y0 + s * 0.8), (x0 + s * 0.85, y0 + s * 0.28), (x0 + s * 0.15, y0 + s * 0.28)], c)


def import_(L, box, c):
    x0, y0, s, cx, cy = _geo(box)
    w = max(1.4, s / 10)
    L.line([(x0 + s * 0.12, y0 + s * 0.62), (x0 + s * 0.12, y0 + s * 0.9), (x0 + s * 0.88, y0 + s * 0.9),
            (x0 + s * 0.88, y0 + s * 0.62)], c, w)
    L.line([(cx, y0 + s * 0.08), (cx, y0 + s * 0.6)], c, w)
    L.polygon([(cx, y0 + s * 0.74), (cx - s * 0.2, y0 + s * 0.5), (cx + s * 0.2, y0 + s * 0.5)], c)


def export(L, box, c):
    x0, y0, s, cx, cy = _geo(box)
    w = max(1.4, s / 10)
    L.line([(x0 + s * 0.12, y0 + s * 0.62), (x0 + s * 0.12, y0 + s * 0.9), (x0 + s * 0.88, y0 + s * 0.9),
            (x0 + s * 0.88, y0 + s * 0.62)], c, w)
    L.line([(cx, y0 + s * 0.2), (cx, y0 + s * 0.72)], c, w)
    L.polygon([(cx, y0 + s * 0.04), (cx - s * 0.2, y0 + s * 0.3), (cx + s * 0.2, y0 + s * 0.3)], c)


def save(L, box, c):
    x0, y0, s, cx, cy = _geo(box)
    w = max(1.3, s / 11)
    L.rrect((x0 + s * 0.08, y0 + s * 0.08, x0 + s * 0.92, y0 + s * 0.92), s * 0.08, outline=c, width=w)
    L.rect((x0 + s * 0.28, y0 + s * 0.08, x0 + s * 0.68, y0 + s * 0.36), c)
    L.rrect((x0 + s * 0.24, y0 + s * 0.54, x0 + s * 0.76, y0 + s * 0.92), s * 0.04, outline=c, width=w)


def new(L, box, c):
    x0, y0, s, cx, cy = _geo(box)
    w = max(1.3, s / 11)
    L.line([(x0 + s * 0.6, y0 + s * 0.06), (x0 + s * 0.18, y0 + s * 0.06), (x0 + s * 0.18, y0 + s * 0.94),
            (x0 + s * 0.82, y0 + s * 0.94), (x0 + s * 0.82, y0 + s * 0.3), (x0 + s * 0.6, y0 + s * 0.06)], c, w)
    L.line([(cx, y0 + s * 0.4), (cx, y0 + s * 0.8)], c, w)
    L.line([(cx - s * 0.2, y0 + s * 0.6), (cx + s * 0.2, y0 + s * 0.6)], c, w)


def clock(L, box, c):
    x0, y0, s, cx, cy = _geo(box)
    w = max(1.3, s / 11)
    L.ellipse(box, outline=c, width=w)
    L.line([(cx, y0 + s * 0.22), (cx, cy), (cx + s * 0.22, cy + s * 0.12)], c, w)


def nodelay(L, box, c):
    clock(L, box, c)
    x0, y0, s, cx, cy = _geo(box)
    L.line([(x0 + s * 0.1, y0 + s * 0.9), (x0 + s * 0.9, y0 + s * 0.1)], c, max(1.3, s / 11))


def command(L, box, c):
    x0, y0, s, cx, cy = _geo(box)
    w = max(1.4, s / 10)
    L.line([(x0 + s * 0.12, y0 + s * 0.22), (x0 + s * 0.42, cy), (x0 + s * 0.12, y0 + s * 0.78)], c, w)
    L.line([(x0 + s * 0.5, y0 + s * 0.8), (x0 + s * 0.9, y0 + s * 0.8)], c, w)


def insert(L, box, c):
    x0, y0, s, cx, cy = _geo(box)
    w = max(1.4, s / 10)
    L.line([(x0 + s * 0.1, y0 + s * 0.2), (x0 + s * 0.9, y0 + s * 0.2)], c, w)
    L.line([(x0 + s * 0.1, y0 + s * 0.8), (x0 + s * 0.9, y0 + s * 0.8)], c, w)
    L.polygon([(x0 + s * 0.1, y0 + s * 0.34), (x0 + s * 0.5, cy), (x0 + s * 0.1, y0 + s * 0.66)], c)


def apply_(L, box, c):
    check(L, box, c)


ICONS = {
    "globe": globe, "help": help_, "close": close, "reset": reset, "macro": macro,
    "light": light, "shift": shift, "key": key, "app": app, "clear": clear,
    "check": check, "door": door, "record": record, "stop": stop, "plus": plus,
    "minus": minus, "up": up, "down": down, "import": import_, "export": export,
    "save": save, "new": new, "clock": clock, "nodelay": nodelay, "command": command,
    "insert": insert, "apply": apply_,
}
