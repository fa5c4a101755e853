// The design transfer: one scheme's design moves between its parameter
// column STRATEGY(.,IDNUM1), the working building model the simulation
// reads, and the strategy file. Task 4 reloads the column from disk and
// refreshes the site (zip code, weather source, zip-code table, the zone's
// code window values, the weather file); task 2 turns the column into the
// working model; task 3 condenses the model back into the column; task 5
// writes the column to disk; task 6 only traces.
#include <cmath>
#include <initializer_list>
#include <string>

#include "blocks/blocks.h"
#include "front/trace.h"
#include "physics/constructions_nonresidential.h"
#include "physics/constructions_residential.h"
#include "physics/dwelling_facades.h"
#include "physics/physics.h"
#include "project/project.h"
#include "project/revision.h"
#include "support/numeric.h"

namespace mavo {
namespace {

// The code-minimum scheme is always judged by the current code.
constexpr REAL kCurrentCodeYear = 2013.0f;
// A year built of 100 or less is no year: the scheme counts as new.
constexpr REAL kNoYearBuilt = 100.0f;

REAL& S(INTEGER n) { return STRATEGY(n, IDNUM1); }

void trace_slots(std::initializer_list<INTEGER> rows) {
    if (!NFLAG(90)) return;
    for (INTEGER n : rows) DBG_FLOAT("REVISION strategy(" + std::to_string(n) + ",-)", S(n));
}

// A dwelling of any attachment code but a row house's or an apartment's is
// a detached house: its column holds 1, so that the building type, the
// sizing, the garage and the save of every run read the one code.
void repair_attachment() {
    if (NFLAG(24) || !attachment_is_detached(S(7)) || S(7) == kDetachedHouse) return;
    if (S(7) > 4.0f) DBG_FLOAT("ERROR strategy(7,-)", S(7));
    DBG_FLOAT("REVISION attachment code taken as a detached house", S(7));
    S(7) = kDetachedHouse;
}

// Steps of every call before its task: year built, attachment and venting
// repairs. Returns the year built in use.
REAL repair_column() {
    if (S(11) <= kNoYearBuilt) S(11) = kCurrentCodeYear;
    repair_attachment();
    const REAL year_built = IDNUM1 == 1 ? kCurrentCodeYear : S(11);
    // Venting codes 2 to 4 are no longer offered; they mean no venting.
    const REAL vent = std::fabs(S(25));
    if (vent >= 2.0f && vent <= 4.0f) {
        DBG_FLOAT("ERROR Strategy(25,) 108", S(25));
        S(25) = 1.0f;
        DBG_FLOAT("Strategy(25,) Vent fixed", S(25));
    }
    return year_built;
}

void trace_before_task() {
    DBG_FLOAT("REVISION copac cooling COP", COPAC);
    DBG_FLOAT("REVISION strategy(20,-) A/C", S(20));
    DBG_FLOAT("REVISION nhvacs", NHVACS);
    DBG_PRINT(NFLAG(37) ? "nflag(37)=T=.txh top REVISION" : "nflag(37)=F=.EPW REVISION");
    trace_slots({11, 12, 13, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 49, 60, 70, 80, 90});
}

void trace_after_task(INTEGER NTASK, bool has_column) {
    if (has_column) trace_slots({1, 3, 11, 18, 20, 22, 25, 29, 33, 49});
    DBG_PRINT(NFLAG(8) ? "nflag(8)=T if Code Minimum" : "nflag(8)=F not Code Minimum");
    DBG_PRINT(NFLAG(9) ? "nflag(9)=T if Energy Efficient" : "nflag(9)=F if Vintage");
    DBG_FLOAT("REVISION nhvacs", NHVACS);
    DBG_FLOAT("REVISION copht", COPHT);
    DBG_FLOAT("REVISION copac", COPAC);
    DBG_FLOAT("REVISION SLA", SLA);
    DBG_FLOAT("REVISION achmax", ACHMAX);
    DBG_FLOAT("REVISION facfm", FACFM);
    DBG_FLOAT("REVISION EvapEff", EvapEff);
    DBG_INT("REVISION ntask", NTASK);
}

// Residential building type from the attachment choice.
void residential_type_from_attachment() {
    const REAL attachment = S(7);
    if (attachment == 2.0f) NTYPE = 18;
    else if (attachment == 3.0f) NTYPE = 16;
    else if (attachment == 4.0f) NTYPE = 17;
    else NTYPE = 19;
}

// Scheme 2 stands where scheme 1 stands. At a site known by its weather
// file alone that is scheme 1's file too: a copy of a slot at another site
// brings that slot's file name (or none) into scheme 2's input file, which
// it would simulate on, or fail on and fall back to the default location.
void weather_file_of_scheme_one() {
    const FString<12> name = saved_weather_file_name(1);
    if (name.is_blank() || name == CLIMATEFILENAME) return;
    DBG_PRINT("REVISION: scheme 2 takes the weather file of scheme 1, " + std::string(name.trimmed()));
    CLIMATEFILENAME = name;
}

// Zip code of the column: a climate-zone number standing in for a zip code
// is made whole; scheme 2 always takes scheme 1's site.
void zip_code_from_column() {
    const REAL z = S(4);
    if (z >= 1.0f && z <= 19.9f) {
        ZIPCODE = std::trunc(z);
        S(4) = ZIPCODE;
        DBG_FLOAT("zipcode made whole REVISION 2780", ZIPCODE);
    } else {
        ZIPCODE = z;
    }
    if (IDNUM1 == 2) {
        // Its column shows the site it stands on: the parameter step takes
        // the zip code from the column, and the save stores it back, so a
        // row 4 of its own (left by a copy into scheme 1 of a slot at
        // another site) would be looked up, and saved, as scheme 2's site.
        ZIPCODE = STRATEGY(4, 1);
        S(4) = ZIPCODE;
        if (ZIPCODE < 0.0f) weather_file_of_scheme_one();
    }
}

// Weather source from the zip code: a site (zip code or zone number) uses
// the climate-zone weather file, a negative code the EPW file the scheme
// names.
void weather_source_from_zip_code() {
    const INTEGER n = int_toward_zero(ZIPCODE);
    if (n > 0) {
        NFLAG(6) = true;
        NFLAG(37) = true;
    } else if (n == 0) {
        NFLAG(37) = true;
    } else {
        NFLAG(37) = false;
        DBG_PRINT("NFLAG(37)=F=EPW zipcode=-1:REVISION");
    }
}

// A dwelling about to be designed whose files a non-residential run saved
// (their building type one with non-residential loads): the cool flat roof
// (2) that building's construction family is designed with is that design's
// roof, not the dwelling's, and the dwelling's design chooses its own, as
// for a roof not chosen, so that it is designed as it was before the other
// use. Any other choice, the light frame's (which its design keeps) among
// them, is the designer's: a roof typed with the change of use stays.
// A run of the dwelling as it stands simulates that roof and saves the
// other use's type beside it, so that a design after such runs drops it as
// the design in the save of the change does. Only schemes 1 and 2 are
// designed, so only their files carry the other use's type; each scheme
// loaded in a call judges its own roof afresh.
void forget_nonresidential_roof() {
    REVISION_STATE.OTHER_USE_TYPE = 0;
    if (IDNUM1 != 1 && IDNUM1 != 2) return;
    if (!has_nonresidential_loads(NTYPE)) return;
    if (construction_family_of(NTYPE) == ConstructionFamily::light_frame || S(32) != kFamilyRoof) return;
    if (!REVISION_STATE.DESIGN_FOLLOWS) {
        REVISION_STATE.OTHER_USE_TYPE = NTYPE;
        return;
    }
    DBG_FLOAT("REVISION: roof choice of the non-residential building dropped for the dwelling's design", S(32));
    S(32) = 0.0f;
}

// Task 4 after the strategy file is loaded: the site into the column.
void site_from_loaded_columns(bool has_column) {
    if (has_column) {
        if (!NFLAG(24)) {
            forget_nonresidential_roof();
            residential_type_from_attachment();
        }
        zip_code_from_column();
    } else {
        DBG_INT("REVISION: no parameter column, site from the scheme file", IDNUM1);
    }
    const REAL saved_latitude_deg = SLAT;
    weather_source_from_zip_code();
    // A site of the zip-code table: looked up whole when it changed, its
    // line's rate zones taken on every run.
    if (NFLAG(6) && NFLAG(37)) AADISK(-4);
    FINDTMY();
    if (!NFLAG(24)) roof_slope_follows_the_site(saved_latitude_deg);
    if (has_column) {
        // The code window of the site's zone, as the weather reader has
        // settled it (an EPW site takes the zone its climate matches best).
        const INTEGER zone = code_table_zone();
        S(47) = CECRESA(7, zone);
        S(48) = CECRESA(11, zone);
        if (S(36) <= 0.0f) S(36) = 1.0f;  // window shades: none chosen counts as the first kind
    }
}

// Task 4: the strategy file and the site into the column.
void site_refresh(bool has_column) {
    DBG_PRINT("REVISION Task 400: Load Disk to Strategy 4013");
    // The zone the loaded results file holds, before the refresh settles
    // the site in force: the windows hold that zone's code glass.
    REVISION_STATE.LINES_ZONE = CECZONE;
    REVISION_STATE.LINES_ZONE_KNOWN = true;
    AADISK(-5);
    // A new building (row 6 of 1 or less) is built to the current code: the
    // read of its input file cleared its year, which the reload must not
    // bring back, or a typed year would be saved by the run after it and
    // cleared by the host's next edit (the host reads the file as a run
    // does), the year saved depending on which came last.
    if (has_column && S(6) <= 1.0f) S(11) = 0.0f;
    // Nor a floor type the read of the file took from its floor.
    if (has_column) settle_floor_type_without_kind();
    site_from_loaded_columns(has_column);
}

}  // namespace

void settle_site_from_columns() {
    const bool has_column = has_scheme_column(IDNUM1);
    if (has_column) repair_column();
    site_from_loaded_columns(has_column);
}

bool has_nonresidential_loads(INTEGER type) {
    if (type < 1 || type > 20) return false;
    for (INTEGER row = 1; row <= 14; ++row)
        if (DVALUENR(row, type) != 0.0f) return true;
    return false;
}

void window_groups_from_lines() {
    if (has_scheme_column(IDNUM1)) store_window_groups(repair_column());
}

INTEGER code_table_zone() { return (CECZONE >= 1 && CECZONE <= 16) ? CECZONE : 9; }

void REVISION(INTEGER NTASK) {
    DBG_IN("REVISION top");
    // Only the scheme slots and the default scheme own a column; a
    // combination number or a library slot keeps the model its files gave.
    const bool has_column = has_scheme_column(IDNUM1);
    REAL year_built = kCurrentCodeYear;
    if (has_column) {
        year_built = repair_column();
        trace_before_task();
    } else {
        DBG_INT("REVISION: scheme has no parameter column", IDNUM1);
    }
    if (CECZONE != code_table_zone()) DBG_INT("REVISION: climate zone outside 1 to 16, code tables of zone 9", CECZONE);

    switch (NTASK) {
        case 3:
            if (has_column) transfer_model_to_column(year_built);
            break;
        case 4:
            site_refresh(has_column);
            break;
        case 5:
            DBG_PRINT("REVISION Task 500: copy Strategy to Disk 4159");
            AADISK(6);
            break;
        case 6:
            DBG_PRINT("REVISION Task 600: to Load ccStrategy(16) 4188");
            break;
        default:
            if (NTASK != 2) DBG_INT("REVISION task 0: Write out the following 164", NTASK);
            if (has_column) transfer_column_to_model(year_built);
            break;
    }

    trace_after_task(NTASK, has_column);
    DBG_OUT("REVISION nflag(7)=True");
}

}  // namespace mavo
