#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them, each against a baseline in the same run
# (README lists them with their goals). Arguments go to every benchmark (e.g.
# --benchmark_repetitions=7 --benchmark_enable_random_interleaving=true, or
# --benchmark_filter=...). The run ends with the figures of the audio road and the AAX pair:
# median times of the repetitions, their spread (coefficient of variation), ratio and goal.
#
# scripts/bench.sh --instructions instead counts instructions with callgrind: one block (or one
# folder refresh) in a loop, divided by the number of calls, for the audio road, the AAX pair
# and the refresh per preset. A loaded machine cannot change these figures, unlike the times.
# Valgrind keeps no denormal flags; the plug-in sees that and runs its blocks as on a host
# thread that flushes denormals (as most do), so the count is of that path.
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

# Each figure: label | goal in time | goal in instructions (- for none) | benchmark program |
# baseline case | our case | unit the count is divided into (a case's step is one block, or one
# refresh of a folder). At most this ratio of ours to the baseline.
figures=(
    "stereo 32, meters unread|3|3|ProcessingBenchmark|plainCopy/samples:32/channels:2|pluginProcessing/samples:32/channels:2/meters:0|1"
    "stereo 512, meters unread|1.2|1.2|ProcessingBenchmark|plainCopy/samples:512/channels:2|pluginProcessing/samples:512/channels:2/meters:0|1"
    "mono 32, meters unread|3|3|ProcessingBenchmark|plainCopy/samples:32/channels:1|pluginProcessing/samples:32/channels:1/meters:0|1"
    "mono 512, meters unread|1.2|1.2|ProcessingBenchmark|plainCopy/samples:512/channels:1|pluginProcessing/samples:512/channels:1/meters:0|1"
    "stereo 32, meters read|4|4|ProcessingBenchmark|plainCopy/samples:32/channels:2|pluginProcessing/samples:32/channels:2/meters:1|1"
    "stereo 512, meters read|1.6|-|ProcessingBenchmark|plainCopy/samples:512/channels:2|pluginProcessing/samples:512/channels:2/meters:1|1"
    "mono 32, meters read|4|4|ProcessingBenchmark|plainCopy/samples:32/channels:1|pluginProcessing/samples:32/channels:1/meters:1|1"
    "mono 512, meters read|1.6|-|ProcessingBenchmark|plainCopy/samples:512/channels:1|pluginProcessing/samples:512/channels:1/meters:1|1"
    "AAX 64 stereo, bundle against anchor|1.1|1.1|AAXBundleBenchmark|aaxProcessing/anchor/min_time:0.500|aaxProcessing/product/min_time:0.500|1"
    "refresh 10k shared tags, per preset|1.5|1.5|ContentBenchmark|rawRead/presets:10000/distinct:0/min_time:1.000|folderRefresh/presets:10000/distinct:0/min_time:1.000|10000"
    "refresh 10k distinct tags, per preset|1.5|1.5|ContentBenchmark|rawRead/presets:10000/distinct:1/min_time:1.000|folderRefresh/presets:10000/distinct:1/min_time:1.000|10000"
)

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# A case's median time in ns over its repetitions in a program's CSV output, and their
# coefficient of variation in %: "median cv count", or nothing when the case did not run.
timeOf() {
    local file="$out/$1.csv"
    [ -f "$file" ] || return 0
    awk -F, -v name="\"$2\"" '
        $1 == name && $9 == "" {
            scale = ($5 == "us") ? 1e3 : ($5 == "ms") ? 1e6 : ($5 == "s") ? 1e9 : 1
            t[++n] = $3 * scale; sum += t[n]
        }
        END {
            if (n == 0) exit
            for (i = 2; i <= n; ++i) for (j = i; j > 1 && t[j - 1] > t[j]; --j) { x = t[j]; t[j] = t[j - 1]; t[j - 1] = x }
            median = (n % 2) ? t[(n + 1) / 2] : (t[n / 2] + t[n / 2 + 1]) / 2
            mean = sum / n
            for (i = 1; i <= n; ++i) var += (t[i] - mean) ^ 2
            printf "%.4g %.0f %d\n", median, (n > 1 ? 100 * sqrt (var / (n - 1)) / mean : 0), n
        }' "$file"
}

