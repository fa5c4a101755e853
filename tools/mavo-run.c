/*
 * Stand-in host: loads the kernel library at run time, as the design
 * application does, shows what the getters report, and runs the kernel on a
 * project directory, printing every progress report on its own line and,
 * after the call, what the run did (mavo-run-report.c): the scheme, its
 * site and weather, whether a design was generated, the main results, or
 * why nothing was and what to do next.
 *
 *   mavo-run [--trace] [--new] [--scheme N [--command C] [--site NAME]] [--target N]
 *            [--name TEXT] PROJECT_DIR UTIL_DIR WEATHER_DIR
 *
 * It first checks the three directories, naming one that is missing or
 * unreadable. Before the call it does what the design application does to a
 * project:
 *   --new         makes the project in PROJECT_DIR, when that does not exist
 *                 or is empty, from the new-project defaults of the utility
 *                 directory
 *   --scheme N    selects scheme N: the first value of the summary file; a
 *                 combination number (13: schemes 1 and 3) selects the
 *                 combination a line holds
 *   --command C   stores the command C for that scheme in the strategy file
 *                 (a combination's in its leading scheme's column)
 *   --site NAME   stores that scheme's site: an EPW file of the weather
 *                 directory (its name in the scheme's input file, a negative
 *                 zip code in the strategy file) or a zip code of the weather
 *                 directory's zip-code table; either way the scheme's
 *                 "location changed" flag is set, as the application does
 *                 when the user picks a site. Schemes 1 and 2 (the
 *                 code-minimum and the efficient design) share their site:
 *                 it is stored for both
 *   --target N    stores the second scheme number of a library operation:
 *                 the slot a copy goes to, the scheme or combination
 *                 selected, named, erased or compared, or the members of a
 *                 new combination as digits (135: schemes 1, 3 and 5)
 * (all files in their binary form; a value is written only where it differs
 * from the stored one, and only into a file long enough to hold it: a file
 * too short is left as it is, with a message), and, once the library is
 * loaded:
 *   --name TEXT   leaves TEXT, typed in UTF-8, in the library's name buffer
 *                 (block BLK27A) for the call, in the code page of project
 *                 names: the name of a renamed scheme or line or of a new
 *                 combination (24 characters), or the months of a re-read
 *                 as 4-character words ("MAR JUL")
 * The edits and the call hold the project's lock, the one the kernel takes
 * for its run ("PROJECT_DIR/.mavolock"), taken before anything is edited:
 * another process's run of the same project cannot come between them. What
 * the run saved is read at the call's last end signal, while the kernel
 * still holds the project; a lock file removed, replaced or moved (even
 * away and back) before then let another run in, and the call fails saying
 * so. A call that ends before the
 * kernel's removes the lock file it made. A
 * project that holds the journal of a run stopped while putting its files
 * in place gets no edits: the call finishes that run and runs nothing else.
 * The library is looked for beside the program, in ../lib, by its SONAME
 * first. Every argument is checked before anything is touched; a wrong one
 * is named, with the reason.
 */
#define _GNU_SOURCE
#include <dirent.h>
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <libgen.h>
#include <limits.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "mavokernel.h"
#include "mavo-run-lock.h"
#include "mavo-run-report.h"

typedef const char* (*text_getter)(void);
typedef int (*int_getter)(void);
typedef int (*run_kernel_fn)(const char*, const char*, const char*, int, MAVOKernelLib_ProgressCallback);

/* The call whose progress is printed: at each end signal the report takes
 * the project as the run left it, the last one at the end of the call,
 * while the kernel still holds the project. The lock is checked on both
 * sides of the reading. */
static struct {
    const char* project;
    int trace;
    struct run_report* report;
} g_call;

static void print_progress(int32_t a, int32_t b, int32_t c, int32_t d, int32_t e) {
    printf("progress %d %d %d %d %d\n", a, b, c, d, e);
    fflush(stdout);
    if (a != -1 || !g_call.report) return;
    const int held = project_still_held();
    take_project_view(g_call.project, g_call.trace, g_call.report);
    g_call.report->after.lock_held = held && project_still_held();
}

static void usage(void) {
    fprintf(stderr,
            "usage: mavo-run [--trace] [--new] [--scheme N [--command C] [--site NAME]] [--target N]\n"
            "                [--name TEXT] PROJECT_DIR UTIL_DIR WEATHER_DIR\n");
}

static int copy_file(const char* from, const char* to) {
    FILE* in = fopen(from, "rb");
    if (!in) return -1;
    FILE* out = fopen(to, "wb");
    if (!out) {
        fclose(in);
        return -1;
    }
    char buf[65536];
    size_t n;
    int rc = 0;
    while ((n = fread(buf, 1, sizeof buf, in)) > 0)
        if (fwrite(buf, 1, n, out) != n) rc = -1;
    if (ferror(in)) rc = -1;
    fclose(in);
    if (fclose(out) != 0) rc = -1;
    return rc;
}

