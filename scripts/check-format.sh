#!/usr/bin/env bash
# Checks every C++ file of the repository against .clang-format; lists the files that differ
# and exits 1. With --fix, rewrites them instead.
set -euo pipefail
cd "$(dirname "$0")/.."

format=$(command -v clang-format-14 || command -v clang-format || true)
if [ -z "$format" ]; then
    echo "check-format: clang-format is not installed (scripts/setup.sh installs it)" >&2
    exit 1
fi

mapfile -t files < <(git ls-files -- '*.h' '*.cpp')

if [ "${1:-}" = "--fix" ]; then
    "$format" -i -- "${files[@]}"
    exit 0
fi

errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
if ! "$format" --dry-run --Werror -- "${files[@]}" 2> "$errors"; then
    echo "check-format: these files differ from .clang-format (scripts/check-format.sh --fix rewrites them):" >&2
    grep -o "^[^:]*:[0-9]*:[0-9]*: error" "$errors" | cut -d: -f1 | sort -u | sed 's/^/  /' >&2
    exit 1
fi
echo "check-format: ${#files[@]} files match .clang-format"
