/*
 * What a call of the kernel did, as the stand-in host prints it. After the
 * call a host reads the project's saved state (the scheme now selected in
 * the summary file, the names of master.dir) and the blocks the library
 * exports: the run flags BLK10 and the summary table BLK16.
 */
#define _GNU_SOURCE
#include "mavo-run-report.h"

#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <limits.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "mavokernel.h"

/* The summary file's first two values, the scheme selected and the second
 * scheme of a library operation, follow its 12-byte header. */
enum { kSelectedSchemeByte = 12, kMasterLines = 18, kNameLength = 24 };

/* Where a scheme's site is saved: the site's name (TITLE3, 24 characters
 * after the two title lines) in its input file; its zip code in row 4 of
 * its column of the strategy file, whose rows 1 to 200 of the nine columns
 * follow the 12-byte header; the climate it was simulated with on line 5 of
 * its climate link file, "ZONE 09" or the path of the weather file. */
enum { kSiteNameByte = 12 + 2 * 24, kStrategyRows = 200, kZipCodeRow = 4, kYearBuiltRow = 11 };
enum { kLastClimateZone = 16 };

static const char kJournalName[] = ".mavojournal";

/* Run flags a host reads (NFLAG(n) is byte n-1, true on its lowest bit). */
enum {
    kFlagCodeMinimumDesign = 8,
    kFlagEfficientDesign = 9,
    kFlagZoneBalanceOk = 15,
    kFlagKernelOk = 51,
    kFlagSolarModelsOk = 54,
    kFlagFuelsIncompatible = 68,
    kFlagClimateValid = 80,
    kFlagDefaultLocation = 89,
    kFlagLibraryRefused = 91,
};

struct project_names {
    char scheme[10][kNameLength + 1]; /* 1-9 */
    char line[10][kNameLength + 1];   /* combination lines 1-9 */
    int32_t combination[10];          /* the number each line holds */
};

struct summary_row {
    int row;
    const char* label;
    const char* unit;
};

/* The main annual results of a column, and the rows of the difference
 * column (rows 18 to 47 of the two columns subtracted) a designer reads. */
static const struct summary_row main_rows[] = {
    {1, "floor area", "ft2"},
    {18, "heating delivered", "kBtu/ft2"},
    {19, "cooling delivered", "kBtu/ft2"},
    {25, "electricity", "kWh"},
    {66, "fuel", "therms (gallons at a propane or oil site)"},
    {38, "site energy per floor area", "kBtu/ft2"},
    {37, "total energy cost", "$"},
    {70, "photovoltaic output", "kWh"},
};
static const struct summary_row difference_rows[] = {
    {18, "heating delivered", "kBtu/ft2"},
    {19, "cooling delivered", "kBtu/ft2"},
    {21, "heating fuel", "therms (gallons at a propane or oil site)"},
    {25, "electricity", "kWh"},
    {38, "site energy per floor area", "kBtu/ft2"},
    {37, "total energy cost", "$"},
};

static int by_name(const void* a, const void* b) {
    return strcmp(((const struct file_state*)a)->name, ((const struct file_state*)b)->name);
}

static int is_library_command(int command) {
    return command >= 201 && command <= 299 && command != 234 && command != 243 && command != 246;
}

static int is_compare_command(int command) { return command == 212 || command == 217; }

enum { kRenameCommand = 208 };

/* The project directory's files, hidden ones (the kernel's temporaries and
 * lock) left out, sorted by name. */
struct file_list list_project_files(const char* project) {
    struct file_list list = {NULL, 0};
    size_t room = 0;
    DIR* dir = opendir(project);
    if (!dir) return list;
    struct dirent* entry;
    while ((entry = readdir(dir)) != NULL) {
        char path[PATH_MAX];
        struct stat st;
        if (entry->d_name[0] == '.') continue;
        snprintf(path, sizeof path, "%s/%s", project, entry->d_name);
        if (stat(path, &st) != 0 || !S_ISREG(st.st_mode)) continue;
        if (list.count == room) {
            room = room ? 2 * room : 64;
            struct file_state* more = realloc(list.files, room * sizeof *more);
            if (!more) break;
            list.files = more;
        }
        struct file_state* f = &list.files[list.count];
        f->name = strdup(entry->d_name);
        if (!f->name) break;
        f->inode = st.st_ino;
        f->modified = st.st_mtim;
        f->size = st.st_size;
        ++list.count;
    }
    closedir(dir);
    qsort(list.files, list.count, sizeof list.files[0], by_name);
    return list;
}

