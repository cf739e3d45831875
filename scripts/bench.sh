#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them: the plug-in's block processing against a
# plain copy of the same buffers.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

build=build-bench
export CCACHE_SLOPPINESS=time_macros
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DGRINDEL_TESTS=OFF -DGRINDEL_BENCHMARKS=ON
cmake --build "$build" -j "$(nproc)" --target ProcessingBenchmark

export GRINDEL_DATA_ROOT=$PWD/$build/data
exec "$build/bin/ProcessingBenchmark" "$@"
