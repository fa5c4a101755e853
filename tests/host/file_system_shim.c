/*
 * Preloaded into a host process (LD_PRELOAD) to make a moment of a call
 * happen for real: a pause at an open of a project file, in which a
 * command runs (another call, a clean-up tool), and a file system that
 * turns read-only in the middle of a commit.
 *
 *   SHIM_PAUSE_NAME=NAME SHIM_PAUSE_AT=N SHIM_PAUSE_RUN=COMMAND
 *       before the Nth open (open, fopen) of a file named NAME, COMMAND runs
 *       (sh -c, without this library)
 *   SHIM_COUNT_FILE=PATH
 *       at the exit, the number of opens of NAME is written to PATH
 *   SHIM_READ_ONLY_AFTER=N
 *       after N renames, every rename and removal fails with EROFS
 */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static const char* pause_name;
static long pause_at = -1;
static char* pause_run;
static const char* count_file;
static long opens;
static long read_only_after = -1;
static long renames;

__attribute__((constructor)) static void read_settings(void) {
    pause_name = getenv("SHIM_PAUSE_NAME");
    if (getenv("SHIM_PAUSE_AT")) pause_at = atol(getenv("SHIM_PAUSE_AT"));
    if (getenv("SHIM_PAUSE_RUN")) pause_run = strdup(getenv("SHIM_PAUSE_RUN"));
    count_file = getenv("SHIM_COUNT_FILE");
    if (getenv("SHIM_READ_ONLY_AFTER")) read_only_after = atol(getenv("SHIM_READ_ONLY_AFTER"));
    /* Nothing the process starts carries the library. */
    unsetenv("LD_PRELOAD");
}

__attribute__((destructor)) static void write_count(void) {
    if (!count_file) return;
    FILE* f = fopen(count_file, "w");
    if (!f) return;
    fprintf(f, "%ld\n", opens);
    fclose(f);
}

static void at_open(const char* path) {
    if (!pause_name || !path) return;
    const char* slash = strrchr(path, '/');
    if (strcmp(slash ? slash + 1 : path, pause_name) != 0) return;
    if (++opens == pause_at && pause_run && system(pause_run) == -1) fprintf(stderr, "shim: cannot run the pause\n");
}

static int read_only(void) { return read_only_after >= 0 && renames >= read_only_after; }

int open(const char* path, int flags, ...) {
    static int (*real)(const char*, int, ...);
    if (!real) real = (int (*)(const char*, int, ...))dlsym(RTLD_NEXT, "open");
    mode_t mode = 0;
    if (flags & (O_CREAT | O_TMPFILE)) {
        va_list args;
        va_start(args, flags);
        mode = va_arg(args, mode_t);
        va_end(args);
    }
    at_open(path);
    return real(path, flags, mode);
}

FILE* fopen(const char* path, const char* how) {
    static FILE* (*real)(const char*, const char*);
    if (!real) real = (FILE * (*)(const char*, const char*)) dlsym(RTLD_NEXT, "fopen");
    at_open(path);
    return real(path, how);
}

int rename(const char* from, const char* to) {
    static int (*real)(const char*, const char*);
    if (!real) real = (int (*)(const char*, const char*))dlsym(RTLD_NEXT, "rename");
    if (read_only()) {
        errno = EROFS;
        return -1;
    }
    const int rc = real(from, to);
    if (rc == 0) ++renames;
    return rc;
}

int renameat2(int from_dir, const char* from, int to_dir, const char* to, unsigned int flags) {
    static int (*real)(int, const char*, int, const char*, unsigned int);
    if (!real) real = (int (*)(int, const char*, int, const char*, unsigned int))dlsym(RTLD_NEXT, "renameat2");
    if (read_only()) {
        errno = EROFS;
        return -1;
    }
    const int rc = real(from_dir, from, to_dir, to, flags);
    if (rc == 0) ++renames;
    return rc;
}

int unlink(const char* path) {
    static int (*real)(const char*);
    if (!real) real = (int (*)(const char*))dlsym(RTLD_NEXT, "unlink");
    if (read_only()) {
        errno = EROFS;
        return -1;
    }
    return real(path);
}