static void free_files(struct file_list* list) {
    for (size_t i = 0; i < list->count; ++i) free(list->files[i].name);
    free(list->files);
    list->files = NULL;
    list->count = 0;
}

/* A file the kernel writes is renamed into place (another inode) or, a
 * trace, appended to. */
static int was_written(const struct file_state* now, const struct file_list* before) {
    for (size_t i = 0; i < before->count; ++i) {
        const struct file_state* then = &before->files[i];
        if (strcmp(then->name, now->name) != 0) continue;
        return then->inode != now->inode || then->size != now->size ||
               then->modified.tv_sec != now->modified.tv_sec || then->modified.tv_nsec != now->modified.tv_nsec;
    }
    return 1;
}

/* A project file as the view has it: the one saved when the view was
 * taken, or, in a view not taken, the file in the directory now. NULL when
 * there is none (or it is empty). */
static FILE* view_open(const struct project_view* view, const char* name) {
    if (!view->taken) {
        char path[PATH_MAX];
        snprintf(path, sizeof path, "%s/%s", view->project, name);
        return fopen(path, "rb");
    }
    for (size_t i = 0; i < view->saved_count; ++i)
        if (strcmp(view->saved[i].name, name) == 0 && view->saved[i].size > 0)
            return fmemopen(view->saved[i].bytes, view->saved[i].size, "rb");
    return NULL;
}

/* Bytes of a project file at `offset`: 0 when all `size` were read. */
static int read_bytes(const struct project_view* view, const char* name, long offset, void* bytes, size_t size) {
    FILE* f = view_open(view, name);
    if (!f) return -1;
    const int rc = (fseek(f, offset, SEEK_SET) == 0 && fread(bytes, size, 1, f) == 1) ? 0 : -1;
    fclose(f);
    return rc;
}

/* The scheme selected and the second scheme of a library operation. */
static int read_selected_schemes(const struct project_view* view, int32_t schemes[2]) {
    return read_bytes(view, "summaryb.dat", kSelectedSchemeByte, schemes, 8);
}

static float strategy_value(const struct project_view* view, int scheme, int row);

void begin_report(const char* project, float command, struct run_report* report) {
    const struct project_view now = {.project = project};
    int32_t schemes[2] = {0, 0};
    report->command = command;
    report->scheme = read_selected_schemes(&now, schemes) == 0 ? schemes[0] : 0;
    report->site_asked =
        report->scheme >= 1 && report->scheme <= 9
            ? strategy_value(&now, report->scheme == 2 ? 1 : report->scheme, kZipCodeRow)
            : 0.0f;
    report->before = list_project_files(project);
}

/* One file into the view, whole: a regular file, read without waiting (a
 * pipe in its place is none). */
static void save_file(struct project_view* view, const char* name) {
    char path[PATH_MAX];
    struct stat st;
    snprintf(path, sizeof path, "%s/%s", view->project, name);
    const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return;
    struct saved_file* saved = &view->saved[view->saved_count];
    if (view->saved_count < kViewFiles && fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
        (saved->bytes = malloc((size_t)st.st_size + 1)) != NULL) {
        snprintf(saved->name, sizeof saved->name, "%s", name);
        ssize_t n = 0;
        saved->size = 0;
        while (saved->size < (size_t)st.st_size &&
               (n = read(fd, saved->bytes + saved->size, (size_t)st.st_size - saved->size)) > 0)
            saved->size += (size_t)n;
        ++view->saved_count;
    }
    close(fd);
}

void forget_project_view(struct project_view* view) {
    for (size_t i = 0; i < view->saved_count; ++i) free(view->saved[i].bytes);
    free_files(&view->files);
    const char* project = view->project;
    memset(view, 0, sizeof *view);
    view->project = project;
}

void take_project_view(const char* project, int trace, struct run_report* report) {
    struct project_view* view = &report->after;
    forget_project_view(view);
    view->project = project;
    view->taken = 1;
    view->files = list_project_files(project);
    char path[PATH_MAX], name[32];
    struct stat st;
    snprintf(path, sizeof path, "%s/%s", project, kJournalName);
    view->journal = lstat(path, &st) == 0;
    save_file(view, "summaryb.dat");
    save_file(view, "master.dir");
    save_file(view, "stratb.dat");
    for (int k = 1; k <= 9; ++k) {
        snprintf(name, sizeof name, "scheme%db.dat", k);
        save_file(view, name);
        snprintf(name, sizeof name, "scheme%d.cclink", k);
        save_file(view, name);
    }
    for (size_t i = 0; trace && i < view->files.count; ++i)
        if (strncmp(view->files.files[i].name, "v7trace", 7) == 0 && was_written(&view->files.files[i], &report->before))
            save_file(view, view->files.files[i].name);
}

