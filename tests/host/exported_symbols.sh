#!/bin/sh
# The library shows the host its C front and nothing else unmangled: every
# C++ symbol of the kernel stays hidden. Record blocks the host reads after a
# run are exported on purpose and listed here.
set -eu
lib=$1
expected="MAVOKernelLib_getArchBits
MAVOKernelLib_getArchName
MAVOKernelLib_getBuildDateTime
MAVOKernelLib_getBuildStyle
MAVOKernelLib_getBuildVersion
MAVOKernelLib_getReportingCallbackProgressStates
MAVOKernelLib_isArchBigEndian
MAVOKernelLib_runKernel
setProgressCallback"
actual=$(nm -D --defined-only "$lib" | awk '{print $3}' | grep -v '^_' | sort)
if [ "$actual" != "$expected" ]; then
  echo "exported symbols differ:"
  echo "$actual"
  exit 1
fi
mangled=$(nm -D --defined-only "$lib" | awk '{print $3}' | grep -c '^_Z' || true)
[ "$mangled" -eq 0 ] || { echo "C++ symbols exported: $mangled"; exit 1; }
echo ok
