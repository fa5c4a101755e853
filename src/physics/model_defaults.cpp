// AVERAG: the quantities of the one-zone model that follow from the
// building description rather than being entered. Glazing areas, facade
// percentages and area-weighted glazing properties per facade (residential
// design schemes), the internal loads in Btu/h, and the daylit, interior and
// skylit zones that the daylight procedures use.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "blocks/blocks.h"
#include "front/trace.h"
#include "physics/dwelling_facades.h"
#include "physics/physics.h"
#include "physics/sol_air.h"
#include "support/numeric.h"

namespace mavo {
namespace {

constexpr REAL kBtuhPerWatt = 3.412f;
constexpr REAL kDegreesToRadians = 0.017452778f;
constexpr REAL kNonresDaylitDepthShare = 0.85f;  // daylight reaches less deep past office partitions
constexpr REAL kDefaultEquipmentMarker = 7777.0f;  // non-residential equipment follows the type table
constexpr INTEGER kSkylightItem = 5;

// Roof types -1 to 1 mean another heated unit upstairs: the construction
// step gave the roof no area, and the opaque roof left beside the skylights
// must not bring it back as an outside roof that loses heat.
void keep_no_loss_roof() {
    if (!has_scheme_column(IDNUM1)) return;
    const REAL roof_type = STRATEGY(32, IDNUM1);
    if (roof_type < -1.0f || roof_type > 1.0f) return;
    AREA(10) = 0.0f;
    PERCNT(10) = 0.0f;
}

void residential_loads() {
    PEOPLE = dwelling_occupants();
    TOLOAD = PEOPLE * PBTUH;
    TLLOAD = LIGHTS * AREAT * kBtuhPerWatt;
    TELOAD = EQPT * AREAT * kBtuhPerWatt;
}

// Depth of the daylit zone behind the glazed facades, ft, before the shape
// correction: twice the ceiling height, no deeper than the building (half
// of it when opposite facades are both glazed).
REAL daylit_depth() {
    REAL w_ft = 2.0f * FLTOCE;
    if (NFLAG(24)) w_ft *= kNonresDaylitDepthShare;
    if (AREA(1) + AREA(2) + AREA(3) + AREA(4) <= 0.0f) w_ft = 0.0f;
    if (AREA(1) + AREA(3) > 0.0f) w_ft = std::min(w_ft, NSDIM);
    if (AREA(1) * AREA(3) > 0.0f) w_ft = std::min(w_ft, 0.5f * NSDIM);
    if (AREA(2) + AREA(4) > 0.0f) w_ft = std::min(w_ft, EWDIM);
    if (AREA(2) * AREA(4) > 0.0f) w_ft = std::min(w_ft, 0.5f * EWDIM);
    return w_ft;
}

// Volume over the bounding box: 1 for a rectangular box. A box without
// volume (a dimension not entered) has no shape to correct.
REAL shape_correction() {
    const REAL box_ft3 = EWDIM * NSDIM * FLOORS * FLTOCE;
    return box_ft3 > 0.0f ? VOLUME / box_ft3 : 1.0f;
}

void interior_zone(REAL shape) {
    REAL width_ft = NSDIM;
    if (AREA(1) > 0.0f) width_ft -= WIDTHDL;
    if (AREA(3) > 0.0f) width_ft -= WIDTHDL;
    WIDTHSLZ = std::max(0.0f, width_ft);
    REAL length_ft = EWDIM;
    if (AREA(2) > 0.0f) length_ft -= WIDTHDL;
    if (AREA(4) > 0.0f) length_ft -= WIDTHDL;
    LENGTHSLZ = std::max(0.0f, length_ft);
    INTZONE = std::max(0.0f, LENGTHSLZ * WIDTHSLZ * shape);
}

// Longest daylit run along a facade that one daylight zone may cover, by
// building type, ft.
REAL daylit_length_limit() {
    switch (NTYPE) {
        case 1: case 2: case 3: case 4: case 6: case 7: case 10: case 11: case 12: return 40.0f;
        default: return NTYPE >= 14 ? 20.0f : 30.0f;
    }
}

void daylit_length() {
    REAL l_ft = EWDIM;
    if (AREA(2) > 0.0f) l_ft = NSDIM;
    else if (AREA(4) > 0.0f && EWDIM > NSDIM) l_ft = NSDIM;
    LENGTHDL = std::min(daylit_length_limit(), l_ft);
}

// Floor area lit by one unit of a skylight line: the light spreads from the
// skylight well over twice the ceiling height. False when the well geometry
// leaves no spread to compute (a denominator of zero).
bool skylit_area_of_unit(INTEGER j, REAL& area_ft2) {
    const REAL hc2_ft = 2.0f * FLTOCE;
    const REAL well_ft = FLTOFL - FLTOCE;
    const REAL w = WIDTH(j), h = HEAD(j), s = SILL(j);
    const REAL t = TILT(j) * kDegreesToRadians;
    const REAL sin_t = std::sin(t), cos_t = std::cos(t);

    const REAL f = well_ft + sin_t * h;
    const REAL g = f > 0.0f ? (FLTOCE + f) * w / f : hc2_ft + w;
    const REAL width_ft = std::min(hc2_ft + w, 2.0f * g - w);

    REAL v = TILT(j) < 90.0f ? hc2_ft : 0.0f;
    REAL p = hc2_ft;
    if (well_ft > 0.0f || s + sin_t > 0.0f) {
        const bool sloped = TILT(j) > 0.0f && TILT(j) < 90.0f;
        const REAL head_well = sin_t * h + well_ft;
        const REAL sill_well = sin_t * s + well_ft;
        if ((sloped && head_well == 0.0f) || sill_well == 0.0f) return false;
        if (sloped) v = h * cos_t * (FLTOCE + sin_t * h) / head_well;
        p = (h - s * cos_t) * (FLTOFL + sin_t * s) / sill_well;
    }
    const REAL length_ft = std::min(h + hc2_ft, p + v - (h - s) * cos_t);
    area_ft2 = width_ft * length_ft;
    return true;
}

void skylit_area() {
    // Summed wide: 25 lines of up to INT32_MAX units each would wrap.
    std::int64_t units = 0;
    INTZONEX = 0.0f;
    for (INTEGER j = 1; j <= 25; ++j) {
        if (ITEMS(j) != kSkylightItem || QTY(j) <= 0.0f) continue;
        REAL unit_ft2 = 0.0f;
        if (!skylit_area_of_unit(j, unit_ft2)) {
            DBG_INT("skylight line without well depth skipped AVERAG", j);
            continue;
        }
        units += int_toward_zero(QTY(j));
        INTZONEX += QTY(j) * unit_ft2;
    }
    NSKYUNITS = static_cast<INTEGER>(std::min<std::int64_t>(units, std::numeric_limits<INTEGER>::max()));
    if (FLOORS > 0.0f) {
        // No more than one floor, and no more than the roof over it.
        REAL x_ft2 = std::min(INTZONEX, AREAT / FLOORS);
        if (AREA(5) > 0.0f) x_ft2 = std::min(x_ft2, RAX);
        INTZONEX = x_ft2;
        SKYFLOOR = AREA(5) > 0.0f ? x_ft2 : 0.0f;
    }
}

}  // namespace

REAL dwelling_occupants() { return PAREA > 0.0f ? AREAT / PAREA : 0.0f; }

REAL dwelling_fresh_air_cfm(REAL occupants) {
    constexpr REAL kPerFloorArea_cfm_ft2 = 0.01f;
    constexpr REAL kPerOccupant_cfm = 7.5f;
    return AREAT * kPerFloorArea_cfm_ft2 + occupants * kPerOccupant_cfm;
}

void nonresidential_type_loads() {
    // The type's defaults apply only to a type that has a column in the table.
    const bool type_known = NTYPE >= 1 && NTYPE <= 20;
    if (!type_known) DBG_INT("ERROR building type not 1-20, type defaults not applied AVERAG", NTYPE);
    auto r = [](INTEGER row) { return DVALUENR(row, NTYPE); };
    const bool design_scheme = IDNUM1 < 3 && type_known;
    if (design_scheme) {
        EQPT = kDefaultEquipmentMarker;
        if (r(1) > 0.0f) PAREA = 1000.0f / r(1);  // occupants per 1000 ft2
        PEOPLE = PAREA > 0.0f ? AREAT / PAREA : 0.0f;
    }
    PAREA = PEOPLE > 0.0f ? AREAT / PEOPLE : 0.0f;
    if (design_scheme) {
        PBTUH = r(2);
        LIGHTS = r(6);
    }
    TOLOAD = PBTUH * PEOPLE;
    TLLOAD = LIGHTS * AREAT * kBtuhPerWatt;
    TELOAD = 0.0f;
    if (design_scheme) {
        PEAK = kBtuhPerWatt * (r(6) + r(4) + r(9)) + r(8);
        if (PAREA > 0.0f) PEAK += r(2) / PAREA;
    }
}

void AVERAG() {
    DBG_IN("AVERAG");
    // Every load lays a design scheme's dwelling out again, with glass or
    // without (a depth of 0, as the run that emptied its glass saved it):
    // its walls and roof follow the plan, floor area and stories in force,
    // not those of the run that emptied its glass.
    if (lays_out_dwelling_facades()) {
        TELOAD = 0.0f;
        // A design's walls shared with a neighbour or covered by its
        // garage stay out of the envelope on every load, as the
        // generator laid them out.
        dwelling_facade_areas();
        keep_no_loss_roof();
        // A wall or roof the lay-out left without area has no outside
        // film, as the construction step judged on the areas loaded.
        clear_outside_film_without_area();
    }
    // The internal loads follow the building type and floor area in force
    // on every load, with glass or without: a building without glass kept
    // those of the last load that had glass, so a warehouse retyped a store
    // was lit and occupied as the warehouse. The design generator's own
    // call (depth -1, to be worked out) leaves them to the run's load.
    if (WIDTHDL >= 0.0f) {
        if (!NFLAG(24)) residential_loads();
        else nonresidential_type_loads();
    }
    ITEM = 6;

    const REAL w_ft = daylit_depth();
    const REAL shape = shape_correction();
    WIDTHDL = w_ft * shape;
    // A building without glazing has no daylight, as no facade of it is
    // daylit, whatever share of its floor the design daylights: that share
    // stays in its input file, so that glass typed back is daylit as the
    // design had it. Set to 0 here, it was lost for good with the glass.
    interior_zone(shape);
    daylit_length();
    skylit_area();

    DBG_FLOAT("PEOPLE AVERAG", PEOPLE);
    DBG_FLOAT("TLLOAD lights Btu/h AVERAG", TLLOAD);
    DBG_FLOAT("WIDTHDL daylit depth AVERAG", WIDTHDL);
    DBG_FLOAT("LENGTHDL daylit length AVERAG", LENGTHDL);
    DBG_FLOAT("INTZONE interior zone AVERAG", INTZONE);
    DBG_FLOAT("INTZONEX skylit area AVERAG", INTZONEX);
    DBG_FLOAT("SKYFLOOR AVERAG", SKYFLOOR);
    DBG_OUT("AVERAG");
}

}  // namespace mavo
