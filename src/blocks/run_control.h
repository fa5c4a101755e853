// Run-wide control blocks: answer codes, run control words with the file
// unit table, the current scheme, the build stamp, record-file forms, the
// directory table and the trace-log scratch. Process-wide, one instance each;
// they keep their values from one kernel call to the next unless the driver
// or the run sequence sets them.
#pragma once
#include <cstddef>
#include <type_traits>

#include "blocks/block_export.h"
#include "support/farray.h"
#include "support/fstring.h"
#include "support/types.h"

namespace mavo {

// Answer codes, never written.
struct BLK0A_t {
    FString<4> YES = "Y";
    FString<4> NO = "N";  // copied into the trace scratch by DBG_TIMEROFF
    FString<4> HALF = "H";
    FString<4> BLANK4 = "    ";  // first four characters of a name not in use
};

// Run control: 145 four-byte words. Unit numbers stand for open files; a
// file is always opened on the unit named here.
struct BLK0B_t {
    FArray<INTEGER, 5> SPARE1_5{};
    INTEGER ITEM = 0;            // word 6: shared index of the model defaults and schedules
    INTEGER ITEMY = 0;           // word 7: command and step code of the run
    INTEGER LEVEL = 0;           // word 8: user level 1 tutor .. 5 expert
    REAL CHARTSCALE = 0.0f;      // word 9: divisor of hourly chart values
    FArray<INTEGER, 2> SPARE10_11{};
    INTEGER NCALCS = 0;          // word 12: simulations started in this run
    FArray<INTEGER, 6> SPARE13_18{};
    INTEGER DISKHET = 0;         // word 19: scheme results file, read
    INTEGER DISKDAT = 0;         // word 20: scheme input file, read
    INTEGER DISKPVLIB = 0;       // word 21: photovoltaic table files
    INTEGER DISKFTMY = 0;        // word 22: weather file, open through the simulation
    INTEGER DISKFLAG = 0;        // word 23: scheme input file read for its flags
    INTEGER DISKKEEP1 = 0;       // word 24: scheme results file, write
    INTEGER DISKKEEP2 = 0;       // word 25: scheme input file, write
    FArray<INTEGER, 5> RESERVE26_30{};
    INTEGER DISKPROJ = 0;        // word 31: scheme directory, summary, strategy, zip table
    INTEGER DISKFSCHED = 0;      // word 32: schedule file, read
    INTEGER DISKKSCHED = 0;      // word 33: schedule file, write
    FArray<INTEGER, 4> RESERVE34_37{};
    INTEGER DISKTRACE = 0;       // word 38: trace log
    INTEGER DISKPRN = 0;         // word 39: hourly print file
    INTEGER RESERVE40 = 0;
    INTEGER DISKXML = 0;         // word 41: compliance-export XML
    INTEGER DISKNOTES = 0;       // word 42: notes beside the XML file
    FArray<INTEGER, 50> IOORDER{};  // words 43-92: 1 own byte order, 2 reversed
    FArray<INTEGER, 50> IODIR{};    // words 93-142: 1 read, 2 write
    INTEGER DISKCSV = 0;         // word 143: hourly CSV tables
    INTEGER DISKCCL = 0;         // word 144: climate link file
    INTEGER DISKJAVA = 0;        // word 145: generated table source
};

// Current scheme slot and its partner.
struct BLK0C_t {
    INTEGER IDNUM1 = 1;      // 1-9 schemes, 10 default scheme, >= 11 combination, 0 design path
    INTEGER IDNUM2 = 0;      // target or source of a library operation
    INTEGER SCREENMODE = 0;  // display mode word, read by nobody
    INTEGER SPARE4 = 0;
};

// Build stamp and the program version words carried by the summary file.
struct BLK0D_t {
    FString<6> BUILDDATE = "181203";  // yymmdd
    FString<6> BUILDTIME = "154759";  // hhmmss
    FArray<char, 4> SPARE{};
    INTEGER MAVOVERSION = 0;
    INTEGER MAVOBUILD = 0;
};

// Record forms: 1 unformatted, 2 formatted, 3 binary.
struct BLK0E_t {
    INTEGER READMODE = 0;
    INTEGER WRITEMODE = 0;
    INTEGER OSCODE = 0;  // 5 in this kernel; 1 would mark a console platform
};

// Directory table and the paths built from it.
struct BLK110B_t {
    // 1, 4, 5 utility; 2 project; 3 weather; 6-9 unset. "*" = unset.
    FArray<FString<255>, 9> DIRPATHS = {"*", "*", "*", "*", "*", "*", "*", "*", "*"};
    FString<255> PATHTOFILE{};     // last path built by DIR_BUILDPATH
    FArray<FString<8>, 3> PROJECTS{};
    FString<255> DBGPATH{};        // path of the trace log
    FString<255> FILENM_AADISK{};  // variable part of the project-store file name
};

struct BLK110C_t {
    FArray<FString<12>, 60> FILENAMES{};
};

struct BLK110D_t {
    FString<1> SLASH = "/";
};

// The 96 run flags. True for 1-17, 23, 29, 37, 38 and 60 at library load.
constexpr FArray<LOGICAL, 96> initial_run_flags() {
    FArray<LOGICAL, 96> f{};
    for (int i = 1; i <= 17; ++i) f(i) = true;
    f(23) = true;
    f(29) = true;
    f(37) = true;
    f(38) = true;
    f(60) = true;
    return f;
}

// The host reads the flags after a call (the block is exported under its
// own name): one byte per flag, NFLAG(n) at byte n-1, true when its lowest
// bit is set. The ones a host needs: 51 the run ended without error, 80
// the climate data were valid and the year was simulated, 15 the zone
// balance, 54 the solar models, 67 no gas rates at the site, 68 fuels
// incompatible, and the refusal of a library command below.
struct BLK10_t {
    FArray<LOGICAL, 96> NFLAG = initial_run_flags();
};

// Flag 91, spare in the files (neither the summary nor the scheme input
// file carries it): true when this run's library command was refused, the
// reason traced. False at every run's start.
constexpr INTEGER kLibraryCommandRefused = 91;
// Flag 92, spare in the files too: true when the call found the commit of
// a run stopped while putting its files in place, finished it and ran
// nothing else (it returns 1). False at every run's start.
constexpr INTEGER kStoppedCommitFinished = 92;

// Trace-log scratch.
struct BLK92_t {
    FString<512> DBGLINE{};
    INTEGER INDENT = 0;  // call depth of the trace, never below 0
};

struct BLK130A_t {
    FString<255> DBGTEXT{};
    FString<255> DBGTEXT2{};
};

extern BLK0A_t BLK0A;
extern BLK0B_t BLK0B;
extern BLK0C_t BLK0C;
extern BLK0D_t BLK0D;
extern BLK0E_t BLK0E;
extern BLK110B_t BLK110B;
extern BLK110C_t BLK110C;
extern BLK110D_t BLK110D;
extern "C" MAVO_HOST_VISIBLE BLK10_t BLK10;
extern BLK92_t BLK92;
extern BLK130A_t BLK130A;

// Word positions that the summary file and the unit table rely on.
static_assert(std::is_standard_layout_v<BLK0B_t> && sizeof(BLK0B_t) == 145 * 4);
static_assert(offsetof(BLK0B_t, ITEM) == 5 * 4);
static_assert(offsetof(BLK0B_t, ITEMY) == 6 * 4);
static_assert(offsetof(BLK0B_t, LEVEL) == 7 * 4);
static_assert(offsetof(BLK0B_t, CHARTSCALE) == 8 * 4);
static_assert(offsetof(BLK0B_t, NCALCS) == 11 * 4);
static_assert(offsetof(BLK0B_t, DISKHET) == 18 * 4);
static_assert(offsetof(BLK0B_t, DISKPROJ) == 30 * 4);
static_assert(offsetof(BLK0B_t, DISKTRACE) == 37 * 4);
static_assert(offsetof(BLK0B_t, DISKNOTES) == 41 * 4);
static_assert(offsetof(BLK0B_t, IOORDER) == 42 * 4);
static_assert(offsetof(BLK0B_t, IODIR) == 92 * 4);
static_assert(offsetof(BLK0B_t, DISKCSV) == 142 * 4);
static_assert(offsetof(BLK0B_t, DISKJAVA) == 144 * 4);
static_assert(sizeof(BLK0C_t) == 16);
static_assert(offsetof(BLK0D_t, MAVOVERSION) == 16 && sizeof(BLK0D_t) == 24);
static_assert(std::is_standard_layout_v<BLK10_t> && sizeof(BLK10_t) == 96);
static_assert(offsetof(BLK10_t, NFLAG) == 0);  // NFLAG(n) at byte n-1

// The names the procedures use.
inline FArray<LOGICAL, 96>& NFLAG = BLK10.NFLAG;
inline INTEGER& ITEM = BLK0B.ITEM;
inline INTEGER& ITEMY = BLK0B.ITEMY;
inline INTEGER& LEVEL = BLK0B.LEVEL;
inline REAL& CHARTSCALE = BLK0B.CHARTSCALE;
inline INTEGER& NCALCS = BLK0B.NCALCS;
inline FArray<INTEGER, 50>& IOORDER = BLK0B.IOORDER;
inline FArray<INTEGER, 50>& IODIR = BLK0B.IODIR;
inline INTEGER& IDNUM1 = BLK0C.IDNUM1;
inline INTEGER& IDNUM2 = BLK0C.IDNUM2;
inline INTEGER& SCREENMODE = BLK0C.SCREENMODE;
inline INTEGER& READMODE = BLK0E.READMODE;
inline INTEGER& WRITEMODE = BLK0E.WRITEMODE;
inline INTEGER& OSCODE = BLK0E.OSCODE;
inline FArray<FString<255>, 9>& DIRPATHS = BLK110B.DIRPATHS;
inline FString<255>& PATHTOFILE = BLK110B.PATHTOFILE;
inline FString<255>& DBGPATH = BLK110B.DBGPATH;
inline FString<1>& SLASH = BLK110D.SLASH;
inline INTEGER& INDENT = BLK92.INDENT;

}  // namespace mavo

#define MAVO_RUN_CONTROL_BLOCKS(X) \
    X(BLK0A)                       \
    X(BLK0B)                       \
    X(BLK0C)                       \
    X(BLK0D)                       \
    X(BLK0E)                       \
    X(BLK110B)                     \
    X(BLK110C)                     \
    X(BLK110D)                     \
    X(BLK10)                       \
    X(BLK92)                       \
    X(BLK130A)
