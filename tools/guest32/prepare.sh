#!/bin/sh
# Makes the guest's Wine prefix (/korvex/wine/prefix, WINEARCH=win32) on its
# first boot, with the settings every test run needs, so that each later boot
# of the read-only image starts Wine at once.
set -u
dir=/korvex/wine
mkdir -p "$dir/home/Desktop"
printf 'KORVEX_WINE_LOADER=/usr/lib/wine/wine\nKORVEX_WINE_ARCH=win32\n' > "$dir/config.sh"
export WINEPREFIX="$dir/prefix" HOME="$dir/home" WINEARCH=win32 WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d" LC_ALL=hu_HU.UTF-8
Xvfb :0 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
export DISPLAY=:0
started=$(date +%s)
/usr/lib/wine/wine wineboot --init
# Unmanaged windows: without a window manager, Wine otherwise waits for one
# at every hide.
/usr/lib/wine/wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
/usr/lib/wine/wineserver -w
sync
if [ -f "$WINEPREFIX/system.reg" ]; then
  echo "korvex-prepare: done in $(( $(date +%s) - started )) s"
else
  echo "korvex-prepare: wineboot made no prefix"
fi
