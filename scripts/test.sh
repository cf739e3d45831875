#!/usr/bin/env bash
# Sets up the machine, checks the format, builds everything with AddressSanitizer and UBSan
# (our own code's warnings are errors) and runs every test; then builds the test programs that
# run threads with ThreadSanitizer (a build folder of its own) and runs them, the thread stress
# test among them for about 20 seconds.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
scripts/check-format.sh

build=${GRINDEL_TEST_BUILD_DIR:-build-test}
jobs=${GRINDEL_JOBS:-$(nproc)}
export CCACHE_SLOPPINESS=time_macros
export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/ccache}
# Paths relative to the checkout, so clones and worktrees share one cache.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DGRINDEL_SANITIZE=ON -DGRINDEL_TESTS=ON -DGRINDEL_WERROR=ON
cmake --build "$build" -j "$jobs"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

# GUI tests need an X server; a private one, so nothing depends on the session's display.
xvfb-run -a -s "-screen 0 1280x1024x24" \
    ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout 300

# ThreadSanitizer: every report fails its test; only named JUCE entries are suppressed.
tsan_build=${GRINDEL_TSAN_BUILD_DIR:-build-tsan}
cmake -S . -B "$tsan_build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DGRINDEL_TSAN=ON -DGRINDEL_TESTS=ON -DGRINDEL_WERROR=ON
cmake --build "$tsan_build" -j "$jobs"

export TSAN_OPTIONS=${TSAN_OPTIONS:-halt_on_error=1:second_deadlock_stack=1:suppressions=$PWD/tests/tsan.supp}
export GRINDEL_STRESS_SECONDS=${GRINDEL_STRESS_SECONDS:-20}
xvfb-run -a -s "-screen 0 1280x1024x24" \
    ctest --test-dir "$tsan_build" --output-on-failure -j "$jobs" --timeout 600
