#!/usr/bin/env bash
# scripts/setup.sh on a machine where nothing is installed, run by a user who is not root and
# has no sudo: it names what to install and fails, without trying to install anything.
# Usage: SetupScriptTest.sh <project root>
set -euo pipefail

root=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A PATH of its own: the real tools the script needs, and stand-ins that say nothing is
# installed, the user is not root and no decimal-comma locale exists. No sudo.
mkdir "$work/bin"
for tool in bash env grep cat; do
    ln -s "$(command -v $tool)" "$work/bin/$tool"
done
printf '#!/bin/sh\nexit 1\n' >"$work/bin/dpkg-query"
printf '#!/bin/sh\n[ "$1" = -u ] && echo 1000 || echo user\n' >"$work/bin/id"
printf '#!/bin/sh\necho C; echo POSIX\n' >"$work/bin/locale"
for tool in apt-get localedef; do
    printf '#!/bin/sh\ntouch "%s/ran-%s"\n' "$work" "$tool" >"$work/bin/$tool"
done
chmod +x "$work/bin/"*

status=0
PATH=$work/bin "$root/scripts/setup.sh" >"$work/out" 2>&1 || status=$?

fail() {
    echo "FAILED: $1"
    cat "$work/out"
    exit 1
}

[ $status -eq 1 ] || fail "exit code $status, not 1"
grep -q "needs root, and sudo is not installed" "$work/out" || fail "no reason given"
grep -q "apt-get install .*cmake.*juce-modules-source.*locales" "$work/out" || fail "the packages are not named"
grep -q "localedef -i de_DE -f UTF-8 de_DE.UTF-8" "$work/out" || fail "the locale is not named"
if [ -e "$work/ran-apt-get" ] || [ -e "$work/ran-localedef" ]; then fail "it tried to install"; fi
echo "ok"
