#!/bin/sh
# The installation CD's image against the medium it was made from:
#   check-iso.sh IMAGE MEDIUM WORK
# - the primary volume's label is KORVEX7 and the image carries a Joliet
#   volume (the supplementary descriptor with a UCS-2 escape sequence);
# - the Rock Ridge tree and the Joliet tree each list exactly the medium's
#   files, by their full names;
# - every file read back from the image (its Rock Ridge tree, and the Joliet
#   tree Windows reads) equals the medium's byte for byte.
# WORK is emptied and used for the extracted trees.
set -eu
image=$1 medium=$2 work=$3
fail() { echo "check-iso: $*" >&2; exit 1; }

[ -f "$image" ] || fail "no image $image"
xorriso -indev "$image" -pvd_info 2>/dev/null | grep -qx 'Volume Id    : KORVEX7' || fail "the volume label is not KORVEX7"

joliet=no
for sector in 17 18 19 20 21; do
  descriptor=$(dd if="$image" bs=2048 skip=$sector count=1 2>/dev/null | od -An -tx1 -N91 | tr -d ' \n')
  case $descriptor in
    ff*) break ;;  # the set terminator
    02434430303101*) case $descriptor in *252f40 | *252f43 | *252f45) joliet=yes ;; esac ;;
  esac
done
[ $joliet = yes ] || fail "no Joliet volume descriptor"

rm -rf "$work"
mkdir -p "$work"
(cd "$medium" && find . -type f | sed 's|^\.||' | LC_ALL=C sort) > "$work/expected"
for tree in rockridge joliet; do
  if [ $tree = joliet ]; then read_fs=norock; else read_fs=any; fi
  xorriso -read_fs $read_fs -indev "$image" -find / -type f 2>/dev/null | sed "s|^'\(.*\)'$|\1|" | LC_ALL=C sort \
    > "$work/$tree.list"
  diff -u "$work/expected" "$work/$tree.list" >&2 || fail "the $tree tree does not list the medium's files"

  xorriso -read_fs $read_fs -osirrox on -indev "$image" -extract / "$work/$tree" >/dev/null 2>&1 ||
    fail "the $tree tree cannot be extracted"
  chmod -R u+w "$work/$tree"
  while IFS= read -r file; do
    cmp -s "$medium$file" "$work/$tree$file" || fail "$file differs in the $tree tree"
  done < "$work/expected"
done
echo "check-iso: $(wc -l < "$work/expected") files, label KORVEX7, Joliet and Rock Ridge trees equal to the medium"