static void copy_name(char* to, const char* from, size_t length) {
    size_t n = strnlen(from, length);
    while (n > 0 && (from[n - 1] == ' ' || from[n - 1] == '\n' || from[n - 1] == '\r')) --n;
    memcpy(to, from, n);
    to[n] = '\0';
}

/* master.dir: nine scheme lines (I2, 2X, 24 characters), then nine
 * combination lines (I10, 2X, 24 characters). */
static void read_names(const struct project_view* view, struct project_names* names) {
    memset(names, 0, sizeof *names);
    char text[128];
    FILE* f = view_open(view, "master.dir");
    if (!f) return;
    for (int i = 1; i <= kMasterLines && fgets(text, sizeof text, f); ++i) {
        const size_t length = strlen(text);
        if (i <= 9) {
            if (length > 4) copy_name(names->scheme[i], text + 4, kNameLength);
        } else {
            names->combination[i - 9] = (int32_t)strtol(text, NULL, 10);
            if (length > 12) copy_name(names->line[i - 9], text + 12, kNameLength);
        }
    }
    fclose(f);
}

/* The summary column of a scheme number: its own for 1 to 10, its line's
 * (9 + line) for a combination; 0 for none. */
static int column_of(int32_t id, const struct project_names* names, int* line) {
    *line = 0;
    if (id >= 1 && id <= 10) return id;
    for (int i = 1; i <= 9; ++i)
        if (id >= 11 && names->combination[i] == id) {
            *line = i;
            return 9 + i;
        }
    return 0;
}

int project_combination_line(const char* project, int32_t number) {
    const struct project_view now = {.project = project};
    struct project_names names;
    int line = 0;
    read_names(&now, &names);
    column_of(number, &names, &line);
    return line > 0 && names.line[line][0] != '\0' ? line : 0;
}

static void print_name(const char* name) {
    if (!*name) {
        printf(" (no name)");
        return;
    }
    printf(" \"");
    print_code_page_text(name);
    printf("\"");
}

/* A scheme number as the designer knows it; in full with its name and the
 * summary column of a combination. */
static void print_scheme(int32_t id, const struct project_names* names, int in_full) {
    int line = 0;
    const int column = column_of(id, names, &line);
    if (id == 10) {
        printf("the default scheme (slot 10)");
        return;
    }
    printf("%s %d", line > 0 ? "combination" : "scheme", (int)id);
    if (!in_full) return;
    if (id >= 1 && id <= 9) print_name(names->scheme[id]);
    if (line > 0) {
        print_name(names->line[line]);
        printf(" (line %d, summary column %d)", line, column);
    }
}

/* What a rename did: the scheme or combination it named (the second
 * scheme of the operation, not the one the run went on with) and its new
 * name. */
static void print_renamed(int32_t id, const struct project_names* names) {
    int line = 0;
    column_of(id, names, &line);
    print_scheme(id, names, 0);
    printf(" is now named");
    print_name(id >= 1 && id <= 9 ? names->scheme[id] : names->line[line]);
    printf("\n");
}

static float summary_value(const MAVO_BLK16* blk16, int row, int column) { return blk16->SUMARY[column - 1][row - 1]; }

static void print_rows(const MAVO_BLK16* blk16, int column, const struct summary_row* rows, size_t count) {
    for (size_t i = 0; i < count; ++i)
        printf("  %s (row %d): %.2f %s\n", rows[i].label, rows[i].row, summary_value(blk16, rows[i].row, column),
               rows[i].unit);
}

static int flag(const MAVO_BLK10* blk10, int n) { return blk10->NFLAG[n - 1] & 1; }

static float strategy_value(const struct project_view* view, int scheme, int row) {
    float value = 0.0f;
    if (read_bytes(view, "stratb.dat", 12 + 4L * ((scheme - 1) * kStrategyRows + row - 1), &value, 4) != 0)
        return 0.0f;
    return value;
}

