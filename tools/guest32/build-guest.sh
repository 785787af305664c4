#!/bin/sh
# Builds the 32-bit test guest once, into CACHE_DIR (never inside the sources):
#   build-guest.sh CACHE_DIR
#
# The guest is a trimmed Debian 12 root (debootstrap from the same registry as
# the host) with 32-bit Wine, Xvfb, the fonts the tests measure with, and the
# hu_HU.UTF-8 and en_US.UTF-8 locales; its kernel and a small initrd are kept
# beside the disk image, which already holds a ready WINEARCH=win32 prefix
# (made by booting the guest once). CACHE_DIR/ready names the build of the
# guest (a digest of this folder's guest-side files): a guest whose name
# matches is reused as it is.
#
# Needs root, debootstrap, e2fsprogs (mkfs.ext4 -d) and qemu-system-x86.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
cache=$1
mkdir -p "$cache"
cache=$(cd "$cache" && pwd)
# One build at a time (test-all.sh starts one in the background); a second
# caller waits for it and then finds the guest ready.
exec 9>"$cache/lock"
if ! flock -n 9; then
  echo "guest: waiting for the guest build already running ($cache)"
  flock 9
fi
key=$(cat "$here/build-guest.sh" "$here/guest-init" "$here/prepare.sh" | sha256sum | cut -c1-16)
if [ -f "$cache/ready" ] && [ "$(cat "$cache/ready")" = "$key" ] && [ -f "$cache/root.raw" ]; then
  echo "guest: reusing $cache"
  exit 0
fi

root=$cache/root
log=$cache/build.log
started=$(date +%s)
step() { echo "guest: [$(( $(date +%s) - started ))s] $*"; }

# The chroot's kernel file systems. Never remove the root while one is
# mounted under it.
unmount_all() {
  for m in "$root/sys" "$root/proc"; do
    if mountpoint -q "$m" 2>/dev/null; then umount "$m" || umount -l "$m"; fi
  done
}
remove_root() {
  unmount_all
  if grep -q " $root/" /proc/mounts; then
    echo "guest: something is still mounted under $root; not removing it" >&2
    exit 1
  fi
  rm -rf "$root"
}
trap unmount_all EXIT
rm -f "$cache/ready" "$cache/root.raw"
remove_root
: > "$log"
echo "guest: building the 32-bit test guest in $cache (several minutes; details in $log)"

# The host's own Debian sources, so the guest comes from the same registry.
mirror=http://deb.debian.org/debian
sources=/etc/apt/sources.list.d/debian.sources
if [ -f "$sources" ]; then
  first=$(sed -n 's/^URIs: *\([^ ]*\).*/\1/p' "$sources" | head -n1)
  [ -n "$first" ] && mirror=$first
fi

step "debootstrap (minbase, bookworm) from $mirror"
debootstrap --variant=minbase --include=ca-certificates,locales,kmod,procps \
  bookworm "$root" "$mirror" >>"$log" 2>&1 || { tail -n 20 "$log" >&2; exit 1; }

in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin \
  DEBIAN_FRONTEND=noninteractive LC_ALL=C "$@"; }
mount -t proc proc "$root/proc"
mount -t sysfs sysfs "$root/sys"
printf '#!/bin/sh\nexit 101\n' > "$root/usr/sbin/policy-rc.d"
chmod +x "$root/usr/sbin/policy-rc.d"
[ -f "$sources" ] && { cp "$sources" "$root/etc/apt/sources.list.d/debian.sources"; : > "$root/etc/apt/sources.list"; }
# A trimmed guest: no documentation, manual pages or translations.
cat > "$root/etc/dpkg/dpkg.cfg.d/01-korvex-trim" <<'TRIM'
force-unsafe-io
path-exclude=/usr/share/doc/*
path-exclude=/usr/share/man/*
path-exclude=/usr/share/info/*
path-exclude=/usr/share/locale/*
path-exclude=/usr/share/lintian/*
path-include=/usr/share/locale/hu/*
TRIM
rm -rf "$root/usr/share/doc" "$root/usr/share/man" "$root/usr/share/info"
printf 'APT::Install-Recommends "false";\nAPT::Install-Suggests "false";\n' > "$root/etc/apt/apt.conf.d/01-korvex"

step "packages: Wine (32-bit), Xvfb, fonts, kernel"
in_root dpkg --add-architecture i386
in_root apt-get update -q >>"$log" 2>&1
in_root apt-get install -y -q initramfs-tools >>"$log" 2>&1 || { tail -n 20 "$log" >&2; exit 1; }
# A small initrd: only what finds the virtio disk and mounts it.
printf 'virtio_pci\nvirtio_blk\next4\n' > "$root/etc/initramfs-tools/modules"
printf 'MODULES=list\nCOMPRESS=gzip\n' > "$root/etc/initramfs-tools/conf.d/korvex"
in_root apt-get install -y -q linux-image-amd64 wine32:i386 xvfb xauth fonts-wine fonts-liberation \
  xdotool xorriso >>"$log" 2>&1 || { tail -n 20 "$log" >&2; exit 1; }

step "locales"
sed -i -e 's/^# *hu_HU.UTF-8 UTF-8/hu_HU.UTF-8 UTF-8/' -e 's/^# *en_US.UTF-8 UTF-8/en_US.UTF-8 UTF-8/' \
  "$root/etc/locale.gen"
in_root locale-gen >>"$log" 2>&1

step "trimming"
in_root apt-get clean
rm -rf "$root/var/lib/apt/lists/"* "$root/var/cache/debconf/"*-old "$root/usr/share/i18n/charmaps" \
  "$root/usr/share/locale/"[!h]* "$root/var/log/"*
unmount_all
cp "$root"/boot/vmlinuz-* "$cache/vmlinuz"
cp "$root"/boot/initrd.img-* "$cache/initrd.img"
rm -f "$root"/boot/initrd.img-*

# The guest's own start: mounts, the job share, then the job.
install -m 755 "$here/guest-init" "$root/sbin/korvex-init"
install -m 755 "$here/prepare.sh" "$root/korvex-prepare.sh"
echo korvex-guest > "$root/etc/hostname"

step "disk image"
mkfs.ext4 -q -F -L korvex -d "$root" "$cache/root.raw" 4G >>"$log" 2>&1
remove_root

step "first boot: the Wine prefix"
"$here/boot.sh" "$cache" --prepare >"$cache/prepare.log" 2>&1 || true
if ! grep -q 'korvex-prepare: done' "$cache/prepare.log"; then
  tail -n 30 "$cache/prepare.log" >&2
  echo "guest: the first boot did not make the Wine prefix (see $cache/prepare.log)" >&2
  exit 1
fi
echo "$key" > "$cache/ready"
step "guest ready: $(du -sh --apparent-size "$cache/root.raw" | cut -f1) image, $(du -sh "$cache/root.raw" | cut -f1) used"
