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
       scripts/run.sh --snapshot FILE.png [--skin 885|1180|1475] [--browser] [--block N]
                      [--bundle PATH] [--quiet]
Builds the plug-in's AAX bundle (Release, in build-release) and renders through it in the
stand-in AAX host. Without IN.wav OUT.wav it renders a 2-second test tone to
build-release/out/render.wav. Relative paths are read from the folder you run it in. The
values are checked before the set-up and the build.

  IN.wav              the input: PCM of 8 to 32 bits or float, mono or stereo, 8 to 384 kHz
  OUT.wav             the render: the input's rate and channels; written with the plug-in's
                      chunks OUT.elck and OUT.juce beside it; 8- to 24-bit PCM and 32-bit
                      float come back sample for sample, 32-bit PCM and 64-bit float rounded
                      to 32-bit float
  --preset CHUNKFILE  a chunk file written earlier (NAME.elck or NAME.juce), restored whole
                      before rendering (all but "Master Bypass", which no chunk holds);
                      default: none (the plug-in's start preset)
  --set "NAME=TEXT"   sets a parameter from its value text, e.g. --set "Mix=50 %"; NAME is the
                      parameter's name, the name a host shows or its id, in any case;
                      repeatable; "Processing Quality", which hosts cannot automate, cannot be set
  --block N           samples per block, 1 to 8192; default 512
  --offline           render offline (as a host's bounce); default: real time
  --tone SECONDS      the test tone's length, at least one sample (1/48000 s) and at most 600;
                      default 2 (no IN.wav)
  --chunks PREFIX     write the chunks to PREFIX.elck and PREFIX.juce (a folder: inside it,
                      named after OUT); default: OUT without its extension
  --bundle PATH       another bundle or its binary; default: the one this script builds
  --in FILE.wav, --out FILE.wav
                      IN.wav and OUT.wav as options (each named once)
  --quiet             print nothing but errors, the set-up's and the build's output too
  --editor            shows the editor in a window while IN.wav (looped) or the test tone
                      plays through the plug-in in real time; closing the window ends the
                      run and writes what played to build-release/out/render.wav (or --out)
                      and its chunks; needs a display (DISPLAY). Ctrl+click (Command+click
                      on a Mac) on the round options button at the top right opens the
                      about window
  --snapshot FILE.png writes a picture of the editor (factory state), drawn on an X server
                      of its own (Xvfb), instead of a render; takes only --skin, --browser,
                      --block, --bundle and --quiet
  --skin 885|1180|1475  the snapshot's skin, by its width; default: the default skin
  --browser           the snapshot with the browser open
  -h, --help          print this and exit

Environment: GRINDEL_JOBS (parallel build jobs; default: all processors), GRINDEL_DATA_ROOT
(where the plug-in keeps its content and settings; default: build-release/data).
Exit codes: 0 done, 1 failed (the reason is printed), 2 bad arguments, 130 a render
stopped by Ctrl+C (OUT and the chunks left as they were).
EOF
}

# The options, by the kind of value they take: a path (resolved against the caller's folder),
# another value, or none. The host checks every argument too; these checks come first, so a
# mistyped value costs no set-up or build. They follow the host's option table
# (tools/AAXHost/StandInRenderer.cpp).
path_options=" --preset --chunks --bundle --in --out --snapshot "
value_options=" --set --block --tone --skin "
flag_options=" --offline --quiet --editor --browser "
snapshot_takes=" --snapshot --bundle --skin --browser --block --quiet "

refuse() {
    echo "run.sh: $1" >&2
    echo "run.sh --help tells how to run it" >&2
    exit 2
}

# Refuses a value the host would refuse.
check_value() {
    local option=$1 value=$2
    case $option in
        --block)
            [[ $value =~ ^[0-9]{1,5}$ ]] && ((10#$value >= 1 && 10#$value <= 8192)) ||
                refuse "--block needs a whole number of samples from 1 to 8192, not \"$value\""
            ;;
        --tone)
            [[ $value =~ ^[+]?([0-9]+[.]?[0-9]*|[.][0-9]+)([eE][-+]?[0-9]+)?$ ]] &&
                awk -v s="$value" 'BEGIN { exit !(s + 0 > 0 && s + 0 <= 600) }' ||
                refuse "--tone needs a number of seconds above 0 and up to 600, not \"$value\""
            awk -v s="$value" 'BEGIN { exit !(int(s * 48000) >= 1) }' ||
                refuse "--tone needs at least one sample of the 48 kHz tone (1/48000 s, about 0.000021), not \"$value\""
            ;;
        --skin)
            [[ $value =~ ^0*(885|1180|1475)$ ]] || refuse "--skin needs 885, 1180 or 1475, not \"$value\""
            ;;
        --set)
            local name=${value%%=*}
            [[ $value == *=* && -n $name && -n ${value#*=} ]] ||
                refuse "--set needs \"Parameter Name=value text\", not \"$value\""
            ;;
        --snapshot)
            [[ $value == *.png || $value == *.PNG ]] || refuse "--snapshot needs a file name ending in .png, not \"$value\""
            ;;
    esac
}

files=()
host_args=()
given=" "
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
                # A second value would silently replace the first.
                [[ $arg == --set || $given != *" $arg "* ]] || refuse "$arg is given twice; give it once"
                value=$1
                shift
                [ -n "$value" ] || refuse "$arg needs a value"
                check_value "$arg" "$value"
                if [[ $path_options == *" $arg "* && -n $value ]]; then
                    # A trailing slash says "a folder" (--chunks out/), which realpath would drop.
                    trailing=""
                    [[ $value == */ ]] && trailing=/
                    value=$(realpath -ms -- "$value")
                    [[ $value == */ ]] || value+=$trailing
                fi
                host_args+=("$arg" "$value")
            elif [[ $flag_options == *" $arg "* ]]; then
                host_args+=("$arg")
            else
                refuse "unknown option $arg"
            fi
            given+="$arg "
            ;;
        *) files+=("$(realpath -ms -- "$arg")") ;;
    esac