/* The climate zone of a zip code in the weather directory's zipcodes.sce:
 * its line's fifth field, the third from its end (the city's name may hold
 * blanks); 0 when the table has no line for it. */
static int climate_zone_of_zip(const char* weather, long zip) {
    char path[PATH_MAX], text[256];
    snprintf(path, sizeof path, "%s/zipcodes.sce", weather);
    FILE* f = fopen(path, "r");
    int zone = 0;
    while (f && zone == 0 && fgets(text, sizeof text, f)) {
        if (strtol(text, NULL, 10) != zip) continue;
        const char* field[3] = {NULL, NULL, NULL};
        for (char* t = strtok(text, " \t\r\n"); t; t = strtok(NULL, " \t\r\n")) {
            field[0] = field[1];
            field[1] = field[2];
            field[2] = t;
        }
        if (field[0]) zone = atoi(field[0]);
    }
    if (f) fclose(f);
    return zone;
}

/* The climate the scheme was simulated with, from line 5 of its climate
 * link file ("ZONE 09" or the path of the weather file); blank when nothing
 * was simulated. */
static void print_simulated_on(const struct project_view* view, int scheme) {
    char name[32], text[512] = "";
    snprintf(name, sizeof name, "scheme%d.cclink", scheme);
    FILE* f = view_open(view, name);
    int line = 0;
    while (f && line < 5 && fgets(text, sizeof text, f)) ++line;
    if (f) fclose(f);
    size_t n = line == 5 ? strlen(text) : 0;
    while (n > 0 && (text[n - 1] == ' ' || text[n - 1] == '\n' || text[n - 1] == '\r')) text[--n] = '\0';
    int zone = 0;
    if (n == 0) return;
    if (sscanf(text, "ZONE %d", &zone) == 1) {
        printf("; simulated on zone%d.txh (climate zone %d)", zone, zone);
    } else {
        const char* slash = strrchr(text, '/');
        printf("; simulated on %s", slash ? slash + 1 : text);
    }
}

/* The site a scheme's run used, as the run saved it: the station or city,
 * the zip code (or the climate-zone number) it was given, and the weather
 * file or climate zone it was simulated with. A zip code the table lacks
 * is named as asked, beside the default location the run was made at. */
static void print_site(const struct project_view* view, int scheme, int default_location, float asked) {
    char file[32], name[kNameLength + 1] = "", text[kNameLength];
    snprintf(file, sizeof file, "scheme%db.dat", scheme);
    if (read_bytes(view, file, kSiteNameByte, text, kNameLength) == 0) copy_name(name, text, kNameLength);
    printf("site: ");
    /* A number past the climate zones that the table lacks: the run fell
     * back to the default location. */
    if (default_location && asked > (float)kLastClimateZone)
        printf("%s %ld is not in zipcodes.sce%s; the run was made at, and saved as the site, the default "
               "location (flag 89): ",
               asked >= 20.0f ? "zip code" : "site", (long)asked,
               asked >= 20.0f ? "" : " (a climate zone is 1 to 16)");
    if (*name) print_code_page_text(name);
    else printf("(no name)");
    /* Scheme 2 stands at scheme 1's site, whatever its own column holds;
     * but a run that fell back to the default location saved that
     * location's zip code in the scheme's own column, which names it. */
    const float zip = strategy_value(view, scheme == 2 && !default_location ? 1 : scheme, kZipCodeRow);
    if (zip >= 1.0f && zip < 20.0f) printf(", given as climate zone %d", (int)zip);
    else if (zip >= 20.0f) printf(", zip code %ld", (long)zip);
    print_simulated_on(view, scheme);
    printf("\n");
}

/* Whether the call designed the scheme before simulating it: a design
 * command (243, 246, or 340 and up) in slot 1 or 2; in slot 2 of a
 * building older than the code any command from 246 to 339 asks for its
 * vintage design. The kind is the one the run's design flags name. */
static void print_design(const struct project_view* view, const MAVO_BLK10* blk10, int32_t scheme, int command,
                         int simulated) {
    const int remodel = scheme == 2 && strategy_value(view, 2, kYearBuiltRow) > 199.0f;
    const int designed = (scheme == 1 || scheme == 2) &&
                         (command == 243 || command == 246 || command >= 340 || (remodel && command > 246));
    if (!designed) {
        printf(simulated ? "design: none generated; the scheme was simulated as saved\n"
                         : "design: none generated; nothing was simulated\n");
        return;
    }
    printf("design: generated by command %d, %s, %s\n", command,
           flag(blk10, kFlagCodeMinimumDesign) ? "the code-minimum design"
           : flag(blk10, kFlagEfficientDesign) ? "the energy-efficient design"
                                               : "the vintage design of its year built",
           simulated ? "then simulated" : "but nothing was simulated");
}

