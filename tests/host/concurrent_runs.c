/*
 * Two host threads call the kernel at the same moment, round after round,
 * each on a project of its own. The kernel holds one run at a time: in
 * every round one call runs and the other is refused at once (or runs
 * after it). A refused call returns 1, its callback hears nothing and its
 * project is untouched; a completed run returns 0, its callback hears the
 * three reports, and its project's files equal those of a lone run.
 *
 *   concurrent_runs LIBRARY UTIL_DIR WEATHER_DIR PROJECT_A LONE_RUN_A PROJECT_B LONE_RUN_B CALLS
 */
#define _GNU_SOURCE
#include <dirent.h>
#include <dlfcn.h>
#include <pthread.h>
#include <stdatomic.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

#include "mavokernel.h"

typedef int (*run_kernel_fn)(const char*, const char*, const char*, int, MAVOKernelLib_ProgressCallback);

static run_kernel_fn run_kernel;
static const char* util_dir;
static const char* weather_dir;
static int calls;
static atomic_int reports[2];
/* Both threads are let go within a few instructions of each other: each
 * spins until the other has arrived at the same round. */
static atomic_int arrived[2];

static void start_round(int self, int round) {
    atomic_store(&arrived[self], round + 1);
    while (atomic_load(&arrived[1 - self]) < round + 1) {
    }
}

static void progress_a(int32_t a, int32_t b, int32_t c, int32_t d, int32_t e) {
    (void)a, (void)b, (void)c, (void)d, (void)e;
    atomic_fetch_add(&reports[0], 1);
}
static void progress_b(int32_t a, int32_t b, int32_t c, int32_t d, int32_t e) {
    (void)a, (void)b, (void)c, (void)d, (void)e;
    atomic_fetch_add(&reports[1], 1);
}

struct Runner {
    int index;
    const char* project;
    const char* lone_run;
    MAVOKernelLib_ProgressCallback callback;
    int completed, refused, faults;
};

static char* read_all(const char* path, long* size) {
    FILE* f = fopen(path, "rb");
    if (!f) return NULL;
    fseek(f, 0, SEEK_END);
    *size = ftell(f);
    rewind(f);
    char* bytes = malloc(*size > 0 ? (size_t)*size : 1);
    if (bytes && fread(bytes, 1, (size_t)*size, f) != (size_t)*size) {
        free(bytes);
        bytes = NULL;
    }
    fclose(f);
    return bytes;
}

static int count_entries(const char* dir) {
    DIR* d = opendir(dir);
    if (!d) return -1;
    int n = 0;
    for (struct dirent* e; (e = readdir(d));)
        if (strcmp(e->d_name, ".") != 0 && strcmp(e->d_name, "..") != 0) ++n;
    closedir(d);
    return n;
}

/* 0 when `dir` holds exactly the files of `lone`, byte for byte. */
static int differs_from(const char* dir, const char* lone) {
    if (count_entries(dir) != count_entries(lone)) return 1;
    DIR* d = opendir(lone);
    if (!d) return 1;
    int differ = 0;
    for (struct dirent* e; !differ && (e = readdir(d));) {
        if (e->d_name[0] == '.' && (e->d_name[1] == '\0' || strcmp(e->d_name, "..") == 0)) continue;
        char a[4096], b[4096];
        snprintf(a, sizeof a, "%s/%s", dir, e->d_name);
        snprintf(b, sizeof b, "%s/%s", lone, e->d_name);
        long na = 0, nb = 0;
        char* ba = read_all(a, &na);
        char* bb = read_all(b, &nb);
        differ = !ba || !bb || na != nb || memcmp(ba, bb, (size_t)na) != 0;
        if (differ) fprintf(stderr, "%s differs from the lone run's\n", a);
        free(ba);
        free(bb);
    }
    closedir(d);
    return differ;
}

static void* run_rounds(void* arg) {
    struct Runner* r = arg;
    for (int i = 0; i < calls; ++i) {
        start_round(r->index, i);
        const int heard_before = atomic_load(&reports[r->index]);
        const int rc = run_kernel(r->project, util_dir, weather_dir, 0, r->callback);
        const int heard = atomic_load(&reports[r->index]) - heard_before;
        if (rc == 0) {
            ++r->completed;
            if (heard != 3) fprintf(stderr, "%s: a completed run reported %d times\n", r->project, heard), ++r->faults;
        } else if (rc == 1) {
            ++r->refused;
            if (heard != 0) fprintf(stderr, "%s: a refused call reported %d times\n", r->project, heard), ++r->faults;
        } else {
            fprintf(stderr, "%s: return %d\n", r->project, rc);
            ++r->faults;
        }
        if (differs_from(r->project, r->lone_run)) ++r->faults;
    }
    return NULL;
}

int main(int argc, char** argv) {
    if (argc != 9) {
        fprintf(stderr, "usage: concurrent_runs LIBRARY UTIL WEATHER PROJECT_A LONE_A PROJECT_B LONE_B CALLS\n");
        return 2;
    }
    void* lib = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (!lib) {
        fprintf(stderr, "cannot load %s: %s\n", argv[1], dlerror());
        return 2;
    }
    run_kernel = (run_kernel_fn)dlsym(lib, "MAVOKernelLib_runKernel");
    if (!run_kernel) return 2;
    util_dir = argv[2];
    weather_dir = argv[3];
    calls = atoi(argv[8]);
    struct Runner runners[2] = {{0, argv[4], argv[5], progress_a, 0, 0, 0}, {1, argv[6], argv[7], progress_b, 0, 0, 0}};
    pthread_t threads[2];
    for (int t = 0; t < 2; ++t) pthread_create(&threads[t], NULL, run_rounds, &runners[t]);
    for (int t = 0; t < 2; ++t) pthread_join(threads[t], NULL);
    int faults = 0, completed = 0, refused = 0;
    for (int t = 0; t < 2; ++t) {
        printf("%s: %d completed, %d refused\n", runners[t].project, runners[t].completed, runners[t].refused);
        faults += runners[t].faults;
        completed += runners[t].completed;
        refused += runners[t].refused;
    }
    /* In every round at least one of the two calls holds the kernel. */
    if (completed < calls || completed + refused != 2 * calls) ++faults;
    dlclose(lib);
    if (faults) {
        printf("FAIL: %d faults\n", faults);
        return 1;
    }
    printf("ok\n");
    return 0;
}
