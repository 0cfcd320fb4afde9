"""Colours of the default skin: a dark surface with one cyan accent."""

WINDOW = (13, 15, 20)
HEADER_TOP = (26, 29, 37)
HEADER_BOTTOM = (16, 18, 24)
PANEL = (20, 23, 30)
PANEL_EDGE = (42, 47, 58)
PLATE = (27, 30, 38)          # keyboard plate
PLATE_EDGE = (52, 58, 71)
GROOVE = (9, 10, 14)

TEXT = (234, 238, 244)
MUTED = (132, 140, 156)
FAINT = (86, 93, 108)

ACCENT = (0, 196, 255)
ACCENT_SOFT = (78, 214, 255)
ACCENT_DEEP = (0, 96, 138)
ACCENT_DARK = (6, 48, 70)
DANGER = (255, 78, 96)
DANGER_DEEP = (120, 24, 36)
OK_GREEN = (46, 214, 130)

# Key caps by face.
CAP = {
    "normal": dict(side=(30, 33, 41), top=(46, 50, 61), top2=(40, 44, 54),
                   edge=(66, 72, 87), legend=(232, 236, 242), glow=None),
    "over": dict(side=(34, 40, 50), top=(60, 68, 84), top2=(52, 59, 74),
                 edge=(0, 160, 214), legend=(255, 255, 255), glow=None),
    "down": dict(side=(0, 70, 104), top=(0, 170, 230), top2=(0, 128, 186),
                 edge=(150, 236, 255), legend=(255, 255, 255), glow=(0, 120, 170)),
    "disabled": dict(side=(24, 26, 32), top=(35, 38, 46), top2=(32, 35, 42),
                     edge=(46, 50, 60), legend=(118, 126, 140), glow=None),
}

# Flat command buttons by face.
BTN = {
    "normal": dict(fill=(34, 38, 48), fill2=(28, 31, 40), edge=(58, 64, 78), text=(222, 228, 238), icon=(0, 196, 255)),
    "over": dict(fill=(44, 52, 66), fill2=(36, 42, 54), edge=(0, 170, 230), text=(255, 255, 255), icon=(90, 220, 255)),
    "down": dict(fill=(0, 150, 206), fill2=(0, 104, 150), edge=(130, 230, 255), text=(255, 255, 255), icon=(255, 255, 255)),
    "disabled": dict(fill=(28, 30, 37), fill2=(25, 27, 33), edge=(40, 44, 53), text=(96, 103, 117), icon=(80, 88, 102)),
}
