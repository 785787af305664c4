#!/bin/sh
# libjpeg-turbo for the Windows programs, from Debian's source package.
#
#   tools/libjpeg.sh fetch
#       unpacks Debian's source package (apt-get source, with the deb-src
#       lists tools/setup-deps.sh enables) into build/deps/src, once;
#   tools/libjpeg.sh build <target> <prefix>
#       builds the static library for a Windows target (i686-w64-mingw32,
#       x86_64-w64-mingw32: the project's toolchain files) or, as target
#       "native-fuzz", natively with clang instrumented for libFuzzer and
#       AddressSanitizer (the fuzzers), and installs libjpeg.a and its four
#       headers under
#       <prefix> (lib/, include/), once: a finished prefix carries a stamp
#       naming the source it was built from, and a later call with the same
#       source returns at once. The CMake build calls this when the library is
#       missing, so only the programs that link it wait for it.
#
# Only the library is built (no tools, no TurboJPEG API); SIMD code is
# assembled with nasm when it is there.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
src_root=${KORVEX_DEPS_DIR:-$root/build/deps}/src

source_dir() {
  for d in "$src_root"/libjpeg-turbo-*/; do
    [ -f "$d/CMakeLists.txt" ] && { echo "${d%/}"; return 0; }
  done
  return 1
}

fetch() {
  source_dir >/dev/null && return 0
  mkdir -p "$src_root"
  if ! apt-get source --help >/dev/null 2>&1 || ! command -v dpkg-source >/dev/null; then
    echo "libjpeg: apt-get source needs dpkg-dev; run tools/setup-deps.sh as root" >&2
    exit 1
  fi
  echo "libjpeg: fetching Debian's source package of libjpeg-turbo"
  # apt-get source drops privileges to _apt for the download when it can.
  chmod 0777 "$src_root" 2>/dev/null || true
  if ! (cd "$src_root" && apt-get source -q libjpeg-turbo >fetch.log 2>&1); then
    cat "$src_root/fetch.log" >&2
    echo "libjpeg: apt-get source failed; are the deb-src lists enabled (tools/setup-deps.sh as root)?" >&2
    exit 1
  fi
  source_dir >/dev/null || { echo "libjpeg: no source tree after apt-get source" >&2; exit 1; }
}

build() {
  triplet=$1
  prefix=$2
  fetch
  src=$(source_dir)
  stamp="$prefix/built-from"
  if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$(basename "$src")" ] && [ -f "$prefix/lib/libjpeg.a" ]; then
    touch "$prefix/lib/libjpeg.a"
    return 0
  fi
  simd=ON
  command -v nasm >/dev/null || command -v yasm >/dev/null || simd=OFF
  cflags="-ffunction-sections -fdata-sections"
  case $triplet in
    i686-w64-mingw32 | x86_64-w64-mingw32)
      set -- -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$triplet.cmake" ;;
    native-fuzz)
      # Plain C, so that the sanitizer sees every access.
      simd=OFF
      cflags="-fsanitize=fuzzer-no-link,address -fno-omit-frame-pointer -g"
      set -- -DCMAKE_C_COMPILER=clang ;;
    *) echo "libjpeg: unknown target $triplet" >&2; exit 1 ;;
  esac
  work="$prefix/build"
  rm -rf "$work" "$stamp"
  mkdir -p "$prefix"
  echo "libjpeg: building $(basename "$src") for $triplet (SIMD $simd)"
  cmake -S "$src" -B "$work" -G Ninja -Wno-dev \
    "$@" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF \
    -DWITH_SIMD=$simd -DREQUIRE_SIMD=$simd \
    -DCMAKE_C_FLAGS="$cflags" >"$prefix.log" 2>&1 ||
    { cat "$prefix.log" >&2; exit 1; }
  cmake --build "$work" --target jpeg-static -j 2 >>"$prefix.log" 2>&1 || { cat "$prefix.log" >&2; exit 1; }
  mkdir -p "$prefix/lib" "$prefix/include"
  cp "$work/libjpeg.a" "$prefix/lib/libjpeg.a"
  cp "$work/jconfig.h" "$src/jpeglib.h" "$src/jmorecfg.h" "$src/jerror.h" "$prefix/include/"
  rm -rf "$work"
  basename "$src" >"$stamp"
}

case ${1:-} in
  fetch) fetch ;;
  build) [ $# -eq 3 ] || { echo "usage: $0 build <triplet> <prefix>" >&2; exit 2; }; build "$2" "$3" ;;
  *) echo "usage: $0 fetch | build <triplet> <prefix>" >&2; exit 2 ;;
esac
