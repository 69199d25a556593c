#!/bin/sh
# Pictures of the real main window with a three-line invoice, at 1366×768 and 1920×1080.
# Usage: scripts/screenshot.sh [build folder] [output folder]
# The build folder must hold the target fakvo_screenshot (cmake --build <build> --target
# fakvo_screenshot). Each size gets a fresh data folder filled from the start data.
set -eu
build=${1:-build}
out=${2:-screenshots}
program="$build/tests/app/fakvo_screenshot"
if [ ! -x "$program" ]; then
    echo "missing $program: build the target fakvo_screenshot first" >&2
    exit 1
fi
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for size in 1366x768 1920x1080; do
    rm -rf "$work/data"
    ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0} HOME="$work/home" \
        xvfb-run -a -s "-screen 0 ${size}x24" "$program" "$work/data" "$out/editor-$size.png"
    echo "$out/editor-$size.png"
done
