// The design transfer (REVISION, declared with the other procedures of the
// project files): its two long tasks live in their own files and share the
// few helpers below.
//
// Both tasks work on the parameter column of the current scheme,
// STRATEGY(.,IDNUM1); REVISION calls them only for a scheme number that has
// a column (1 to 9 and the default scheme 10).
#pragma once
#include <optional>

#include "blocks/design_codes.h"
#include "support/types.h"

namespace mavo {

// Whether building type `type` has a row of non-residential loads (occupants,
// lights, plug and process loads, outside air): only such a type describes
// a non-residential building, and only a non-residential run saves one.
bool has_nonresidential_loads(INTEGER type);

// Task 2: the parameter column becomes the working building model
// (dimensions, type and title, heating, cooling, leakage and venting,
// construction properties, window, door and skylight lines, model
// defaults). `year_built` is the year built in use for this call.
void transfer_column_to_model(REAL year_built);

// After a design of scheme 1 or 2 (condensed into its column by task 3):
// what every later load of the saved scheme makes of it, the input file's
// and task 2's rules for the design kind (flags 8 and 9), the venting and
// the air speed, and a non-residential type's loads, so that the design run
// simulates and saves what its re-runs do.
void settle_design_as_reloaded();

// Task 3: the working building model is condensed back into the parameter
// column (codes re-derived from efficiencies, library glazing codes, the
// glazing era of a non-residential scheme).
void transfer_model_to_column(REAL year_built);

// Steps 9 to 11 of task 3 alone: the window, door and skylight groups of
// the column from the model's lines (a dwelling of scheme 1 or 2 line k
// into group k, every other scheme its lines with units one after the
// other), with their library glazing codes.
void store_window_groups(REAL year_built);

// Step 10g of task 3 for a scheme of the current code's glazing (era 4):
// line k takes the code glazing of its type, a door its door type's, a
// skylight the skylight type's, every other line the window type's.
void take_code_glazing_of_type(INTEGER k);

// Step 10h of task 3: the geometry of line k into the group at offset j
// (its facade code, quantity, width, height, sill and overhang).
void store_line_geometry(INTEGER k, INTEGER j);

// The library window (a row of the library glazing table with a visible
// transmittance, not a door's or skylight's of any SHGC) of glazing code
// `code`; none when no such row holds it.
std::optional<design_codes::GlazingValues> library_window_glazing(INTEGER code);

// Whether some window line with units holds glass `g` whole (U-factor,
// SHGC and visible transmittance).
bool some_window_holds(const design_codes::GlazingValues& g);

// The glass of library window `code` where some window of the scheme holds
// it. A scheme-wide code whose window no window holds names no glass of
// theirs: it is the mark of windows not alike (1, or -1 with its sign
// dropped), or a code the last save stored under another year or site.
std::optional<design_codes::GlazingValues> library_glass_some_window_holds(INTEGER code);
// Line k holds glass g in all three words (U-factor, SHGC, transmittance).
bool line_holds(INTEGER k, const design_codes::GlazingValues& g);
// Whether line `k` holds glass `g` in two of its three words at least (one
// word the designer typed of its own beside it).
bool line_holds_but_a_word(INTEGER k, const design_codes::GlazingValues& g);
// The glass the windows share beside the words the designer typed of
// their own: each word (U-factor, SHGC, visible transmittance) the value
// more window lines hold than any other; where no one value leads in a
// word, that word of `none_leads`; none where no window counts. Lines
// without glass of their own (a group's new line) count not; where no
// window has units, the lines of the emptied groups, in the glass they
// keep, count.
// A word `typed` on the new line (above 0) stays whatever the others hold,
// so no lead is asked of it.
std::optional<design_codes::GlazingValues> glass_most_windows_hold(const design_codes::GlazingValues& typed,
                                                                   const design_codes::GlazingValues& none_leads);

// The glass scheme-wide glazing code `code` (row 60) gives the windows of a
// dwelling, or of another building of its own glazing, in climate zone
// `zone`: 25 the zone's code glass, 5 that of the 2004 code (a dwelling
// built from 2004, another building from 2013); none for any other code.
std::optional<design_codes::GlazingValues> scheme_code_glass(REAL code, bool dwelling, REAL year_built,
                                                             INTEGER zone);

// The scheme-wide code (25 or 5) another building of its own glazing keeps
// while every window holds the glass it gives in climate zone `zone`:
// `code` itself, or for the mark of windows not alike (1 or -1) the code
// whose glass they all hold again; none otherwise, or for a house.
std::optional<REAL> scheme_code_the_windows_keep(REAL code, REAL year_built, INTEGER zone);

// Whether scheme-wide code `code` of another building of its own glazing
// names no glass its windows hold (the mark of windows not alike, or a
// library window no window holds), while some window holds glass.
bool code_names_no_glass_of_the_windows(REAL code, REAL year_built, INTEGER zone);

// Before the windows are judged alike: under a scheme-wide code glass, each
// word of a window that still holds the code glass the last run gave it (at
// that run's zone, as either kind of building) takes the code glass of the
// site and kind in force (climate zone `zone`).
void code_glass_follows_site_and_kind(REAL year_built, INTEGER zone);

// Floor and under-floor codes (slots 33 and 49) of a generated home, scheme
// 1 or 2 in residential mode, from the floor items the model has: none, a
// raised floor, a slab; a floor type of that kind already chosen stays.
// Task 3 stores them after every run; task 2 takes them first for a home
// whose column names no floor type yet, so the first run simulates the
// floor the later runs do.
void floor_codes_from_surfaces();

// A dwelling's floor type without a kind of its own (0, a code between or
// above the table's, not marked as a construction the user changed) stands
// for the floor the model's items hold, as the input file gave them: it is
// read, in every slot, as the type of that floor's kind
// (floor_codes_from_surfaces' rule), so that the first run simulates and
// saves the floor the later runs do. floor_type_read_as gives the type a
// floor type `typed` is read as; the file's reader trims the floor items to
// it. settle_floor_type_without_kind puts it into the column before anything
// else reads the column's: after the column is loaded again, and as it
// becomes the model.
REAL floor_type_read_as(REAL typed);
void settle_floor_type_without_kind();

// The cooling code task 3 stores for the model's cooling efficiency (and
// the heat-pump pair, the evaporative cooler's effectiveness), `typed` the
// code the column held: negated where no code names the efficiency.
REAL cooling_code_of_model(REAL typed, INTEGER zone);

// Floor types of a dwelling (STRATEGY(33,k), a changed construction's by
// its magnitude) by kind: raised floors, slabs on grade, basements.
bool is_raised_floor_type(REAL type);
bool is_slab_type(REAL type);
bool is_basement_type(REAL type);

// Natural ventilation class of a scheme that ventilates naturally (row 29
// of 2 or more, `code`) from where the glazing is: 10 no glazing, 11 or 12
// one facade (one or more stories), 21 or 22 cross ventilation, 13 and 23
// the same in tall spaces; `code` where the stories name none of these; 0
// in the code-minimum design, which has no natural ventilation.
REAL natural_ventilation_class(REAL code);

// Lines with a quantity numbered from 1 in IPOINT, facade by facade (south,
// west, north, east, skylight) and by line within a facade, as task 2
// numbers them on every load; the generator numbers its window list so.
void number_window_lines();

// The window, skylight and door types WTYPE, STYPE and DTYPE marked
// user-defined (negative): the lines carry glazing values of their own, not
// the rows of the non-residential type table. Task 2 marks a dwelling's so
// on every load; the generator marks the dwellings it lays out alike.
void mark_glazing_types_custom();

// The types of a dwelling that has window lines marked user-defined, as
// every load of it marks them.
void mark_dwelling_glazing_types_custom();

// The window, skylight and door types WTYPE, STYPE and DTYPE as rows of the
// non-residential type table (positive), as a scheme of the current code's
// glazing (era 4) holds them whenever its input file is read.
void glazing_types_of_the_code_table();

// A house or another building of its own glazing (era 6) given a year
// built before the current code is of the current code's glazing (era 4)
// again, its types the code table's.
void glazing_era_of_its_year(REAL year_built);

// Task 4 on the parameter columns in memory, the strategy file not read
// again: the site of the current scheme settled from its column (zip code,
// weather source, the zip-code table's rate zones, the weather file's
// year, the zone's code window), as a run of the scheme settles it.
void settle_site_from_columns();

// Climate zone whose column of the code tables applies: CECZONE when it is
// one of the 16 California zones, otherwise zone 9, the zone of the default
// site the zip-code lookup falls back on.
INTEGER code_table_zone();

// A heating code (STRATEGY(18)) of 2 to 6 typed with a heat pump's cooling
// code (STRATEGY(20) of 7 to 9), or a heat pump's heating code with an air
// conditioner's (2 to 5): a pair that no coded system has.
bool typed_systems_mixed(REAL heating, REAL cooling);

// The efficiency a heating code names in climate zone `zone`: the AFUE of a
// furnace (2 to 5), Btu per Wh of electric heat (6), the HSPF of a heat pump
// (7 to 9); 0 for any other code.
REAL heating_efficiency_of_code(REAL code, INTEGER zone);

// The cooling COP a cooling code names in climate zone `zone`: 0 below 2 (no
// air conditioning) and for the evaporative cooler (6); none for a code that
// names no efficiency (the COP in force stays).
std::optional<REAL> cooling_cop_of_code(REAL code, INTEGER zone);

// A code marked as user-defined (custom) by its sign. Zero has no sign to
// carry and stays +0, so that no -0 reaches the strategy file.
inline REAL negated_code(REAL code) { return code == 0.0f ? 0.0f : -code; }

// SEER (Btu per Wh) to a coefficient of performance: 3.412 Btu per Wh.
inline constexpr REAL kBtuPerWattHour = 3.412f;

}  // namespace mavo