/* The files a new project starts with: each a template of the utility
 * directory and its name in the project. */
static const char* const new_project_files[][2] = {
    {"master0.dir", "master.dir"},
    {"sumary0b.dat", "summaryb.dat"},
    {"strat0b.dat", "stratb.dat"},
    {"strat0b.bfr", "stratb.bfr"},
    {"scheme0b.het", "scheme0b.het"},
};

/* Every scheme slot starts as the default scheme: its input file, an empty
 * results file and the default schedules. */
static const char* const new_scheme_files[][2] = {
    {"scheme0b.dat", "scheme%db.dat"},
    {"scheme0b.het", "scheme%db.het"},
    {"schedule01.dat", "schedule%d.dat"},
};

/* A directory that holds no project: no entry at all but the lock file a
 * call leaves behind (a journal or any other file is an entry). */
static int is_empty_directory(const char* path) {
    DIR* dir = opendir(path);
    if (!dir) return 0;
    int empty = 1;
    for (struct dirent* e; empty && (e = readdir(dir)) != NULL;)
        if (strcmp(e->d_name, ".") != 0 && strcmp(e->d_name, "..") != 0 && strcmp(e->d_name, ".mavolock") != 0)
            empty = 0;
    closedir(dir);
    return empty;
}

/* 1 when the project is to be made now, in a directory made now or found
 * empty; 0 when the directory holds something (an existing project is kept
 * as it is), -1 when it could not be made. */
static int make_project_directory(const char* project) {
    struct stat st;
    if (stat(project, &st) == 0) return S_ISDIR(st.st_mode) && is_empty_directory(project) ? 1 : 0;
    if (mkdir(project, 0777) != 0) {
        const int e = errno;
        fprintf(stderr, "mavo-run: cannot create the project directory %s: %s; %s\n", shown_text(project), strerror(e),
                e == ENOENT || e == ENOTDIR ? "make its parent directory first"
                : e == EACCES || e == EPERM ? "this user may not write its parent directory: give a project directory "
                                              "where this user may make one"
                                            : "give a project directory that can be made");
        return -1;
    }
    return 1;
}

/* A directory that holds a project: its summary file, which names the
 * scheme to run, is there. */
static int holds_project(const char* project) {
    char path[PATH_MAX];
    struct stat st;
    snprintf(path, sizeof path, "%s/summaryb.dat", project);
    return lstat(path, &st) == 0;
}

/* A directory the call needs: 0 when it is one, readable (and writable
 * where the run writes); otherwise a message that names it and what to do. */
static int check_directory(const char* path, const char* what, int access_mode, const char* next) {
    struct stat st;
    if (stat(path, &st) != 0) {
        fprintf(stderr, "mavo-run: the %s %s does not exist (%s); %s\n", what, shown_text(path), strerror(errno), next);
        return -1;
    }
    if (!S_ISDIR(st.st_mode)) {
        fprintf(stderr, "mavo-run: the %s %s is not a directory; %s\n", what, shown_text(path), next);
        return -1;
    }
    if (access(path, access_mode) != 0) {
        fprintf(stderr, "mavo-run: the %s %s cannot be %s (%s); give one that can, or change its permissions\n",
                what, shown_text(path), (access_mode & W_OK) ? "read and written" : "read", strerror(errno));
        return -1;
    }
    return 0;
}

/* The three directories of the call, checked before anything is touched:
 * the kernel would only say that nothing could be run. The project
 * directory may be missing when --new is to make it. */
static int check_directories(const char* project, const char* util, const char* weather, int make_new) {
    int rc = 0;
    struct stat st;
    const int exists = stat(project, &st) == 0;
    if (!make_new || exists)
        rc |= check_directory(project, "project directory", R_OK | W_OK | X_OK,
                              exists ? "give a project directory (--new makes a project only where nothing is)"
                                     : "add --new to make a new project there, or give an existing project");
    if (exists && !make_new && S_ISDIR(st.st_mode) && is_empty_directory(project)) {
        fprintf(stderr, "mavo-run: the project directory %s is empty: add --new to make a new project there\n",
                shown_text(project));
        rc = -1;
    }
    if (exists && make_new && S_ISDIR(st.st_mode) && !is_empty_directory(project) && !holds_project(project)) {
        fprintf(stderr,
                "mavo-run: --new makes a project only where nothing is, and the directory %s holds other files and "
                "no project (no summaryb.dat): give a directory that does not exist or is empty\n",
                shown_text(project));
        rc = -1;
    }
    rc |= check_directory(util, "utility directory", R_OK | X_OK,
                          "give the directory of the utility files (data/util of the kernel's tree)");
    rc |= check_directory(weather, "weather directory", R_OK | X_OK,
                          "give the directory of the weather files and zipcodes.sce (data/weather of the kernel's "
                          "tree)");
    return rc;
}

