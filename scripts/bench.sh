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
cmake --build "$build" -j "$(nproc)" --target ProcessingBenchmark SkinBenchmark EditorBenchmark AAXBundleBenchmark ContentBenchmark BrowserBenchmark ResultsBenchmark PresetTransferBenchmark BulkOperationBenchmark

export GRINDEL_DATA_ROOT=$PWD/$build/data
"$build/bin/ProcessingBenchmark" "$@"
"$build/bin/SkinBenchmark" "$@"
"$build/bin/EditorBenchmark" "$@"    # the editor's first show against its widget tree alone
"$build/bin/AAXBundleBenchmark" "$@"   # the product's bundle against the anchor bundle
"$build/bin/ResultsBenchmark" "$@"     # the browser's result list: sorting and painting
"$build/bin/BrowserBenchmark" "$@"     # filtering 10,000 presets against a plain sort; opening the browser
"$build/bin/ContentBenchmark" "$@"
"$build/bin/BulkOperationBenchmark" "$@"   # the browser's import, tag click and delete over 10,000-100,000 presets
exec "$build/bin/PresetTransferBenchmark" "$@"   # export and ZIP import against JUCE's ZIP alone