/* The climate data asked for and not found: a site given as a climate
 * zone, or as a zip code of a zone, whose text file the weather directory
 * lacks (the run saved the default location as the scheme's site), or a
 * weather file that could not be read (a design run saved the default
 * location as the site, `saved_as_site`). */
static void print_climate_not_found(const char* weather, float asked, int saved_as_site) {
    const long zip = (long)asked;
    const int zone = asked >= 1.0f && asked < 20.0f ? (int)asked : asked >= 20.0f ? climate_zone_of_zip(weather, zip) : 0;
    if (zone == 0) {
        printf("the climate data were not valid: the weather file could not be read, and the run fell back to "
               "the default location, ");
        printf(saved_as_site ? "zip code 90024 (climate zone 9), and saved it as the site: put a readable weather "
                               "file into the weather directory and give the site again, or run on at the default "
                               "location"
                             : "climate zone 9");
        return;
    }
    printf("the climate data were not valid: ");
    if (asked < 20.0f) printf("climate zone %d was asked for", zone);
    else printf("zip code %ld, of climate zone %d, was asked for", zip, zone);
    printf(" and the weather directory %s holds no readable zone%d.txh, so the run fell back to the default "
           "location, zip code 90024 (climate zone 9), and saved it as the site: put zone%d.txh into the weather "
           "directory and give the site again (--site %ld), or run on at the default location",
           weather, zone, zone, zip);
}

/* Why a scheme's results are all zero, from the flags the run left. */
static void print_why_nothing(const MAVO_BLK10* blk10, const char* weather, float asked, int saved_as_site,
                              int trace) {
    printf("nothing was simulated: every result of the scheme is 0 (");
    if (!flag(blk10, kFlagClimateValid))
        print_climate_not_found(weather, asked, saved_as_site);
    else if (flag(blk10, kFlagFuelsIncompatible))
        printf("the heating or water-heating fuel does not suit the site");
    else if (!flag(blk10, kFlagZoneBalanceOk))
        printf("the zone balance failed");
    else if (!flag(blk10, kFlagSolarModelsOk))
        printf("the photovoltaic or solar-water model failed");
    else
        printf("the run ended with errors");
    printf(trace ? "; the trace says more)\n" : "; rerun with --trace to see the kernel's reason)\n");
}

/* The reason the kernel traced for a refused library command, from the
 * trace files the call wrote. */
static int print_traced_refusal(const struct project_view* view) {
    static const char marker[] = "LIBARY refused the command: ";
    for (size_t i = 0; i < view->saved_count; ++i) {
        char text[600];
        if (strncmp(view->saved[i].name, "v7trace", 7) != 0) continue;
        FILE* f = view_open(view, view->saved[i].name);
        while (f && fgets(text, sizeof text, f)) {
            const char* at = strstr(text, marker);
            if (!at) continue;
            at += sizeof marker - 1;
            size_t n = strlen(at);
            while (n > 0 && (at[n - 1] == '\n' || at[n - 1] == ' ')) --n;
            printf("%.*s\n", (int)n, at);
            fclose(f);
            return 1;
        }
        if (f) fclose(f);
    }
    return 0;
}

/* The files the call wrote: new ones and changed ones. */
static void print_files(const struct file_list* now, const struct file_list* before) {
    printf("files written:");
    for (size_t i = 0; i < now->count; ++i)
        if (was_written(&now->files[i], before)) printf(" %s", now->files[i].name);
    printf("\n");
}