static int fill_new_project(const char* project, const char* util) {
    for (size_t i = 0; i < sizeof new_project_files / sizeof new_project_files[0]; ++i) {
        char from[PATH_MAX], to[PATH_MAX];
        snprintf(from, sizeof from, "%s/%s", util, new_project_files[i][0]);
        snprintf(to, sizeof to, "%s/%s", project, new_project_files[i][1]);
        if (copy_file(from, to) != 0) {
            fprintf(stderr, "mavo-run: cannot copy %s to %s; the utility directory must hold the new-project files\n",
                    shown_text(from), shown_text(to));
            return -1;
        }
    }
    for (int slot = 1; slot <= 9; ++slot) {
        for (size_t i = 0; i < sizeof new_scheme_files / sizeof new_scheme_files[0]; ++i) {
            char from[PATH_MAX], name[64], to[PATH_MAX];
            snprintf(from, sizeof from, "%s/%s", util, new_scheme_files[i][0]);
            snprintf(name, sizeof name, new_scheme_files[i][1], slot);
            snprintf(to, sizeof to, "%s/%s", project, name);
            if (copy_file(from, to) != 0) {
                fprintf(stderr,
                        "mavo-run: cannot copy %s to %s; the utility directory must hold the new-project files\n",
                        shown_text(from), shown_text(to));
                return -1;
            }
        }
    }
    return 0;
}

/* A run stopped while putting its files in place left its journal: the
 * call finishes it and runs nothing else, so this call's edits would be
 * overwritten by that run's files. They are not made; the call only
 * finishes the stopped run. */
static int stopped_commit_waiting(const char* project) {
    char path[PATH_MAX];
    struct stat st;
    snprintf(path, sizeof path, "%s/.mavojournal", project);
    return lstat(path, &st) == 0;
}

/* The journal was there before the call and the call ran: its steps were
 * all done, and the kernel removed it and ran the scheme the project
 * selects, without this call's options. */
static void say_stopped_commit_finished(void) {
    fprintf(stderr,
            "mavo-run: the project held the journal of a run stopped while putting its files in place, whose steps "
            "were all done: the kernel removed it and ran the scheme the project selects, so this call's options "
            "were not applied: run again\n");
}


/* The call's report cannot be told, as the project was not this call's
 * alone from its edits to the end of the call: its lock file was removed,
 * replaced (a clean-up tool) or moved away and back (a sync tool, a
 * user's mv), and another run may have taken the project in between
 * (a run the kernel made then may be that run's edits, not this call's);
 * or the kernel refused the call untouched and another run took the
 * project before mavo-run could read it. */
static void say_lock_lost(const struct run_report* report, int rc) {
    const char* path = shown_text(held_lock_path());
    if (!lock_file_replaced() && !report->after.taken)
        fprintf(stderr,
                "mavo-run: the call returned %d and ran nothing, and another run has taken the project since, so "
                "what it holds is not told here: run again when that run has ended\n",
                rc);
    else if (!report->after.taken)
        fprintf(stderr,
                "mavo-run: the project's lock file %s was removed, replaced or moved after mavo-run took it, and "
                "another run holds the one now there: the kernel refused the call (it returned %d) and ran nothing; that run may "
                "have changed the project since mavo-run's edits, or overwritten them: check the scheme the project "
                "selects and run again\n",
                path, rc);
    else
        fprintf(stderr,
                "mavo-run: the project's lock file %s was removed, replaced or moved between mavo-run's edits and the "
                "end of the call, so another run may have taken the project in between and changed it: the kernel returned "
                "%d having run the scheme the project selected when it took the project (the progress lines name "
                "it), which may be that run's, not this call's; no report of it is given: check the scheme the "
                "project selects and run again\n",
                path, rc);
}

/* While set, store_bytes checks that a value can be stored, and stores
 * nothing: every edit of a call is checked before the first is made, so a
 * refused edit leaves the project as it was. */
static int g_checking_edits;

/* Stores `size` bytes at `offset` of a binary project file: only where the
 * stored bytes differ, and only into a file long enough to hold them; a
 * shorter file is left as it is, with a message. Nothing is written
 * through a symbolic link: its target may lie outside the project (the
 * kernel replaces such a link with its own file when it saves). */
