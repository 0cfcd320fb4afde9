"""Skins of every window besides the main one. Each builder returns the canvas
and writes nothing; generate_all() writes them all.

Positions that the windows fix themselves (edit boxes and lists placed by the
program) are constants here, and the pictures leave room for them."""
import os

from PIL import Image

from . import icons
from . import palette as P
from .canvas import Layer, SkinCanvas, font, mix
from .output import save_picture, shaped_mask, write_skin
from .widgets import dropdown, flat, menu_item, radio, zone

# Places the program gives its own controls (left, top, width, height).
SINGLEKEY_EDITS = ((107, 50, 44, 18), (107, 73, 44, 18))
MACRO_LISTS = ((28, 69, 112, 184), (140, 69, 70, 184))
MACRO_DELAY_EDIT = (291, 145, 33, 17)
MACRO_DEFAULT_EDIT = (335, 224, 33, 17)
NEWMACRO_EDIT = (90, 49, 95, 20)
REPEAT_EDIT = (140, 12, 34, 17)

MENU_WIDTH_MACRO = 220      # "MacroMenu.jpg": as wide as the macro name buttons
MENU_WIDTH_PROFILE = 280    # "Profile_cmd.JPG": as wide as the profile button

# Names of the 22 macro commands, in command order (the command menu's items).
COMMAND_NAMES = (
    "Page Up", "Page Down", "Copy", "Paste", "Close window", "Show desktop",
    "Undo", "Explorer", "Delete", "Cut", "Print Screen", "Lock computer",
    "Select all", "Find", "Print", "Save", "New", "Device action 1",
    "Device action 2", "Device action 3", "Scroll Up", "Scroll Down",
)
COMMAND_KEYS = (
    "PgUp", "PgDn", "Ctrl+C", "Ctrl+V", "Alt+F4", "Win+D", "Ctrl+Z", "Win+E", "Del",
    "Ctrl+X", "PrtSc", "Win+L", "Ctrl+A", "Ctrl+F", "Ctrl+P", "Ctrl+S", "Ctrl+N",
    "", "", "", "Wheel", "Wheel",
)

LIGHT_STYLES = (("38", "Off"), ("1", "Static"), ("2", "Breathing"), ("3", "Wave"),
                ("4", "Reactive"), ("17", "Ripple"), ("37", "Spectrum"))
LIGHT_ZONE_KEYS = ("m_BTNW", "m_BTN1To6", "m_BTNAS", "m_BTND", "m_BTNPINYIN1", "m_BTNPINYIN2",
                   "m_BTNPINYIN3", "m_BTNPINYIN4", "m_BTNPINYIN5", "m_BTNQ", "m_BTNER", "m_BTNF",
                   "m_BTNBackSpace", "m_BTNOneTo0", "m_BTNDirect", "m_BTNNumber", "m_BTNTt1TO5",
                   "m_BTNTt6TO10")
# Letter-area presets (W, AS, D, Q, ER, F, 1To6, OneTo0, BackSpace, PINYIN1..5)
# and the preset each light profile starts with.
_PRESETS = {
    1: dict(W=1, AS=1, D=1, Q=0, ER=0, F=0, To6=1, To0=0, BS=0, PY=0),
    2: dict(W=1, AS=0, D=1, Q=1, ER=1, F=1, To6=1, To0=0, BS=0, PY=0),
    3: dict(W=1, AS=1, D=1, Q=0, ER=0, F=0, To6=1, To0=1, BS=0, PY=0),
    4: dict(W=1, AS=1, D=1, Q=1, ER=1, F=1, To6=1, To0=1, BS=1, PY=1),
}
PROFILE_PRESET = {1: 4, 2: 4, 3: 1, 4: 2, 5: 3}


