// EXPERT: the design generator. From a short description of the building
// (type, floor area, stories, new or existing, year built, attachment) it
// builds scheme 1, the code-minimum design, and scheme 2, the
// energy-efficient design or, for an existing building, the vintage design
// of its year. Both leave without photovoltaic or solar water systems, with
// the water heater and solar record of the defaults.
#include <cmath>
#include <string>

#include "blocks/blocks.h"
#include "design/design.h"
#include "design/design_scheme.h"
#include "design/nonresidential.h"
#include "design/residential.h"
#include "front/trace.h"
#include "physics/physics.h"

namespace mavo {
namespace {

// Hot water of a dwelling, gallons per day: 21.4 plus 0.0067 per ft2 of
// floor, at most that of a 2500 ft2 house.
constexpr REAL kHotWaterBase_gpd = 21.4f;
constexpr REAL kHotWaterPerFt2_gpd = 0.0067f;
constexpr REAL kLargestHouseHotWater_gpd = 38.15f;
constexpr REAL kLargestHouseForHotWater_ft2 = 2500.0f;
constexpr INTEGER kHotelRooms = 14;

// The description must name a scheme column, a building type, stories and
// a floor area; without them no step can size or load the building.
bool description_can_be_designed(const DesignScheme& d) {
    const bool floor_area = AREAT > 0.0f || (!NFLAG(24) && STRATEGY(8, d.k) > 0.0f);
    if (has_scheme_column(d.k) && NTYPE >= 1 && NTYPE <= 20 && FLOORS > 0.0f && floor_area) return true;
    DBG_ERROR("EXPERT: scheme slot, building type, stories or floor area missing; no design made");
    DBG_INT("EXPERT IDNUM1", d.k);
    DBG_INT("EXPERT NTYPE", NTYPE);
    DBG_FLOAT("EXPERT FLOORS", FLOORS);
    DBG_FLOAT("EXPERT AREAT", AREAT);
    return false;
}

void trace_entry(const DesignScheme& d) {
    DBG_PRINT(NFLAG(24) ? "NON-RESIDENTIAL BUILDING using KORVA nflag(24)=T"
                        : "RESIDENTIAL BUILDING using MAVO nflag(24)=F");
    DBG_INT("NTYPE building type EXPERT", NTYPE);
    DBG_LOGICAL("NFLAG(8) code minimum EXPERT", NFLAG(8));
    DBG_LOGICAL("NFLAG(9) efficient EXPERT", NFLAG(9));
    DBG_FLOAT("Strategy(6, new or remodel EXPERT", STRATEGY(6, d.k));
    DBG_FLOAT("Strategy(11, year built EXPERT", STRATEGY(11, d.k));
}

// Daylighting and lights, then the model defaults.
void daylight_and_lights(const DesignScheme& d) {
    REAL daylit_pct = 90.0f;
    if (NTYPE > 15) {
        DILLUM = 2.0f;
        daylit_pct = 100.0f;
    }
    if (!NFLAG(24)) {
        PERCENTDL = daylit_pct;
        LIGHTS = DVALUE(5, NTYPE);
    } else {
        const REAL design_lux = DVALUENR(10, NTYPE);
        DILLUM = design_lux / kLuxPerFootcandle;
        PERCENTDL = 90.0f;
        LIGHTS = DVALUENR(6, NTYPE);
        const REAL Y = d.year_built;
        if (d.k == 2 && Y > kYearNotGiven && Y < 2005.0f) {
            // An older building: no daylight controls, more light from older lamps.
            PERCENTDL = 0.0f;
            DILLUM = 1.5f * design_lux / kLuxPerFootcandle;
            LIGHTS = 5.0f;
        }
    }
    WIDTHDL = -1.0f;  // the defaults recompute the daylit depth
    AVERAG();
}

// The solar record from its defaults, no solar
// systems in the base schemes, the hot water of the building.
void solar_record_and_hot_water(const DesignScheme& d) {
    const bool base_scheme = d.k == 1 || d.k == 2;
    if (base_scheme) NFLAG(54) = true;

    const INTEGER j = SSYSNO;
    if (j >= 1 && j <= 4) {
        SPANEL(j) = DSPANEL(j);
        SCONTROL(j) = DSCONTROL(j);
        SWIDTH(j) = DSWIDTH(j);
        SHEIGHT(j) = DSHEIGHT(j);
        SSTRINGS(j) = DSSTRINGS(j);
        SFACING(j) = DSFACING(j);
        SSPARE1(j) = DSSPARE1(j);
        SSPARE2(j) = DSSPARE2(j);
        SAREAC(j) = DSAREAC(j);
        SQTY(j) = 0.0f;
        STILT(j) = std::abs(SLAT);
    } else {
        DBG_INT("EXPERT: solar system number outside 1-4 not loaded", j);
    }

    if (base_scheme) {
        STRATEGY(50, d.k) = 0.0f;
        NFLAG(41) = false;
        PVKWH = {};
        PVDEMAND = {};
        PVCOST = {};
    }

    SSYSNO = 2;
    SQTY(2) = 0.0f;
    STILT(2) = std::abs(SLAT);
    SPANEL(2) = DSPANEL(2);
    SCONTROL(2) = DSCONTROL(2);
    SWIDTH(2) = DSWIDTH(2);
    SHEIGHT(2) = DSHEIGHT(2);
    SSTRINGS(2) = DSSTRINGS(2);
    SFACING(2) = DSFACING(2);
    SSPARE1(2) = DSSPARE1(2);
    SSPARE2(2) = DSSPARE2(2);
    STENV(2) = DSTENV(2);
    SNTANK(2) = DSNTANK(2);
    STMAX(2) = DSTMAX(2);
    SDHWP1(2) = DSDHWP1(2);
    SDHWP2(2) = DSDHWP2(2);
    SAREAC(2) = DSAREAC(2);
    SREFNO(2) = DSREFNO(2);
    SHEATER(2) = DSHEATER(2);
    SMODEL(2) = DSMODEL(2);
    SAFUELTYPE(2) = DSAFUELTYPE(2);
    SDHWP3(2) = DSDHWP3(2);
    SDHWP4(2) = DSDHWP4(2);
    SEF(2) = DSEF(2);
    SAVTANK(2) = DSAVTANK(2);
    SAINPUTRATE(2) = DSAINPUTRATE(2);
    STHERMEFF(2) = DSTHERMEFF(2);
    SDHWP5(2) = DSDHWP5(2);
    SDHWP6(2) = DSDHWP6(2);
    SDHWP7(2) = DSDHWP7(2);
    SDHWP8(2) = DSDHWP8(2);
    SDHWP9(2) = DSDHWP9(2);
    SCREFNO(2) = DSCREFNO(2);
    SCOLLECTOR(2) = DSCOLLECTOR(2);
    SCBRAND(2) = DSCBRAND(2);
    SCMODEL(2) = DSCMODEL(2);
    SDHWP10(2) = DSDHWP10(2);
    SCAREA(2) = DSCAREA(2);
    SFRTA(2) = DSFRTA(2);
    SFRUL(2) = DSFRUL(2);
    SDHWP11(2) = DSDHWP11(2);
    SDHWP12(2) = DSDHWP12(2);
    SSEF(2) = DSSEF(2);
    SSINPUTRATE(2) = DSSINPUTRATE(2);
    SSTHERMEFF(2) = DSSTHERMEFF(2);
    SSVTANK(2) = DSSVTANK(2);

    if (!NFLAG(24)) {
        SGPD(2) = AREAT > kLargestHouseForHotWater_ft2 ? kLargestHouseHotWater_gpd
                                                      : kHotWaterBase_gpd + kHotWaterPerFt2_gpd * AREAT;
    } else if (NTYPE == kHotelRooms) {
        SGPD(2) = kHotWaterBase_gpd + kHotWaterPerFt2_gpd * AREAT;
    } else {
        SGPD(2) = DVALUENR(5, NTYPE) * 24.0f * PEOPLE;  // gal/h per occupant over the day
    }
    // The tank set point of the type's schedules, F; a type whose table
    // has none (the dwellings) keeps the default record's.
    const INTEGER set_point_F = SCHEDULES(1, 13, NTYPE);
    STSET(2) = set_point_F > 0 ? static_cast<REAL>(set_point_F) : DSTSET(2);

    // An existing building keeps the water heater of its year.
    if (STRATEGY(6, d.k) >= 2.0f && !NFLAG(9)) SEF(2) = WHEF;
}

void trace_final(const DesignScheme& d) {
    if (!NFLAG(90)) return;
    DBG_INT("WHTYPE water heater EXPERT", WHTYPE);
    DBG_FLOAT("WHEF energy factor EXPERT", WHEF);
    DBG_FLOAT("SEF(2) solar record EXPERT", SEF(2));
    DBG_FLOAT("SGPD(2) gallons per day EXPERT", SGPD(2));
    for (INTEGER i = 7; i <= 49; ++i)
        DBG_FLOAT("Strategy(" + std::to_string(i) + ", final EXPERT", STRATEGY(i, d.k));
    DBG_FLOAT("REMITT roof emittance EXPERT", REMITT);
    DBG_FLOAT("ABSORB(10) roof absorptance EXPERT", ABSORB(10));
    DBG_FLOAT("RSLOPE roof slope EXPERT", RSLOPE);
    DBG_FLOAT("RINSCEIL ceiling insulation EXPERT", RINSCEIL);
    for (INTEGER i = 1; i <= 12; ++i) {
        const std::string n = std::to_string(i);
        DBG_FLOAT("AREA(" + n + ") final EXPERT", AREA(i));
        DBG_FLOAT("PERCNT(" + n + ") final EXPERT", PERCNT(i));
        DBG_FLOAT("UVAL(" + n + ") final EXPERT", UVAL(i));
    }
    DBG_FLOAT("EWDIM final EXPERT", EWDIM);
    DBG_FLOAT("NSDIM final EXPERT", NSDIM);
    for (INTEGER n = 1; n <= 4; ++n) {
        const std::string e = std::to_string(n);
        DBG_FLOAT("LNTH(" + e + ") mass EXPERT", LNTH(n));
        DBG_FLOAT("WDTH(" + e + ") mass EXPERT", WDTH(n));
        DBG_FLOAT("THCK(" + e + ") mass EXPERT", THCK(n));
        DBG_FLOAT("NELMNT(" + e + ") mass EXPERT", NELMNT(n));
        DBG_FLOAT("DNST(" + e + ") mass EXPERT", DNST(n));
        DBG_PRINT(MTUSED(n).view());
    }
    DBG_FLOAT("COPHT heating EXPERT", COPHT);
    DBG_FLOAT("COPAC cooling EXPERT", COPAC);
    DBG_FLOAT("SEER = COPAC*3.412 EXPERT", COPAC * kBtuhPerWatt);
    DBG_FLOAT("STSET(2) tank set point EXPERT", STSET(2));
}

}  // namespace

void EXPERT() {
    DBG_IN("EXPERT");
    DesignScheme d;
    d.k = IDNUM1;
    if (!description_can_be_designed(d)) {
        DBG_OUT("EXPERT");
        return;
    }
    // The code tables hold zones 1 to 16; another zone is taken as zone 9,
    // as the window list stores it.
    if (CECZONE < 1 || CECZONE > 16) {
        DBG_INT("CECZONE outside 1-16 set to 9 EXPERT", CECZONE);
        CECZONE = 9;
    }
    d.z = CECZONE;
    trace_entry(d);

    if (NFLAG(24)) nonresidential_design(d);
    else residential_design(d);

    daylight_and_lights(d);
    solar_record_and_hot_water(d);
    trace_final(d);
    DBG_OUT("EXPERT");
}

}  // namespace mavo
