// Values that procedures of this group keep from one call to the next
// (each a small struct named after its procedure, reset with the blocks).
#pragma once
#include <cstddef>

#include "blocks/run_control.h"
#include "support/farray.h"
#include "support/fstring.h"
#include "support/types.h"

namespace mavo {

// LIBARY: the operand list of the library commands, the combination lines
// found to hold the scheme last erased, and the month list of the re-read
// command. All start empty at every call of the front.
struct LIBARY_STATE_t {
    // Operands: entry 1 is set at every host command (the slot operand);
    // entries 2-12 are read as further members of a new combination and as
    // the month numbers of a re-read (a value below -998 ends that list).
    FArray<INTEGER, 12> TESTC{};
    FArray<INTEGER, 9> NERSLN{};  // combination lines (1-9) holding the erased scheme, 0 unused
    // Twelve 4-character month names ("JAN " .. "DEC ", blanks for none) of
    // the months chosen for a re-read.
    FString<48> MONTHLIST{};
};

// FIND2: the site fuel words of the scheme input file last read (fuel type
// and the propane and oil prices per gallon). The reader does not take them
// into the site block, whose words in force come with the scheme results
// file; a results file rebuilt from nothing takes them from here. FOUND is
// false until a file that carries them has been read.
struct FIND2_STATE_t {
    REAL FUELTYPE = 0.0f;      // 0, 1, 10 gas; 2 propane; 3 oil; 4 electric
    REAL PROPANEPRICE = 0.0f;  // $/gallon
    REAL OILPRICE = 0.0f;      // $/gallon
    LOGICAL FOUND = false;
};

// FINDFLAG: the days the member read last covers, from its input file:
// which months it simulates (true) or skips, by its day flags, and the
// first of its twelve representative days (month and day; 0 for a whole
// year). Results of members that cover other days do not add up to one
// building's, as results of other run lengths do not.
struct FINDFLAG_STATE_t {
    FArray<LOGICAL, 12> MONTHS{};
    INTEGER FIRSTMONTH = 0;  // 1-12
    INTEGER FIRSTDAY = 0;    // 1-31
};

// REVISION: what one call's transfers share.
struct REVISION_STATE_t {
    // The run designs the scheme (commands 243 and 246 of slots 1 and 2)
    // after the transfer has turned its column into the model. The design
    // chooses the heating, cooling and wall codes anew, so a column that
    // holds none yet is no fault of the user's. Set by the run sequence on
    // every run.
    LOGICAL DESIGN_FOLLOWS = false;
    // Climate zone of the results file the site refresh found loaded: the
    // zone of the run that saved the scheme, whose code glass its window
    // lines hold (LINES_ZONE_KNOWN: a refresh of this call found one).
    LOGICAL LINES_ZONE_KNOWN = false;
    INTEGER LINES_ZONE = 0;
    // A dwelling run as it stands while it still holds the roof another
    // use's design gave it: the type of that use, which its save keeps in
    // place of the dwelling's own (0: the dwelling's own is saved).
    INTEGER OTHER_USE_TYPE = 0;
};

// FIND2: whether the scheme this run bills stands at a site that changed:
// the user moved it (flag 81 in its input file, or a title marked "INVA"),
// it has no electric tariff yet, or the run put another site in force (the
// default location for an unreadable zone file, the site of a rebuilt
// results file). Flag 81 says more and lasts less: it marks every load of
// scheme 2, which takes scheme 1's site afresh without a move, and a
// design's save clears it before the bills. A move alone brings the built-
// in rates back in place of the user's (flags 82 and 83).
struct SITE_MOVE_STATE_t {
    LOGICAL MOVED = false;
};

extern LIBARY_STATE_t LIBARY_STATE;
extern FIND2_STATE_t FIND2_STATE;
extern FINDFLAG_STATE_t FINDFLAG_STATE;
extern REVISION_STATE_t REVISION_STATE;
extern SITE_MOVE_STATE_t SITE_MOVE_STATE;

// A move brings the built-in rates back for electricity and fuel for good:
// the user's rates (flags 82 and 83) are dropped once the run puts the new
// site in force, so a run that stops before its bills (the default location
// at an unreadable zone file) saves them cleared as a billed run does.
inline void forget_user_rates_after_move() {
    if (!SITE_MOVE_STATE.MOVED) return;
    NFLAG(82) = false;
    NFLAG(83) = false;
}

// The location changed on this run: the site is looked up again and the
// bills take its built-in rates.
inline void mark_location_changed() {
    NFLAG(81) = true;
    SITE_MOVE_STATE.MOVED = true;
    forget_user_rates_after_move();
}

static_assert(sizeof(LIBARY_STATE_t) == (12 + 9) * 4 + 48);

inline FArray<INTEGER, 12>& TESTC = LIBARY_STATE.TESTC;
inline FArray<INTEGER, 9>& NERSLN = LIBARY_STATE.NERSLN;

}  // namespace mavo

#define MAVO_STATE_TRANSFER_BLOCKS(X) X(LIBARY_STATE) X(FIND2_STATE) X(FINDFLAG_STATE) X(REVISION_STATE) X(SITE_MOVE_STATE)
