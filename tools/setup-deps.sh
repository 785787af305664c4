#!/bin/sh
# Installs what the build and the tests need on a Debian 12 machine (as root).
# Quick when everything is there already.
#   setup-deps.sh            everything: the tests, benchmarks and fuzzers too,
#                            and the 32-bit test guest (tools/test-32bit.sh:
#                            qemu-system-x86, debootstrap, e2fsprogs, python3)
#   setup-deps.sh launcher   only what building and running the 32-bit
#                            launcher and its demo medium needs
#   setup-deps.sh launcher64 the same for the 64-bit build
set -eu

launcher="cmake ninja-build g++-mingw-w64-i686 wine wine64 wine32:i386
  xvfb xdotool imagemagick fonts-liberation fonts-wine locales x11-utils"
case "${1:-all}" in
  launcher) packages="$launcher" ;;
  launcher64) packages="$launcher g++-mingw-w64-x86-64" ;;
  all) packages="$launcher g++-mingw-w64-x86-64 g++ clang libclang-rt-14-dev googletest libbenchmark-dev
    dpkg-dev nasm libjpeg62-turbo-dev xorriso qemu-system-x86 debootstrap e2fsprogs python3" ;;
  *) echo "usage: setup-deps.sh [all|launcher|launcher64]" >&2; exit 2 ;;
esac

missing=""
for p in $packages; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done

if [ -n "$missing" ]; then
  if [ "$(id -u)" != 0 ]; then
    echo "setup-deps: missing packages:$missing; run this script as root" >&2
    exit 1
  fi
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  apt-get update -q
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
fi

# Wine takes its ANSI code page from the locale, and decodes Unix file names by
# it: the Hungarian locale must exist or files such as "Súgó.lnk" cannot be made.
if ! locale -a 2>/dev/null | grep -qi '^hu_HU.utf8$' || ! locale -a 2>/dev/null | grep -qi '^en_US.utf8$'; then
  if [ "$(id -u)" != 0 ]; then
    echo "setup-deps: the hu_HU.UTF-8 and en_US.UTF-8 locales are missing; run as root" >&2
    exit 1
  fi
  sed -i -e 's/^# *hu_HU.UTF-8 UTF-8/hu_HU.UTF-8 UTF-8/' -e 's/^# *en_US.UTF-8 UTF-8/en_US.UTF-8 UTF-8/' /etc/locale.gen
  locale-gen >/dev/null
fi

# libjpeg-turbo for the programs that show JPEG pictures (not the launcher)
# is built from Debian's source package (tools/libjpeg.sh): apt-get source
# needs the deb-src lists, which a stock installation leaves out. They are
# enabled for the same archives as the binary lists.
[ "${1:-all}" = all ] || exit 0
if ! grep -qs '^Types:.*deb-src' /etc/apt/sources.list.d/*.sources &&
   ! grep -qs '^deb-src ' /etc/apt/sources.list /etc/apt/sources.list.d/*.list; then
  if [ "$(id -u)" != 0 ]; then
    echo "setup-deps: the deb-src lists are not enabled; run as root" >&2
    exit 1
  fi
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed -e 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
      > /etc/apt/sources.list.d/korvex-deb-src.sources
  else
    sed -n 's/^deb \(.*debian.*\)/deb-src \1/p' /etc/apt/sources.list > /etc/apt/sources.list.d/korvex-deb-src.list
  fi
  apt-get update -q
fi
"$(dirname "$0")/libjpeg.sh" fetch
