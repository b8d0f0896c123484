#!/usr/bin/env python3
"""Checks that every include of the libraries goes down the layers, never up or sideways.

The layers and what each may include are stated in docs/architecture.md; LAYERS below is the same table.
A file belongs to the layer of the first pattern that matches its path; a layer may include its own files
and those of the layers it names (and, through them, the layers below those).

    scripts/layers.py --check     fails, naming file, line and layers, on every include against them
    scripts/layers.py --list      prints each checked file with its layer
"""
import fnmatch
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent

# The window layer: window records, messages, hooks, painting and input over Qt. It knows controls only
# as TWindowOwner.
WINDOW_FILES = [
    "Messages.h", "Windows.h", "CreateParams.h", "NativeDispatch.h", "WindowOwner.h", "WindowRecord.*",
    "WindowApi.cpp", "Hooks.cpp", "Paint.cpp", "Input.cpp", "XorOverlay.*", "KeyCodes.*", "QtApplication.*",
    "MessageBoxFlags.h", "WidgetLook.*",
]

# (layer, path patterns relative to the repository, layers it may include directly)
LAYERS = [
    ("object model", ["framework/core/*", "framework/rtti/*"], []),
    ("streaming", ["framework/streaming/*"], ["object model"]),
    ("graphics", ["framework/graphics/*", "framework/private/graphics/*"], ["streaming"]),
    ("windows", [f"framework/ui/{name}" for name in WINDOW_FILES] +
     [f"framework/private/ui/{name}" for name in WINDOW_FILES], ["graphics"]),
    ("controls", ["framework/ui/*", "framework/private/ui/*"], ["windows"]),
    ("widgets", ["framework/widgets/*", "framework/private/widgets/*"], ["controls"]),
    ("dialogs", ["framework/dialogs/*", "framework/private/dialogs/*"], ["widgets"]),
    ("settings", ["framework/settings/*"], ["graphics"]),
    ("components", ["framework/components/*"], ["dialogs"]),
    ("designer", ["designer/*"], ["components", "settings"]),
    ("inspector", ["inspector/*"], ["designer"]),
]

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def layer_of(relative):
    for name, patterns, _ in LAYERS:
        if any(fnmatch.fnmatch(relative, pattern) for pattern in patterns):
            return name
    return None


def reachable():
    direct = {name: set(below) for name, _, below in LAYERS}
    result = {}
    for name in direct:
        seen, stack = {name}, list(direct[name])
        while stack:
            layer = stack.pop()
            if layer not in seen:
                seen.add(layer)
                stack.extend(direct[layer])
        result[name] = seen
    return result


def resolve(source, target):
    """The repository path an include names, or None for a header outside the libraries."""
    candidates = [source.parent / target]
    for folder in ("framework", "framework/private", "designer", "inspector"):
        candidates.append(ROOT / folder / target)
    for candidate in candidates:
        if candidate.is_file():
            return candidate.resolve().relative_to(ROOT).as_posix()
    return None


def checked_files():
    for folder in ("framework", "designer", "inspector"):
        for path in sorted((ROOT / folder).rglob("*")):
            if path.suffix in (".h", ".cpp", ".inc") and path.is_file():
                yield path


def violations():
    allowed = reachable()
    found = []
    for path in checked_files():
        relative = path.relative_to(ROOT).as_posix()
        layer = layer_of(relative)
        if layer is None:
            found.append(f"{relative}: belongs to no layer")
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8").split("\n"), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            target = resolve(path, match.group(1))
            target_layer = layer_of(target) if target else None
            if target_layer and target_layer not in allowed[layer]:
                found.append(f"{relative}:{number}: {layer} includes {target} ({target_layer})")
    return found


def main(argv):
    if argv[1:] == ["--list"]:
        for path in checked_files():
            relative = path.relative_to(ROOT).as_posix()
            print(f"{layer_of(relative)}\t{relative}")
        return 0
    if argv[1:] == ["--check"]:
        found = violations()
        for line in found:
            print(line)
        return 1 if found else 0
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
