#!/bin/sh
# The kernel as a host's build takes it.
# - add_subdirectory: a small outside CMake project that sets no build type
#   adds this tree; the kernel's code is compiled as the release build
#   compiles it, the host's own code as the host chose, the tools are not
#   built, and the host's program that links the target mavokernel gets the
#   header's directory. Only the configuration and the host's one file are
#   built: compiling the kernel once more would check nothing of this.
# - install: `cmake --install` of this build puts the library (with its
#   version and SONAME), the header, a CMake package and the stand-in host
#   under a prefix; an outside project finds the kernel with
#   find_package(mavokernel), links mavokernel::mavokernel and runs on the
#   installed library, as does the installed stand-in host.
set -eu
cmake=$1
generator=$2
source=$3
build=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
jobs=$(getconf _NPROCESSORS_ONLN 2>/dev/null || echo 2)

cat > "$work/main.c" <<'C'
#include <stdio.h>

#include "mavokernel.h"

int main(void) {
    printf("%s %d\n", MAVOKernelLib_getBuildVersion(), (int)(sizeof BLK16.SUMARY / sizeof BLK16.SUMARY[0]));
    return 0;
}
C

mkdir "$work/host"
cp "$work/main.c" "$work/host/"
cat > "$work/host/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.20)
project(design_application C)
add_subdirectory("$source" kernel)
add_executable(design_application main.c)
target_link_libraries(design_application PRIVATE mavokernel)
CMAKE
"$cmake" -S "$work/host" -B "$work/host-build" -G "$generator" -DCMAKE_BUILD_TYPE= \
  -DCMAKE_EXPORT_COMPILE_COMMANDS=ON > "$work/configure.txt" ||
  { cat "$work/configure.txt"; fail "configuring a project that adds the kernel"; }
commands="$work/host-build/compile_commands.json"
[ -f "$commands" ] || fail "no compile commands"
# The compile command of a source file (one line of the database).
command_of() { grep '"command":' "$commands" | grep -F -- "$1" | head -n 1; }
release=$(sed -n 's/^CMAKE_CXX_FLAGS_RELEASE:[A-Z]*=//p' "$work/host-build/CMakeCache.txt")
[ -n "$release" ] || fail "no release flags in the host's cache"
kernel=$(command_of "/src/front/front.cpp")
[ -n "$kernel" ] || fail "the kernel's sources are not compiled in the host's build"
for flag in $release; do
  case " $kernel " in *" $flag "*) ;; *) fail "the kernel is compiled without $flag: $kernel" ;; esac
done
host=$(command_of "/host/main.c")
case "$host" in *-O[1-3s]*) fail "the host's own code does not keep its build type: $host" ;; esac
if grep -qF "$source/tools/" "$commands"; then fail "the kernel's tools are built into the host's build"; fi
# The host's program compiles with the header's directory the target brings.
(cd "$work/host-build" && sh -c "$(printf '%s' "$host" | sed 's/^ *"command": "//; s/",\{0,1\} *$//; s/\\"/"/g')") \
  > "$work/compile.txt" 2>&1 || { cat "$work/compile.txt"; fail "compiling a program that links mavokernel"; }

"$cmake" --install "$build" --prefix "$work/prefix" > "$work/install.txt" ||
  { cat "$work/install.txt"; fail "install"; }
[ -f "$work/prefix/include/mavokernel.h" ] || fail "header not installed"
[ -x "$work/prefix/bin/mavo-run" ] || fail "mavo-run not installed"
library=$(find "$work/prefix" -name libmavokernel.so.5.900)
[ -n "$library" ] || fail "library not installed with its version"
[ -n "$(find "$work/prefix" -name libmavokernel.so)" ] || fail "library not installed under its plain name"
objdump -p "$library" | grep -q "SONAME *libmavokernel.so.5$" || fail "the library's SONAME is not libmavokernel.so.5"

mkdir "$work/outside"
cp "$work/main.c" "$work/outside/"
cat > "$work/outside/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.20)
project(design_application C)
find_package(mavokernel 5 REQUIRED)
add_executable(design_application main.c)
target_link_libraries(design_application PRIVATE mavokernel::mavokernel)
CMAKE
"$cmake" -S "$work/outside" -B "$work/outside-build" -G "$generator" -DCMAKE_PREFIX_PATH="$work/prefix" \
  > "$work/configure.txt" 2>&1 || { cat "$work/configure.txt"; fail "find_package(mavokernel) in the prefix"; }
"$cmake" --build "$work/outside-build" -j "$jobs" > "$work/build.txt" 2>&1 ||
  { tail -n 30 "$work/build.txt"; fail "building a program that links mavokernel::mavokernel"; }
[ "$("$work/outside-build/design_application")" = "5.900 19" ] || fail "the program does not run on the installed library"

# The installed host finds the installed library: on a directory that holds
# no project it prints the getters and the failed call.
mkdir "$work/empty-project"
: > "$work/empty-project/notes.txt"
"$work/prefix/bin/mavo-run" "$work/empty-project" "$work" "$work" > "$work/run.txt" 2>&1 || true
grep -qx "buildVersion 5.900" "$work/run.txt" || { cat "$work/run.txt"; fail "installed mavo-run without its library"; }
# A runtime package ships the real file and its SONAME link alone.
find "$work/prefix" -name libmavokernel.so -delete
"$work/prefix/bin/mavo-run" "$work/empty-project" "$work" "$work" > "$work/run.txt" 2>&1 || true
grep -qx "buildVersion 5.900" "$work/run.txt" ||
  { cat "$work/run.txt"; fail "installed mavo-run without the development link"; }
echo ok
