"""On-screen keyboard layouts of the main window.

Each key is (key index, x, y, width, height, legend, upper legend) in key units;
y 0 is the function row, the five main rows follow after a gap. The key index is
the position in the program's key index table (index 0 Esc, 1..12 F1..F12,
70 Enter, 94 Space, 104 the extra ISO key, 105..114 the Japanese keys), so a key
drawn here is the key the program names for its index. Index 70 (Enter) is not
listed: it is the L-shaped region button, given by ENTER_SHAPE.
"""

ROW_GAP = 0.4          # between the function row and the number row
NAV_X = 15.4           # Insert / Home / Page Up block
PAD_X = 18.8           # number pad
TKEY_X = -2.5          # the two T-key columns, left of the main block


def _row(y):
    return 0 if y == 0 else y + ROW_GAP


def _common_right(keys):
    """Function row, navigation block, arrows and number pad (every layout)."""
    f = [(0, 0, "Esc")]
    for i in range(4):
        f.append((1 + i, 2 + i, "F%d" % (1 + i)))
        f.append((5 + i, 6.5 + i, "F%d" % (5 + i)))
        f.append((9 + i, 11 + i, "F%d" % (9 + i)))
    for idx, x, lab in f:
        keys.append((idx, x, 0, 1, 1, lab, None))
    for idx, x, lab in ((13, 0, "Prt\nSc"), (14, 1, "Scr\nLk"), (15, 2, "Pause"),
                        (30, 0, "Ins"), (31, 1, "Home"), (32, 2, "Pg\nUp")):
        keys.append((idx, NAV_X + x, 0 if idx < 30 else _row(1), 1, 1, lab, None))
    for idx, x, lab in ((51, 0, "Del"), (52, 1, "End"), (53, 2, "Pg\nDn")):
        keys.append((idx, NAV_X + x, _row(2), 1, 1, lab, None))
    keys.append((86, NAV_X + 1, _row(4), 1, 1, "\u2191", None))
    for idx, x, lab in ((99, 0, "\u2190"), (100, 1, "\u2193"), (101, 2, "\u2192")):
        keys.append((idx, NAV_X + x, _row(5), 1, 1, lab, None))
    pad = [
        (33, 0, 1, "Num\nLk"), (34, 1, 1, "/"), (35, 2, 1, "*"), (36, 3, 1, "\u2212"),
        (54, 0, 2, "7"), (55, 1, 2, "8"), (56, 2, 2, "9"),
        (71, 0, 3, "4"), (72, 1, 3, "5"), (73, 2, 3, "6"),
        (87, 0, 4, "1"), (88, 1, 4, "2"), (89, 2, 4, "3"),
        (103, 2, 5, "."),
    ]
    for idx, x, r, lab in pad:
        keys.append((idx, PAD_X + x, _row(r), 1, 1, lab, None))
    keys.append((57, PAD_X + 3, _row(2), 1, 2, "+", None))
    keys.append((90, PAD_X + 3, _row(4), 1, 2, "Ent", None))
    keys.append((102, PAD_X, _row(5), 2, 1, "0", None))


def _letters(keys, idx0, x0, y, letters):
    for i, ch in enumerate(letters):
        keys.append((idx0 + i, x0 + i, _row(y), 1, 1, ch, None))


def english():
    keys = []
    _common_right(keys)
    # number row
    keys.append((16, 0, _row(1), 1, 1, "`", "~"))
    for i, (d, s) in enumerate(zip("1234567890", "!@#$%^&*()")):
        keys.append((17 + i, 1 + i, _row(1), 1, 1, d, s))
    keys.append((27, 11, _row(1), 1, 1, "-", "_"))
    keys.append((28, 12, _row(1), 1, 1, "=", "+"))
    keys.append((29, 13, _row(1), 2, 1, "Backspace", None))
    # top letter row
    keys.append((37, 0, _row(2), 1.5, 1, "Tab", None))
    _letters(keys, 38, 1.5, 2, "QWERTYUIOP")
    keys.append((48, 11.5, _row(2), 1, 1, "[", "{"))
    keys.append((49, 12.5, _row(2), 1, 1, "]", "}"))
    # home row
    keys.append((58, 0, _row(3), 1.75, 1, "Caps", None))
    _letters(keys, 59, 1.75, 3, "ASDFGHJKL")
    keys.append((68, 10.75, _row(3), 1, 1, ";", ":"))
    keys.append((69, 11.75, _row(3), 1, 1, "'", "\""))
    keys.append((50, 12.75, _row(3), 1, 1, "#", "~"))
    # shift row
    keys.append((74, 0, _row(4), 1.25, 1, "Shift", None))
    keys.append((104, 1.25, _row(4), 1, 1, "\\", "|"))
    _letters(keys, 75, 2.25, 4, "ZXCVBNM")
    keys.append((82, 9.25, _row(4), 1, 1, ",", "<"))
    keys.append((83, 10.25, _row(4), 1, 1, ".", ">"))
    keys.append((84, 11.25, _row(4), 1, 1, "/", "?"))
    keys.append((85, 12.25, _row(4), 2.75, 1, "Shift", None))
    # bottom row
    for idx, x, w, lab in ((91, 0, 1.25, "Ctrl"), (92, 1.25, 1.25, "Win"), (93, 2.5, 1.25, "Alt"),
                           (94, 3.75, 6.25, ""), (95, 10, 1.25, "Alt"), (96, 11.25, 1.25, "Win"),
                           (97, 12.5, 1.25, "Menu"), (98, 13.75, 1.25, "Ctrl")):
        keys.append((idx, x, _row(5), w, 1, lab, None))
    return keys


