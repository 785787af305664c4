#!/bin/sh
# Runs the CD-ROM test program against the installation CD's image:
#   cdrom-e2e.sh IMAGE BUILD_WINE_CONFIG TEST_PROGRAM
# The image is extracted into a folder (read-only files, as on the CD) that a
# Wine prefix of this test's own (beside the build's Wine folder, whose
# config.sh BUILD_WINE_CONFIG is, with the same loader)
# sees as drive K: of type CD-ROM: a dosdevices link to the folder and the
# drive's type in the registry (HKLM\Software\Wine\Drives), both in place
# before the prefix's mount manager starts. The prefix is made once (a copy of
# BUILD_WINE_DIR's when that one exists) and kept.
set -eu
image=$1 base_wine=$(cd "$(dirname "$2")" && pwd) program=$3
tools=$(cd "$(dirname "$0")/../../tools" && pwd)
work=$(dirname "$base_wine")/cdrom
wine_dir=$work/wine
extracted=$work/image

mkdir -p "$wine_dir"
cp "$base_wine/config.sh" "$wine_dir/config.sh"
if [ -d "$extracted" ]; then chmod -R u+w "$extracted"; rm -rf "$extracted"; fi
xorriso -osirrox on -indev "$image" -extract / "$extracted" >/dev/null 2>&1

if [ ! -f "$wine_dir/drive-type-set" ]; then
  # A copy of the build's prefix, where there is one, is ready at once; a new
  # one takes many times longer (minutes in the emulated 32-bit run).
  if [ ! -f "$wine_dir/prefix/system.reg" ] && [ -f "$base_wine/prefix/system.reg" ]; then
    rm -rf "$wine_dir/prefix"
    cp -a "$base_wine/prefix" "$wine_dir/prefix"
  fi
  "$tools/wine-env.sh" start "$wine_dir" >/dev/null
  "$tools/wine-run.sh" --wine-dir "$wine_dir" reg add 'HKLM\Software\Wine\Drives' /v k: /d cdrom /f >/dev/null
  "$tools/wine-env.sh" stop "$wine_dir"
  touch "$wine_dir/drive-type-set"
fi
ln -sfn "$extracted" "$wine_dir/prefix/dosdevices/k:"

"$tools/wine-env.sh" start "$wine_dir" >/dev/null
trap '"$tools/wine-env.sh" stop "$wine_dir"' EXIT
KORVEX_CDROM=K: "$tools/wine-run.sh" --wine-dir "$wine_dir" "$program"