static void print_results(void* lib, const char* weather, int trace, const struct run_report* report) {
    const struct project_view* view = &report->after;
    const MAVO_BLK10* blk10 = (const MAVO_BLK10*)dlsym(lib, "BLK10");
    const MAVO_BLK16* blk16 = (const MAVO_BLK16*)dlsym(lib, "BLK16");
    int32_t schemes[2];
    if (!blk10 || !blk16) {
        printf("the library exports no run flags or summary table\n");
        return;
    }
    if (read_selected_schemes(view, schemes) != 0) return;
    const int32_t id = schemes[0], second = schemes[1];
    struct project_names names;
    read_names(view, &names);
    int line = 0;
    const int column = column_of(id, &names, &line);
    const int command = (int)report->command;

    printf("run: ");
    print_scheme(id, &names, 1);
    printf("\n");
    if (is_library_command(command)) {
        if (flag(blk10, kFlagLibraryRefused)) {
            printf("library command %d refused: ", command);
            if (!trace || !print_traced_refusal(view))
                printf("the kernel traces the reason (run with --trace to see it)\n");
        } else if (command == kRenameCommand) {
            printf("library command %d done: ", command);
            print_renamed(second, &names);
        } else {
            printf("library command %d done\n", command);
        }
    }
    if (column > 0 && line > 0 && !flag(blk10, kFlagKernelOk)) {
        printf("nothing was shown: its members' stored results do not add up (other periods or data sources), "
               "and the line's column holds no results (flag 51 false); run its members over the same days, "
               "then select it again (206)\n");
    } else if (column > 0 && line > 0) {
        printf("shown from its members' stored results, not simulated; ended without error: yes (flag 51)\n");
        print_rows(blk16, column, main_rows, sizeof main_rows / sizeof main_rows[0]);
    } else if (column > 0) {
        const float days = summary_value(blk16, 48, column);
        printf("days simulated (row 48): %.0f\n", days);
        printf("climate data valid: %s (flag 80); ended without error: %s (flag 51)\n",
               flag(blk10, kFlagClimateValid) ? "yes" : "no", flag(blk10, kFlagKernelOk) ? "yes" : "no");
        const float asked = report->scheme == id ? report->site_asked : 0.0f;
        if (column <= 9) print_site(view, column, flag(blk10, kFlagDefaultLocation), asked);
        if (!is_library_command(command)) print_design(view, blk10, report->scheme, command, days > 0.0f);
        if (days > 0.0f) print_rows(blk16, column, main_rows, sizeof main_rows / sizeof main_rows[0]);
        else
            print_why_nothing(blk10, weather, asked,
                              asked < 0.0f && strategy_value(view, column == 2 ? 1 : column, kZipCodeRow) > 0.0f, trace);
    }
    if (is_compare_command(command) && !flag(blk10, kFlagLibraryRefused)) {
        printf("difference, ");
        print_scheme(id, &names, 0);
        printf(" minus ");
        print_scheme(second, &names, 0);
        printf(" (column 19):\n");
        print_rows(blk16, 19, difference_rows, sizeof difference_rows / sizeof difference_rows[0]);
    }
}

/* The trace and the developer dumps are written wherever a traced run
 * gets, a failed one included: they are no project file. */
static int is_trace_file(const char* name) {
    return strncmp(name, "v7trace", 7) == 0 || strcmp(name, "datadump.txt") == 0;
}

/* The project files changed between two listings (new, changed or gone),
 * traces left out, as one line of names. */
static void changed_files(const struct file_list* then, const struct file_list* now, char* out, size_t room) {
    out[0] = '\0';
    size_t used = 0;
    for (int pass = 0; pass < 2; ++pass) {
        const struct file_list* list = pass == 0 ? now : then;
        const struct file_list* other = pass == 0 ? then : now;
        for (size_t i = 0; i < list->count; ++i) {
            const struct file_state* f = &list->files[i];
            if (is_trace_file(f->name) || !was_written(f, other)) continue;
            if (pass == 1) {
                int gone = 1; /* a file of `then` that `now` lacks */
                for (size_t j = 0; j < now->count; ++j)
                    if (strcmp(now->files[j].name, f->name) == 0) gone = 0;
                if (!gone) continue;
            }
            const int n = snprintf(out + used, room - used, "%s%s%s", used ? " " : "", f->name, pass ? " (removed)" : "");
            if (n < 0 || (size_t)n >= room - used) return;
            used += (size_t)n;
        }
    }
}

/* The kernel's own words on the call, from the trace files the call wrote:
 * its error lines and the lines that explain them ("KERNEL: ..."). */
