#!/bin/sh
# The library shows the host its C front and nothing else unmangled: every
# C++ symbol of the kernel stays hidden. The record blocks and run flags the
# host reads after a run and the name buffer it fills before one are
# exported on purpose, with the sizes the public header gives.
set -eu
lib=$1
expected="BLK10 96
BLK16 6152
BLK20 244
BLK25 352
BLK27A 258
BLK44A 3624
BLK44B 2404
MAVOKernelLib_getArchBits
MAVOKernelLib_getArchName
MAVOKernelLib_getBuildDateTime
MAVOKernelLib_getBuildStyle
MAVOKernelLib_getBuildVersion
MAVOKernelLib_getReportingCallbackProgressStates
MAVOKernelLib_isArchBigEndian
MAVOKernelLib_runKernel
setProgressCallback"
# Data symbols with their size in bytes, functions by name.
actual=$(nm -D -S --defined-only "$lib" | while read -r addr size kind name; do
  case "$kind" in
    B|b|D|d) echo "$name $((0x$size))" ;;
    *) echo "${name:-$kind}" ;;
  esac
done | grep -v '^_' | sort)
if [ "$actual" != "$expected" ]; then
  echo "exported symbols differ:"
  echo "$actual"
  exit 1
fi
mangled=$(nm -D --defined-only "$lib" | awk '{print $NF}' | grep -c '^_Z' || true)
[ "$mangled" -eq 0 ] || { echo "C++ symbols exported: $mangled"; exit 1; }
echo ok
