#!/bin/sh
# The kernel as a host's build takes it: a small outside CMake project adds
# this tree with add_subdirectory and builds a C program that includes
# "mavokernel.h" and links the library target mavokernel, which brings the
# header's directory with it; and `cmake --install` of this build puts the
# library, the header and the stand-in host under a prefix, where the
# installed stand-in host loads the installed library.
set -eu
cmake=$1
generator=$2
source=$3
build=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

mkdir "$work/host"
cat > "$work/host/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.20)
project(design_application C)
add_subdirectory("$source" kernel)
add_executable(design_application main.c)
target_link_libraries(design_application PRIVATE mavokernel)
CMAKE
cat > "$work/host/main.c" <<'C'
#include <stdio.h>

#include "mavokernel.h"

int main(void) {
    printf("%s %d\n", MAVOKernelLib_getBuildVersion(), (int)(sizeof BLK16.SUMARY / sizeof BLK16.SUMARY[0]));
    return 0;
}
C
# Unoptimised: the test checks the build, not the kernel's code.
"$cmake" -S "$work/host" -B "$work/host-build" -G "$generator" -DCMAKE_BUILD_TYPE= > "$work/configure.txt" ||
  { cat "$work/configure.txt"; fail "configuring a project that adds the kernel"; }
"$cmake" --build "$work/host-build" -j 4 --target design_application > "$work/build.txt" ||
  { tail -n 30 "$work/build.txt"; fail "building a program that links mavokernel"; }
[ "$("$work/host-build/design_application")" = "5.900 19" ] || fail "the program does not run on the library"

"$cmake" --install "$build" --prefix "$work/prefix" > "$work/install.txt" ||
  { cat "$work/install.txt"; fail "install"; }
[ -f "$work/prefix/include/mavokernel.h" ] || fail "header not installed"
[ -x "$work/prefix/bin/mavo-run" ] || fail "mavo-run not installed"
[ -n "$(find "$work/prefix" -name libmavokernel.so)" ] || fail "library not installed"
# The installed host finds the installed library: on an empty project it
# prints the getters and the failed call.
mkdir "$work/empty-project"
"$work/prefix/bin/mavo-run" "$work/empty-project" "$work" "$work" > "$work/run.txt" 2>&1 || true
grep -qx "buildVersion 5.900" "$work/run.txt" || { cat "$work/run.txt"; fail "installed mavo-run without its library"; }
echo ok
