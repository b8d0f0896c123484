#!/usr/bin/env bash
# Takes docs/demo.png: the demo host in a short design session, on a virtual X server.
# Needs xvfb (installed by scripts/setup.sh) and xwd.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" -G Ninja
cmake --build "$build" --target formwright_demo_screenshot
mkdir -p docs
dump="$(mktemp --suffix=.xwd)"
trap 'rm -f "$dump" "$dump.list"' EXIT
xvfb-run -a -s "-screen 0 1024x768x24" "./$build/demo/formwright_demo_screenshot" "$dump"
# The open drop-down list is pasted from its own dump (see xwd_to_png.py).
overlays=()
[ -f "$dump.list" ] && overlays+=("$dump.list")
python3 scripts/xwd_to_png.py "$dump" docs/demo.png "${overlays[@]}"
