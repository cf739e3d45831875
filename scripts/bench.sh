#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them, each against a baseline in the same run
# (README lists them with their goals). Arguments go to every benchmark (e.g.
# --benchmark_repetitions=7 --benchmark_enable_random_interleaving=true, or
# --benchmark_filter=...).
#
# scripts/bench.sh --instructions instead counts instructions with callgrind: one block (or one
# folder refresh) in a loop, divided by the number of calls, for the audio road, the AAX pair
# and the refresh per preset. A loaded machine cannot change these figures, unlike the times.
set -euo pipefail
cd "$(dirname "$0")/.."

mode=time
if [ "${1:-}" = "--instructions" ]; then
    mode=instructions
    shift
    scripts/setup.sh --bench
else
    scripts/setup.sh
fi

build=build-bench
export CCACHE_SLOPPINESS=time_macros
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DGRINDEL_TESTS=OFF -DGRINDEL_BENCHMARKS=ON
export GRINDEL_DATA_ROOT=$PWD/$build/data

if [ "$mode" = "time" ]; then
    cmake --build "$build" -j "${GRINDEL_JOBS:-$(nproc)}" --target ProcessingBenchmark SkinBenchmark EditorBenchmark AAXBundleBenchmark ContentBenchmark BrowserBenchmark ResultsBenchmark PresetTransferBenchmark InstanceBenchmark BulkOperationBenchmark BulkTurnBenchmark
    echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
    "$build/bin/ProcessingBenchmark" "$@"
    "$build/bin/SkinBenchmark" "$@"
    "$build/bin/EditorBenchmark" "$@"      # the editor's first show against its widget tree alone; a second editor against the first
    "$build/bin/AAXBundleBenchmark" "$@"   # the product's bundle against the anchor bundle
    "$build/bin/ResultsBenchmark" "$@"     # the browser's result list: sorting and painting
    "$build/bin/BrowserBenchmark" "$@"     # filtering 10,000 presets against a plain sort; opening the browser
    "$build/bin/ContentBenchmark" "$@"     # preset folder refresh, unchanged and cold, against the raw read
    "$build/bin/InstanceBenchmark" "$@"    # the first instance with 10,000 user presets against the raw read; one more while another lives
    "$build/bin/BulkOperationBenchmark" "$@"   # the browser's import, tag click, delete and export over 10,000-100,000 presets
    # The longest message-loop turn of the same operations, the browser on an X display (Xvfb when there is none).
    if [ -n "${DISPLAY:-}" ]; then
        "$build/bin/BulkTurnBenchmark" "$@"
    else
        xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bin/BulkTurnBenchmark" "$@"
    fi
    "$build/bin/PresetTransferBenchmark" "$@"   # export against JUCE's ZIP builder; import against writing each entry once; large archives
    echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
    exit 0
fi

cmake --build "$build" -j "${GRINDEL_JOBS:-$(nproc)}" --target ProcessingBenchmark AAXBundleBenchmark ContentBenchmark

# Each figure: label | goal (at most this ratio) | benchmark program | baseline case | our case
# | unit the count is divided into (a case's step is one block, or one refresh of a folder).
figures=(
    "stereo 32, meters unread|3|ProcessingBenchmark|plainCopy/samples:32/channels:2|pluginProcessing/samples:32/channels:2/meters:0|1"
    "stereo 512, meters unread|1.2|ProcessingBenchmark|plainCopy/samples:512/channels:2|pluginProcessing/samples:512/channels:2/meters:0|1"
    "mono 32, meters unread|3|ProcessingBenchmark|plainCopy/samples:32/channels:1|pluginProcessing/samples:32/channels:1/meters:0|1"
    "mono 512, meters unread|1.2|ProcessingBenchmark|plainCopy/samples:512/channels:1|pluginProcessing/samples:512/channels:1/meters:0|1"
    "stereo 32, meters read|4|ProcessingBenchmark|plainCopy/samples:32/channels:2|pluginProcessing/samples:32/channels:2/meters:1|1"
    "stereo 512, meters read|1.5|ProcessingBenchmark|plainCopy/samples:512/channels:2|pluginProcessing/samples:512/channels:2/meters:1|1"
    "mono 32, meters read|4|ProcessingBenchmark|plainCopy/samples:32/channels:1|pluginProcessing/samples:32/channels:1/meters:1|1"
    "mono 512, meters read|1.5|ProcessingBenchmark|plainCopy/samples:512/channels:1|pluginProcessing/samples:512/channels:1/meters:1|1"
    "AAX 64 stereo, bundle against anchor|1.15|AAXBundleBenchmark|aaxProcessing/anchor/min_time:0.500|aaxProcessing/product/min_time:0.500|1"
    "refresh 10k shared tags, per preset|1.5|ContentBenchmark|rawRead/presets:10000/distinct:0/min_time:1.000|folderRefresh/presets:10000/distinct:0/min_time:1.000|10000"
    "refresh 10k distinct tags, per preset|1.5|ContentBenchmark|rawRead/presets:10000/distinct:1/min_time:1.000|folderRefresh/presets:10000/distinct:1/min_time:1.000|10000"
)

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# Instructions inside countedStep per call (callgrind: collected only inside that function).
count() {
    local program=$1 case=$2 file
    file="$out/$(echo "$program-$case" | tr '/:.' '___').cg"
    [ -f "$file" ] && return
    valgrind --tool=callgrind --callgrind-out-file="$file" --toggle-collect='*countedStep*' \
        "$build/bin/$program" --benchmark_filter="^$case\$" --benchmark_min_time=0.1 >/dev/null 2>"$file.log" \
        || { echo "callgrind failed on $program $case:" >&2; cat "$file.log" >&2; return 1; }
}

perStep() {
    local file
    file="$out/$(echo "$1-$2" | tr '/:.' '___').cg"
    awk '
        /^c?fn=\(/ {
            id = $0; sub (/^c?fn=\(/, "", id); sub (/\).*/, "", id)
            if (index ($0, ") ") > 0) names[id] = substr ($0, index ($0, ") ") + 2)
            if ($0 ~ /^cfn=/) callee = id
        }
        /^calls=/ { if (names[callee] ~ /countedStep/) { split ($0, a, /[= ]/); calls += a[2] } }
        /^summary:/ { total = $2 }
        END { if (calls == 0) exit 1; printf "%.1f\n", total / calls }' "$file"
}

# Every case once, four at a time: the counts do not depend on what runs beside them.
for f in "${figures[@]}"; do
    IFS='|' read -r _ _ program base ours _ <<<"$f"
    printf '%s %s\n%s %s\n' "$program" "$base" "$program" "$ours"
done | sort -u | {
    pids=()
    while read -r program case; do
        count "$program" "$case" &
        pids+=($!)
        if [ ${#pids[@]} -ge 4 ]; then wait "${pids[0]}"; pids=("${pids[@]:1}"); fi
    done
    for p in "${pids[@]}"; do wait "$p"; done
}

printf '%-42s %12s %12s %8s %6s\n' "figure (instructions per block or preset)" "baseline" "ours" "ratio" "goal"
for f in "${figures[@]}"; do
    IFS='|' read -r label goal program base ours unit <<<"$f"
    b=$(perStep "$program" "$base")
    o=$(perStep "$program" "$ours")
    awk -v l="$label" -v b="$b" -v o="$o" -v u="$unit" -v g="$goal" 'BEGIN {
        r = o / b
        printf "%-42s %12.1f %12.1f %7.2fx %5sx %s\n", l, b / u, o / u, r, g, (r <= g ? "met" : "missed")
    }'
done