static void print_traced_kernel_lines(const struct project_view* view) {
    for (size_t i = 0; i < view->saved_count; ++i) {
        char text[600];
        if (strncmp(view->saved[i].name, "v7trace", 7) != 0) continue;
        FILE* f = view_open(view, view->saved[i].name);
        while (f && fgets(text, sizeof text, f)) {
            const char* error = strstr(text, " < DBG ERROR : ");
            const char* at = error ? error + 15 : strstr(text, " < DBG : KERNEL");
            if (!at) continue;
            if (!error) at += 9;
            size_t n = strlen(at);
            while (n > 0 && (at[n - 1] == '\n' || at[n - 1] == ' ')) --n;
            printf("  %.*s\n", (int)n, at);
        }
        if (f) fclose(f);
    }
}

enum { kFlagStoppedCommitFinished = 92 };

/* A call that returned 1, told by the project as the call left it. */
static void print_failed_call(void* lib, int trace, const struct run_report* report, int rc) {
    const MAVO_BLK10* blk10 = (const MAVO_BLK10*)dlsym(lib, "BLK10");
    const struct project_view* view = &report->after;
    char by_call[2048], by_edits[2048];
    changed_files(&report->before, &view->files, by_call, sizeof by_call);
    changed_files(&report->before_edits, &report->before, by_edits, sizeof by_edits);
    if (blk10 && flag(blk10, kFlagStoppedCommitFinished)) {
        printf("the call finished the commit of a run stopped while putting its files in place: it put %s in place "
               "from that run's journal %s and ran nothing else, so this call's options were not applied: run "
               "again\n",
               *by_call ? by_call : "its files", kJournalName);
    } else if (report->refused_untouched && !view->journal) {
        /* Refused untouched (another run was putting its files in place,
         * under a lock file removed from under it): what changed since is
         * that run's, not this call's. */
        printf("nothing was run: the kernel refused the call untouched, as another run was putting its files in "
               "place in the project%s%s%s; %s: run again\n",
               *by_call ? " (that run changed " : "", by_call, *by_call ? ", this call nothing)" : "",
               *report->edits ? "mavo-run's own edits may be among what that run put in place or overwrote: check "
                                "the scheme the project selects"
                              : "that run has ended");
    } else if (view->journal && !report->journal_before && !report->refused_untouched) {
        /* No journal before mavo-run's edits, one after the call: this
         * call's own commit, which failed and could not be undone. */
        printf("the run's files could not all be put in place, nor could its commit be undone (the file system "
               "refused a rename or a removal, as one turned read-only does): this call left them with its journal "
               "%s%s%s%s: once the file system takes writes again, the next call puts them in place from it and "
               "runs nothing else (it returns 1, naming them), and this call's run is then in place\n",
               kJournalName, *by_call ? " (changed so far: " : "", by_call, *by_call ? ")" : "");
    } else if (view->journal) {
        printf("nothing was run: the project holds the journal %s of a run stopped while putting its files in "
               "place, which the kernel did not finish (another run may still be putting its files in place, or "
               "the kernel cannot finish it, and then running again does not help); %s\n",
               kJournalName,
               trace ? "the trace (v7trace0.txt in the project directory) says which, the files the journal names "
                       "(where it names none the kernel can read, the temporaries present, which may hold a project "
                       "file's only copy) and what to do, as below"
                     : "run once with --trace: the trace (v7trace0.txt) says which, the files the journal names "
                       "(where it names none the kernel can read, the temporaries present, which may hold a project "
                       "file's only copy: remove nothing before) and what to do");
    } else {
        const char* why = trace ? "; its trace (v7trace*.txt in the project directory) gives the kernel's reason"
                                : "; rerun with --trace to see the kernel's reason";
        if (*by_call) /* no failure of the kernel's does */
            printf("the call returned %d and changed %s%s\n", rc, by_call, why);
        else if (*by_edits)
            printf("nothing was simulated or saved: the call returned %d and ran nothing; mavo-run's own edits stay "
                   "(%s: %s)%s\n",
                   rc, *report->edits ? report->edits : "the trace switch", by_edits, why);
        else
            printf("nothing was simulated or saved: the call returned %d and the project's files are as they were "
                   "before mavo-run%s\n",
                   rc, why);
    }
    if (trace) print_traced_kernel_lines(view);
}

void print_report(void* lib, const char* weather, int trace, struct run_report* report, int rc) {
    if (rc != 0) {
        print_failed_call(lib, trace, report, rc);
    } else {
        print_results(lib, weather, trace, report);
        print_files(&report->after.files, &report->before);
    }
    forget_report(report);
}

void forget_report(struct run_report* report) {
    forget_project_view(&report->after);
    free_files(&report->before);
    free_files(&report->before_edits);
}