static int store_bytes(const char* path, long offset, const void* bytes, size_t size) {
    const int fd = open(path, O_RDWR | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0 && errno == ELOOP) {
        fprintf(stderr, "mavo-run: %s is a symbolic link; nothing is written through it: put the file itself there\n",
                shown_text(path));
        return -1;
    }
    FILE* f = fd < 0 ? NULL : fdopen(fd, "r+b");
    if (!f) {
        const int e = errno;
        fprintf(stderr, "mavo-run: cannot open %s to write: %s; %s\n", shown_text(path), strerror(e),
                e == ENOENT ? "a project needs its files (--new makes a new project where nothing is)"
                : e == EACCES || e == EPERM
                    ? "this user may not write it: only a user who may write the project's files may run the project"
                : e == EROFS ? "the project's file system is read-only"
                             : "the project's files must be regular files this user may write");
        if (fd >= 0) close(fd);
        return -1;
    }
    struct stat st;
    if (fstat(fileno(f), &st) != 0 || st.st_size < offset + (long)size) {
        fprintf(stderr,
                "mavo-run: %s is too short to hold the value at byte %ld; left as it is: restore the project's "
                "file or make the project anew with --new (in a new directory)\n",
                shown_text(path), offset);
        fclose(f);
        return -1;
    }
    if (g_checking_edits) return fclose(f) == 0 ? 0 : -1;
    unsigned char stored[16];
    int rc = (size <= sizeof stored && fseek(f, offset, SEEK_SET) == 0 && fread(stored, size, 1, f) == 1) ? 0 : -1;
    if (rc == 0 && memcmp(stored, bytes, size) != 0)
        rc = (fseek(f, offset, SEEK_SET) == 0 && fwrite(bytes, size, 1, f) == 1) ? 0 : -1;
    if (fclose(f) != 0) rc = -1;
    if (rc != 0) fprintf(stderr, "mavo-run: cannot write %s; the project's files must be writable\n", shown_text(path));
    return rc;
}

/* Stores a 4-byte word at `offset` of a binary project file. */
static int patch_word(const char* path, long offset, const void* word) { return store_bytes(path, offset, word, 4); }

/* Binary project files begin with a 12-byte header. The summary file's first
 * value is the scheme to run, its second the second scheme of a library
 * operation; the strategy file holds rows 1 to 200 of the nine scheme
 * columns first, so row R of column N is value (N-1)*200 + R-1. */
enum { kHeaderBytes = 12, kRowsInFirstPart = 200 };
enum { kCommandRow = 2, kZipCodeRow = 4 };

/* The scheme that serves a scheme number: a combination has no column or
 * input file of its own; its leading scheme's serve it (and hold its
 * commands). */
static int32_t serving_scheme(int32_t scheme) {
    while (scheme >= 10) scheme /= 10;
    return scheme;
}

static long strategy_offset(int32_t scheme, int row) {
    return kHeaderBytes + 4L * ((scheme - 1) * kRowsInFirstPart + row - 1);
}

/* Flags 51 to 90 of the scheme's input file are one byte each, right after
 * the main body and the first gated group of the binary file. The trace
 * switch of a run is flag 90: the kernel follows the host's switch until it
 * has read that file. Flag 81 is "the user changed the location". The
 * weather file name (12 characters) follows the shading flags and the
 * single-rate tariff words. */
enum {
    kInputFileFlag51Byte = 5582,
    kInputFileTraceFlagByte = kInputFileFlag51Byte + 90 - 51,
    kInputFileLocationFlagByte = kInputFileFlag51Byte + 81 - 51,
    kInputFileClimateFileByte = 5782,
    kClimateFileNameLength = 12,
};

static int read_word(const char* path, long offset, void* word) {
    FILE* f = fopen(path, "rb");
    if (!f) return -1;
    int rc = (fseek(f, offset, SEEK_SET) == 0 && fread(word, 4, 1, f) == 1) ? 0 : -1;
    fclose(f);
    return rc;
}

/* Stores this call's trace switch (on or off) in the input file of the
 * scheme the project selects, when that scheme has its own file in the
 * project and the stored switch differs: an untraced call must not trace
 * because an earlier one stored the switch. */
static void set_trace_switch(const char* project, int trace) {
    char path[PATH_MAX];
    int32_t scheme = 0;
    snprintf(path, sizeof path, "%s/summaryb.dat", project);
    if (read_word(path, kHeaderBytes, &scheme) != 0) return;
    if (scheme == 10) return; /* the default scheme's input is the utility directory's */
    scheme = serving_scheme(scheme); /* a combination is loaded as its leading scheme */
    if (scheme < 1 || scheme > 9) return;
    snprintf(path, sizeof path, "%s/scheme%db.dat", project, (int)scheme);
    if (access(path, F_OK) != 0) return; /* no file: the kernel says so */
    /* A stored switch is any non-zero byte. */
    unsigned char flag = 0;
    int stored = 0;
    FILE* f = fopen(path, "rb");
    if (f) {
        stored = fseek(f, kInputFileTraceFlagByte, SEEK_SET) == 0 && fread(&flag, 1, 1, f) == 1;
        fclose(f);
    }
    if (stored && (flag != 0) == (trace != 0)) return;
    flag = trace ? 1 : 0;
    store_bytes(path, kInputFileTraceFlagByte, &flag, 1); /* a short file: the kernel then refuses it */
}

