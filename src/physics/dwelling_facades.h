// The outside envelope of a dwelling of a design scheme. A unit attached to
// its neighbours shares walls with them, and an attached garage stands
// against part of one facade (or under part of the roof): none of that
// loses heat to the outside air. The generator lays the dwelling out with
// these surfaces removed, and every later load of the scheme rebuilds its
// facades by the same rules, so each run simulates the same envelope.
#pragma once
#include "support/types.h"

namespace mavo {

// Facades 1 south, 2 west, 3 north, 4 east; item 5 is the roof.
inline constexpr INTEGER kRoofItem = 5;

// The current scheme is a design scheme's dwelling (slot 1 or 2) whose
// facades and roof the model defaults lay out again on this load, with
// glazing or without (a daylit depth of 0, as a run saves a dwelling
// without glass): only the generator's own call (depth -1) lays them out
// itself.
bool lays_out_dwelling_facades();

// Attachment codes STRATEGY(7,k) of a dwelling: 2 a row house, 3 and 4 an
// apartment. Every other code (0, 5 ...) is a detached house, which the
// scheme's column holds as 1 on every load and save.
inline constexpr REAL kDetachedHouse = 1.0f;
constexpr bool attachment_is_detached(REAL code) { return code != 2.0f && code != 3.0f && code != 4.0f; }

// Facade f of dwelling scheme k is shared with a neighbouring unit, by its
// attachment STRATEGY(7,k) (2 a row house, 3 an apartment open to the south
// and the sides) and shared walls STRATEGY(9,k) (row houses: 1 east and
// west, 2 west, 3 east).
bool dwelling_facade_shared(INTEGER k, INTEGER facade);

// The plan's grid is at least one 4-ft cell larger than the floor of one
// story: the plan has a notch.
bool plan_has_notch();

// Where an attached garage STRATEGY(34,k) (2 south, 3 west, 4 north, 5 east)
// stands: the facade, the garage's width along it and the wall it covers.
// A garage against a shared wall, or of another code, covers nothing.
struct GarageCover {
    INTEGER facade = 0;    // 1-4; 0 none
    REAL width_ft = 0.0f;  // along the facade
    REAL wall_ft2 = 0.0f;  // one story of at most 9 ft times the width
};
GarageCover attached_garage_cover(INTEGER k);

// A dwelling of scheme k with another heated unit below it (attachment
// STRATEGY(7,k) 3 or more, shared surfaces STRATEGY(9,k) 2 or 3): it has no
// floor losses.
bool dwelling_over_heated_unit(INTEGER k);

// Another building of scheme k with another heated unit below it (floor
// and roof STRATEGY(10,k) 2 or 3): it has no floor losses.
bool building_over_heated_unit(INTEGER k);

// A floor under the whole footprint RAX of the plan (a raised floor's or a
// basement's): its area and its share of the plan.
void floor_over_footprint();

// A raised floor under the whole footprint, and no slab edge.
void raised_floor_over_footprint();

// The slab edge of dwelling scheme k's plan that faces the outside, ft: the
// plan's perimeter, less the width of an attached garage standing on it.
REAL slab_edge_of_plan_ft(INTEGER k);

// Gross area of item (1-4 a wall, 5 the roof) of dwelling scheme k that
// faces the outside, ft2: the whole wall or roof, less what a neighbour
// shares or a garage covers; a shared east wall keeps the 4-ft wall of the
// plan's notch.
REAL dwelling_outside_area_ft2(INTEGER k, INTEGER item);

// The opaque part of item (1-4 a wall, 5 the roof) of dwelling scheme k,
// ft2: its outside area less the openings its lines hold.
REAL dwelling_opaque_area_ft2(INTEGER k, INTEGER item);

// The facades of the current scheme from its window, door and skylight
// lines: per item 1 to 5 the glass-and-door area AREA(i) and its
// area-weighted U-factor, SHGC and visible transmittance (UVAL, SC, ABSORB;
// means too small to be real glazing leave the old values), the opaque wall
// or roof AREA(i+5) = outside area less the openings, and both as
// percentages of the gross wall or roof. A scheme without a parameter
// column has no attachment: its whole walls face the outside.
void dwelling_facade_areas();

// The glass and doors of item 1 to 5 (a facade, the roof) and its opaque
// wall or roof (item + 5) as percentages of their gross area. The design
// and every run that sums the items again derive them by this one rule:
// shares reckoned another way (100 less the glass's) left a facade whose
// glass went and came back with other shares in its last digit than one
// never touched.
void facade_shares(INTEGER item, REAL gross_ft2);

// The glazing items 1 to 5 of another building's design scheme, or of a
// slot whose line a run emptied, from its window, door and skylight lines,
// as a design sums them: the glass and
// door area of each facade and of the roof, and its area-weighted U-factor,
// SHGC and visible transmittance (0 without glazing). Glass its lines no
// longer hold (a line emptied since the last run) goes back to the opaque
// wall or roof (AREA(item+5)), the facade's gross area and the shares
// following.
void building_glazing_items_from_lines();

}  // namespace mavo
