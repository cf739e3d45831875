#!/usr/bin/env bash
# Installs every build and test dependency from Debian's packages (Debian 12), and a German
# locale for the test that reads numbers under a decimal-comma locale, and openbox, the window
# manager of the editor's keyboard test; with --bench also what
# scripts/bench.sh --instructions needs (valgrind).
set -euo pipefail

packages=(build-essential cmake ninja-build pkg-config ccache
          juce-modules-source libfreetype-dev libx11-dev libxext-dev libxinerama-dev libxrandr-dev libxcursor-dev
          libasound2-dev libgl-dev libcurl4-openssl-dev
          zlib1g-dev libpng-dev libjpeg-dev libflac-dev libvorbis-dev libogg-dev
          libgtest-dev libgmock-dev googletest libbenchmark-dev
          xvfb xauth x11-utils libxtst-dev openbox fonts-dejavu-extra locales
          clang libclang-rt-14-dev clang-format-14
          zip unzip p7zip-full libarchive-tools libxml2-utils)
locale_name=de_DE.UTF-8
[ "${1:-}" = "--bench" ] && packages+=(valgrind)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

have_locale() { locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; }

need_locale=no
have_locale || need_locale=yes

[ ${#missing[@]} -gt 0 ] || [ $need_locale = yes ] || exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null 2>&1; then
        echo "setup: this needs root, and sudo is not installed. As root, run:" >&2
        [ ${#missing[@]} -eq 0 ] || echo "  apt-get install ${missing[*]}" >&2
        [ $need_locale = no ] || echo "  localedef -i de_DE -f UTF-8 $locale_name" >&2
        exit 1
    fi
    sudo="sudo"
fi

if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if ! have_locale; then
    echo "making the locale $locale_name"
    $sudo localedef -i de_DE -f UTF-8 "$locale_name"
fi
