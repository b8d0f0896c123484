#!/usr/bin/env bash
# Takes docs/demo.png (the demo host in a short design session), docs/menu.png (the designer menu open
# on two selected buttons), docs/filter.png (the inspector's filter in use) and docs/guides.png (snap
# guides during a drag, with the Design Check window), on a virtual X server. Needs xvfb, xwd and xwininfo (scripts/setup.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" -G Ninja
cmake --build "$build" --target formwright_demo_screenshot
mkdir -p docs
dump="$(mktemp --suffix=.xwd)"
trap 'rm -f "$dump" "$dump.list"' EXIT
for scene in inspector menu filter guides; do
    rm -f "$dump.list"
    xvfb-run -a -s "-screen 0 1024x768x24" "./$build/demo/formwright_demo_screenshot" "$dump" "$scene"
    # An open popup (the drop-down list, the menu) is pasted from its own dump (see xwd_to_png.py).
    overlays=()
    [ -f "$dump.list" ] && overlays+=("$dump.list")
    output=docs/demo.png
    [ "$scene" = menu ] && output=docs/menu.png
    [ "$scene" = filter ] && output=docs/filter.png
    [ "$scene" = guides ] && output=docs/guides.png
    python3 scripts/xwd_to_png.py "$dump" "$output" "${overlays[@]}"
done
