// The summary table of annual results, one column per scheme, and the fixed
// labels of the envelope items and screens.
#pragma once
#include <cstddef>

#include "blocks/block_export.h"
#include "support/farray.h"
#include "support/fstring.h"
#include "support/types.h"

namespace mavo {

// Annual results by row and scheme column, zero at load. Saved and restored
// whole with the project state, reloaded with a scheme's results file, and
// read by the host after a run, so the layout is fixed: SUMARY(80,19) from
// word 1 (row fastest), then SUMARYX(18) from word 1521; 1538 words.
//
// Columns: 1-9 scheme slots 1-9 (column = IDNUM1; the default scheme, slot
// 10, uses column 10); 10-18 the back copy of scheme k in column k+9 (row 1
// the floor area of the last single-zone summary, row 2 the window area) and
// the columns of combination schemes, members the digits of NCOMBO(k-9);
// 19 the difference of two schemes.
//
// Rows (months 1-12 and hours 1-24 are stored as reals), with their writer:
//   1 conditioned floor area AREAT, ft2                        SUMUP
//   2 glazed area, windows of four facades and skylight, ft2   SUMUP
//   3 south glazing AREA(1), ft2                               SUMUP
//   4 roof and skylight area, ft2                              SUMUP
//   5 wall and window area, ft2                                SUMUP
//   6 area-weighted U of roof and skylight, Btu/h.ft2.F        SUMUP
//   7 area-weighted U of walls and windows, Btu/h.ft2.F        SUMUP
//   8 ASLOSS design heat loss, Btu/h                           SUMUP
//   9 design heat loss per ft2 of floor, Btu/h.ft2             SUMUP
//  10 CLC envelope conductance, Btu/h.F                        SUMUP
//  11 window area as % of floor                                SUMUP
//  12 south glazing as % of floor                              SUMUP
//  13 non-south glazing as % of floor                          SUMUP
//  14 PKLOSS peak total heat loss, Btu/h                       SUMUP
//  15 PKGAIN peak total heat gain, Btu/h                       SUMUP
//  16 balance point without sun, F                             SUMUP
//  17 balance point in sun, F (999.9 when none)                SUMUP
//  18 heating output, kBtu/ft2                                 CALBEP
//  19 cooling output, kBtu/ft2                                 CALBEP, COST
//  20 total HVAC output |18| + 19, kBtu/ft2                    CALBEP
//  21 HFUEL heating fuel, therms                               CALBEP, COST
//  22 AElit lighting electricity, kWh                          COST
//  23 AEeqp plug-load electricity, kWh                         COST
//  24 AEcl cooling electricity, kWh                            COST
//  25 AETOT electricity consumed, kWh                          CALBEP, COST
//  26 HVACPH peak heating output (negative), kBtu/h            CALBEP
//  27-28 month and hour of row 26                              CALBEP
//  29 HVACPC peak cooling output, kBtu/h                       CALBEP
//  30-31 month and hour of row 29                              CALBEP
//  32 peak electric demand, kW                                 CALBEP
//  33-34 month and hour of row 32                              CALBEP
//  35 COSTf fuel cost, gross, $                                COST
//  36 COSTe electricity cost, gross, $                         COST
//  37 COSTT total energy cost, $                               CALBEP, COST
//  38 SITEnBTU net site energy intensity, kBtu/ft2             CALBEP, COST
//  39 SORCtl source energy intensity, kBtu/ft2                 CALBEP, COST
//  40 airact mean air changes, 1/h                             CALBEP
//  41-45 NOx, SOx, PM-10 (0), reactive organics (0), Hg, lbs   CALPOLL
//  46 CO2netE electricity CO2 net of PV, lbs                   CALPOLL
//  47 CO2nSite row 46 plus fuel CO2, lbs                       CALPOLL
//  48 days simulated, 12 or 365                                CALCS
//  49-50 winter and summer days of the gas bill                COST
//  51-54 not used, zeroed                                      COST
//  55 COSTPV photovoltaic savings, $                           COST
//  56 AEnet electricity purchased net of PV, kWh               COST
//  57 CostEnet electricity cost, net, $                        COST
//  58 CostTnet total energy cost, net, $                       COST
//  59 SITEgkwh gross site energy, kWh                          CALBEP, COST
//  60 SITEnkwh net site energy per ft2, kWh/ft2                CALBEP, COST
//  61 CO2nSour source CO2, lbs                                 CALPOLL
//  62 CO2inPV CO2 avoided by PV, lbs                           CALPOLL
//  63 AFeqpt appliance and equipment fuel, therms              COST
//  64 AFSHW fuel displaced by solar water heating, therms      SDHWCALC, COST
//  65 AFWH water-heater fuel after solar, therms               COST
//  66 AFTOT total fuel, gross, therms                          COST
//  67 hours needing heating                                    TSTORE, PEAKS
//  68 hours with cooling                                       TSTORE, PEAKS
//  69 hours outside the comfort band                           TSTORE
//  70 AEPV photovoltaic electricity, kWh                       PVCALC
//  71 AEHEAT electric heating, kWh                             CALBEP, COST
//  72 AEFANS fans and blowers, kWh                             CALBEP, COST
//  73 AFNET fuel purchased, net, therms                        COST
//  74 AESHW electricity displaced by solar water heating, kWh  SDHWCALC, COST
//  75 AEWH electric water heating, kWh                         COST
//  76 CostSHWf fuel $ saved by solar water heating             COST
//  77 CostSHWe electricity $ saved by solar water heating      COST
//  78 HERnKWH net site energy, kWh                             CALBEP, COST
//  79 CostFnet fuel cost net of solar water heating, $         COST
//  80 SumDump solar-water energy dumped, solar-water units     SDHWCALC
struct BLK16_t {
    FArray<REAL, 80, 19> SUMARY{};  // SUMARY(row, column), units by row as above
    FArray<REAL, 18> SUMARYX{};     // two runs of 9 values carried only by the project-state file
};

// One process-wide instance, exported under its own name for the host.
extern "C" MAVO_HOST_VISIBLE BLK16_t BLK16;

static_assert(std::is_standard_layout_v<BLK16_t>);
static_assert(sizeof(BLK16_t) == (80 * 19 + 18) * 4);
static_assert(offsetof(BLK16_t, SUMARY) == 0);
static_assert(offsetof(BLK16_t, SUMARYX) == 80 * 19 * 4);  // word 1521

// Labels of the envelope items, result arrays and screens, 16 characters
// each, addressed by the export as four pieces of four; a label written
// through three of them shows its first 12 characters. Labels 1-9 name the
// windows and walls by facing, 91-94 the walls by their place on the
// building (wall k of the envelope index, 6-9, is label 85 + k). Nothing
// writes them.
struct BLK18_t {
    FArray<FString<16>, 100> LABELS = {
        "SOUTH WINDOW", "WEST WINDOW", "NORTH WINDOW", "EAST WINDOW", "SKYLIGHT",  // 1-5
        "SOUTH WALL", "WEST WALL", "NORTH WALL", "EAST WALL", "ROOF",  // 6-10
        "FLOOR (RAISED)", "SLAB ON GRADE  .", "LIGHTING", "EQUIPMENT", "OCCUPANTS:  PEOP",  // 11-15
        "INFILTRATION", "TOTAL LOADS", "OUTDOOR AIR TEMP", "STORED HEAT", "AIR CHANGES",  // 16-20
        "OUTPUT OF HVAC", "FAN BLOWER: FANS", "FUEL  COST  GAS", "ELECTRICITY COST", "ENERGY COST TOT.",  // 21-25
        "INDOOR AIR TEMP", "BEPS ENERGY PERF", "DEBUG  .", "BAR HOURLY PEAK", "ANNUAL  PEAK",  // 26-30
        "PERFORMANCE", "LIBRARY DIR LIB", "OPTION  MENU", "TUTOR  .DEMO", "WRAPEND QUITEXIT",  // 31-35
        "COMPARE 3D B3D", "CHANGE  UNITS", "COPYSUBTMORPCOMB", "ERASSELERENAEDIT", "BASECASEEXPERT .",  // 36-40
        "CITIES", "CLIMWEATAVG TMY", "BUILDING TYPES", "OVERALL ENVELOPE", "INTERNAL LOADS",  // 41-45
        "GLAZING", "WINDOWS-SUNSHADE", "SURFACE AREA DES", "AVERAGE", "CALCULATION",  // 46-50
        "THERMAL MASSSTOR", "HVAC SYSMECHSYST", "RATES FOR ENERGY", "OVERLAY", "DAYLIGHTDAY",  // 51-55
        "POLLUTIOEMISPOLU", "KWHR TOTAL", "POSTIT", "GLOSSARY (HELP)", "FASTER INPUT",  // 56-60
        "HEATING  OUTPUT", "COOLING AIRCONDI", "RECALCULATE", "BEAM RADIATION", "HORIZONTAL  RADI",  // 61-65
        "FURNACE", "AIR-CONDITIONER", "VENTILATION", "COLO", "PRINT       REPO",  // 66-70
        "PRINT USMANUT MA", "PRINT INPUT INPU", "PRINT BEPS R", "PRINT COMPAR", "PRINT MONTHLMONT",  // 71-75
        "PRINT HOURLYHOUR", "PRINT SHORT-SHOR", "PRINT MEDIUMMEDI", "PRINT LONG RLONG", "PRINT SCREENSCRE",  // 76-80
        "GREEN SCREEN", "DESIGN  REVISION", "LEGEND", "CODECEC TITLE 24", "SCRIPT",  // 81-85
        "LOOP", "ILLUMINATION REF", "GLOBAL ILLUM.", "NORMAL ILLUM.", "DIFFUSE  ILLUMIN",  // 86-90
        "Front Wall", "Left Wall", "Rear Wall", "Right Wall", "",  // 91-95
        "", "", "", "DBG1", "DBG2",  // 96-100
    };
};

extern BLK18_t BLK18;

static_assert(std::is_standard_layout_v<BLK18_t> && sizeof(BLK18_t) == 100 * 16);

inline FArray<REAL, 80, 19>& SUMARY = BLK16.SUMARY;
inline FArray<REAL, 18>& SUMARYX = BLK16.SUMARYX;
inline FArray<FString<16>, 100>& LABELS = BLK18.LABELS;

}  // namespace mavo

#define MAVO_SUMMARY_BLOCKS(X) \
    X(BLK16)                   \
    X(BLK18)
