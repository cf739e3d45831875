#!/usr/bin/env bash
# Sets up the machine, builds the plug-in's AAX bundle and runs its main job: the stand-in
# AAX host loads the bundle, renders a WAV file through the plug-in and writes the result
# and the plug-in's saved chunks ('elck' and 'juce').
#   scripts/run.sh                       renders a 2 s test tone to build-release/out/render.wav
#   scripts/run.sh IN.wav OUT.wav [...]  renders IN.wav; further arguments go to AAXStandInHost
set -euo pipefail
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

# IN.wav OUT.wav come first when given; anything that starts with "-" is an option.
if [ $# -ge 2 ] && [[ $1 != -* ]]; then
    in=$1; out=$2; shift 2
    exec "$build/bin/AAXStandInHost" --in "$in" --out "$out" "$@"
else
    exec "$build/bin/AAXStandInHost" --tone 2 --out "$build/out/render.wav" "$@"
fi