timeFigures() {
    printf '\n%-42s %18s %18s %8s %6s\n' "figure (median time, spread)" "baseline" "ours" "ratio" "goal"
    for f in "${figures[@]}"; do
        IFS='|' read -r label goal _ program base ours unit <<<"$f"
        local b o
        b=$(timeOf "$program" "$base")
        o=$(timeOf "$program" "$ours")
        if [ -z "$b" ] || [ -z "$o" ]; then
            [ -f "$out/$program.csv" ] && printf '%-42s %18s\n' "$label" "(not run)"
            continue
        fi
        awk -v l="$label" -v b="$b" -v o="$o" -v u="$unit" -v g="$goal" 'BEGIN {
            split (b, bb, " "); split (o, oo, " ")
            r = oo[1] / bb[1]
            printf "%-42s %10.4g ns %3d%% %10.4g ns %3d%% %7.2fx %5sx %s (%d runs)\n", l, bb[1] / u, bb[2], oo[1] / u, oo[2], r, g, (r <= g ? "met" : "missed"), oo[3]
        }'
    done
}

if [ "$mode" = "time" ]; then
    cmake --build "$build" -j "${GRINDEL_JOBS:-$(nproc)}" --target ProcessingBenchmark SkinBenchmark EditorBenchmark AAXBundleBenchmark ContentBenchmark BrowserBenchmark ResultsBenchmark PresetTransferBenchmark InstanceBenchmark BulkOperationBenchmark
    echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
    "$build/bin/ProcessingBenchmark" "$@" --benchmark_out="$out/ProcessingBenchmark.csv" --benchmark_out_format=csv
    "$build/bin/SkinBenchmark" "$@"
    "$build/bin/EditorBenchmark" "$@"      # the editor's first show against its widget tree alone; a second editor against the first
    "$build/bin/AAXBundleBenchmark" "$@" --benchmark_out="$out/AAXBundleBenchmark.csv" --benchmark_out_format=csv   # the product's bundle against the anchor bundle
    "$build/bin/ResultsBenchmark" "$@"     # the browser's result list: sorting and painting
    "$build/bin/BrowserBenchmark" "$@"     # filtering 10,000 presets against a plain sort; opening the browser
    "$build/bin/ContentBenchmark" "$@"     # preset folder refresh, unchanged and cold, against the raw read
    "$build/bin/InstanceBenchmark" "$@"    # the first instance with 10,000 user presets against the raw read; one more while another lives
    "$build/bin/BulkOperationBenchmark" "$@"   # the browser's import, tag click and delete over 10,000-100,000 presets
    "$build/bin/PresetTransferBenchmark" "$@"   # export against JUCE's ZIP builder; import against writing each entry once; large archives
    echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
    timeFigures
    exit 0
fi

cmake --build "$build" -j "${GRINDEL_JOBS:-$(nproc)}" --target ProcessingBenchmark AAXBundleBenchmark ContentBenchmark

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
    IFS='|' read -r _ _ _ program base ours _ <<<"$f"
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
    IFS='|' read -r label _ goal program base ours unit <<<"$f"
    b=$(perStep "$program" "$base")
    o=$(perStep "$program" "$ours")
    awk -v l="$label" -v b="$b" -v o="$o" -v u="$unit" -v g="$goal" 'BEGIN {
        r = o / b
        if (g == "-") printf "%-42s %12.1f %12.1f %7.2fx %6s (no goal in instructions)\n", l, b / u, o / u, r, "-"
        else printf "%-42s %12.1f %12.1f %7.2fx %5sx %s\n", l, b / u, o / u, r, g, (r <= g ? "met" : "missed")
    }'
done