static int select_scheme(const char* project, int32_t scheme, int set_command, float command) {
    char path[PATH_MAX];
    snprintf(path, sizeof path, "%s/summaryb.dat", project);
    if (patch_word(path, kHeaderBytes, &scheme) != 0) return -1;
    if (!set_command) return 0;
    snprintf(path, sizeof path, "%s/stratb.dat", project);
    return patch_word(path, strategy_offset(serving_scheme(scheme), kCommandRow), &command);
}

static int set_target(const char* project, int32_t target) {
    char path[PATH_MAX];
    snprintf(path, sizeof path, "%s/summaryb.dat", project);
    return patch_word(path, kHeaderBytes + 4, &target);
}

/* A site is a zip code (digits only) or the name of a weather file of the
 * weather directory, which must fit the 12-character name field. */
static int is_zip_code(const char* site) {
    if (*site == '\0' || strlen(site) > 7) return 0;
    for (const char* c = site; *c; ++c)
        if (*c < '0' || *c > '9') return 0;
    return 1;
}

struct site {
    float zip_code; /* a negative zip code: the weather file named in the input file */
    char file_name[kClimateFileNameLength];
};

/* A zip code of 0 names no site: the kernel would keep the scheme's
 * climate under the old site's name. A weather file is a regular file of
 * the weather directory, named on its own (an empty name or "." is the
 * directory itself). */
static int resolve_site(const char* weather, const char* name, struct site* site) {
    site->zip_code = -1.0f;
    memset(site->file_name, ' ', sizeof site->file_name);
    if (is_zip_code(name) && atol(name) >= 1) {
        site->zip_code = (float)atol(name);
        return 0;
    }
    char path[PATH_MAX];
    struct stat st;
    snprintf(path, sizeof path, "%s/%s", weather, name);
    if (is_zip_code(name) || *name == '\0' || strlen(name) > kClimateFileNameLength || strchr(name, '/') ||
        stat(path, &st) != 0 || !S_ISREG(st.st_mode)) {
        fprintf(stderr, "mavo-run: --site \"");
        print_escaped_text(stderr, name);
        fprintf(stderr,
                "\" is neither a zip code (1 to 16 a climate zone) nor a weather file of at most %d characters in "
                "%s; give one of those\n",
                kClimateFileNameLength, shown_text(weather));
        return -1;
    }
    memcpy(site->file_name, name, strlen(name));
    return 0;
}

static int set_site_of(const char* project, int32_t scheme, const struct site* site) {
    char path[PATH_MAX];
    snprintf(path, sizeof path, "%s/stratb.dat", project);
    if (patch_word(path, strategy_offset(scheme, kZipCodeRow), &site->zip_code) != 0) return -1;
    snprintf(path, sizeof path, "%s/scheme%db.dat", project, (int)scheme);
    const unsigned char changed = 1;
    if (store_bytes(path, kInputFileLocationFlagByte, &changed, 1) != 0) return -1;
    return store_bytes(path, kInputFileClimateFileByte, site->file_name, sizeof site->file_name);
}

/* The efficient design (scheme 2) always stands where the code-minimum
 * design (scheme 1) stands: the kernel gives scheme 2 scheme 1's zip code,
 * and a weather file is read from each scheme's own input file. So the
 * site of either is stored for both. */
static int set_site(const char* project, int32_t scheme, const struct site* site) {
    if (scheme != 1 && scheme != 2) return set_site_of(project, scheme, site);
    return set_site_of(project, 1, site) == 0 && set_site_of(project, 2, site) == 0 ? 0 : -1;
}

/* The name buffer holds up to 48 characters of the host's text: a name of 24
 * or twelve month words of 4. */
enum { kNameBufferText = 48 };

static int leave_name(void* lib, const char* text) {
    MAVO_BLK27A* buffer = (MAVO_BLK27A*)dlsym(lib, "BLK27A");
    if (!buffer) {
        fprintf(stderr, "mavo-run: the library has no name buffer BLK27A; load a library of this kernel's build\n");
        return -1;
    }
    memset(buffer, ' ', sizeof *buffer);
    memcpy(buffer, text, strlen(text));
    return 0;
}

static void* find_symbol(void* lib, const char* name) {
    void* sym = dlsym(lib, name);
    if (!sym) fprintf(stderr, "mavo-run: the library has no %s; load a library of this kernel's build\n", name);
    return sym;
}

/* The scheme the project selects and the second scheme of a library
 * operation, as stored; 0 where the summary file holds none. */
static int32_t stored_summary_word(const char* project, int word) {
    char path[PATH_MAX];
    int32_t value = 0;
    snprintf(path, sizeof path, "%s/summaryb.dat", project);
    if (read_word(path, kHeaderBytes + 4L * word, &value) != 0) return 0;
    return value;
}

