/*
 * The kernel's C front.
 *
 * A host loads libmavokernel.so, may ask the getters about the build, and
 * calls MAVOKernelLib_runKernel once per run with the project, utility and
 * weather directories. The run serves the scheme that the project's saved
 * state selects (in summaryb.dat the 32-bit little-endian integer right
 * after the file's 12-byte header, bytes 12 to 15, with the command held in
 * row 2 of that scheme's column of stratb.dat) and leaves its results in the
 * project files and in the exported blocks below. The library writes nothing
 * to standard output except the lines its trace log cannot take (a traced
 * run whose trace file cannot be opened).
 *
 * Threads. The kernel keeps its state process-wide, so one run at a time
 * holds it. Every function may be called from any thread:
 * - the seven getters at any time, also during a run: each returns the same
 *   constant on every call;
 * - MAVOKernelLib_runKernel one call at a time per process: a call made
 *   while another is running, from another thread or from the running
 *   call's own callback, returns 1 at once and touches nothing, not even
 *   its own callback;
 * - setProgressCallback from the running call's thread (that is, from
 *   inside its callback) or while no run is in progress; called from any
 *   other thread during a run it does nothing, so the run's callback keeps
 *   receiving reports until the run ends and clears it;
 * - the exported blocks only while no run is in progress: after a call
 *   returns and before the next one starts. Every run rewrites them.
 *
 * No call depends on an earlier one. Every call that runs starts from the
 * blocks as a freshly loaded library holds them, the name buffer BLK27A
 * (which the host fills before the call) aside: nothing an earlier call in
 * the same process computed, for this project or another, reaches its
 * results, and whatever a project carries from run to run it carries in
 * its files. The exported blocks stay as a call left them until the next
 * call starts; a call refused at once (another run holds the kernel or the
 * project) leaves them as they were.
 *
 * The project lock. Before it loads anything the kernel takes a POSIX
 * (fcntl) write lock on the hidden file ".mavolock" in the project
 * directory, left there between runs, and releases it after its files are
 * in place. Who can hold it: only a user who may write the project
 * directory (any other user's call is refused with 1). The file may be
 * opened, to read or to write, by exactly the classes of user that may
 * write the directory (its owner; the directory's group when that may
 * write and the file carries it; everyone when everyone may write), so a
 * mere reader can take no lock on it; each run by the file's owner brings
 * its group and mode in line with the directory as it is then. A shared
 * project needs its directory writable by those who share it (for a group:
 * set-group-ID, or the lock file's owner in that group); until the owner's
 * next run after a project was shared, another writer is refused, the
 * trace saying that ".mavolock" may not be written by that user. A call
 * that finds the lock held returns 1 with nothing touched, writing no file
 * at all (not even its trace, which would be the running run's). A
 * ".mavolock" removed, replaced (a clean-up tool) or moved during a run,
 * even away and back (a sync tool, a user's mv), is found at the commit:
 * that run keeps nothing and returns 1. A file moved away and back keeps
 * its inode but not its change time (st_ctim), which the move sets. A host
 * that edits project files before a call should hold the same lock
 * (F_SETLKW on ".mavolock", opened to read and write, then checking that
 * the name still leads to the file it locked, and noting that file's
 * device, inode and change time) from before its edits until the call
 * returns: POSIX record locks belong to the process, so the kernel's own
 * request succeeds in the host's process, and the kernel's release at the
 * end of the call ends the host's lock as well (take it again for edits
 * after the call). Closing any descriptor of ".mavolock" in the process
 * also ends it, as POSIX has it. The callback's last end signal comes after
 * the run's files are in place (or dropped) and before the lock is
 * released: what the host reads of the project from the callback then is
 * what this run left, which no other run can have changed. A ".mavolock"
 * removed, replaced or moved after the host took its lock and before the
 * kernel opened it lets another run take the project in between: the
 * kernel's lock is then on the new file (or on the file moved back, which
 * it finds as it is then), so the host that finds, at that end signal,
 * that ".mavolock" is no longer the file it locked, as it was then (its
 * device, inode and change time), or that its process holds no lock on
 * it, must take the run for one it did not ask for.
 *
 * After a crash in the commit. A run killed while putting its files in
 * place leaves the journal ".mavojournal". The next call finishes that
 * commit and runs nothing else: it returns 1 with NFLAG(92) set (traced),
 * because the killed run's files now stand over whatever the host edited
 * since. The host applies its edits again and calls again. A host that
 * finds ".mavojournal" while it holds the lock, before it edits, can make
 * that call first and edit after it. The journal's first line names its
 * version: "mavo commit journal 2" is this kernel's (each step ends with
 * the inode numbers of its files); version 1 with those numbers, from the
 * kernel before, is finished too. A journal the kernel cannot finish
 * (version 1 without inode numbers, written by older kernels; a newer
 * version; a damaged one; one naming files that are not those it recorded)
 * is left with its files: every call returns 1 running nothing, NFLAG(92)
 * false and the journal still there, and the trace says why, each project
 * file it names and where its new and old versions stand. Calling again
 * does not help: the user finishes it with the kernel that wrote it, or
 * gets the project back as the last whole commit left it: moves each old
 * file lying aside back onto its project file (a step's old file is moved
 * aside before its new file takes its place, so it may lie aside while the
 * new file still waits), removes each project file of a new name whose new
 * file is in place, then removes ".mavojournal" and the ".mavotmp-" files
 * it names that are still there; the trace says where each file lies. An
 * old file already deleted means every new file is in place: removing the
 * journal and its ".mavotmp-" files then keeps the run's files. A journal
 * that names no file the kernel can read (emptied or cut short by outside
 * damage, damaged, of a newer version) cannot say which file is which: the
 * trace then lists every temporary present (".<file>.mavotmp-<process>-
 * <tag>") with the project file its name carries, whether that file is
 * missing, its size and modification time, and which temporary to move
 * onto each missing project file (its only one, or the one modified last,
 * the stopped run's new file) before ".mavojournal" is removed; every
 * project file is then whole. A call never deletes a temporary whose
 * project file is missing. A journal of a run still putting its files in
 * place (its process alive and older than the journal, which changed less
 * than a minute ago) refuses the call in the same way until that run ends;
 * a traced call adds the reason to the end of "v7trace0.txt".
 */
