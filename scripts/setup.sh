#!/usr/bin/env bash
# Installs every build and test dependency from Debian's packages (Debian 12).
set -euo pipefail

packages=(build-essential cmake ninja-build pkg-config ccache
          juce-modules-source libfreetype-dev libx11-dev libxext-dev libxinerama-dev libxrandr-dev libxcursor-dev
          libasound2-dev libgl-dev libcurl4-openssl-dev
          zlib1g-dev libpng-dev libjpeg-dev libflac-dev libvorbis-dev libogg-dev
          libgtest-dev libgmock-dev googletest libbenchmark-dev
          xvfb xauth x11-utils fonts-dejavu-extra
          clang libclang-rt-14-dev clang-format-14
          zip unzip p7zip-full libarchive-tools)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