/* The command a scheme number holds (its serving scheme's row 2). */
static float stored_command(const char* project, int32_t scheme) {
    char path[PATH_MAX];
    float command = 0.0f;
    scheme = serving_scheme(scheme);
    snprintf(path, sizeof path, "%s/stratb.dat", project);
    if (scheme >= 1 && scheme <= 9) read_word(path, strategy_offset(scheme, kCommandRow), &command);
    return command;
}

/* The command the selected scheme holds before the call: the one the call
 * will serve. */
static float pending_command(const char* project) { return stored_command(project, stored_summary_word(project, 0)); }

/* The library's names: the SONAME first, the one name a runtime package
 * installs beside the real file, then the development link. */
static const char* const library_names[] = {"libmavokernel.so.5", "libmavokernel.so"};
enum { kLibraryNames = sizeof library_names / sizeof library_names[0] };

/* The library beside the program (../lib), else where the program's run
 * path and the loader look; NULL with dlerror() telling why. */
static void* open_library(void) {
    char exe[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n > 0) {
        exe[n] = '\0';
        const char* bin = dirname(exe);
        for (int i = 0; i < kLibraryNames; ++i) {
            char path[PATH_MAX + 32];
            snprintf(path, sizeof path, "%s/../lib/%s", bin, library_names[i]);
            void* lib = dlopen(path, RTLD_NOW | RTLD_LOCAL);
            if (lib) return lib;
        }
    }
    void* lib = NULL;
    for (int i = 0; i < kLibraryNames && !lib; ++i) lib = dlopen(library_names[i], RTLD_NOW | RTLD_LOCAL);
    return lib;
}

/* What the user asked for on the command line. */
struct arguments {
    int trace, make_new, set_scheme, set_command, set_second;
    int32_t scheme, target;
    float command;
    const char* site;
    const char* name;
    const char* directories[3]; /* project, utility, weather */
};

/* A scheme number the library can hold: a slot 1 to 9, or a combination
 * number whose digits name two to nine different slots in rising order, as
 * a combination line holds them (135: schemes 1, 3 and 5). */
static int is_scheme_number(long number) {
    if (number >= 1 && number <= 9) return 1;
    if (number < 12 || number > 123456789) return 0;
    for (long last = 10; number > 0; number /= 10) {
        if (number % 10 == 0 || number % 10 >= last) return 0;
        last = number % 10;
    }
    return 1;
}

static int scheme_argument(const char* option, const char* text, int32_t* scheme) {
    char* end = NULL;
    errno = 0;
    const long number = strtol(text, &end, 10);
    if (end != text && *end == '\0' && errno == 0 && is_scheme_number(number)) {
        *scheme = (int32_t)number;
        return 0;
    }
    fprintf(stderr, "mavo-run: %s ", option);
    print_escaped_text(stderr, text);
    fprintf(stderr,
            ": give a scheme slot 1 to 9 or a combination number whose digits name two or more slots 1 to 9, each "
            "once and rising (13: schemes 1 and 3)\n");
    return -1;
}

/* Command codes are whole numbers of at most three digits: 0 simulates, 243
 * and 246 design, 201 to 299 the library's operations; a fraction or a
 * code past them would be cut or read as another command. */
enum { kHighestCommand = 999, kCopyCommand = 201 };

static int command_argument(const char* text, float* command) {
    char* end = NULL;
    errno = 0;
    const long code = strtol(text, &end, 10);
    if (end != text && *end == '\0' && errno == 0 && code >= 0 && code <= kHighestCommand) {
        *command = (float)code;
        return 0;
    }
    fprintf(stderr, "mavo-run: --command ");
    print_escaped_text(stderr, text);
    fprintf(stderr,
            " is not a command code: give a whole number 0 to %d (0 simulates the scheme as saved, 243 and 246 "
            "design, 201 to 299 perform a library operation)\n",
            kHighestCommand);
    return -1;
}

/* The options, then the three directories. 0 when they make a call;
 * otherwise -1, after saying which argument is wrong and why. */