def factory_light_states():
    """Sections "Profile1LightState".."Profile5LightState": each light profile's
    factory zones, its default letter preset with the T-key, number pad and
    direction zones lit."""
    out = []
    for n in range(1, 6):
        p = _PRESETS[PROFILE_PRESET[n]]
        v = {"m_BTNW": p["W"], "m_BTN1To6": p["To6"], "m_BTNAS": p["AS"], "m_BTND": p["D"],
             "m_BTNQ": p["Q"], "m_BTNER": p["ER"], "m_BTNF": p["F"], "m_BTNBackSpace": p["BS"],
             "m_BTNOneTo0": p["To0"], "m_BTNDirect": 1, "m_BTNNumber": 1, "m_BTNTt1TO5": 1,
             "m_BTNTt6TO10": 1}
        for i in range(1, 6):
            v["m_BTNPINYIN%d" % i] = p["PY"]
        out.append(("Profile%dLightState" % n, [(k, str(v[k])) for k in LIGHT_ZONE_KEYS]))
    return out


# ---------------------------------------------------------------- common parts

def chrome(w, h, title=None, accent=P.ACCENT, extra=None):
    """Dialog background: dark body, a title strip with an accent rule, and
    whatever `extra(L)` paints on top."""

    def paint(L):
        L.vgrad((0, 0, w, h), (22, 25, 32), (14, 16, 21))
        L.rrect((0, 0, w, h), 12, outline=(50, 56, 68), width=1)
        if title:
            L.vgrad((1, 1, w - 1, 38), (30, 34, 43), (22, 25, 32), radius=11)
            L.rect((1, 38, w - 1, 39), (40, 45, 56))
            L.rect((16, 38, 16 + min(120, w // 3), 39), accent)
            L.text((18, 19), title, font(12), P.TEXT, "lm")
        if extra:
            extra(L)
    return paint


def field_frame(L, box, label=None, label_w=90):
    """A recessed frame around a place where the program puts an edit box or a
    list, with an optional label to its left."""
    x, y, w, h = box
    L.rrect((x - 3, y - 3, x + w + 3, y + h + 3), 4, fill=P.GROOVE)
    L.rrect((x - 3, y - 3, x + w + 3, y + h + 3), 4, outline=(50, 56, 68), width=1)
    if label:
        L.text_in((x - 8 - label_w, y, x - 8, y + h), label, font(10, bold=False), P.MUTED, align="right")


def caption(L, x, y, s, col=P.MUTED):
    L.text((x, y), s, font(9), col, "lm")


def body(L, x, y, lines, size=11, col=(196, 202, 214), step=17):
    for i, s in enumerate(lines):
        L.text((x, y + i * step), s, font(size, bold=False), col, "lm")


def ok_cancel(s, ok_key, cancel_key, y, right, ok_label="OK", cancel_label="CANCEL", w=84, h=28,
              ok_accent=None):
    s.add(cancel_key, "Cancel", (right - w, y, right, y + h), "Cancel", flat(cancel_label, size=10))
    s.add(ok_key, "OK", (right - 2 * w - 8, y, right - w - 8, y + h), "OK",
          flat(ok_label, "check", size=10, accent=ok_accent))


# ------------------------------------------------------------------ the skins

def single_key():
    w, h = 300, 160

    def extra(L):
        for box, lab in zip(SINGLEKEY_EDITS, ("Key", "Sends")):
            field_frame(L, box, lab, label_w=80)
        body(L, 164, 59, ["Press the key on your", "keyboard that this key", "should send."], size=10,
             col=P.MUTED, step=14)
    s = SkinCanvas(w, h, chrome(w, h, "SINGLE KEY", extra=extra))
    s.add("1", "OK", (108, 118, 196, 146), "OK", flat("OK", "check", size=10))
    s.add("2", "Cancel", (204, 118, 286, 146), "Cancel", flat("CANCEL", size=10))
    _reorder(s, ("1", "2"))
    return s, {}


def tkeys():
    w, h = 260, 292

    def extra(L):
        caption(L, 20, 52, "MACRO")
        caption(L, 20, 116, "REPEAT")
    s = SkinCanvas(w, h, chrome(w, h, "T-KEY MACRO", extra=extra))
    s.add("1", "MacroName", (20, 62, 20 + MENU_WIDTH_MACRO, 90), "Choose a macro", dropdown())
    s.add("2", "Once", (16, 126, 244, 152), "Play once", radio("Play once"))
    s.add("4", "WhileHeld", (16, 154, 244, 180), "Repeat while held", radio("Repeat while held"))
    s.add("5", "Toggle", (16, 182, 244, 208), "Repeat until pressed again", radio("Until pressed again"))
    s.add("3", "Times", (16, 210, 244, 236), "Repeat a number of times", radio("A number of times\u2026"))
    s.add("6", "OK", (68, 250, 152, 278), "OK", flat("OK", "check", size=10))
    s.add("7", "Cancel", (160, 250, 244, 278), "Cancel", flat("CANCEL", size=10))
    _reorder(s, ("1", "2", "3", "4", "5", "6", "7"))
    return s, {("BUTTONINFO", "2"): "down"}


def commands_menu():
    cols, rows, iw, ih, gap = 2, 11, 156, 22, 2
    w = 8 + cols * iw + (cols - 1) * 6 + 8
    h = 8 + rows * (ih + gap) - gap + 8

    def extra(L):
        L.rect((8 + iw + 2, 10, 8 + iw + 4, h - 10), (34, 38, 48))
    s = SkinCanvas(w, h, chrome(w, h, None, extra=extra))
    for i, name in enumerate(COMMAND_NAMES):
        col, row = divmod(i, rows)
        x = 8 + col * (iw + 6)
        y = 8 + row * (ih + gap)
        tip = name if not COMMAND_KEYS[i] else "%s (%s)" % (name, COMMAND_KEYS[i])
        s.add(str(i + 1), "Cmd%d" % i, (x, y, x + iw, y + ih), tip, command_item(name, COMMAND_KEYS[i]))
    return s, {("BUTTONINFO", "3"): "over"}


def command_item(name, keys):
    base = menu_item(name, size=10)

    def paint(L, r, face):
        base(L, r, face)
        if keys:
            col = (150, 220, 245) if face in ("over", "down") else P.FAINT
            L.text_in((r[0], r[1], r[2] - 8, r[3]), keys, font(8), col, align="right")
    return paint


def instant_shift():
    w, h = 320, 236

    def extra(L):
        caption(L, 20, 52, "SWITCH TO PROFILE")
        caption(L, 20, 110, "WITH THE INSTANT SHIFT KEY")
        body(L, 20, 172, ["Each profile can have one key; a key", "already used by another profile is greyed."],
             size=9, col=P.FAINT, step=13)
    s = SkinCanvas(w, h, chrome(w, h, "INSTANT SHIFT", extra=extra))
    s.add("1", "Profile", (20, 62, 20 + MENU_WIDTH_PROFILE, 90), "Choose a profile", dropdown())
    for i, (key, lab) in enumerate((("2", "SHIFT"), ("3", "CTRL"), ("4", "ALT"))):
        x = 20 + i * 96
        s.add(key, lab.title(), (x, 120, x + 88, 152), lab.title(), flat(lab, "shift", size=10))
    s.add("5", "OK", (124, 196, 208, 224), "OK", flat("OK", "check", size=10))
    s.add("6", "Cancel", (216, 196, 300, 224), "Cancel", flat("CANCEL", size=10))
    return s, {("BUTTONINFO", "2"): "down", ("BUTTONINFO", "4"): "disabled"}


def macro_setting():
    w, h = 524, 304

    def extra(L):
        lx0 = MACRO_LISTS[0][0]
        lx1 = MACRO_LISTS[1][0] + MACRO_LISTS[1][2]
        ly0, ly1 = MACRO_LISTS[0][1], MACRO_LISTS[0][1] + MACRO_LISTS[0][3]
        L.rrect((lx0 - 8, 46, lx1 + 8, ly1 + 8), 8, fill=(17, 19, 25))
        L.rrect((lx0 - 8, 46, lx1 + 8, ly1 + 8), 8, outline=(44, 49, 60), width=1)
        caption(L, lx0 + 2, 58, "STEP")
        caption(L, MACRO_LISTS[1][0] + 4, 58, "DELAY")
        L.rect((lx0 - 1, ly0 - 1, lx1 + 1, ly1 + 1), (0, 0, 0))
        L.rect((MACRO_LISTS[0][0] + MACRO_LISTS[0][2], ly0, MACRO_LISTS[1][0], ly1), (40, 44, 54))
        caption(L, 256, 52, "RECORD")
        caption(L, 256, 128, "DELAY OF THE SELECTED STEP")
        field_frame(L, MACRO_DELAY_EDIT)
        L.text((MACRO_DELAY_EDIT[0] + 70, 153), "ms", font(9, bold=False), P.MUTED, "lm")
        caption(L, 256, 178 - 6, "COMMAND")
        field_frame(L, MACRO_DEFAULT_EDIT)
        L.text((372, 232), "ms", font(9, bold=False), P.MUTED, "lm")
        body(L, 20, 274, ["Pick or create a macro, then press", "REC and type on your keyboard."], size=9, col=P.FAINT, step=13)
    s = SkinCanvas(w, h, chrome(w, h, "MACRO EDITOR", extra=extra))
    s.add("16", "MacroName", (150, 7, 150 + MENU_WIDTH_MACRO, 31), "Choose a macro", dropdown())
    s.add("4", "New", (382, 7, 408, 31), "New macro", flat(icon="new", radius=5))
    s.add("5", "Import", (412, 7, 438, 31), "Import", flat(icon="import", radius=5))
    s.add("6", "Export", (442, 7, 468, 31), "Export", flat(icon="export", radius=5))
    s.add("7", "Delete", (472, 7, 498, 31), "Delete macro", flat(icon="clear", accent=P.DANGER, radius=5))
    s.add("11", "Up", (222, 80, 248, 106), "Move up", flat(icon="up", radius=5))
    s.add("12", "Down", (222, 110, 248, 136), "Move down", flat(icon="down", radius=5))
    s.add("10", "DeleteStep", (222, 140, 248, 166), "Delete step", flat(icon="close", accent=P.DANGER, radius=5))
    s.add("8", "Record", (256, 62, 336, 90), "Record", flat("REC", "record", size=10, accent=P.DANGER))
    s.add("9", "Stop", (342, 62, 422, 90), "Stop", flat("STOP", "stop", size=10))
    s.add("14", "End", (428, 62, 508, 90), "Finish recording", flat("DONE", size=10))
    s.add("18", "Minus", (256, 141, 285, 166), "-50 ms", flat(icon="minus", radius=5))
    s.add("17", "Plus", (330, 141, 359, 166), "+50 ms", flat(icon="plus", radius=5))
    s.add("13", "SetDelay", (384, 141, 448, 166), "Set delay", flat("SET", size=10))
    s.add("21", "Command", (256, 182, 426, 208), "Choose a command", dropdown())
    s.add("15", "Insert", (432, 182, 508, 208), "Insert command", flat("INSERT", "insert", size=9))
    s.add("20", "DefaultDelay", (256, 220, 328, 246), "Default delay", flat("FIXED", "clock", size=9))
    s.add("19", "IgnoreDelay", (396, 220, 508, 246), "No delays", flat("NO DELAY", "nodelay", size=9))
    s.add("3", "Save", (256, 266, 334, 294), "Save", flat("SAVE", "save", size=10))
    s.add("1", "OK", (340, 266, 420, 294), "OK", flat("OK", "check", size=10))
    s.add("2", "Cancel", (426, 266, 508, 294), "Cancel", flat("CANCEL", size=10))
    _reorder(s, [str(i) for i in range(1, 22)])
    disabled = ("9", "10", "12", "11", "8", "6", "7", "13", "18", "17", "15", "21")
    return s, {("BUTTONINFO", k): "disabled" for k in disabled}


# The lighting window's zones on its keyboard picture, in key units of a small
# keyboard: (skin key, zone name, label on the picture, entry text, x, y, width,
# height). The label may break into lines; the entry text is one line, as every
# entry of the description file must be.
_LZ = (
    ("9", "m_BTNTt1TO5", "T1\n|\nT5", "T1 | T5", -2.6, 0, 1.05, 5),
    ("10", "m_BTNTt6TO10", "T6\n|\nT10", "T6 | T10", -1.5, 0, 1.05, 5),
    ("13", "m_BTNOneTo0", "1 - 0", "1 - 0", 1, 0, 10, 1),
    ("26", "m_BTNBackSpace", "Bksp", "Bksp", 13, 0, 2, 1),
    ("25", "m_BTNQ", "Q", "Q", 1.5, 1, 1, 1),
    ("27", "m_BTNW", "W", "W", 2.5, 1, 1, 1),
    ("30", "m_BTNER", "E R", "E R", 3.5, 1, 2, 1),
    ("20", "m_BTNPINYIN1", "T - ]", "T - ]", 5.5, 1, 8, 1),
    ("31", "m_BTNAS", "A S", "A S", 1.75, 2, 2, 1),
    ("28", "m_BTND", "D", "D", 3.75, 2, 1, 1),
    ("29", "m_BTNF", "F", "F", 4.75, 2, 1, 1),
    ("21", "m_BTNPINYIN2", "G - #", "G - #", 5.75, 2, 7, 1),
    ("22", "m_BTNPINYIN3", "Z - /", "Z - /", 2.25, 3, 9, 1),
    ("23", "m_BTNPINYIN4", "Tab\nCaps", "Tab / Caps", 0, 1, 1.5, 2),
    ("24", "m_BTNPINYIN5", "Bottom row", "Bottom row", 0, 4, 15, 1),
    ("15", "m_BTNDirect", "Arrows", "Arrows", 15.4, 3, 3, 2),
    ("16", "m_BTNNumber", "Number pad", "Number pad", 18.8, 0, 4, 5),
)


def light_option():
    w, h = 780, 372
    # zone keyboard: unit width and height, x of key 0, y of the number row
    u, uy, x0, y0 = 21, 27, 267, 108

    def kb(x, y, ww, hh):
        return (int(round(x0 + x * u)) + 1, int(round(y0 + y * uy)) + 1,
                int(round(x0 + (x + ww) * u)) - 1, int(round(y0 + (y + hh) * uy)) - 1)

    def extra(L):
        caption(L, 20, 54, "STYLE")
        L.rrect((196, 46, w - 16, 300), 10, fill=P.PANEL)
        L.rrect((196, 46, w - 16, 300), 10, outline=P.PANEL_EDGE, width=1)
        caption(L, 212, 62, "LIT ZONES  -  click a zone to light it")
        # parts of the keyboard that are not zones
        for x, y, ww, hh in ((13.5, 1, 1.5, 1), (12.75, 2, 2.25, 1), (11.25, 3, 3.75, 1), (0, 3, 2.25, 1),
                             (15.4, 0, 3, 2)):
            r = kb(x, y, ww, hh)
            L.rrect(r, 4, fill=(30, 33, 41))
        L.text_in(kb(12.75, 2, 2.25, 1), "Enter", font(8, bold=False), P.FAINT)
        L.text_in(kb(15.4, 0, 3, 2), "Home  End", font(8, bold=False), P.FAINT)
        body(L, 212, 266, ["Letter zones step through five presets together;",
                           "the two T-key zones take turns."], size=9, col=P.FAINT, step=13)
        caption(L, 20, 304, "LIGHT PROFILE")
    s = SkinCanvas(w, h, chrome(w, h, "LIGHTING", extra=extra))
    for i, (key, name) in enumerate(LIGHT_STYLES):
        s.add(key, "Style%s" % key, (14, 64 + i * 32, 182, 92 + i * 32), name, radio(name))
    for i in range(5):
        x = 14 + i * 34
        s.add(str(32 + i), "LightProfile%d" % (i + 1), (x, 316, x + 30, 344), "Light profile %d" % (i + 1),
              flat(str(i + 1), size=12))
    s.add("19", "m_BTN1To6", kb(1, -0.6, 6, 0.55), "Keys 1 to 6", zone("1 - 6", size=9))
    for key, name, label, text, x, y, ww, hh in _LZ:
        s.add(key, name, kb(x, y, ww, hh), text, zone(label, size=9 if ww > 1 else 8))
    s.add("8", "Apply", (w - 284, 316, w - 196, 344), "Apply", flat("APPLY", "check", size=10))
    s.add("6", "OK", (w - 188, 316, w - 108, 344), "OK", flat("OK", size=10))
    s.add("7", "Close", (w - 100, 316, w - 16, 344), "Close", flat("CLOSE", size=10))
    order = ("1", "2", "3", "4", "17", "37", "38", "32", "33", "34", "35", "36", "13", "19",
             "20", "21", "22", "23", "24", "25", "26", "27", "28", "29", "30", "31", "15", "16",
             "9", "10", "6", "7", "8")
    _reorder(s, order)
    lit = {"m_BTNW", "m_BTNAS", "m_BTND", "m_BTN1To6", "m_BTNTt1TO5", "m_BTNDirect", "m_BTNNumber"}
    states = {("BUTTONINFO", b.key): "down" for b in s.buttons if b.name in lit}
    states[("BUTTONINFO", "3")] = "down"
    states[("BUTTONINFO", "32")] = "down"
    return s, states


def _warning(title, lines, icon_kind, buttons):
    w, h = 380, 178

    def extra(L):
        cx, cy = 46, 76
        if icon_kind == "warn":
            L.polygon([(cx, cy - 22), (cx + 24, cy + 18), (cx - 24, cy + 18)], (255, 176, 32))
            L.rect((cx - 2, cy - 8, cx + 2, cy + 6), (30, 22, 6))
            L.ellipse((cx - 2.5, cy + 9, cx + 2.5, cy + 14), fill=(30, 22, 6))
        else:
            L.ellipse((cx - 22, cy - 22, cx + 22, cy + 22), fill=(0, 120, 170))
            icons.draw(L, "key", (cx - 12, cy - 12, cx + 12, cy + 12), (255, 255, 255))
        L.text((84, 60), title, font(13), P.TEXT, "lm")
        body(L, 84, 84, lines, size=10, col=(186, 193, 206), step=16)
    s = SkinCanvas(w, h, chrome(w, h, None, extra=extra))
    buttons(s, w, h)
    return s


def warnings():
    def two(ok_label, accent=None):
        def add(s, w, h):
            s.add("1", "OK", (w - 200, h - 44, w - 108, h - 16), "OK", flat(ok_label, "check", size=10, accent=accent))
            s.add("2", "Cancel", (w - 100, h - 44, w - 16, h - 16), "Cancel", flat("CANCEL", size=10))
        return add

    def one(s, w, h):
        s.add("1", "OK", (w - 100, h - 44, w - 16, h - 16), "Yes", flat("OK", "check", size=10))

    w1 = _warning("Reset this profile?",
                  ["All key functions of this profile are cleared;", "its instant-shift keys stay. The lighting of",
                   "the whole keyboard returns to factory settings."], "warn", two("RESET", P.DANGER))
    w2 = _warning("Keyboard not found",
                  ["Connect the keyboard. You can still edit every", "setting; it reaches the keyboard when it is",
                   "connected and you press Apply."], "info", one)
    w3 = _warning("Apply your changes first?",
                  ["This profile has changes that are not applied.", "APPLY applies them and switches profiles;",
                   "CANCEL stays on this profile and keeps them."], "warn", two("APPLY"))
    return w1, w2, w3


def new_macro():
    w, h = 300, 132

    def extra(L):
        # The hint under the box is the program's, in the user's language.
        field_frame(L, NEWMACRO_EDIT, "Name", label_w=64)
    s = SkinCanvas(w, h, chrome(w, h, "NEW MACRO", extra=extra))
    s.add("1", "OK", (124, 92, 202, 120), "OK", flat("OK", "check", size=10))
    s.add("2", "Cancel", (208, 92, 286, 120), "Cancel", flat("CANCEL", size=10))
    return s, {}


def repeat_count():
    w, h = 290, 92

    def extra(L):
        field_frame(L, REPEAT_EDIT)
        L.text((REPEAT_EDIT[0] - 12, 21), "Repeat the macro", font(11), P.TEXT, "rm")
        L.text((REPEAT_EDIT[0] + REPEAT_EDIT[2] + 10, 21), "times", font(11), P.TEXT, "lm")
        body(L, 16, 68, ["0 to 999"], size=9, col=P.FAINT)
    s = SkinCanvas(w, h, chrome(w, h, None, extra=extra))
    s.add("1", "OK", (110, 52, 190, 80), "OK", flat("OK", "check", size=10))
    s.add("2", "Cancel", (196, 52, 276, 80), "Cancel", flat("CANCEL", size=10))
    return s, {}


def _reorder(s, keys):
    by_key = {b.key: b for b in s.buttons}
    s.buttons = [by_key[k] for k in keys] + [b for b in s.buttons if b.key not in keys]


def menu_picture(width, height):
    L = Layer(width, height, (91, 91, 94))
    L.vgrad((0, 0, width, height), (44, 48, 58), (30, 33, 41))
    L.rect((0, 0, width, 1), P.ACCENT_DEEP)
    return L.finish()


SKINS = (
    ("SingleKey.ini", "singlekey", single_key),
    ("TKeys.ini", "tkeys", tkeys),
    ("Commands_menu.ini", "cmdmenu", commands_menu),
    ("INSTANTSHIFTSYS.ini", "instshift", instant_shift),
    ("MacroSetting.ini", "macro", macro_setting),
    ("LightOption.ini", "light", light_option),
    ("CreateNewmacro.ini", "newmacro", new_macro),
    ("RepeatCount.ini", "repeat", repeat_count),
)


def generate_all(outdir):
    """Writes every dialog skin into outdir; returns what the previews need:
    name -> (canvas, faces, mask, preview states)."""
    done = {}
    for ini, prefix, builder in SKINS:
        canvas, states = builder()
        mask = shaped_mask(canvas.w, canvas.h, 12)
        after = factory_light_states() if prefix == "light" else ()
        ext = "jpg" if prefix in ("cmdmenu", "light") else "bmp"
        faces = write_skin(outdir, ini, prefix, canvas, mask, ext=ext, sections_after=after)
        done[prefix] = (canvas, faces, mask, states)
    for i, canvas in enumerate(warnings()):
        mask = shaped_mask(canvas.w, canvas.h, 12)
        faces = write_skin(outdir, "Warning%d_skin.ini" % (i + 1), "warning%d" % (i + 1), canvas, mask)
        done["warning%d" % (i + 1)] = (canvas, faces, mask, {})
    save_picture(menu_picture(MENU_WIDTH_PROFILE, 120), os.path.join(outdir, "Profile_cmd.JPG"))
    save_picture(menu_picture(MENU_WIDTH_MACRO, 120), os.path.join(outdir, "MacroMenu.jpg"))
    return done
