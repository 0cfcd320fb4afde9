#!/usr/bin/env python3
"""Checks the layering of src/: each folder includes only its own layer and the
layers below it, no two headers include each other in a loop, and the portable
core includes no <windows.h> (only *_win32.cpp files may).

    check_layers.py SRC_DIR      exit 0 when the structure holds, 1 otherwise
"""
import os
import re
import sys

# Lower numbers are lower layers; a folder may include folders of its own
# number or lower. docs/architecture.md draws the same picture.
LAYERS = {
    "platform": 0,
    "config": 1,
    "macro": 2, "light": 2, "service": 2,
    "app": 3,
    "framework": 4,
    "skin": 5,
    "dialogs": 6,
    "keydlg": 7, "macroeditor": 7, "lightwnd": 7,
    "mainwnd": 8,
    "program": 9, "switcher": 9,
}
# Files of the portable core: built natively too, so no platform window headers.
PORTABLE_FOLDERS = {"platform", "config", "macro", "light"}
PORTABLE_FILES = {"skin/SkinEntry", "skin/SkinWindows", "skin/MaskScan", "skin/ShapeFile", "skin/SkinRect", "mainwnd/KeyboardView", "mainwnd/EditSession",
                  "app/AppContext", "app/Language"}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)


def sources(src):
    for folder, _, files in os.walk(src):
        for name in files:
            if name.endswith((".h", ".cpp")):
                path = os.path.join(folder, name)
                yield os.path.relpath(path, src).replace(os.sep, "/"), path


def is_portable(rel):
    stem = rel.rsplit(".", 1)[0]
    if stem.endswith("_win32") or stem.endswith("_posix"):
        return False
    return rel.split("/")[0] in PORTABLE_FOLDERS or stem in PORTABLE_FILES


def main(src):
    problems = []
    graph = {}
    for rel, path in sources(src):
        folder = rel.split("/")[0]
        if folder not in LAYERS:
            problems.append(f"{rel}: folder '{folder}' has no layer")
            continue
        text = open(path, encoding="utf-8").read()
        # Code for one platform only is not part of the other build.
        portable_text = re.sub(r"#ifdef _WIN32.*?#endif", "", text, flags=re.S)
        graph[rel] = []
        for kind, target in INCLUDE.findall(text):
            if kind == "<":
                if target.lower() == "windows.h" and is_portable(rel) and \
                        (kind, target) in INCLUDE.findall(portable_text):
                    problems.append(f"{rel}: the portable core includes <windows.h>")
                continue
            top = target.split("/")[0]
            if "/" not in target or top not in LAYERS:
                continue  # a file beside it, or generated
            if LAYERS[top] > LAYERS[folder]:
                problems.append(f"{rel}: includes {target}, a higher layer ({top} over {folder})")
            graph[rel].append(target)
    # Include loops among the project's own files.
    state = {}

    def visit(node, stack):
        state[node] = 1
        for nxt in graph.get(node, []):
            if state.get(nxt) == 1:
                problems.append("include loop: " + " -> ".join(stack[stack.index(nxt):] + [nxt]))
            elif nxt not in state:
                visit(nxt, stack + [nxt])
        state[node] = 2

    for node in sorted(graph):
        if node not in state:
            visit(node, [node])
    for p in problems:
        print(p)
    if not problems:
        print(f"{len(graph)} files, layering holds")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "src"))
