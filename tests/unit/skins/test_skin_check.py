#!/usr/bin/python3
"""Damaged copies of the generated skin: skin-check must refuse each one with
exit status 1 and name the fault; the undamaged copy, and copies changed in
ways the windows accept, must pass.

    test_skin_check.py ZAVOCFG SKIN_DIR
    test_skin_check.py --wine WINE_RUN ZAVOCFG_EXE SKIN_DIR

With --wine the Windows build's zavocfg runs under Wine (through WINE_RUN) and
only the case that needs the platform's picture decoder is run besides the
undamaged copy (a JPEG whose frame asks for 16-bit samples has a valid layout
but cannot be decoded), and the face the windows hand to that decoder because
its pixel offset lies inside the headers.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

from PIL import Image


def own(path):
    """The case folders link to the generated files; a file is copied into the
    case before it is damaged, so the generated skin stays untouched."""
    if os.path.islink(path):
        target = os.path.realpath(path)
        os.unlink(path)
        shutil.copyfile(target, path)
    return path


def linked_copy(skins, d):
    """The scale folders are folders of links too, so that a case damages only
    its own copy of a file in them."""
    os.makedirs(d)
    for name in os.listdir(skins):
        source = os.path.join(os.path.abspath(skins), name)
        if os.path.isdir(source):
            linked_copy(source, os.path.join(d, name))
        else:
            os.symlink(source, os.path.join(d, name))


def edit_ini(name, pattern, repl):
    def apply(d):
        path = own(os.path.join(d, name))
        with open(path, encoding="utf-8", newline="") as f:
            text = f.read()
        new, n = re.subn(pattern, repl, text, count=1, flags=re.M)
        assert n == 1, (name, pattern)
        with open(path, "w", encoding="utf-8", newline="") as f:
            f.write(new)
    return apply


def picture_of(ini, key):
    def find(d):
        with open(os.path.join(d, ini), encoding="utf-8") as f:
            return re.search(r"^%s=(.*?)\r?$" % key, f.read(), re.M).group(1)
    return find


def replace_picture(ini, key, make):
    def apply(d):
        make(own(os.path.join(d, os.path.dirname(ini), picture_of(ini, key)(d))))
    return apply


def truncate(ini, key, keep):
    def apply(d):
        path = own(os.path.join(d, picture_of(ini, key)(d)))
        with open(path, "rb") as f:
            data = f.read()
        with open(path, "wb") as f:
            f.write(data[:keep(len(data))])
    return apply


def remove(name):
    return lambda d: os.remove(os.path.join(d, name))


def write_bytes(name, data):
    def apply(d):
        path = os.path.join(d, name)
        os.unlink(path)
        with open(path, "wb") as f:
            f.write(data)
    return apply


def bmp_offset(ini, key, offset):
    def apply(d):
        path = own(os.path.join(d, picture_of(ini, key)(d)))
        data = bytearray(open(path, "rb").read())
        data[10:14] = offset.to_bytes(4, "little")
        open(path, "wb").write(bytes(data))
    return apply


def jpeg_precision_16(name):
    def apply(d):
        path = own(os.path.join(d, name))
        data = bytearray(open(path, "rb").read())
        i = 2
        while i + 4 <= len(data):
            marker, length = data[i + 1], data[i + 2] << 8 | data[i + 3]
            if marker in (0xC0, 0xC1, 0xC2):
                data[i + 4] = 16
                break
            i += 2 + length
        open(path, "wb").write(bytes(data))
    return apply


# Skins the windows show, which the checker must take too: the rows of a face
# whose header points inside the headers start right after them, and a comment
# in a button section is no entry.
ACCEPTED = [
    ("BMP pixel offset inside the headers", bmp_offset("SingleKey.ini", "Down", 20)),
    ("comment in a button section", edit_ini("TKeys.ini", r"^(7=.*\r\n)", r"\1; the last button\r\n")),
]

PLATFORM_CASES = [
    ("JPEG the decoder cannot read", jpeg_precision_16("MacroMenu.jpg"), "the picture decoder refuses it"),
]

CASES = [
    ("description file missing", remove("TKeys.ini"), "TKeys.ini: missing"),
    ("button key missing", edit_ini("INSTANTSHIFTSYS.ini", r"^5=.*\r\n", ""), "[BUTTONINFO] 5 is missing"),
    ("screen key missing", edit_ini("RepeatCount.ini", r"^Over=.*\r\n", ""), "[SCREEN] Over is missing"),
    ("two buttons overlap", edit_ini("SingleKey.ini", r"^2=Cancel,\d+,", "2=Cancel,150,"),
     "[BUTTONINFO] 1 overlaps [BUTTONINFO] 2"),
    ("button outside the window", edit_ini("Warning2_skin.ini", r"^1=OK,\d+,", "1=OK,5000,"),
     "lies outside the window"),
    ("button without size", edit_ini("TKeys.ini", r"^7=.*$", "7=Cancel,10,10,0,0,Cancel,FALSE"),
     "covers no pixels"),
    ("face of another size",
     replace_picture("SingleKey.ini", "Down", lambda p: Image.new("RGB", (10, 10)).save(p, "BMP")),
     "[SCREEN] Down is 10x10"),
    ("picture file missing", remove("MacroMenu.jpg"), "\"MacroMenu.jpg\" missing"),
    ("BMP cut short", truncate("TKeys.ini", "Over", lambda n: n // 2), "pixel rows run past the end"),
    ("JPEG cut short", truncate("LightOption.ini", "Main", lambda n: n - 100), "cut short"),
    ("not a picture", write_bytes("Profile_cmd.JPG", b"hello"), "neither a BMP nor a JPEG"),
    ("white mask",
     replace_picture("CreateNewmacro.ini", "Mask",
                     lambda p: Image.new("RGB", Image.open(p).size, (255, 255, 255)).save(p, "BMP")),
     "white everywhere"),
    ("Enter shape unreadable", write_bytes("main_enter_over.bmp", b"BM" + b"\0" * 20), "Enter shape"),
    ("Enter shape all key colour",
     lambda d: Image.new("RGB", Image.open(own(os.path.join(d, "main_enter_normal.bmp"))).size,
                         (255, 0, 200)).save(os.path.join(d, "main_enter_normal.bmp"), "BMP"),
     "is all key colour"),
    ("key overlapping the Enter shape", edit_ini("main.ini", r"^70=(Key50),(\d+),",
                                                 lambda m: "70=%s,%d," % (m.group(1), int(m.group(2)) + 12)),
     "overlaps Enter shape"),
    ("button over the indicator", edit_ini("main.ini", r"^16=InstantShift,24,356,184,", "16=InstantShift,24,356,210,"),
     "[BUTTONINFO] 16 covers the indicator"),
    ("status display away from its text", edit_ini("main.ini", r"^11=Status,250,", "11=Status,260,"),
     "does not hold the status text"),
    # The larger scales are checked as the 100 % skin is, and against it.
    ("button outside the window at 200 %", edit_ini("200/Warning2_skin.ini", r"^1=OK,\d+,", "1=OK,5000,"),
     "200\\Warning2_skin.ini: [BUTTONINFO] 1 (5000,"),
    ("face of a scale the size of another scale",
     replace_picture("150/SingleKey.ini", "Main",
                     lambda p: Image.new("RGB", (10, 10)).save(p, "BMP")),
     "150\\SingleKey.ini: [SCREEN] Down is"),
    ("faces of a scale drawn at 100 %",
     lambda d: [shutil.copyfile(os.path.join(d, n), own(os.path.join(d, "175", n)))
                for n in os.listdir(d) if n.startswith("tkeys_")],
     "175\\TKeys.ini: the faces are"),
    ("status display away from its text at 125 %", edit_ini("125/main.ini", r"^11=Status,\d+,", "11=Status,330,"),
     "does not hold the status text at (320, 461)"),
    ("layout code missing", edit_ini("main.ini", r"^StrFont=.*\r\n", ""), "[Driver_Version] StrFont is missing"),
    ("light state missing",
     edit_ini("LightOption.ini", r"(\[Profile3LightState\]\r\n(?:.*\r\n)*?)m_BTNF=.*\r\n", r"\1"),
     "[Profile3LightState] m_BTNF is missing"),
    ("light state not 0 or 1", edit_ini("LightOption.ini", r"^m_BTNQ=\d", "m_BTNQ=7"), "not 0 or 1"),
    # A text written over several lines: the entry loses its flag and the rest
    # of the text stands on a line of its own.
    ("entry broken over two lines", edit_ini("LightOption.ini", r"^(23=m_BTNPINYIN4,.*?)Tab / Caps,", r"\1Tab\r\nCaps,"),
     "in [BUTTONINFO] is not an entry: \"Caps,FALSE\""),
    ("entry cut short", edit_ini("LightOption.ini", r"^(9=m_BTNTt1TO5,.*?),T1 \| T5,FALSE", r"\1,T1"),
     "in [BUTTONINFO] is not a whole entry (6 of 7 fields)"),
]


def run(command, d):
    if command[0].endswith("wine-run.sh"):
        d = "Z:" + d.replace("/", "\\")
    p = subprocess.run(command + ["skin-check", d], stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    return p.returncode, p.stdout


def main():
    args = sys.argv[1:]
    cases, accepted = CASES, ACCEPTED
    if args[0] == "--wine":
        zavocfg, skins = [args[1], args[2]], args[3]
        cases, accepted = PLATFORM_CASES, ACCEPTED[:1]
    else:
        zavocfg, skins = [args[0]], args[1]
    failures = []
    with tempfile.TemporaryDirectory() as tmp:
        pristine = os.path.join(tmp, "pristine")
        linked_copy(skins, pristine)
        rc, out = run(zavocfg, pristine)
        if rc != 0:
            failures.append("undamaged skin refused (%d):\n%s" % (rc, out))
        for i, (name, change) in enumerate(accepted):
            d = os.path.join(tmp, "accepted%d" % i)
            linked_copy(skins, d)
            change(d)
            rc, out = run(zavocfg, d)
            if rc != 0:
                failures.append("%s: refused (%d):\n%s" % (name, rc, out))
        for i, (name, damage, expected) in enumerate(cases):
            d = os.path.join(tmp, "case%d" % i)
            linked_copy(skins, d)
            damage(d)
            rc, out = run(zavocfg, d)
            if rc != 1 or expected not in out:
                failures.append("%s: exit %d, expected \"%s\" in:\n%s" % (name, rc, expected, out))
        rc, out = run(zavocfg, os.path.join(tmp, "no-such-folder"))
        if rc != 2:
            failures.append("missing folder: exit %d" % rc)
    for f in failures:
        print("FAIL", f)
    total = len(cases) + len(accepted) + 2
    print("%d of %d cases passed" % (total - len(failures), total))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
