#!/bin/sh
# Boots the test guest of CACHE_DIR (see build-guest.sh):
#   boot.sh CACHE_DIR --prepare          the first boot, writing the image: makes the Wine prefix
#   boot.sh CACHE_DIR JOB_DIR            runs JOB_DIR/run.sh, with JOB_DIR shared read-write at
#                                        /job; the image is not changed (snapshot mode)
# The guest's console goes to standard output. Software emulation (no
# hardware virtualisation here) of a CPU that allows 32-bit programs; SMAP is
# off because the guest kernel otherwise kills Wine at its 32-bit return to
# user mode. The run is ended after KORVEX_GUEST_TIMEOUT seconds (3000).
set -eu
cache=$1; shift
cpus=${KORVEX_GUEST_CPUS:-2}
mode=run
job=
if [ "${1:-}" = "--prepare" ]; then mode=prepare; else job=$1; fi
set -- -accel tcg,thread=multi -cpu max,-smap -smp "$cpus" -m 2048 \
  -kernel "$cache/vmlinuz" -initrd "$cache/initrd.img" \
  -display none -vga none -nic none -serial stdio -monitor none -no-reboot
if [ $mode = prepare ]; then
  exec timeout -k 10 1200 qemu-system-x86_64 "$@" \
    -drive file="$cache/root.raw",format=raw,if=virtio \
    -append 'console=ttyS0 quiet root=/dev/vda rw rootfstype=ext4 init=/sbin/korvex-init korvex.prepare' </dev/null
fi
exec timeout -k 10 "${KORVEX_GUEST_TIMEOUT:-3000}" qemu-system-x86_64 "$@" \
  -drive file="$cache/root.raw",format=raw,if=virtio,snapshot=on \
  -virtfs local,path="$job",mount_tag=job,security_model=none \
  -append 'console=ttyS0 quiet root=/dev/vda rw rootfstype=ext4 init=/sbin/korvex-init' </dev/null
