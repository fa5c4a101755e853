/*
 * The kernel's C front. A host loads libmavokernel.so, may ask the getters
 * about the build, and calls MAVOKernelLib_runKernel once per run with the
 * project, utility and weather directories. The run serves the scheme that
 * the project's saved state selects and leaves its results in the project
 * files. The kernel keeps its state process-wide, so runs do not overlap: a
 * call made while another is running, from any thread, is refused; and one
 * run at a time holds a project, across processes, by a write lock on the
 * hidden file ".mavolock" in its directory (left there between runs). The
 * library writes nothing to standard output except the lines its trace log
 * cannot take (a traced run whose trace file cannot be opened).
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

/* Progress report: (scheme,0,0,0,0) once the project state is loaded,
 * (-1,-1,-1,-1,-1) at the end of the run and again when the front clears
 * the callback. It is called on the thread of the run. */
typedef void (*MAVOKernelLib_ProgressCallback)(int32_t a, int32_t b, int32_t c, int32_t d, int32_t e);

MAVO_API const char* MAVOKernelLib_getArchName(void);
MAVO_API int MAVOKernelLib_getArchBits(void);
MAVO_API int MAVOKernelLib_isArchBigEndian(void);
MAVO_API const char* MAVOKernelLib_getBuildStyle(void);
MAVO_API const char* MAVOKernelLib_getBuildVersion(void);
MAVO_API const char* MAVOKernelLib_getBuildDateTime(void);
MAVO_API int MAVOKernelLib_getReportingCallbackProgressStates(void);

/* Runs one scheme. Directories without a trailing separator, each taken
 * exactly as given (trailing blanks included); traceFlag not 0 writes the
 * trace log "v7trace<d>.txt" into the project directory. Returns 0 when the
 * run ended normally (its own errors are left in the project's flags and
 * trace), 1 when it was stopped or failed: a project file that could not be
 * opened, loaded whole or saved, a report file that could not be written,
 * no weather file to read at all, a missing directory text or one too long
 * for a file path. A run's project files and reports are put in place
 * together when every one was written whole (never through a symbolic link:
 * a link at such a name is replaced by the run's own file); a failed run
 * leaves them all as they were, and the next run finishes the commit of a
 * run killed while it put them in place. A call while another is running,
 * or while another process runs the same project, returns 1 at once,
 * writing nothing (not even its trace); its callback is neither installed
 * nor called. */
MAVO_API int MAVOKernelLib_runKernel(const char* schemeDir, const char* utilDir, const char* tmyDir, int traceFlag,
                                     MAVOKernelLib_ProgressCallback callback);

/* Installs a progress callback; null clears it, sending the end signal to
 * the one installed before. The new one is stored first, so a callback may
 * clear or replace itself when it receives the end signal. */
MAVO_API void setProgressCallback(MAVOKernelLib_ProgressCallback callback);

/*
 * Result blocks the host reads after a run, and the name buffer it fills
 * before one. Arrays are shown in C order: a
 * block's first index varies fastest, so SUMARY(r,k) is SUMARY[k-1][r-1].
 * (The kernel's own sources declare these blocks themselves.)
 */
#ifndef MAVO_BUILDING_KERNEL

/* Annual results by row 1..80 and scheme column 1..19. */
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

/* Hourly bar chart of the 17 heat-flow components. */
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

/* The name buffer. Before a call the host may leave here, from the block's
 * first byte on and padded with blanks (a NUL ends the text), the name for a
 * library command: the scheme or combination line named (command 208) or
 * the new combination line (204) takes its first 24 characters. For a
 * re-read (209) it holds the months to simulate instead, as twelve
 * 4-character words such as "MAR JUL ". The kernel uses the block as its
 * own scratch during the run and leaves it blank when the call returns. */
typedef struct MAVO_BLK27A {
    char MATNAME[8];
    char TEXTLINE[250];
} MAVO_BLK27A; /* 258 bytes */

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
