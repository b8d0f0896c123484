#!/usr/bin/env python3
"""Keeps the exported interface of the libraries in step with their public headers.

The libraries are built with hidden symbols; a public header exports what it declares by wrapping its
declarations (everything after its includes) in `#pragma GCC visibility push(default)` ... `pop`. A header
under framework/private/ is internal: it includes Qt and exports nothing.

    scripts/public_headers.py --list      prints the public headers, one per line
    scripts/public_headers.py --check     fails, naming them, when a public header lacks the wrapping
    scripts/public_headers.py --apply     wraps every public header (idempotent)
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
PUSH = "#pragma GCC visibility push(default)"
POP = "#pragma GCC visibility pop"


def public_headers():
    headers = []
    for folder in ("framework", "designer", "inspector"):
        for path in sorted((ROOT / folder).rglob("*.h")):
            relative = path.relative_to(ROOT)
            if relative.parts[:2] == ("framework", "private"):
                continue
            headers.append(path)
    return headers


def unwrapped(text):
    lines = [line for line in text.split("\n") if line.strip() not in (PUSH, POP)]
    return "\n".join(lines)


def wrapped(text):
    lines = unwrapped(text).rstrip("\n").split("\n")
    # After the last include (or #pragma once) of the preamble.
    insert_at = 0
    for index, line in enumerate(lines):
        stripped = line.strip()
        if stripped.startswith("#include") or stripped == "#pragma once":
            insert_at = index + 1
        elif stripped and not stripped.startswith("//") and not stripped.startswith("#"):
            break
    if not any(line.strip() and not line.strip().startswith("//") for line in lines[insert_at:]):
        return "\n".join(lines) + "\n"  # only includes: nothing of its own to export
    lines[insert_at:insert_at] = ["", PUSH]
    # No blank line doubled where the pragma went in.
    text = "\n".join(lines)
    text = re.sub(r"\n\n\n+" + re.escape(PUSH), "\n\n" + PUSH, text)
    text = text.replace(PUSH + "\n\n\n", PUSH + "\n\n")
    return text.rstrip("\n") + "\n\n" + POP + "\n"


def main(argv):
    mode = argv[1] if len(argv) > 1 else "--check"
    headers = public_headers()
    if mode == "--list":
        for path in headers:
            print(path.relative_to(ROOT))
        return 0
    if mode == "--apply":
        for path in headers:
            text = path.read_text(encoding="utf-8")
            new = wrapped(text)
            if new != text:
                path.write_text(new, encoding="utf-8")
        return 0
    if mode == "--check":
        missing = [p for p in headers if wrapped(p.read_text(encoding="utf-8")) != p.read_text(encoding="utf-8")]
        for path in missing:
            print(f"{path.relative_to(ROOT)}: not wrapped for export (run scripts/public_headers.py --apply)")
        return 1 if missing else 0
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