#ifndef MAVOKERNEL_H
#define MAVOKERNEL_H

#include <stdint.h>

#if defined(__GNUC__)
#define MAVO_API __attribute__((visibility("default")))
#else
#define MAVO_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Progress report, called on the thread of the run, from inside
 * MAVOKernelLib_runKernel: (scheme,0,0,0,0) once the project state is
 * loaded (the scheme number as saved, a combination's number included),
 * (-1,-1,-1,-1,-1) at the end of the run and again when the front clears
 * the callback at the end of the call. No other values are sent. The
 * function must stay callable until the call returns. */
typedef void (*MAVOKernelLib_ProgressCallback)(int32_t a, int32_t b, int32_t c, int32_t d, int32_t e);

/* The build. Each getter returns a constant: "x86_64", 64, 0 (little
 * endian), "Release", "5.900" (the library's version; its SONAME is
 * libmavokernel.so.5), the build moment, and 1848 (the progress states,
 * which no run reports). The build style is that fixed text whatever the
 * library was compiled as: a Debug build, the test build with its index
 * checks or a sanitizer build reports "Release" too, so a host cannot
 * tell the build from it. The build moment is the text
 * "Tue Dec  4 17:14:44 UTC 2018": weekday, month, day of the month padded
 * with a blank, 24-hour time, time-zone abbreviation and year (strftime's
 * "%a %b %e %H:%M:%S %Z %Y"). The stamp carries no zone: the clock reading
 * is the same everywhere and the abbreviation is that of the process's
 * local time zone (TZ), so "UTC" only where that zone is UTC ("CST" at
 * Chicago). The texts are static: never null, the same pointer on every
 * call, valid while the library is loaded; the host must not free or
 * change them. */
MAVO_API const char* MAVOKernelLib_getArchName(void);
MAVO_API int MAVOKernelLib_getArchBits(void);
MAVO_API int MAVOKernelLib_isArchBigEndian(void);
MAVO_API const char* MAVOKernelLib_getBuildStyle(void);
MAVO_API const char* MAVOKernelLib_getBuildVersion(void);
MAVO_API const char* MAVOKernelLib_getBuildDateTime(void);
MAVO_API int MAVOKernelLib_getReportingCallbackProgressStates(void);

/* Runs one scheme. Directories without a trailing separator, each taken
 * exactly as given (trailing blanks included); traceFlag not 0 writes the
 * trace log "v7trace<d>.txt" into the project directory (d the digit of
 * the scheme worked on, 0 before it is known). callback may be null: the
 * run then reports nothing. The callback is installed for the call and
 * cleared at its end, and receives the end signal before the call returns,
 * except when the call is refused at once, touching nothing: while another
 * run holds the kernel, another process holds the project's lock, or
 * another run is putting its files in place in the project (the callback
 * of a call refused so is neither installed nor called).
 *
 * Returns 0 when the run ended normally: its project files and reports are
 * in place. The run's own errors do not change the return value; they are
 * left in the run flags (BLK10) and the trace, and a scheme whose run
 * failed has every result 0 (see below).
 * Returns 1 when nothing of the call was kept. The project's files are then
 * as they were before the call, except in the two cases listed last:
 * - another run holds the kernel (at once; the callback is neither
 *   installed nor called);
 * - a null directory text, or one too long for a file path;
 * - the project lock could not be taken (another process's run holds it,
 *   at once and with no callback as above; the user may not write the
 *   project directory or its ".mavolock"), or the lock
 *   file was removed, replaced or moved (even away and back) during the
 *   run;
 *   on a file system without POSIX record locks (some network shares)
 *   every call is refused so, its trace giving the reason;
 * - a project file that could not be opened, loaded whole or saved: a
 *   missing or 0-byte input file of the scheme, a 0-byte master.dir,
 *   summary, strategy or companion file, a value that is not a finite
 *   number;
 * - no weather at all: neither the scheme's weather file nor the fallback
 *   climate-zone file of the weather directory could be read;
 * - no temporary file could be made in the project directory, or a report
 *   file could not be written (a run writes every file beside its old one
 *   and puts them all in place together only when every one was written
 *   whole), or the system refused a rename that puts them in place (every
 *   file is then put back);
 * - a pipe or device in the place of a project file the run reads;
 * - a fatal stop (the reason ends the trace);
 * - a ".mavojournal" the kernel cannot finish, or of a run still putting its
 *   files in place (see "After a crash in the commit" above);
 * - a commit that failed and could not be undone (a file system turned
 *   read-only in its middle): some of the run's files may stand in place,
 *   the others wait beside them, and all are left with the journal
 *   ".mavojournal" this call wrote (it was not there before the call): the
 *   next call, once the files can be renamed again, puts them in place and
 *   runs nothing else (NFLAG(92)), and the run is then in place;
 * - the call finished the commit of a run stopped while putting its files
 *   in place (NFLAG(92)): that run's files now stand in place of the
 *   project's, nothing else was run, and the host applies its edits again
 *   and calls again.
 * A run never writes through a symbolic link: a link at a name it writes is
 * replaced by the run's own file. A run killed while it put its files in
 * place is finished by the next call (from the journal ".mavojournal" it
 * wrote before its first rename), so the project holds the whole old set
 * or the whole new set of files; that call runs nothing else and returns 1
 * with NFLAG(92) set (see "After a crash in the commit" above). A
 * commit that fails and is undone but whose journal cannot be removed is
 * left to that journal: the next call puts its files in place so. A
 * device, pipe or directory at a name the run writes fails the run.
 * A damaged or missing results file of the scheme is not a failure: the run
 * rebuilds it. */
MAVO_API int MAVOKernelLib_runKernel(const char* schemeDir, const char* utilDir, const char* tmyDir, int traceFlag,
                                     MAVOKernelLib_ProgressCallback callback);

/* Installs a progress callback for the reports of the next runs; null
 * clears it, sending the end signal to the one installed before (if any);
 * replacing one callback by another sends nothing. The new one is stored
 * first, so a callback may clear or replace itself when it receives the end
 * signal. MAVOKernelLib_runKernel installs its own callback over it and
 * clears it at the end of the call. Thread rules: see the top of this
 * file. */
MAVO_API void setProgressCallback(MAVOKernelLib_ProgressCallback callback);

/*
 * Blocks the host reads after a run, and the name buffer it fills before
 * one. Read them after a call has returned and before the next starts, never
 * during a call: the run writes them throughout, and every run rewrites
 * them. A call refused with 1 because another run held the kernel leaves
 * them to that run. Arrays are shown in C order: a block's first index
 * varies fastest, so SUMARY(r,k) is SUMARY[k-1][r-1] and NFLAG(n) is
 * NFLAG[n-1]. (The kernel's own sources declare these blocks themselves.)
 *
 * What a run did, read after a call that returned 0:
 * - The scheme run is the one saved as selected in summaryb.dat after the
 *   call (a library command may move on to another: a copy to its target,
 *   a select to the scheme selected, an erase of the current scheme to
 *   scheme 1). Its results are in SUMARY column k for scheme k (1 to 9; 10
 *   the default scheme); a combination number's in column 9 + L, L the
 *   combination line of master.dir (lines 10 to 18) that holds the number.
 * - Nothing simulated: row 48 of the scheme's column is 0. Every result of
 *   the column is then 0 and the flags say why: NFLAG(80) false, the climate
 *   data were not valid; NFLAG(68) true, the heating or water-heating fuel
 *   does not suit the site; NFLAG(15) false, the zone balance failed;
 *   NFLAG(54) false, the photovoltaic or solar-water model failed. NFLAG(51)
 *   is then false.
 * - Fallback climate data: when the scheme's weather file cannot be read the
 *   kernel takes the zone text file of climate zone 9 of the weather
 *   directory instead, names the site "Climate Data Error RE-DO" (in the
 *   site name of the scheme's input file and in scheme<k>.csv; scheme<k>.txt
 *   says that nothing was simulated) while the scheme stays at its weather
 *   file (row 4 of its column -1; a design run of scheme 1 or 2 saves the
 *   default location as its site), and ends the run with NFLAG(80) false:
 *   row 48 and every result are 0. (With no weather at all the call
 *   returns 1.)
 * - A combination is never simulated: its line's column holds its members'
 *   stored results, added up, with NFLAG(80) false and NFLAG(51) true when
 *   the members' results were read. When they no longer add up (a member
 *   since re-read for other months or run over other days) NFLAG(51) is
 *   false and the column holds no results (rows 2 to 80 are 0).
 * - A refused library command: NFLAG(91) true. Nothing of it was done; the
 *   command is cleared as a served one and the run goes on as a plain run
 *   of the current scheme. The reason is traced ("LIBARY refused the
 *   command: ...").
 * - A comparison (212) leaves the current scheme's column minus the compared
 *   scheme's in column 19 (rows 18 to 47; row 48 the days), which the
 *   summary file does not keep: read it from BLK16 after the call.
 */
#ifndef MAVO_BUILDING_KERNEL

/* Run flags, one byte each, true when the lowest bit is set. The host's
 * switches travel in the project files; the block shows the run's status:
 *   NFLAG(15) the zone balance ran without error
 *   NFLAG(51) the run ended without error (false: the scheme's results are 0)
 *   NFLAG(54) the photovoltaic and solar-water models ran without error
 *   NFLAG(67) no gas rates at the site
 *   NFLAG(68) the heating or water-heating fuel does not suit the site
 *   NFLAG(80) the climate data were valid and the scheme was simulated
 *   NFLAG(89) the site's zip code is not in zipcodes.sce (or none was
 *             given): the scheme runs at the default location, Los Angeles
 *             Westwood, climate zone 9
 *   NFLAG(91) the run's library command was refused
 *   NFLAG(92) the call finished the commit of a run stopped while putting
 *             its files in place and ran nothing else (it returned 1)
 * Flags 51, 80, 91 and 92 are false at the start of every run. */
typedef struct MAVO_BLK10 {
    uint8_t NFLAG[96];
} MAVO_BLK10; /* 96 bytes */

/* Annual results by row 1..80 and column 1..19: columns 1 to 9 the schemes,
 * 10 to 18 the combination lines 1 to 9 (column 9 + L), 19 the difference
 * of a comparison. Column 9 + L is line L's while line L of master.dir
 * holds a combination; otherwise its row 1 is the floor area of scheme L
 * (a back copy its single-zone runs keep) and, for column 10 only, its
 * other rows are the default scheme's (slot 10) after a run of that
 * scheme. The summary file keeps columns 1 to 18. The rows a host needs
 * (units in brackets; fuel rows in gallons at a propane or oil site):
 *    1 conditioned floor area [ft2]
 *   18 heating delivered, negative [kBtu/ft2]     19 cooling delivered [kBtu/ft2]
 *   21 heating fuel [therms]                      22 lighting [kWh]
 *   23 equipment and plug loads [kWh]             24 cooling [kWh]
 *   25 electricity consumed [kWh]                 35 fuel cost, gross [$]
 *   36 electricity cost, gross: the 12 monthly bills [$]
 *   37 total energy cost, row 35 + row 36 [$]
 *   38 net site energy per floor area [kBtu/ft2]  39 source energy per floor area [kBtu/ft2]
 *   47 CO2 of electricity net of the array, and fuel [lbs]
 *   48 days simulated, 0 when nothing was
 *   55 photovoltaic savings at the year's mean electricity price, row 70 x row 36 / row 25 [$]
 *   56 electricity purchased, net of the array [kWh]
 *   57 electricity cost, net of the array: row 36 - row 55 [$]
 *   58 total energy cost, net: row 57 + row 79 [$]
 *   66 fuel, gross [therms]                       70 photovoltaic output [kWh]
 *   73 fuel purchased, net [therms]               79 fuel cost of the fuel bought [$]
 * The monthly bills of the reports (scheme<k>.txt, .csv) credit the array's
 * output at the tariff's base rate instead (a time-of-use tariff at the
 * hour's rate), so their net electricity cost differs from row 57. */
typedef struct MAVO_BLK16 {
    float SUMARY[19][80];
    float SUMARYX[18];
} MAVO_BLK16; /* 6152 bytes */

/* Design loads, Btu/h, by envelope item 1..27 (27 the total). */
typedef struct MAVO_BLK20 {
    float ASLOSS, PKGAIN, PKLOSS;
    int32_t MAXMON, MINMON, MAXHR, MINHR;
    float HEATLOSS[27];
    float HEATGAIN[27];
} MAVO_BLK20; /* 244 bytes */

/* Hourly bar chart of the 17 heat-flow components, computed by every run
 * that simulates a scheme (not by a combination's): BARPAIRS the components
 * at the hour of the scheme's cooling peak (month and hour in BLK20's
 * MAXMON and MAXHR), sorted by value with the total last; BARPEAK the same
 * components, pair by pair, at the heating peak (MINMON, MINHR), the
 * peaks' months and hours being summary rows 30, 31 and 27, 28; COMPMIN and
 * COMPMAX each component's extremes over the 288 hours of the twelve
 * months' hourly profiles, in Btu/h; BARTOP, BARBOT the largest and
 * smallest of the bars and peaks, BARZERO the zero line's place between
 * them (0 to 1). The bars and peaks are in Btu/h times a scale: 1 when the
 * summary file's second value (the second scheme of a library operation,
 * bytes 16 to 19) is 1 or more; otherwise the summary file's chart scale,
 * the 32-bit float at bytes 32 to 35, which a new project holds as 0. So
 * after a plain or design run of a new project's scheme the bars are all 0,
 * and they are filled after a library command that named a second scheme
 * (and after every run while that second scheme stays in the file). */
typedef struct MAVO_BLK25 {
    float BARPAIRS[17][2]; /* [pair][0 value, 1 component number] */
    float BARPEAK[17];
    float COMPMAX[17];
    float COMPMIN[17];
    float BARTOP, BARBOT, BARZERO;
} MAVO_BLK25; /* 352 bytes */

/* Scheme-comparison chart. */
typedef struct MAVO_BLK44A {
    int32_t GS_NUMSCHEMES, GS_NUMATTRS, GS_OPTION1, GS_OPTION2;
    float GS_VALUES[17][9]; /* [attribute][scheme] */
    int32_t GS_SCHEMECOLOR[9];
    int32_t GS_ATTRFORMAT[17];
    int32_t GS_WORD184;
    char GS_LABELS[17][32];
    int32_t GS_HOSTWORDS321_888[568];
    int32_t GS_SCHEMEIDS[9];
    int16_t GS_ROWS[17];
    int16_t GS_ROWSPAD;
} MAVO_BLK44A; /* 3624 bytes */

/* 3-D bar chart sets. */
typedef struct MAVO_BLK44B {
    char GS_TITLES[15][56];
    int32_t GS_SETSCHEMES[15][9];
    int32_t GS_SETROWS[15][17];
    int32_t GS_CHARTSET;
} MAVO_BLK44B; /* 2404 bytes */

/* The name buffer, the one block the host writes: before a call (never
 * during one) the host may leave here, from the block's first byte on and
 * padded with blanks (a NUL ends the text), the name for a library command
 * (single-byte text in the Windows-1252 code page, as every name of the
 * project files: see below):
 * the scheme or combination line named (command 208) or the new combination
 * line (204) takes its first 24 characters. For a re-read (209) it holds the
 * months to simulate instead, as twelve 4-character words such as
 * "MAR JUL ". The kernel uses the block as its own scratch during the run
 * and leaves it blank when the call returns.
 *
 * Names and titles (scheme and combination names here and in master.dir,
 * the titles and site name of a scheme's input file) are read one byte per
 * character in the Windows-1252 code page (Latin-1 from byte 0xA0 up) and
 * written into the compliance document (scheme<k>.xml) as UTF-8. A host
 * must write them in that code page: a name written as UTF-8 is taken byte
 * by byte and arrives double-encoded (an e acute, 0xC3 0xA9 in UTF-8,
 * becomes the two characters A tilde and copyright sign). */
typedef struct MAVO_BLK27A {
    char MATNAME[8];
    char TEXTLINE[250];
} MAVO_BLK27A; /* 258 bytes */

MAVO_API extern MAVO_BLK10 BLK10;
MAVO_API extern MAVO_BLK16 BLK16;
MAVO_API extern MAVO_BLK20 BLK20;
MAVO_API extern MAVO_BLK25 BLK25;
MAVO_API extern MAVO_BLK27A BLK27A;
MAVO_API extern MAVO_BLK44A BLK44A;
MAVO_API extern MAVO_BLK44B BLK44B;

#endif /* MAVO_BUILDING_KERNEL */

#ifdef __cplusplus
}
#endif

#endif /* MAVOKERNEL_H */
