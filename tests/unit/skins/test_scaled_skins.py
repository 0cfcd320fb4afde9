#!/usr/bin/python3
"""The generated skin at every display scale against its 100 % skin: each scale's
folder holds every file of the 100 % skin, every button lies inside its
window's picture, buttons that meet at 100 % still meet, and the window's mask
and the Enter key's shape are those of the 100 % skin drawn larger.

    test_scaled_skins.py SKIN_DIR
"""
import os
import re
import sys
import unittest

from PIL import Image

SKINS = sys.argv.pop(1)
SCALES = {"125": 1.25, "150": 1.5, "175": 1.75, "200": 2.0}
KEY_COLOUR = (255, 0, 200)
# The Enter key's entry lies one pixel up and left of its shape at every scale.
ENTER = ("STANDER-KEYS", "90")


def picture(*path, mode="RGB"):
    with Image.open(os.path.join(*path)) as img:
        return img.convert(mode)


def read_ini(path):
    sections, current = {}, None
    with open(path, encoding="utf-8") as f:
        for line in f.read().splitlines():
            m = re.match(r"^\[(.*)\]$", line)
            if m:
                current = sections.setdefault(m.group(1), {})
            elif "=" in line and current is not None:
                key, value = line.split("=", 1)
                current[key] = value
    return sections


def buttons(ini):
    """(section, key) -> (left, top, right, bottom) of every button entry."""
    out = {}
    for section, entries in ini.items():
        for key, value in entries.items():
            fields = value.split(",")
            if len(fields) == 7:
                x, y, w, h = (int(v) for v in fields[1:5])
                out[(section, key)] = (x, y, x + w, y + h)
    return out


def descriptions():
    return sorted(n for n in os.listdir(SKINS) if n.endswith(".ini"))


def meeting_edges(rects):
    """Pairs of buttons whose rectangles touch side by side: (a, b, axis)."""
    pairs = []
    items = list(rects.items())
    for i, (a, ra) in enumerate(items):
        for b, rb in items[i + 1:]:
            if (ra[2] == rb[0] or rb[2] == ra[0]) and ra[1] < rb[3] and rb[1] < ra[3]:
                pairs.append((a, b, "x"))
            if (ra[3] == rb[1] or rb[3] == ra[1]) and ra[0] < rb[2] and rb[0] < ra[2]:
                pairs.append((a, b, "y"))
    return pairs


def touches(ra, rb, axis):
    if axis == "x":
        return ra[2] == rb[0] or rb[2] == ra[0]
    return ra[3] == rb[1] or rb[3] == ra[1]


class ScaledSkins(unittest.TestCase):
    def test_every_scale_holds_every_file_of_the_skin(self):
        base = set(os.listdir(SKINS)) - set(SCALES)
        for folder in SCALES:
            self.assertEqual(set(os.listdir(os.path.join(SKINS, folder))), base, folder)

    def test_buttons_lie_inside_the_picture_and_neighbours_still_meet(self):
        for name in descriptions():
            base = buttons(read_ini(os.path.join(SKINS, name)))
            meeting = meeting_edges(base)
            for folder, scale in SCALES.items():
                ini = read_ini(os.path.join(SKINS, folder, name))
                w, h = picture(SKINS, folder, ini["SCREEN"]["Main"]).size
                base_w, base_h = picture(SKINS, ini["SCREEN"]["Main"]).size
                self.assertEqual((w, h), (int(base_w * scale + 0.5), int(base_h * scale + 0.5)), (folder, name))
                rects = buttons(ini)
                self.assertEqual(set(rects), set(base), (folder, name))
                for key, r in rects.items():
                    self.assertTrue(0 <= r[0] < r[2] <= w and 0 <= r[1] < r[3] <= h, (folder, name, key, r))
                    # Each edge is the 100 % edge at this scale, rounded.
                    off = 1 if key == ENTER else 0
                    for v, v100 in zip(r, base[key]):
                        self.assertLessEqual(abs(v + off - (v100 + off) * scale), 0.5, (folder, name, key, r))
                for a, b, axis in meeting:
                    self.assertTrue(touches(rects[a], rects[b], axis), (folder, name, a, b, rects[a], rects[b]))

    def test_the_mask_is_the_100_percent_mask_drawn_larger(self):
        for name in descriptions():
            mask_name = read_ini(os.path.join(SKINS, name))["SCREEN"]["Mask"]
            base = picture(SKINS, mask_name, mode="L")
            for folder in SCALES:
                mask = picture(SKINS, folder, mask_name, mode="L")
                face = picture(SKINS, folder, read_ini(os.path.join(SKINS, folder, name))["SCREEN"]["Main"])
                self.assertEqual(mask.size, face.size, (folder, name))
                # Only the rounded corners may differ from the 100 % shape stretched.
                stretched = base.resize(mask.size, Image.NEAREST)
                differing = sum(1 for a, b in zip(mask.getdata(), stretched.getdata()) if (a < 128) != (b < 128))
                corners = 4 * (16 * SCALES[folder]) ** 2
                self.assertLess(differing, corners, (folder, name))
                self.assertEqual(mask.getpixel((0, 0)), 255, (folder, name))
                self.assertEqual(mask.getpixel((mask.size[0] // 2, mask.size[1] // 2)), 0, (folder, name))

    def test_the_enter_shape_is_the_100_percent_shape_drawn_larger(self):
        for face in ("normal", "over", "down", "disabled"):
            base = picture(SKINS, "main_enter_%s.bmp" % face)
            for folder, scale in SCALES.items():
                shape = picture(SKINS, folder, "main_enter_%s.bmp" % face)
                self.assertLessEqual(abs(shape.size[0] - base.size[0] * scale), 1, (folder, face))
                self.assertLessEqual(abs(shape.size[1] - base.size[1] * scale), 1, (folder, face))
                stretched = base.resize(shape.size, Image.NEAREST)
                differing = sum(1 for a, b in zip(shape.getdata(), stretched.getdata())
                                if (a == KEY_COLOUR) != (b == KEY_COLOUR))
                self.assertLess(differing, (shape.size[0] + shape.size[1]) * 2 * scale, (folder, face))


if __name__ == "__main__":
    unittest.main()
