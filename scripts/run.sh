#!/usr/bin/env bash
# Sets up the machine, builds the plug-in's AAX bundle and runs its main job: the stand-in
# AAX host loads the bundle, renders a WAV file through the plug-in and writes the result
# and the plug-in's saved chunks ('elck' and 'juce'); or shows the editor in a window while
# the audio plays (--editor), or writes a picture of it (--snapshot). --help tells how.
set -euo pipefail

usage() {
    cat <<'EOF'
usage: scripts/run.sh [IN.wav OUT.wav] [options]
       scripts/run.sh --editor [IN.wav] [options]
       scripts/run.sh --snapshot FILE.png [--skin 885|1180|1475] [--browser]
Builds the plug-in's AAX bundle (Release, in build-release) and renders through it in the
stand-in AAX host. Without IN.wav OUT.wav it renders a 2-second test tone to
build-release/out/render.wav. Relative paths are read from the folder you run it in.

  IN.wav              the input: PCM of 8 to 32 bits or float, mono or stereo, 8 to 384 kHz
  OUT.wav             the render: the input's rate and channels; written with the plug-in's
                      chunks OUT.elck and OUT.juce beside it
  --preset CHUNKFILE  a chunk file written earlier (NAME.elck or NAME.juce), restored whole
                      before rendering; default: none (the plug-in's start preset)
  --set "NAME=TEXT"   sets a parameter from its value text, e.g. --set "Mix=50 %"; repeatable
  --block N           samples per block, 1 to 8192; default 512
  --offline           render offline (as a host's bounce); default: real time
  --tone SECONDS      the test tone's length, above 0 and at most 600; default 2 (no IN.wav)
  --chunks PREFIX     write the chunks to PREFIX.elck and PREFIX.juce; default: OUT without
                      its extension
  --bundle PATH       another bundle or its binary; default: the one this script builds
  --quiet             print nothing but errors
  --editor            shows the editor in a window while IN.wav (looped) or the test tone
                      plays through the plug-in in real time; closing the window ends the
                      run and writes build-release/out/render.wav and its chunks; needs a
                      display (DISPLAY)
  --snapshot FILE.png writes a picture of the editor (factory state), drawn on an X server
                      of its own (Xvfb), instead of a render
  --skin 885|1180|1475  the snapshot's skin, by its width; default: the default skin
  --browser           the snapshot with the browser open
  -h, --help          print this and exit

Environment: GRINDEL_JOBS (parallel build jobs; default: all processors), GRINDEL_DATA_ROOT
(where the plug-in keeps its content and settings; default: build-release/data).
Exit codes: 0 done, 1 failed (the reason is printed), 2 bad arguments.
EOF
}

# The options, by the kind of value they take: a path (resolved against the caller's folder),
# another value, or none.
path_options=" --preset --chunks --bundle --in --out --snapshot "
value_options=" --set --block --tone --skin "
flag_options=" --offline --quiet --editor --browser "

refuse() {
    echo "run.sh: $1" >&2
    echo "run.sh --help tells how to run it" >&2
    exit 2
}

files=()
host_args=()
while [ $# -gt 0 ]; do
    arg=$1
    shift
    case $arg in
        -h | --help)
            usage
            exit 0
            ;;
        -*)
            if [[ $path_options == *" $arg "* || $value_options == *" $arg "* ]]; then
                [ $# -gt 0 ] || refuse "$arg needs a value"
                # "--out --quiet" is a forgotten value, not a file named "--quiet".
                [[ $1 != --* ]] || refuse "$arg needs a value, not the option \"$1\""
                value=$1
                shift
                if [[ $path_options == *" $arg "* && -n $value ]]; then
                    value=$(realpath -ms -- "$value")
                fi
                host_args+=("$arg" "$value")
            elif [[ $flag_options == *" $arg "* ]]; then
                host_args+=("$arg")
            else
                refuse "unknown option $arg"
            fi
            ;;
        *) files+=("$(realpath -ms -- "$arg")") ;;
    esac
done

mode=render
for a in "${host_args[@]}"; do
    case $a in
        --editor) mode=editor ;;
        --snapshot) mode=snapshot ;;
    esac
done

case $mode:${#files[@]} in
    render:0 | editor:0 | snapshot:0) ;;
    render:2) host_args=(--in "${files[0]}" --out "${files[1]}" "${host_args[@]}") ;;
    editor:1) host_args=(--in "${files[0]}" "${host_args[@]}") ;;
    editor:*) refuse "--editor takes at most one file, IN.wav; got ${#files[@]}" ;;
    snapshot:*) refuse "--snapshot takes no IN.wav or OUT.wav" ;;
    *)
        echo "run.sh: give both IN.wav and OUT.wav, or neither (for the test tone); got ${#files[@]} file(s)" >&2
        usage >&2
        exit 2
        ;;
esac

if [ $mode = editor ] && [ -z "${DISPLAY:-}" ]; then
    echo "the editor needs an X display, and DISPLAY is not set (--snapshot draws it without one)" >&2
    exit 1
fi

cd "$(dirname "$0")/.."
scripts/setup.sh

build="build-release"
jobs=${GRINDEL_JOBS:-$(nproc)}
export CCACHE_SLOPPINESS=time_macros
# Paths relative to the checkout, so clones and worktrees share one cache.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DGRINDEL_TESTS=OFF
cmake --build "$build" -j "$jobs" --target AAXStandInHost

# Keep the plug-in's settings and logs out of the user's own folders; the build installs
# the factory presets and skins there.
export GRINDEL_DATA_ROOT=${GRINDEL_DATA_ROOT:-$PWD/$build/data}

if [ $mode = snapshot ]; then
    # Always on an X server of its own, large enough for the largest skin with the browser
    # docked: the same picture on every machine, and nothing flashes on the user's screen.
    exec xvfb-run -a -s "-screen 0 1600x1700x24" "$build/bin/AAXStandInHost" "${host_args[@]}"
fi

if [ $mode = editor ] || [ ${#files[@]} -eq 0 ]; then
    mkdir -p "$build/out"
    source_given=no
    for a in "${host_args[@]}"; do [[ $a == --tone || $a == --in ]] && source_given=yes; done
    [ $source_given = yes ] || host_args=(--tone 2 "${host_args[@]}")
    host_args=(--out "$PWD/$build/out/render.wav" "${host_args[@]}")
fi

exec "$build/bin/AAXStandInHost" "${host_args[@]}"
