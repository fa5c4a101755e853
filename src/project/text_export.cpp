// "scheme<k>.TXT": the hour-by-month results that the scheme results file
// restores, one row for each hour of the twelve months' days, 27 labelled
// columns with their units. It needs no simulation: everything it reads is
// in the results file.
#include "project/text_export.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "blocks/blocks.h"
#include "front/paths.h"
#include "front/trace.h"
#include "front/units.h"
#include "project/project.h"
#include "results/bills_heating.h"
#include "results/result_columns.h"
#include "support/fortran_format.h"

namespace mavo {
namespace {

constexpr INTEGER kProjectDirectory = 2;
constexpr INTEGER kUtilityDefaults = 5;

constexpr FArray<FString<16>, 10> TXTFILES = {"scheme1", "scheme2", "scheme3", "scheme4", "scheme5",
                                              "scheme6", "scheme7", "scheme8", "scheme9", "scheme0"};

constexpr FArray<FString<16>, 27> COLLABELS = {
    "South Window", "West Window", "North Window", "East Window",  "Skylight",  "South Wall",  "West Wall",
    "North Wall",   "East Wall",   "Roof",         "Floor",        "Slab On Grade", "Lights", "Equipment",
    "Occupants",    "Ventilation", "Total Energy", "Outdoor Temp", "HVAC",      "Air Changes", "Furnace",
    "Fan",          "Gas Cost",    "Electricity",  "Total Cost",   "Indoor Air", "Total Loads"};

constexpr FArray<FString<16>, 27> COLUNITS = {
    "KBTU", "KBTU", "KBTU", "KBTU", "KBTU", "KBTU", "KBTU", "KBTU", "KBTU", "KBTU", "KBTU",      "KBTU",
    "KBTU", "KBTU", "",     "KBTU", "KBTU", "Degrees F", "KBTU", "",  "KBTU", "KiloWatts", "Dollars",
    "Dollars", "Dollars", "Degrees F", "KWHR"};

// File order of the columns: outdoor and indoor temperature first, the 16
// heat-flow components, the HVAC, fan and cost columns, then the totals.
constexpr FArray<INTEGER, 27> REMAP = {18, 26, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12,
                                       13, 14, 15, 16, 19, 20, 21, 22, 23, 24, 25, 17, 27};

constexpr REAL kWattHoursPerKwh = 1000.0f;
constexpr REAL kBtuPerWh = 3.412f;   // the component columns are Btu/h, the load column Wh
constexpr REAL kPerThousand = 1000.0f;

constexpr FArray<FString<11>, 10> ERASE1FILES = {"SCHEME1.HET", "SCHEME2.HET", "SCHEME3.HET", "SCHEME4.HET",
                                                 "SCHEME5.HET", "SCHEME6.HET", "SCHEME7.HET", "SCHEME8.HET",
                                                 "SCHEME9.HET", "SCHEME0.HET"};
constexpr FArray<FString<11>, 10> ERASE2FILES = {"SCHEME1.DAT", "SCHEME2.DAT", "SCHEME3.DAT", "SCHEME4.DAT",
                                                 "SCHEME5.DAT", "SCHEME6.DAT", "SCHEME7.DAT", "SCHEME8.DAT",
                                                 "SCHEME9.DAT", "SCHEME0.DAT"};

// Multiplier of each of the 27 columns, fixed for the whole file: the chart
// scale for the heat-flow columns of an ordinary scheme, 1 for a library
// comparison, and 1000 for the columns that carry measured data.
FArray<REAL, 27> column_scales() {
    const REAL scale = (IDNUM2 >= 1 || CHARTSCALE > 0.0f) ? 1.0f : std::fabs(CHARTSCALE);
    FArray<REAL, 27> s{};
    for (INTEGER c = 1; c <= 27; ++c) s(c) = scale;
    if (NFLAG(35) && NFLAG(36))
        for (INTEGER c = 3; c <= 6; ++c) s(c) = kPerThousand;
    if (NFLAG(10)) s(9) = kPerThousand;
    return s;
}

// Electric total of the hour, Wh: lights, equipment and fans, plus the HVAC
// output through its efficiency when electricity provides it. Heating
// follows the bills' rule (resistance or heat pump by the heating choice and
// COPHT; a fuel heater draws no electricity). A cooling efficiency of 0 or
// less means no electric air conditioner: the cooling hour adds nothing
// rather than an infinite draw.
REAL electric_total(INTEGER h, INTEGER m, REAL fan_Wh, ElectricHeating heating) {
    REAL total = HEAT(13, h, m) / kBtuPerWh + HEAT(14, h, m) / kBtuPerWh + fan_Wh;
    const REAL hvac_btu = HVACLD(h, m);
    if (hvac_btu > 0.0f) {
        if (COPAC > 0.0f) total = total + hvac_btu / (COPAC * kBtuPerWh);
    } else if (hvac_btu < 0.0f) {
        total = total + kWattHoursPerKwh * electric_heating_kwh(heating, -hvac_btu, COPHT, FREEZHRS(h, m));
    }
    return total;
}

FArray<REAL, 27> row_values(INTEGER h, INTEGER m, const FArray<REAL, 27>& scale, ElectricHeating heating) {
    FArray<REAL, 27> v{};
    for (INTEGER c = 1; c <= 27; ++c) v(c) = -9999.0f;
    for (INTEGER c = 1; c <= 17; ++c) v(c) = HEAT(c, h, m) * scale(c);
    const REAL t_out_F = OATEMP(h, m);
    const REAL whole_F = std::trunc(t_out_F);
    v(18) = whole_F;
    v(19) = STORED(h, m) * scale(19);
    v(20) = AIRVOL(h, m);
    v(21) = HVACLD(h, m) * scale(21);
    v(22) = KWHRFA(h, m) * kPerThousand;
    v(23) = COSTFUEL(h, m) * kPerThousand;
    v(24) = COSTEL(h, m) * kPerThousand;
    v(25) = (COSTEL(h, m) + COSTFUEL(h, m)) * kPerThousand;
    // A comparison run keeps its indoor air in its own array; a scheme of
    // its own carries the indoor temperature in the fraction of OATEMP.
    v(26) = IDNUM2 <= 9 ? std::fabs(t_out_F - whole_F) * 10000.0f : INDOORAIR(h, m);
    v(27) = electric_total(h, m, v(22), heating);
    return v;
}

std::string header_numbers() {
    std::string s = ",,,";
    for (INTEGER k = 1; k <= 27; ++k) {
        if (k > 1) s += ',';
        s += std::to_string(k);
    }
    return s;
}

template <std::size_t N>
std::string header_fields(std::string_view lead, const FArray<FString<N>, 27>& fields) {
    std::string s(lead);
    for (INTEGER k = 1; k <= 27; ++k) s += "," + std::string(fields(REMAP(k)).view());
    return s;
}

std::string data_row(INTEGER n, INTEGER m, INTEGER h, const FArray<REAL, 27>& v) {
    ffmt::LineWriter w;
    w.I(n, 3).A(",").I(m, 2).A(",").I(h, 2);
    for (INTEGER k = 1; k <= 27; ++k) w.A(",").F(v(REMAP(k)), 15, 5);
    return w.take();
}

bool put(std::FILE* f, const std::string& line) { return std::fprintf(f, "%s\n", line.c_str()) >= 0; }

// PATHTOFILE := the path of the named scheme file, marked with a trailing "|".
template <std::size_t N>
void mark_path(const FString<N>& name, INTEGER directory) {
    FString<255> FILENM = name.view();
    DIR_BUILDPATH(directory, FILENM.view());
    DIR_CONCAT_STRING(PATHTOFILE, "|", 1);
}

}  // namespace

void KEEP1TXT() {
    DBG_IN("KEEP1TXT");
    const INTEGER slot = IDNUM1 == 0 ? 10 : IDNUM1;
    if (slot < 1 || slot > 10) {
        DBG_INT("KEEP1TXT: no text export for scheme slot", IDNUM1);
        DBG_OUT("KEEP1TXT");
        return;
    }
    FString<255> FILENM = TXTFILES(slot).view();
    // On a disk that ignores letter case this is the same file as the
    // compliance export's import instructions "scheme<k>.txt"; no run calls
    // this export, so only a host that asks for it replaces them.
    DIR_CONCAT_STRING(FILENM, ".TXT", 4);
    DIR_BUILDPATH(kProjectDirectory, FILENM.view());
    const std::string path = built_path();
    std::FILE* f = unit_open_replacing(BLK0B.DISKKEEP1, path.c_str(), "w", false);
    if (!f) {
        DBG_ERROR("KEEP1TXT: cannot open the text export");
        DBG_OUT("KEEP1TXT");
        return;
    }
    bool ok = put(f, header_numbers()) && put(f, header_fields("Hourly Totals,,", COLUNITS)) &&
              put(f, header_fields("Index,Month,Hour", COLLABELS));
    const FArray<REAL, 27> scale = column_scales();
    const ElectricHeating heating = electric_heating_kind(scheme_code(18), COPHT);
    INTEGER n = 0;
    for (INTEGER m = 1; m <= 12 && ok; ++m) {
        for (INTEGER h = 1; h <= 24 && ok; ++h) {
            ++n;
            ok = put(f, data_row(n, m, h, row_values(h, m, scale, heating)));
        }
    }
    if (!unit_close(BLK0B.DISKKEEP1) || !ok) DBG_ERROR("KEEP1TXT: writing the text export failed");
    DBG_OUT("KEEP1TXT");
}

void ERASE1() {
    DBG_TRACE("- IN  -ERASE1");
    if (IDNUM1 < 1 || IDNUM1 > 10) {
        DBG_INT("ERASE1: no results file name for scheme slot", IDNUM1);
        return;
    }
    mark_path(ERASE1FILES(IDNUM1), IDNUM1 == 10 ? kUtilityDefaults : kProjectDirectory);
    AADISK(1);
}

void ERASE2() {
    DBG_TRACE("- IN  - ERASE2");
    if (IDNUM1 >= 1 && IDNUM1 <= 9) {
        mark_path(ERASE2FILES(IDNUM1), kProjectDirectory);
        AADISK(1);
    } else if (IDNUM1 != 0 && IDNUM1 != 10) {
        DBG_INT("ERASE2: no input file name for scheme slot", IDNUM1);
    }
    DBG_TRACE("- OUT - ERASE2");
}

}  // namespace mavo
