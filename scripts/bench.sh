#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them, each against a baseline in the same run
# (README lists them with their goals). Arguments go to every benchmark (e.g.
# --benchmark_repetitions=7 --benchmark_enable_random_interleaving=true, or
# --benchmark_filter=...). The run ends with the figures of the audio road and the AAX pair:
# median times of the repetitions, their spread (coefficient of variation), ratio and goal.
#
# The content, instance and editor-memory figures end with a table of their ratios against
# their baselines (CPU time; medians when repetitions are asked for, with their spread).
#
# scripts/bench.sh --instructions instead counts instructions with callgrind: one block (or one
# folder refresh, or one instance) in a loop, divided by the number of calls, for the audio
# road, the AAX pair, the refreshes and the instances; and the bulk pairs' timed parts, every
# thread's instructions (the browser's workers too) per preset, at 10,000 and 100,000
# (GRINDEL_BULK_SIZES); GRINDEL_BULK_ONLY=1 counts only those. A loaded machine cannot change these
# figures, unlike the times. Valgrind keeps no denormal flags; the plug-in sees that and runs
# its blocks as on a host thread that flushes denormals (as most do), so the count is of that
# path. Callgrind counts user space only: a preset folder's raw read spends most of its time
# in the system (opening and reading files), which no count here sees, so the content rows
# give both sides' user-space counts and no verdict; the times decide those goals.
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
)

# The content figures, per preset, counted in user space only (see above): "user" marks them.
# Their time goals are in the content table at the end of a time run.
for n in 10000 50000; do
    for d in 0 1; do
        tags=$([ $d = 0 ] && echo "shared" || echo "distinct")
        for kind in "unchanged|folderRefresh" "cold|folderRefreshCold" "first|folderFirstListing"; do
            IFS='|' read -r name case <<<"$kind"
            figures+=("refresh $name, $((n / 1000))k $tags, per preset|-|user|ContentBenchmark|rawRead/presets:$n/distinct:$d/min_time:1.000|$case/presets:$n/distinct:$d/min_time:1.000|$n")
        done
    done
done
for n in 10000 50000; do
    figures+=("first instance, $((n / 1000))k, per preset|-|user|InstanceBenchmark|rawRead/presets:$n/min_time:1.000|firstInstance/presets:$n/min_time:1.000|$n")
    figures+=("later instance, $((n / 1000))k, whole|-|user|InstanceBenchmark||laterInstance/presets:$n/min_time:1.000|1")
