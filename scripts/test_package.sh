#!/usr/bin/env bash
# Installs Formwright the ways its users do and builds and runs the embedding example against each:
#   1. `cmake --install` into a temporary prefix, the example configured with find_package(Formwright);
#   2. the Debian package of `make package`, installed with apt when this runs as root (as in CI), else
#      unpacked with dpkg -x; the example built with CMake and, once more, with pkg-config alone.
# Each build of the example runs headless once: it designs, saves and loads its form and exits 0.
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(realpath "${1:-build}")"
example="$(realpath examples/embedding)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

run_example() { # binary
    (cd "$work" && rm -f order-form.txt && QT_QPA_PLATFORM=offscreen "$1" --self-test)
    test -s "$work/order-form.txt"
    echo "example ok: $1"
}

build_with_cmake() { # prefix, name
    cmake -S "$example" -B "$work/$2" -G Ninja -DCMAKE_PREFIX_PATH="$1" >/dev/null
    cmake --build "$work/$2" >/dev/null
    run_example "$work/$2/formwright_example"
}

echo "== installed into a prefix"
cmake --install "$build" --prefix "$work/prefix" >/dev/null
build_with_cmake "$work/prefix" example-prefix

echo "== the Debian package"
(cd "$build" && cpack -G DEB >/dev/null)
deb="$(ls "$build"/formwright_*.deb)"
dpkg-deb --info "$deb" | grep -E "Package|Version|Depends"
if [ "$(id -u)" -eq 0 ]; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --reinstall "$deb" >/dev/null
    prefix=/usr
else
    dpkg-deb -x "$deb" "$work/deb"
    prefix="$work/deb/usr"
fi
build_with_cmake "$prefix" example-deb
pcdir="$(dirname "$(find "$prefix/lib" -name formwright.pc | head -n 1)")"
# shellcheck disable=SC2046
g++ -std=c++20 -o "$work/example-pkgconfig" "$example/main.cpp" \
    $(PKG_CONFIG_PATH="$pcdir" pkg-config --cflags --libs formwright) -Wl,-rpath,"$prefix/lib"
run_example "$work/example-pkgconfig"