static int read_arguments(int argc, char** argv, struct arguments* args) {
    memset(args, 0, sizeof *args);
    int first = 1;
    for (; first < argc && strncmp(argv[first], "--", 2) == 0; ++first) {
        const char* option = argv[first];
        const int takes_value = strcmp(option, "--scheme") == 0 || strcmp(option, "--command") == 0 ||
                                strcmp(option, "--site") == 0 || strcmp(option, "--name") == 0 ||
                                strcmp(option, "--target") == 0;
        if (strcmp(option, "--trace") == 0) {
            args->trace = 1;
        } else if (strcmp(option, "--new") == 0) {
            args->make_new = 1;
        } else if (!takes_value) {
            fprintf(stderr, "mavo-run: unknown option %s\n", shown_text(option));
            return -1;
        } else if (first + 1 >= argc) {
            fprintf(stderr, "mavo-run: %s needs a value\n", shown_text(option));
            return -1;
        } else if (strcmp(option, "--scheme") == 0) {
            if (scheme_argument(option, argv[++first], &args->scheme) != 0) return -1;
            args->set_scheme = 1;
        } else if (strcmp(option, "--target") == 0) {
            if (scheme_argument(option, argv[++first], &args->target) != 0) return -1;
            args->set_second = 1;
        } else if (strcmp(option, "--command") == 0) {
            if (command_argument(argv[++first], &args->command) != 0) return -1;
            args->set_command = 1;
        } else if (strcmp(option, "--site") == 0) {
            args->site = argv[++first];
        } else {
            args->name = argv[++first];
        }
    }
    if (argc - first < 3) {
        fprintf(stderr, "mavo-run: %d of the three directories given; give PROJECT_DIR UTIL_DIR WEATHER_DIR\n",
                argc - first);
        return -1;
    }
    if (argc - first > 3) {
        fprintf(stderr,
                "mavo-run: %s: one argument too many; the options come first, then the three directories "
                "PROJECT_DIR UTIL_DIR WEATHER_DIR\n",
                shown_text(argv[first + 3]));
        return -1;
    }
    if ((args->set_command || args->site) && !args->set_scheme) {
        fprintf(stderr, "mavo-run: %s needs --scheme: it is stored for the scheme --scheme selects\n",
                args->set_command ? "--command" : "--site");
        return -1;
    }
    if (args->site && args->scheme > 9) {
        fprintf(stderr, "mavo-run: --site needs a scheme slot 1 to 9: a combination stands at its members' sites\n");
        return -1;
    }
    for (int i = 0; i < 3; ++i) args->directories[i] = argv[first + i];
    return 0;
}

/* A copy (201) goes into the slot the second scheme names. The kernel
 * copies into scheme 2 when that is no slot 1 to 9 (a combination, 0):
 * the design there would be lost for a copy the user did not ask for. The
 * command and the second scheme are the ones given, or else the stored
 * ones the call would serve. */
static int check_copy_target(const char* project, const struct arguments* args) {
    const int32_t scheme = args->set_scheme ? args->scheme : stored_summary_word(project, 0);
    const float command = args->set_command ? args->command : stored_command(project, scheme);
    if ((int)command != kCopyCommand) return 1;
    const int32_t target = args->set_second ? args->target : stored_summary_word(project, 1);
    if (target >= 1 && target <= 9) return 1;
    if (args->set_second)
        fprintf(stderr, "mavo-run: --target %d: a copy (--command 201) goes into a scheme slot: give --target 1 to 9\n",
                (int)target);
    else
        fprintf(stderr,
                "mavo-run: a copy (command 201) goes into the slot --target names, and the project's second scheme "
                "is %d, no slot: give --target 1 to 9\n",
                (int)target);
    return 0;
}

/* A combination selected with --scheme must be one a line of the project
 * holds: the kernel would run its leading scheme in its place. */
static int check_combination(const char* project, int32_t scheme) {
    if (scheme <= 9 || project_combination_line(project, scheme) > 0) return 1;
    fprintf(stderr,
            "mavo-run: --scheme %d: no combination line of the project holds it; make it first from a named "
            "scheme with --command 204 --target %d --name NAME\n",
            (int)scheme, (int)scheme);
    return 0;
}

/* The text of --name in the code page of project names, one byte per
 * character, for the name buffer: a name (its first 24 characters are
 * kept) or the months of a re-read. */
static int name_argument(const char* typed, char text[kNameBufferText + 1]) {
    char why[200];
    if (text_in_code_page(typed, text, kNameBufferText + 1, why, sizeof why) >= 0) return 0;
    fprintf(stderr, "mavo-run: --name \"");
    print_escaped_text(stderr, typed);
    fprintf(stderr, "\": %s (a name keeps 24 characters, the months of a re-read %d)\n", why, kNameBufferText);
    return -1;
}

/* mavo-run's edits of the project (the scheme selected, its command, its
 * site, the second scheme), each checked before any is made. */
static int make_edits(const char* project, const struct arguments* args, const struct site* site) {
    for (g_checking_edits = 1;; g_checking_edits = 0) {
        if ((args->set_scheme && select_scheme(project, args->scheme, args->set_command, args->command) != 0) ||
            (args->site && set_site(project, args->scheme, site) != 0) ||
            (args->set_second && set_target(project, args->target) != 0)) {
            if (g_checking_edits) fprintf(stderr, "mavo-run: none of its edits was made\n");
            g_checking_edits = 0;
            return -1;
        }
        if (!g_checking_edits) return 0;
    }
}

