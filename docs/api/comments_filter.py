#!/usr/bin/env python3
"""Doxygen input filter: the headers write their documentation as plain // comments.

A block of // lines standing on its own becomes a /// block, which documents what follows it; a // comment
after code on the same line becomes ///<, which documents that line's member. Doxygen's own markup
characters in the prose (\\, @, <, >, &, #, %) are escaped so that the text shows as written.
"""
import re
import sys

OWN_LINE = re.compile(r"^(\s*)//(?![/!])(.*)$")
TRAILING = re.compile(r"^(.*?\S.*?)\s//(?![/!])(.*)$")


def escape(text):
    return re.sub(r"([\\@<>&#%$])", r"\\\1", text)


def in_string(code):
    return code.count('"') % 2 == 1


def main():
    with open(sys.argv[1], encoding="utf-8") as source:
        lines = source.read().split("\n")
    out = []
    for line in lines:
        match = OWN_LINE.match(line)
        if match and not line.lstrip().startswith("#"):
            out.append(f"{match.group(1)}///{escape(match.group(2))}")
            continue
        match = TRAILING.match(line)
        if match and not in_string(match.group(1)) and not match.group(1).lstrip().startswith("#"):
            out.append(f"{match.group(1)} ///<{escape(match.group(2))}")
            continue
        out.append(line)
    sys.stdout.write("\n".join(out))


if __name__ == "__main__":
    main()