def japanese():
    """The Japanese (JIS) arrangement: Hankaku/Zenkaku left of 1, the yen key
    beside Backspace, Eisu (Caps Lock) at the start of the home row, the Ro key
    beside right Shift, and Muhenkan, Henkan and Kana around a shorter space bar.
    A JIS keyboard has no further input keys: the lock lights sit above the
    number pad as on the ISO keyboard."""
    keys = []
    _common_right(keys)
    keys.append((106, 0, _row(1), 1, 1, "Zen", "Han"))
    for i, (d, s) in enumerate(zip("1234567890", "!\"#$%&'() ")):
        keys.append((17 + i, 1 + i, _row(1), 1, 1, d, s.strip() or None))
    keys.append((27, 11, _row(1), 1, 1, "-", "="))
    keys.append((28, 12, _row(1), 1, 1, "^", "~"))
    keys.append((110, 13, _row(1), 1, 1, "\u00a5", "|"))
    keys.append((29, 14, _row(1), 1, 1, "BS", None))
    keys.append((37, 0, _row(2), 1.5, 1, "Tab", None))
    _letters(keys, 38, 1.5, 2, "QWERTYUIOP")
    keys.append((48, 11.5, _row(2), 1, 1, "@", "`"))
    keys.append((49, 12.5, _row(2), 1, 1, "[", "{"))
    keys.append((58, 0, _row(3), 1.75, 1, "Eisu", None))
    _letters(keys, 59, 1.75, 3, "ASDFGHJKL")
    keys.append((68, 10.75, _row(3), 1, 1, ";", "+"))
    keys.append((69, 11.75, _row(3), 1, 1, ":", "*"))
    keys.append((50, 12.75, _row(3), 1, 1, "]", "}"))
    keys.append((74, 0, _row(4), 2.25, 1, "Shift", None))
    _letters(keys, 75, 2.25, 4, "ZXCVBNM")
    keys.append((82, 9.25, _row(4), 1, 1, ",", "<"))
    keys.append((83, 10.25, _row(4), 1, 1, ".", ">"))
    keys.append((84, 11.25, _row(4), 1, 1, "/", "?"))
    keys.append((114, 12.25, _row(4), 1, 1, "\\", "_"))
    keys.append((85, 13.25, _row(4), 1.75, 1, "Shift", None))
    for idx, x, w, lab in ((91, 0, 1.25, "Ctrl"), (92, 1.25, 1, "Win"), (93, 2.25, 1, "Alt"),
                           (111, 3.25, 1.25, "Muhen"), (94, 4.5, 4, ""), (113, 8.5, 1.25, "Henkan"),
                           (112, 9.75, 1.25, "Kana"), (95, 11, 1, "Alt"), (96, 12, 1, "Win"),
                           (97, 13, 1, "Menu"), (98, 14, 1, "Ctrl")):
        keys.append((idx, x, _row(5), w, 1, lab, None))
    return keys


# The L-shaped Enter: (x, y, width, height) parts in key units, shared by both
# layouts: 1.5 units wide on the top letter row, 1.25 units on the home row.
ENTER_SHAPE = ((13.5, _row(2), 1.5, 1), (13.75, _row(3), 1.25, 1))

LAYOUTS = {"en": english, "jp": japanese}


# Tooltips of keys whose legend is short or a symbol; the others use their
# legend. Key index -> tooltip.
KEY_TIPS = {
    0: "Escape", 13: "Print Screen", 14: "Scroll Lock", 15: "Pause", 16: "Grave accent", 27: "Minus",
    28: "Equals", 29: "Backspace", 30: "Insert", 31: "Home", 32: "Page Up", 33: "Num Lock",
    34: "Number pad /", 35: "Number pad *", 36: "Number pad -", 37: "Tab", 48: "Left bracket",
    49: "Right bracket", 50: "Hash", 51: "Delete", 52: "End", 53: "Page Down", 57: "Number pad +",
    58: "Caps Lock", 68: "Semicolon", 69: "Apostrophe", 70: "Enter", 74: "Left Shift", 82: "Comma",
    83: "Full stop", 84: "Slash", 85: "Right Shift", 86: "Up", 90: "Number pad Enter", 91: "Left Ctrl",
    92: "Left Windows", 93: "Left Alt", 94: "Space", 95: "Right Alt", 96: "Right Windows",
    97: "Application menu", 98: "Right Ctrl", 99: "Left", 100: "Down", 101: "Right", 103: "Number pad .",
    104: "Backslash",
    105: "IME on", 106: "Hankaku/Zenkaku", 107: "Eisu", 108: "Hiragana", 109: "Romaji",
    110: "Yen", 111: "Muhenkan", 112: "Katakana/Hiragana", 113: "Henkan", 114: "Ro",
}
for _i, _d in ((54, 7), (55, 8), (56, 9), (71, 4), (72, 5), (73, 6), (87, 1), (88, 2), (89, 3), (102, 0)):
    KEY_TIPS[_i] = "Number pad %d" % _d
JP_TIPS = {16: "Hankaku/Zenkaku", 28: "Caret", 48: "At sign", 49: "Left bracket", 50: "Right bracket",
           58: "Eisu / Caps Lock", 69: "Colon", 27: "Minus"}
