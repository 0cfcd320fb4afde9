"""Checks that every text of src/app/UiTexts.h is in the language modules: each
`UiText` constant's id is in lang/En, lang/Deutsch and lang/Japanese, not empty,
the English module's text is the constant's English text (the words shown when
a module lacks it), and no two constants share an id.

    check_texts.py ROOT      exit 0 when the texts agree, 1 otherwise
"""
import os
import re
import sys

MODULES = ("En", "Deutsch", "Japanese")
# constexpr UiText kName{123, L"..." L"..."};
CONSTANT = re.compile(r'UiText\s+(k\w+)\s*\{\s*(\d+)\s*,\s*((?:L"(?:[^"\\]|\\.)*"\s*)+)\}', re.S)
PIECE = re.compile(r'L"((?:[^"\\]|\\.)*)"')
# 123, "..." (a doubled quote is a quote) in a STRINGTABLE
ENTRY = re.compile(r'^\s*(\d+)\s*,\s*"((?:[^"]|"")*)"', re.M)
ESCAPES = {"n": "\n", "t": "\t", "\\": "\\", '"': '"', "'": "'"}


def unescape(text):
    def one(m):
        c = m.group(1)
        if c.startswith("u"):
            return chr(int(c[1:], 16))
        return ESCAPES.get(c, "\\" + c)
    return re.sub(r"\\(u[0-9A-Fa-f]{4}|.)", one, text)


def constants(header):
    text = re.sub(r"//[^\n]*", "", open(header, encoding="utf-8").read())
    for name, ident, pieces in CONSTANT.findall(text):
        yield name, int(ident), "".join(unescape(p) for p in PIECE.findall(pieces))


def module_texts(rc):
    text = open(rc, encoding="utf-8").read()
    return {int(i): unescape(t.replace('""', '"')) for i, t in ENTRY.findall(text)}


def main(root):
    problems = []
    found = list(constants(os.path.join(root, "src", "app", "UiTexts.h")))
    if not found:
        problems.append("no UiText constants found in src/app/UiTexts.h")
    modules = {m: module_texts(os.path.join(root, "lang", m, "lang.rc")) for m in MODULES}
    owner = {}
    for name, ident, english in found:
        if ident in owner:
            problems.append(f"{name} and {owner[ident]} share id {ident}")
        owner[ident] = name
        for module, texts in modules.items():
            if not texts.get(ident):
                problems.append(f"{name} ({ident}): no text in lang/{module}/lang.rc")
        if modules["En"].get(ident, english) != english:
            problems.append(f"{name} ({ident}): lang/En/lang.rc says {modules['En'][ident]!r}, the code {english!r}")
    for p in problems:
        print(p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "."))