done

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
        [ "$goal" = "-" ] && continue
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
    cmake --build "$build" -j "${GRINDEL_JOBS:-$(nproc)}" --target ProcessingBenchmark SkinBenchmark EditorBenchmark AAXBundleBenchmark ContentBenchmark BrowserBenchmark ResultsBenchmark PresetTransferBenchmark InstanceBenchmark BulkOperationBenchmark BulkTurnBenchmark
    # The content benchmarks' preset folders, written once for the run.
    export GRINDEL_BENCH_FOLDERS="$out/folders"
    kept() { "$build/bin/$1" --benchmark_out="$out/$1.csv" --benchmark_out_format=csv "${@:2}"; }
    echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
    kept ProcessingBenchmark "$@"           # the audio road against a plain copy
    "$build/bin/SkinBenchmark" "$@"
    kept EditorBenchmark "$@"               # the editor's first show against its widget tree alone; a second editor against the first
    kept AAXBundleBenchmark "$@"            # the product's bundle against the anchor bundle
    "$build/bin/ResultsBenchmark" "$@"     # the browser's result list: sorting and painting
    "$build/bin/BrowserBenchmark" "$@"     # filtering 10,000 presets against a plain sort; opening the browser
    kept ContentBenchmark "$@"              # preset folder refresh, unchanged, cold and first, against the raw read
    kept InstanceBenchmark "$@"             # the first instance with 10,000 or 50,000 user presets against the raw read; one more while another lives
    "$build/bin/BulkOperationBenchmark" "$@"   # the browser's import, tag click, delete and export over 10,000-100,000 presets
    # The longest message-loop turn of the same operations, the browser on an X display (Xvfb when there is none).
    if [ -n "${DISPLAY:-}" ]; then
        "$build/bin/BulkTurnBenchmark" "$@"
    else
        xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bin/BulkTurnBenchmark" "$@"
    fi
    "$build/bin/PresetTransferBenchmark" "$@"   # export against JUCE's ZIP builder; import against writing each entry once; large archives
    echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
    timeFigures

    # Each figure: label | goal | benchmark program | baseline case (none: the goal is the
    # figure itself, in the column's unit) | our case | column (CPU time unless a counter).
    rows=()
    for n in 10000 50000; do
        for d in 0 1; do
            tags=$([ $d = 0 ] && echo "shared" || echo "distinct")
            for kind in "unchanged|0.5|folderRefresh" "cold|1.5|folderRefreshCold" "first|1.5|folderFirstListing"; do
                IFS='|' read -r name goal case <<<"$kind"
                rows+=("refresh $name, $((n / 1000))k $tags tags|$goal|ContentBenchmark|rawRead/presets:$n/distinct:$d/min_time:1.000|$case/presets:$n/distinct:$d/min_time:1.000|cpu_time")
            done
        done
    done
    for n in 10000 50000; do
        rows+=("first instance, $((n / 1000))k presets|1.5|InstanceBenchmark|rawRead/presets:$n/min_time:1.000|firstInstance/presets:$n/min_time:1.000|cpu_time")
        rows+=("later instance, $((n / 1000))k presets (ms)|5|InstanceBenchmark||laterInstance/presets:$n/min_time:1.000|cpu_time")
    done
    rows+=("first editor against its widget tree|1.3|EditorBenchmark|widgetTreeAlone|editorFirstShow|cpu_time")
    rows+=("second editor against the first|0.5|EditorBenchmark|editorFirstShow|editorSecondShow|cpu_time")
    rows+=("second editor, memory added (MB)|15|EditorBenchmark||editorSecondShow|MB")
    rows+=("first editor, memory added (MB)|-|EditorBenchmark||editorFirstShow|MB")

    # A case's value in a column: its median when repetitions ran, else its one run; and the
    # spread of its repetitions (coefficient of variation) when there are several.
    value() {
        awk -F, -v c="\"$2\"" -v col="$3" -v want="$4" '
            /^name,/ { for (i = 1; i <= NF; i++) { h = $i; gsub (/"/, "", h); idx[h] = i }; next }
            !(col in idx) { next }
            $1 == c { v = $idx[col] + 0; n++; sum += v; sq += v * v; if (plain == "") plain = $idx[col] }
            $1 == substr (c, 1, length (c) - 1) "_median\"" { median = $idx[col] }
            END {
                if (want == "cv") { if (n < 2 || sum == 0) print "-"; else { m = sum / n; var = (sq - n * m * m) / (n - 1); sd = var > 0 ? sqrt (var) : 0; printf "%.0f %%\n", 100 * sd / m } }
                else print (median != "" ? median : plain)
            }' "$out/$1.csv"
    }

    echo
    printf '%-44s %10s %10s %8s %6s %8s\n' "figure (CPU time, ms)" "baseline" "ours" "ratio" "goal" "spread"
    for f in "${rows[@]}"; do
        IFS='|' read -r label goal program base ours column <<<"$f"
        [ -f "$out/$program.csv" ] || continue
        o=$(value "$program" "$ours" "$column" value)
        [ -n "$o" ] || continue
        b=$([ -n "$base" ] && value "$program" "$base" "$column" value || echo "")
        cv=$(value "$program" "$ours" "$column" cv)
        awk -v l="$label" -v b="$b" -v o="$o" -v g="$goal" -v cv="$cv" 'BEGIN {
            r = (b == "" ? o : o / b)
            verdict = (g == "-" ? "" : (r <= g ? "met" : "missed"))
            printf "%-44s %10s %10.3f %8s %6s %8s %s\n", l, (b == "" ? "-" : sprintf ("%.3f", b)), o, (b == "" ? "-" : sprintf ("%.2fx", r)), g, cv, verdict
        }'
    done
    exit 0
fi

cmake --build "$build" -j "${GRINDEL_JOBS:-$(nproc)}" --target ProcessingBenchmark AAXBundleBenchmark ContentBenchmark InstanceBenchmark BulkOperationBenchmark

# The bulk pairs: the benchmark zeroes callgrind's counts as its timed part begins and dumps them
# as it ends (every thread's), so the dump holds that part alone.
bulkCount() {
    local case=$1 file
    file="$out/bulk-$(echo "$case" | tr '/:.' '___').cg"
    valgrind --tool=callgrind --callgrind-out-file="$file" --dump-instr=no --dump-line=no \
        "$build/bin/BulkOperationBenchmark" --benchmark_filter="^$case\$" >/dev/null 2>"$file.log" \
        || { echo "callgrind failed on $case:" >&2; tail "$file.log" >&2; return 1; }
}
bulkPerPreset() {
    local file
    file="$out/bulk-$(echo "$1" | tr '/:.' '___').cg"
    # The first dump is the timed part's (the file without a number is the rest, at exit).
    awk -v n="$2" '/^(summary|totals):/ { printf "%.0f\n", $2 / n; exit }' "$file.1"
}
# label | baseline | ours, "@" standing for the size.
bulkPairs=("import|importJobAlone/@|importThroughBrowser/@" "tag click|rewriteWithAtomicFile/@|tagClickThroughBrowser/@"
    "delete|deleteInAPlainLoop/@/order:0|deleteThroughBrowser/@" "export|exportInAPlainLoop/@|exportThroughBrowser/@")
bulkSizes=${GRINDEL_BULK_SIZES:-10000 100000}
{
    for n in $bulkSizes; do
        for p in "${bulkPairs[@]}"; do
            IFS='|' read -r _ base ours <<<"$p"
            printf '%s/iterations:1/real_time\n' "${base/@/$n}" "${ours/@/$n}"
        done
    done
} | {
    pids=()
    while read -r case; do
        bulkCount "$case" &
        pids+=($!)
        if [ ${#pids[@]} -ge 3 ]; then wait "${pids[0]}"; pids=("${pids[@]:1}"); fi
    done
    for p in "${pids[@]}"; do wait "$p"; done
}
printf '%-44s %12s %12s %8s\n' "bulk pair (instructions per preset, all threads)" "baseline" "ours" "ratio"
for n in $bulkSizes; do
    for p in "${bulkPairs[@]}"; do
        IFS='|' read -r label base ours <<<"$p"
        b=$(bulkPerPreset "${base/@/$n}/iterations:1/real_time" "$n")
        o=$(bulkPerPreset "${ours/@/$n}/iterations:1/real_time" "$n")
        awk -v l="$label, $((n / 1000))k" -v b="$b" -v o="$o" 'BEGIN { printf "%-44s %12.0f %12.0f %7.2fx\n", l, b, o, o / b }'
    done
done
[ "${GRINDEL_BULK_ONLY:-0}" = 1 ] && exit 0

# The preset folders are written once, natively, before the runs under callgrind use them.
export GRINDEL_BENCH_FOLDERS="$out/folders"
"$build/bin/ContentBenchmark" --benchmark_filter='^rawRead|^folderRefreshCold' --benchmark_min_time=0.01 >/dev/null
"$build/bin/InstanceBenchmark" --benchmark_filter='^rawRead' --benchmark_min_time=0.01 >/dev/null

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
    [ -n "$base" ] && printf '%s %s\n' "$program" "$base"
    printf '%s %s\n' "$program" "$ours"
done | sort -u | {
    pids=()
    while read -r program case; do
        count "$program" "$case" &
        pids+=($!)
        if [ ${#pids[@]} -ge 4 ]; then wait "${pids[0]}"; pids=("${pids[@]:1}"); fi
    done
    for p in "${pids[@]}"; do wait "$p"; done
}

printf '%-44s %12s %12s %8s %6s\n' "figure (instructions per block or preset)" "baseline" "ours" "ratio" "goal"
for f in "${figures[@]}"; do
    IFS='|' read -r label _ goal program base ours unit <<<"$f"
    b=$([ -n "$base" ] && perStep "$program" "$base" || echo "")
    o=$(perStep "$program" "$ours")
    awk -v l="$label" -v b="$b" -v o="$o" -v u="$unit" -v g="$goal" 'BEGIN {
        if (b == "") { printf "%-44s %12s %12.0f %8s %6s user space\n", l, "-", o / u, "-", "-"; exit }
        r = o / b
        if (g == "user") printf "%-44s %12.1f %12.1f %7.2fx %6s user space; the times decide\n", l, b / u, o / u, r, "-"
        else if (g == "-") printf "%-44s %12.1f %12.1f %7.2fx %6s (no goal in instructions)\n", l, b / u, o / u, r, "-"
        else printf "%-44s %12.1f %12.1f %7.2fx %5sx %s\n", l, b / u, o / u, r, g, (r <= g ? "met" : "missed")
    }'
done
