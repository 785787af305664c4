#!/bin/sh
# Succeeds when this machine can run 32-bit Windows programs under Wine. Some
# virtual machines run 64-bit user code only (the kernel refuses 32-bit
# programs, Wine's 32-bit loader among them); there the tests use the 64-bit
# Windows build of the same sources instead.
/usr/lib/wine/wine --version >/dev/null 2>&1