done

has() { [[ $given == *" $1 "* ]]; }

mode=render
has --editor && mode=editor
has --snapshot && mode=snapshot

# The first file is IN.wav, the second OUT.wav; a render's OUT.wav may be --out instead.
files_wrong() {
    echo "run.sh: give both IN.wav and OUT.wav, or neither (for the test tone); got ${#files[@]} file(s)" >&2
    usage >&2
    exit 2
}

case $mode:${#files[@]} in
    render:0 | render:2 | editor:0 | editor:1 | snapshot:0) ;;
    render:1) has --out || has --in || files_wrong ;;
    editor:*) refuse "--editor takes at most one file, IN.wav; got ${#files[@]}" ;;
    snapshot:*) refuse "--snapshot takes no IN.wav or OUT.wav" ;;
    *) files_wrong ;;
esac

# The combinations the host refuses.
if [ $mode = snapshot ]; then
    for a in $given; do
        [[ $snapshot_takes == *" $a "* ]] || refuse "--snapshot takes only --bundle, --skin, --browser, --block and --quiet, not $a"
    done
else
    { has --skin || has --browser; } && refuse "--skin and --browser go with --snapshot"
    [ $mode = editor ] && has --offline && refuse "--editor plays in real time; --offline does not go with it"
    [ ${#files[@]} -ge 1 ] && has --in && refuse "IN.wav and --in both name the input; give one"
    [ ${#files[@]} -eq 2 ] && has --out && refuse "OUT.wav and --out both name the output; give one"
    { [ ${#files[@]} -ge 1 ] || has --in; } && has --tone && refuse "--in and --tone exclude each other"
fi

# From here on the files are options, as the host takes them.
if [ ${#files[@]} -eq 2 ]; then
    host_args=(--out "${files[1]}" "${host_args[@]}")
    given+="--out "
fi
if [ ${#files[@]} -ge 1 ]; then
    host_args=(--in "${files[0]}" "${host_args[@]}")
    given+="--in "
fi

if [ $mode = editor ] && [ -z "${DISPLAY:-}" ]; then
    echo "the editor needs an X display, and DISPLAY is not set (--snapshot draws it without one)" >&2
    exit 1
fi

cd "$(dirname "$0")/.."
build="build-release"

# With --quiet the set-up and the build say nothing unless they fail.
build_log=""
if has --quiet; then
    mkdir -p "$build"
    build_log="$build/run-build.log"
    exec 3>&1 4>&2 1>"$build_log" 2>&1
fi

# Configured once: afterwards ninja runs CMake again itself when a CMake file changes, and a
# configure at every run would print its lines and regenerate what it writes.
configured() {
    local cache=$build/CMakeCache.txt
    [ -f "$build/build.ninja" ] && [ -f "$cache" ] &&
        grep -qxF "CMAKE_HOME_DIRECTORY:INTERNAL=$(pwd -P)" "$cache" &&
        grep -qxF "CMAKE_GENERATOR:INTERNAL=Ninja" "$cache" &&
        grep -qxF "CMAKE_BUILD_TYPE:STRING=Release" "$cache" &&
        grep -qxF "GRINDEL_TESTS:BOOL=OFF" "$cache"
}

# ninja's lines for a build with nothing to do: an up-to-date build says nothing.
without_idle_lines() {
    grep --line-buffered -v -x -e '\[0/[0-9]*\] Re-checking globbed directories\.\.\.' -e 'ninja: no work to do\.' || true
}

if ! {
    scripts/setup.sh &&
        jobs=${GRINDEL_JOBS:-$(nproc)} &&
        export CCACHE_SLOPPINESS=time_macros &&
        # Paths relative to the checkout, so clones and worktrees share one cache.
        export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD} &&
        export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1} &&
        { configured || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DGRINDEL_TESTS=OFF; } &&
        cmake --build "$build" -j "$jobs" --target AAXStandInHost | without_idle_lines
}; then
    if [ -n "$build_log" ]; then
        exec 1>&3 2>&4
        cat "$build_log" >&2
    fi
    echo "run.sh: the set-up or the build failed" >&2
    exit 1
fi

[ -z "$build_log" ] || exec 1>&3 2>&4 3>&- 4>&-

# Keep the plug-in's settings and logs out of the user's own folders; the build installs
# the factory presets and skins there.
export GRINDEL_DATA_ROOT=${GRINDEL_DATA_ROOT:-$PWD/$build/data}

if [ $mode = snapshot ]; then
    # Always on an X server of its own, large enough for the largest skin with the browser
    # docked: the same picture on every machine, and nothing flashes on the user's screen.
    exec xvfb-run -a -s "-screen 0 1600x1700x24" "$build/bin/AAXStandInHost" "${host_args[@]}"
fi

if ! has --out; then
    mkdir -p "$build/out"
    host_args=(--out "$PWD/$build/out/render.wav" "${host_args[@]}")
fi
has --tone || has --in || host_args=(--tone 2 "${host_args[@]}")

exec "$build/bin/AAXStandInHost" "${host_args[@]}"
