#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing.
set -e
packages=(
  cmake ninja-build make g++ ccache python3 python3-pil fonts-dejavu-core fonts-dejavu-extra
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
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
