#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing.
set -e
packages=(
  cmake ninja-build make g++ ccache python3 python3-pil fonts-dejavu-core fonts-dejavu-extra
  fonts-ipafont-gothic locales
  googletest nlohmann-json3-dev clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  wine wine64 xvfb xauth x11-utils xdotool imagemagick
  nsis zip unzip
)
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
# Wine takes its system locale from the Unix one: the Japanese language module
# is tried and looked at under ja_JP.UTF-8 (with the IPA font for its glyphs).
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
