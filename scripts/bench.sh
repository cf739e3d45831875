#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them: the plug-in's block processing against a
# plain copy of the same buffers, then refreshing folders of 10,000 and 50,000 presets (shared
# tags, or one distinct tag each) against reading the same files' bytes, each into a fresh
# buffer, and the browser's result list (sorting against a plain sort, painting 10,000 items
# against 100). Arguments go to every benchmark (e.g. --benchmark_repetitions=5).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

build=build-bench
export CCACHE_SLOPPINESS=time_macros
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DGRINDEL_TESTS=OFF -DGRINDEL_BENCHMARKS=ON
cmake --build "$build" -j "$(nproc)" --target ProcessingBenchmark SkinBenchmark EditorBenchmark AAXBundleBenchmark ContentBenchmark BrowserBenchmark ResultsBenchmark

export GRINDEL_DATA_ROOT=$PWD/$build/data
"$build/bin/ProcessingBenchmark" "$@"
"$build/bin/SkinBenchmark" "$@"
"$build/bin/EditorBenchmark" "$@"    # the editor's first show against its widget tree alone
"$build/bin/AAXBundleBenchmark" "$@"   # the AAX path against the direct one
"$build/bin/ResultsBenchmark" "$@"     # the browser's result list: sorting and painting
"$build/bin/BrowserBenchmark" "$@"     # filtering 10,000 presets against a plain sort; opening the browser
exec "$build/bin/ContentBenchmark" "$@"
