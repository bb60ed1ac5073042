#!/usr/bin/env bash
# Installs, as root on Debian 12, everything the build, the tests and the Windows cross build need.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config clang libclang-rt-14-dev
  googletest libgtest-dev libbenchmark-dev
  libopenimageio-dev openimageio-tools libopencv-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth
  locales time zlib1g-dev
  libcairo2-dev fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: missing packages (${missing[*]}); run as root to install them" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# A locale with a decimal comma, for the settings-file round trip test (skipped without it), and
# a Japanese one, under which wine's ANSI code page is 932 (the Windows menu and prompt tests).
for loc in de_DE ja_JP; do
  if ! locale -a 2>/dev/null | grep -qix "$loc.utf8"; then
    if [ "$(id -u)" -eq 0 ]; then
      localedef -i "$loc" -f UTF-8 "$loc.UTF-8"
    else
      echo "install-deps: locale $loc.UTF-8 missing; run as root to generate it" >&2
    fi
  fi
done
