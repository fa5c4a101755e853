/*
 * The stand-in host's report of a call: before it, what the project
 * directory holds and the command the call will serve; after it, what the
 * run did, read from what the kernel saves (the scheme selected in the
 * summary file, the names of master.dir) and exports (the run flags BLK10
 * and the summary table BLK16 of the loaded library). What the run saved
 * is read at the end of the call, from the callback's end signal, while
 * the call still holds the project: another call that takes the project
 * once it is released cannot have changed it.
 */
#ifndef MAVO_RUN_REPORT_H
#define MAVO_RUN_REPORT_H

#include <stddef.h>
#include <stdio.h>
#include <stdint.h>
#include <sys/types.h>
#include <time.h>

/* A file of the project directory as it stood. */
struct file_state {
    char* name;
    ino_t inode;
    struct timespec modified;
    off_t size;
};

struct file_list {
    struct file_state* files;
    size_t count;
};

/* A project file as a view keeps it. */
struct saved_file {
    char name[32];
    char* bytes;
    size_t size;
};

enum { kViewFiles = 40 };

/* The project as one moment left it: the listing, whether it held a
 * commit journal, and the files a report reads (the summary, strategy and
 * scheme directory files, each scheme's input and climate link files, the
 * traces the call wrote). A view not taken reads the directory as it is
 * when asked. */
struct project_view {
    const char* project;
    int taken;
    int lock_held; /* the project's lock was this call's throughout the reading */
    int journal;   /* .mavojournal */
    struct file_list files;
    struct saved_file saved[kViewFiles];
    size_t saved_count;
};

struct run_report {
    struct file_list before_edits; /* the project directory before mavo-run's edits */
    int journal_before;            /* it held the journal of a run stopped in its commit */
    char edits[512];               /* mavo-run's edits, in words ("scheme 3 selected, ..."); empty: none */
    struct file_list before; /* the project directory before the call */
    float command;           /* the command the selected scheme held before the call */
    int32_t scheme;          /* the scheme selected before the call */
    float site_asked;        /* row 4 of its column before the call: a zip code, a climate-zone
                                number (1 to 16) or, below 0, the weather file of its input file */
    struct project_view after; /* the project as the call left it */
    int refused_untouched;     /* the kernel refused the call at once, sending no end signal */
};

/* The project directory's files (hidden ones left out), sorted by name. */
struct file_list list_project_files(const char* project);

void begin_report(const char* project, float command, struct run_report* report);

/* Takes the view of the project after the call (over any taken before);
 * the traces the call wrote only for a traced call. */
void take_project_view(const char* project, int trace, struct run_report* report);
void forget_project_view(struct project_view* view);

/* Prints what the call did, from the view taken after it, and frees what
 * the report kept. lib is the loaded kernel library, weather the weather
 * directory of the call, rc the call's return code. A call that returned 1
 * is told by the state of the project after it: nothing changed; mavo-run's
 * own edits kept and nothing run; a stopped run's files put in place; this
 * call's files left with its journal; a journal left that the kernel could
 * not finish. */
void print_report(void* lib, const char* weather, int trace, struct run_report* report, int rc);
/* Frees what the report kept, for a call whose report is not printed. */
void forget_report(struct run_report* report);

/* The combination line of the project's master.dir that holds the
 * combination number under a name; 0 when none does. */
int project_combination_line(const char* project, int32_t number);

/* Text typed at a UTF-8 terminal in the project's code page (Windows-1252,
 * one byte per character), NUL-ended in `out` of `room` bytes: the number
 * of characters, or -1 with the reason in `why` (invalid UTF-8, a control
 * character, a character the code page lacks, or more than room - 1
 * characters). */
int text_in_code_page(const char* utf8, char* out, size_t room, char* why, size_t why_room);

/* Text the user typed, printed back as the terminal shows it: UTF-8
 * characters as they are, control characters and bytes that are not UTF-8
 * as \xNN, so that no byte of it acts on the terminal. */
void print_escaped_text(FILE* out, const char* text);
/* The same text as print_escaped_text prints it, for one argument of a
 * message (a few buffers in turn serve the arguments of one message). */
const char* shown_text(const char* text);
/* Code-page text (a name of the project) printed to standard output as
 * the terminal shows it, in UTF-8. */
void print_code_page_text(const char* text);

#endif /* MAVO_RUN_REPORT_H */
