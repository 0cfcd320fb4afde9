#!/usr/bin/python3
"""Checks the installed user guide: each named page exists, is well-formed
enough to nest its tags, and every local link, anchor and picture it uses exists.

    check_help.py HELP_DIR SUFFIX...
"""
import html.parser
import os
import sys

VOID = {"meta", "img", "br", "link", "hr", "input"}


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.stack, self.refs, self.ids, self.errors = [], [], set(), []

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if "id" in a:
            self.ids.add(a["id"])
        for key in ("href", "src"):
            if a.get(key):
                self.refs.append(a[key])
        if tag not in VOID:
            self.stack.append(tag)

    def handle_endtag(self, tag):
        if not self.stack or self.stack[-1] != tag:
            self.errors.append("</%s> at line %d does not close <%s>" % (tag, self.getpos()[0],
                                                                          self.stack[-1] if self.stack else ""))
        else:
            self.stack.pop()


def check(folder, suffix):
    name = "UserInterfaceSetupGuide_%s.html" % suffix
    path = os.path.join(folder, name)
    if not os.path.isfile(path):
        return ["%s: missing" % name]
    page = Page()
    with open(path, encoding="utf-8") as f:
        page.feed(f.read())
    problems = ["%s: %s" % (name, e) for e in page.errors]
    if page.stack:
        problems.append("%s: unclosed %s" % (name, page.stack))
    for ref in page.refs:
        if ref.startswith(("http://", "https://")):
            continue
        if ref.startswith("#"):
            if ref[1:] not in page.ids:
                problems.append("%s: anchor %s has no target" % (name, ref))
        elif not os.path.isfile(os.path.join(folder, ref.split("#")[0])):
            problems.append("%s: %s is missing" % (name, ref))
    return problems


def main():
    folder, suffixes = sys.argv[1], sys.argv[2:]
    problems = [p for s in suffixes for p in check(folder, s)]
    for p in problems:
        print(p)
    print("%d page(s) checked, %d problem(s)" % (len(suffixes), len(problems)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
