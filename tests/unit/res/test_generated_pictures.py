#!/usr/bin/python3
"""Draws the executable's pictures and both main skins into a temporary folder
and checks what the windows rely on.

    test_generated_pictures.py SOURCE_ROOT
"""
import os
import re
import subprocess
import sys
import tempfile
import unittest

from PIL import Image

ROOT = sys.argv.pop(1) if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "../../..")
OUT = tempfile.mkdtemp(prefix="zavo-pictures-")
KEY_COLOUR = (255, 0, 200)


def generate():
    py = "/usr/bin/python3"
    subprocess.run([py, os.path.join(ROOT, "res/gen_resources.py"), os.path.join(OUT, "res")], check=True)
    for layout in ("en", "jp"):
        subprocess.run([py, os.path.join(ROOT, "skins/generate.py"), os.path.join(OUT, layout), "--layout", layout,
                        "--scales", "1"],
                       check=True)


def frames(path):
    """Each frame as it is shown (composed over the frames before it, as the
    platform's decoder gives it): the set of pixels it leaves transparent."""
    gif = Image.open(path)
    out = []
    for n in range(gif.n_frames):
        gif.seek(n)
        alpha = gif.convert("RGBA").getchannel("A")
        out.append({i for i, a in enumerate(alpha.getdata()) if a == 0})
    return gif.size, out


class LoadingAnimation(unittest.TestCase):
    """The loading window shows the animation through a colour key: only pixels
    the picture paints may be seen, in every frame alike, at every display
    scale the animation is drawn for."""

    @classmethod
    def setUpClass(cls):
        names = {100: "load.gif", 125: "load_125.gif", 150: "load_150.gif", 175: "load_175.gif",
                 200: "load_200.gif"}
        cls.scales = {p: frames(os.path.join(OUT, "res", n)) for p, n in names.items()}

    def test_transparent_around_and_inside_the_spinner(self):
        for percent, ((w, h), clear_frames) in self.scales.items():
            for n, clear in enumerate(clear_frames):
                for x, y in ((0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1), (w // 2, h // 2)):
                    self.assertIn(y * w + x, clear, "%d %%, frame %d shows (%d, %d)" % (percent, n, x, y))

    def test_every_frame_paints_the_same_pixels(self):
        # Frames are drawn over each other without clearing: each must show the
        # spinner in the same place and nothing else.
        for percent, ((w, h), clear_frames) in self.scales.items():
            first = clear_frames[0]
            self.assertGreater(w * h - len(first), 1000, "the spinner itself must be opaque")
            for n, clear in enumerate(clear_frames[1:], 1):
                self.assertEqual(clear, first, "%d %%, frame %d" % (percent, n))

    def test_the_spinner_grows_with_the_scale(self):
        # Drawn afresh at each scale: the painted area grows with its square.
        (w0, h0), clear0 = self.scales[100]
        painted0 = w0 * h0 - len(clear0[0])
        for percent, ((w, h), clear_frames) in self.scales.items():
            ratio = (w * h - len(clear_frames[0])) / painted0
            self.assertAlmostEqual(ratio, (percent / 100.0) ** 2, delta=0.08 * ratio, msg="%d %%" % percent)


def enter_shape(path):
    img = Image.open(path).convert("RGB")
    return img, {i for i, v in enumerate(img.getdata()) if v != KEY_COLOUR}


class EnterRegion(unittest.TestCase):
    """The Enter key has the four faces of the other keys, all of one shape."""

    def test_four_faces_of_one_shape_and_distinct_looks(self):
        for layout in ("en", "jp"):
            faces = {f: enter_shape(os.path.join(OUT, layout, "main_enter_%s.bmp" % f))
                     for f in ("normal", "over", "down", "disabled")}
            shape = faces["normal"][1]
            self.assertTrue(shape)
            for face, (img, s) in faces.items():
                self.assertEqual(s, shape, "%s %s: another shape" % (layout, face))
            pixels = {face: img.tobytes() for face, (img, _) in faces.items()}
            self.assertEqual(len(set(pixels.values())), 4, "%s: two faces look alike" % layout)


class JapaneseKeyboard(unittest.TestCase):
    """A JIS keyboard: one Eisu key (on Caps Lock) and nothing above the number
    pad but the lock lights."""

    def test_no_input_keys_over_the_number_pad(self):
        with open(os.path.join(OUT, "jp", "main.ini"), encoding="utf-8") as f:
            text = f.read()
        keys = {int(k) - 20: tip for k, tip in
                re.findall(r"^(\d+)=Key\d+,\d+,\d+,\d+,\d+,([^,]*),", text, re.M)}
        for index in (105, 107, 108, 109):
            self.assertNotIn(index, keys)
        self.assertEqual([k for k, tip in keys.items() if "Eisu" in tip], [58])


if __name__ == "__main__":
    generate()
    try:
        unittest.main(verbosity=1)
    finally:
        subprocess.run(["rm", "-rf", OUT])
