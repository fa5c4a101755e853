/*
 * Stand-in host: loads the kernel library at run time, as the design
 * application does, shows what the getters report, and runs the kernel on a
 * project directory, printing every progress report on its own line.
 *
 *   mavo-run [--trace] PROJECT_DIR UTIL_DIR WEATHER_DIR
 *
 * The library is looked for beside the program, in ../lib.
 */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <libgen.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "mavokernel.h"

typedef const char* (*text_getter)(void);
typedef int (*int_getter)(void);
typedef int (*run_kernel_fn)(const char*, const char*, const char*, int, MAVOKernelLib_ProgressCallback);

static void print_progress(int32_t a, int32_t b, int32_t c, int32_t d, int32_t e) {
    printf("progress %d %d %d %d %d\n", a, b, c, d, e);
    fflush(stdout);
}

static void usage(void) {
    fprintf(stderr, "usage: mavo-run [--trace] PROJECT_DIR UTIL_DIR WEATHER_DIR\n");
}

static void* find_symbol(void* lib, const char* name) {
    void* sym = dlsym(lib, name);
    if (!sym) fprintf(stderr, "mavo-run: the library has no %s\n", name);
    return sym;
}

static void* open_library(void) {
    char exe[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n > 0) {
        char path[PATH_MAX + 32];
        exe[n] = '\0';
        snprintf(path, sizeof path, "%s/../lib/libmavokernel.so", dirname(exe));
        void* lib = dlopen(path, RTLD_NOW | RTLD_LOCAL);
        if (lib) return lib;
    }
    return dlopen("libmavokernel.so", RTLD_NOW | RTLD_LOCAL);
}

int main(int argc, char** argv) {
    int trace = 0;
    int first = 1;
    if (first < argc && strcmp(argv[first], "--trace") == 0) {
        trace = 1;
        ++first;
    }
    if (argc - first != 3) {
        usage();
        return 2;
    }

    void* lib = open_library();
    if (!lib) {
        fprintf(stderr, "mavo-run: cannot load libmavokernel.so: %s\n", dlerror());
        return 2;
    }
    text_getter arch_name = (text_getter)find_symbol(lib, "MAVOKernelLib_getArchName");
    int_getter arch_bits = (int_getter)find_symbol(lib, "MAVOKernelLib_getArchBits");
    int_getter big_endian = (int_getter)find_symbol(lib, "MAVOKernelLib_isArchBigEndian");
    text_getter build_style = (text_getter)find_symbol(lib, "MAVOKernelLib_getBuildStyle");
    text_getter build_version = (text_getter)find_symbol(lib, "MAVOKernelLib_getBuildVersion");
    text_getter build_date = (text_getter)find_symbol(lib, "MAVOKernelLib_getBuildDateTime");
    int_getter progress_states = (int_getter)find_symbol(lib, "MAVOKernelLib_getReportingCallbackProgressStates");
    run_kernel_fn run_kernel = (run_kernel_fn)find_symbol(lib, "MAVOKernelLib_runKernel");
    if (!arch_name || !arch_bits || !big_endian || !build_style || !build_version || !build_date ||
        !progress_states || !run_kernel) {
        dlclose(lib);
        return 2;
    }

    printf("archName %s\n", arch_name());
    printf("archBits %d\n", arch_bits());
    printf("isArchBigEndian %d\n", big_endian());
    printf("buildStyle %s\n", build_style());
    printf("buildVersion %s\n", build_version());
    printf("buildDateTime %s\n", build_date());
    printf("progressStates %d\n", progress_states());
    fflush(stdout);

    int rc = run_kernel(argv[first], argv[first + 1], argv[first + 2], trace, print_progress);
    printf("return %d\n", rc);
    fflush(stdout);
    dlclose(lib);
    return rc == 0 ? 0 : 1;
}
