#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them, each against a baseline in the same run
# (README lists them with their goals). Arguments go to every benchmark (e.g.
# --benchmark_repetitions=5 or --benchmark_filter=...).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

build=build-bench
export CCACHE_SLOPPINESS=time_macros
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DGRINDEL_TESTS=OFF -DGRINDEL_BENCHMARKS=ON
cmake --build "$build" -j "$(nproc)" --target ProcessingBenchmark SkinBenchmark EditorBenchmark AAXBundleBenchmark ContentBenchmark BrowserBenchmark ResultsBenchmark PresetTransferBenchmark
cmake --build "$build" -j "$(nproc)" --target InstanceBenchmark

export GRINDEL_DATA_ROOT=$PWD/$build/data
"$build/bin/ProcessingBenchmark" "$@"
"$build/bin/SkinBenchmark" "$@"
"$build/bin/EditorBenchmark" "$@"    # the editor's first show against its widget tree alone; a second editor against the first
"$build/bin/AAXBundleBenchmark" "$@"   # the product's bundle against the anchor bundle
"$build/bin/ResultsBenchmark" "$@"     # the browser's result list: sorting and painting
"$build/bin/BrowserBenchmark" "$@"     # filtering 10,000 presets against a plain sort; opening the browser
"$build/bin/ContentBenchmark" "$@"    # preset folder refresh, unchanged and cold, against the raw read
"$build/bin/InstanceBenchmark" "$@"   # the first instance with 10,000 user presets against the raw read; one more while another lives
exec "$build/bin/PresetTransferBenchmark" "$@"   # export and ZIP import against JUCE's ZIP alone
