#!/usr/bin/env bash
# Sets up the machine, builds the plug-in's AAX bundle and runs its main job: the stand-in
# AAX host loads the bundle, renders a WAV file through the plug-in and writes the result
# and the plug-in's saved chunks ('elck' and 'juce').
#   scripts/run.sh                       renders a 2 s test tone to build-release/out/render.wav
#   scripts/run.sh IN.wav OUT.wav [...]  renders IN.wav; further arguments go to AAXStandInHost
#   scripts/run.sh --editor [IN.wav] [...]
#       shows the editor in a window while IN.wav (looped) or the test tone plays through the
#       plug-in; closing the window writes build-release/out/render.wav and its chunks
#   scripts/run.sh --snapshot FILE.png [--skin 885|1180|1475] [--browser]
#       writes a picture of the editor, drawn on an X server of its own (Xvfb)
set -euo pipefail
caller=$PWD
if [ "${1:-}" = --editor ] && [ -z "${DISPLAY:-}" ]; then
    echo "the editor needs an X display, and DISPLAY is not set (--snapshot draws it without one)" >&2
    exit 1
fi
if [ "${1:-}" = --snapshot ] && { [ $# -lt 2 ] || [[ $2 == -* ]]; }; then
    echo "usage: scripts/run.sh --snapshot FILE.png [--skin 885|1180|1475] [--browser]" >&2
    exit 2
fi
cd "$(dirname "$0")/.."

scripts/setup.sh

build=build-release
export CCACHE_SLOPPINESS=time_macros
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DGRINDEL_TESTS=OFF
cmake --build "$build" -j "$(nproc)" --target AAXStandInHost

# Keep the plug-in's settings and logs out of the user's own folders; the build installs
# the factory presets and skins there.
export GRINDEL_DATA_ROOT=${GRINDEL_DATA_ROOT:-$PWD/$build/data}
mkdir -p "$build/out"

# A file named relative to the caller's folder.
fromCaller() { [[ $1 == /* ]] && echo "$1" || echo "$caller/$1"; }

case "${1:-}" in
--editor)
    shift
    if [ $# -ge 1 ] && [[ $1 != -* ]]; then
        in=$(fromCaller "$1"); shift
        exec "$build/bin/AAXStandInHost" --editor --in "$in" --out "$build/out/render.wav" "$@"
    fi
    exec "$build/bin/AAXStandInHost" --editor --tone 2 --out "$build/out/render.wav" "$@"
    ;;
--snapshot)
    picture=$(fromCaller "$2"); shift 2
    # Always on an X server of its own, large enough for the largest skin with the browser
    # docked: the same picture on every machine, and nothing flashes on the user's screen.
    exec xvfb-run -a -s "-screen 0 1600x1700x24" "$build/bin/AAXStandInHost" --snapshot "$picture" "$@"
    ;;
esac

# IN.wav OUT.wav come first when given; anything that starts with "-" is an option.
if [ $# -ge 2 ] && [[ $1 != -* ]]; then
    in=$1; out=$2; shift 2
    exec "$build/bin/AAXStandInHost" --in "$in" --out "$out" "$@"
else
    exec "$build/bin/AAXStandInHost" --tone 2 --out "$build/out/render.wav" "$@"
fi