/* What mavo-run's edits were, in words, for a call that then ran nothing. */
static void describe_edits(const struct arguments* args, int created, int stopped, char* out, size_t room) {
    out[0] = '\0';
    if (stopped) return;
    size_t used = 0;
    char part[160];
    for (int i = 0; i < 5; ++i) {
        part[0] = '\0';
        if (i == 0 && created) snprintf(part, sizeof part, "the new project's files");
        if (i == 1 && args->set_scheme) snprintf(part, sizeof part, "scheme %d selected", (int)args->scheme);
        if (i == 2 && args->set_command) snprintf(part, sizeof part, "command %d stored", (int)args->command);
        if (i == 3 && args->site) snprintf(part, sizeof part, "its site stored");
        if (i == 4 && args->set_second) snprintf(part, sizeof part, "second scheme %d stored", (int)args->target);
        if (!part[0]) continue;
        const int n = snprintf(out + used, room - used, "%s%s", used ? ", " : "", part);
        if (n < 0 || (size_t)n >= room - used) return;
        used += (size_t)n;
    }
}

int main(int argc, char** argv) {
    struct arguments args;
    char name[kNameBufferText + 1];
    if (read_arguments(argc, argv, &args) != 0 || (args.name && name_argument(args.name, name) != 0)) {
        usage();
        return 2;
    }
    const int trace = args.trace, make_new = args.make_new, set_scheme = args.set_scheme;
    const int32_t scheme = args.scheme;
    const char* site = args.site;
    const char* project = args.directories[0];
    const char* util = args.directories[1];
    const char* weather = args.directories[2];
    if (check_directories(project, util, weather, make_new) != 0) return 2;
    struct site chosen_site;
    if (site && resolve_site(weather, site, &chosen_site) != 0) return 2;
    if (set_scheme && !check_combination(project, scheme)) return 2;
    if (!check_copy_target(project, &args)) return 2;
    int created = 0;
    if (make_new && (created = make_project_directory(project)) < 0) return 2;
    const int lock = lock_project(project);
    if (lock != 0) return lock > 0 ? 1 : 2;
    struct run_report report;
    memset(&report, 0, sizeof report);
    report.after.project = project;
    report.before_edits = list_project_files(project);
    const int stopped = stopped_commit_waiting(project);
    report.journal_before = stopped;
    if ((created && fill_new_project(project, util) != 0) || (!stopped && make_edits(project, &args, &chosen_site) != 0)) {
        forget_report(&report);
        return drop_lock_made_here(2);
    }
    if (!stopped) set_trace_switch(project, trace);
    describe_edits(&args, created, stopped, report.edits, sizeof report.edits);

    void* lib = open_library();
    if (!lib) {
        fprintf(stderr,
                "mavo-run: cannot load the kernel library (libmavokernel.so.5 or libmavokernel.so): %s; build the "
                "kernel, or put the library in ../lib beside this program\n",
                dlerror());
        forget_report(&report);
        return drop_lock_made_here(2);
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
        !progress_states || !run_kernel || (args.name && leave_name(lib, name) != 0)) {
        forget_report(&report);
        dlclose(lib);
        return drop_lock_made_here(2);
    }

    printf("archName %s\n", arch_name());
    printf("archBits %d\n", arch_bits());
    printf("isArchBigEndian %d\n", big_endian());
    printf("buildStyle %s\n", build_style());
    printf("buildVersion %s\n", build_version());
    printf("buildDateTime %s\n", build_date());
    printf("progressStates %d\n", progress_states());
    fflush(stdout);

#ifdef MAVO_TEST_HOOKS
    /* Test builds only: a command run between the edits and the call. */
    const char* between = getenv("MAVO_RUN_BEFORE_CALL");
    if (between && system(between) == -1) fprintf(stderr, "mavo-run: MAVO_RUN_BEFORE_CALL could not be run\n");
#endif
    if (!project_still_held()) {
        fprintf(stderr,
                "mavo-run: the project's lock file %s was removed, replaced or moved after mavo-run took it, so "
                "another run may have taken the project and changed it since (this call's edits among its files, or overwritten "
                "by them); the kernel was not called, nothing was run: check the scheme the project selects and run "
                "again\n",
                shown_text(held_lock_path()));
        forget_report(&report);
        dlclose(lib);
        return 1;
    }
    begin_report(project, pending_command(project), &report);
    g_call.project = project;
    g_call.trace = trace;
    g_call.report = &report;
    const int rc = run_kernel(project, util, weather, trace, print_progress);
    g_call.report = NULL;
    report.refused_untouched = !report.after.taken;
    if (!report.after.taken && !lock_file_replaced() && take_lock_again())
    { /* refused untouched: read under the lock taken again */
        take_project_view(project, trace, &report);
        report.after.lock_held = project_still_held();
    }
    if (!report.after.taken || !report.after.lock_held) {
        say_lock_lost(&report, rc);
        forget_report(&report);
        dlclose(lib);
        return 1;
    }
    print_report(lib, weather, trace, &report, rc);
    printf("return %d\n", rc);
    fflush(stdout);
    if (stopped && rc == 0) say_stopped_commit_finished();
    dlclose(lib);
    return rc == 0 ? 0 : 1;
}
