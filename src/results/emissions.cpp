// CALPOLL: pounds of CO2 and pollutants of a scheme's purchased energy,
// from the emission-factor table (electricity rows in lb/MWh, fuel rows in
// lb/MMBtu). The electricity row follows the utility of the site's rate
// zone, the fuel row the heating fuel; the user may supply factors of his
// own in rows 29 (electricity) and 30 (natural gas).
#include "results/emissions.h"

#include "blocks/blocks.h"
#include "front/trace.h"
#include "results/result_columns.h"

namespace mavo {
namespace {

constexpr INTEGER kTableRows = 32;
constexpr INTEGER kUserElectricityRow = 29;
constexpr INTEGER kUserGasRow = 30;
constexpr REAL kMwhPerKwh = 0.001f;
constexpr REAL kBtuPerTherm = 100000.0f;
constexpr REAL kBtuPerPropaneGallon = 91000.0f;
constexpr REAL kBtuPerOilGallon = 137000.0f;
constexpr REAL kMmbtuPerBtu = 0.000001f;
constexpr REAL kSourcePerSiteElectricity = 3.0f;
constexpr REAL kAllElectric = 4.0f;
constexpr REAL kElectricityFuelCode = 4.0f;  // PDATA(1,r) of an electricity row

// Table rows: 1 SCE, 2 SDG&E, 3 PG&E, 4 SMUD, 6 California 2005, 10 the US
// standard's national factor, 11 the US total; 13 natural gas, 22 oil,
// 26 propane.
constexpr INTEGER kRowSCE = 1;
constexpr INTEGER kRowSDGE = 2;
constexpr INTEGER kRowPGE = 3;
constexpr INTEGER kRowSMUD = 4;
constexpr INTEGER kRowCalifornia = 6;
constexpr INTEGER kRowUSStandard = 10;
constexpr INTEGER kRowUSTotal = 11;
constexpr INTEGER kRowGas = 13;
constexpr INTEGER kRowOil = 22;
constexpr INTEGER kRowPropane = 26;

bool is_table_row(INTEGER r) { return r >= 1 && r <= kTableRows; }

// The user's own row with the factors he revised stands whatever it says.
bool users_revised_row(INTEGER r, INTEGER user_row) { return NFLAG(50) && r == user_row; }

// Rows a scheme kept from an earlier run must still be rows of its energy:
// a scheme switched to propane or oil, or a stored row that names no
// electricity, would be counted at another source's factors.
void rechoose_rows_of_another_source() {
    const INTEGER fuel_row = fuel_emission_row(FUELTYPE);
    if (!users_revised_row(NROWF, kUserGasRow) && PDATA(1, NROWF) != PDATA(1, fuel_row)) {
        DBG_INT("CALPOLL stored fuel row is of another fuel, chosen anew", NROWF);
        NROWF = fuel_row;
    }
    if (!users_revised_row(NROWE, kUserElectricityRow) && PDATA(1, NROWE) != kElectricityFuelCode) {
        DBG_INT("CALPOLL stored electricity row is no electricity, chosen anew", NROWE);
        NROWE = electricity_emission_row(ERATEZONE, NFLAG(58));
    }
}

// Heat of one unit of the fuel rows of the summary column: the bills keep
// propane (2) and oil (3) in gallons, every other fuel in therms.
REAL btu_per_fuel_unit(REAL fuel_type) {
    if (fuel_type == 2.0f) return kBtuPerPropaneGallon;
    if (fuel_type == 3.0f) return kBtuPerOilGallon;
    return kBtuPerTherm;
}

// The user's own factors replace the table row when he has revised them and
// chosen that row. They come in with the scheme's pollution table, so they
// are taken before the table's values are offered back to it.
void take_user_factors() {
    if (!NFLAG(50)) return;
    if (NROWE == kUserElectricityRow) {
        for (INTEGER i = 1; i <= 4; ++i) PDATA(i + 2, kUserElectricityRow) = POLLUTE(i, 1);
        PDATA(1, kUserElectricityRow) = POLLUTE(5, 1);
        PDATA(2, kUserElectricityRow) = POLLUTE(6, 1);
    }
    if (NROWF == kUserGasRow) {
        for (INTEGER i = 1; i <= 4; ++i) PDATA(i + 2, kUserGasRow) = POLLUTE(i, 2);
        PDATA(1, kUserGasRow) = POLLUTE(5, 2);
        PDATA(2, kUserGasRow) = POLLUTE(7, 2);
    }
}

// The chosen rows offered to the user's table: CO2, SOx, NOx, mercury,
// fuel code and the year twice; the unused columns cleared.
void offer_factors() {
    for (INTEGER column = 1; column <= 2; ++column) {
        const INTEGER r = column == 1 ? NROWE : NROWF;
        for (INTEGER i = 1; i <= 4; ++i) POLLUTE(i, column) = PDATA(i + 2, r);
        POLLUTE(5, column) = PDATA(1, r);
        POLLUTE(6, column) = PDATA(2, r);
        POLLUTE(7, column) = PDATA(2, r);
    }
    for (INTEGER column = 3; column <= 16; ++column)
        for (INTEGER i = 1; i <= 7; ++i) POLLUTE(i, column) = 0.0f;
}

void annual_emissions(INTEGER k) {
    const INTEGER e = NROWE;
    const INTEGER f = NROWF;
    // Purchased: electricity net of photovoltaics, fuel as bought (solar
    // water heating already lowered both).
    const REAL mwh = SUMARY(56, k) * kMwhPerKwh;
    const REAL mmbtu_per_unit = btu_per_fuel_unit(FUELTYPE) * kMmbtuPerBtu;
    const REAL mmbtu = FUELTYPE == kAllElectric ? 0.0f : SUMARY(73, k) * mmbtu_per_unit;
    SUMARY(41, k) = PDATA(5, e) * mwh + PDATA(5, f) * mmbtu;
    SUMARY(42, k) = PDATA(4, e) * mwh + PDATA(4, f) * mmbtu;
    SUMARY(43, k) = 0.0f;
    SUMARY(44, k) = 0.0f;
    SUMARY(45, k) = PDATA(6, e) * mwh + PDATA(6, f) * mmbtu;
    SUMARY(46, k) = PDATA(3, e) * mwh;
    SUMARY(47, k) = SUMARY(46, k) + PDATA(3, f) * mmbtu;
    SUMARY(61, k) = kSourcePerSiteElectricity * SUMARY(46, k) + PDATA(3, f) * mmbtu;
    SUMARY(62, k) = SUMARY(70, k) * kMwhPerKwh * PDATA(3, e);

    // Gross values for the trace only.
    DBG_FLOAT("CALPOLL CO2 of electricity used, gross", SUMARY(25, k) * kMwhPerKwh * PDATA(3, e));
    DBG_FLOAT("CALPOLL CO2 of electricity purchased, net", SUMARY(46, k));
    DBG_FLOAT("CALPOLL CO2 of fuel, net", PDATA(3, f) * mmbtu);
    DBG_FLOAT("CALPOLL CO2 avoided by photovoltaics", SUMARY(62, k));
    DBG_FLOAT("CALPOLL CO2 avoided by solar water heating",
              SUMARY(74, k) * kMwhPerKwh * PDATA(3, e) + SUMARY(64, k) * mmbtu_per_unit * PDATA(3, f));
    DBG_FLOAT("CALPOLL CO2 at the site", SUMARY(47, k));
    DBG_FLOAT("CALPOLL CO2 at the source", SUMARY(61, k));
}

void hourly_co2() {
    const REAL electricity_lb_per_mwh = PDATA(3, NROWE);
    const REAL fuel_lb_per_mmbtu = PDATA(3, NROWF);
    for (INTEGER m = 1; m <= 12; ++m)
        for (INTEGER h = 1; h <= 24; ++h)
            TOTALCO2(h, m) = TEMPKWHR(h, m) * kMwhPerKwh * electricity_lb_per_mwh +
                             TEMPFUEL(h, m) * kMmbtuPerBtu * fuel_lb_per_mmbtu;
    DBG_FLOAT("CALPOLL TOTALCO2 January noon", TOTALCO2(12, 1));
    DBG_FLOAT("CALPOLL TOTALCO2 July noon", TOTALCO2(12, 7));
}

}  // namespace

INTEGER electricity_emission_row(INTEGER z, bool in_california) {
    INTEGER r = kRowUSStandard;
    if (z >= 5) {
        r = z <= 17 ? kRowSCE : kRowUSStandard;
    } else if (z >= 1) {
        r = kRowSDGE;
    } else if (z >= -20) {
        r = z <= -11 ? kRowPGE : kRowUSStandard;
    }
    if (z == -2 || z == -1) r = kRowSMUD;
    // Time-of-use zones 31 + n: n = 1 SCE, 2 SDG&E, 3 PG&E, 4 SMUD; the
    // generic and flat records take the state's or the nation's mix.
    if (z >= 30) {
        r = in_california ? kRowCalifornia : kRowUSTotal;
        if (z == 32) r = kRowSCE;
        if (z == 33) r = kRowSDGE;
        if (z == 34) r = kRowPGE;
        if (z == 35) r = kRowSMUD;
    }
    return r;
}

INTEGER fuel_emission_row(REAL fuel_type) {
    if (fuel_type == 2.0f || fuel_type == -2.0f) return kRowPropane;
    if (fuel_type == 3.0f || fuel_type == -3.0f) return kRowOil;
    return kRowGas;
}

void choose_emission_rows() {
    // The base schemes, a new location, or rows that name no row of the
    // table get the rows of the site; otherwise the scheme's rows stand.
    const bool choose =
        IDNUM1 <= 2 || (NFLAG(81) && !NFLAG(50)) || !is_table_row(NROWE) || !is_table_row(NROWF);
    if (choose) {
        NROWE = electricity_emission_row(ERATEZONE, NFLAG(58));
        NROWF = fuel_emission_row(FUELTYPE);
    } else {
        rechoose_rows_of_another_source();
    }
}

void CALPOLL() {
    DBG_IN("CALPOLL");
    const INTEGER k = IDNUM1;
    DBG_LOGICAL("CALPOLL NFLAG(29) fuel rates changed", NFLAG(29));
    DBG_LOGICAL("CALPOLL NFLAG(50) user pollution data", NFLAG(50));
    DBG_LOGICAL("CALPOLL NFLAG(58) site in California", NFLAG(58));
    DBG_LOGICAL("CALPOLL NFLAG(81) location changed", NFLAG(81));
    DBG_INT("CALPOLL NROWE before", NROWE);
    DBG_INT("CALPOLL NROWF before", NROWF);
    choose_emission_rows();
    DBG_INT("CALPOLL NROWE after", NROWE);
    DBG_INT("CALPOLL NROWF after", NROWF);
    take_user_factors();
    offer_factors();
    DBG_FLOAT("CALPOLL electricity CO2 lb/MWh", PDATA(3, NROWE));
    DBG_FLOAT("CALPOLL fuel CO2 lb/MMBtu", PDATA(3, NROWF));

    if (is_result_column(k)) {
        annual_emissions(k);
    } else {
        DBG_INT("CALPOLL: no summary column for scheme", k);
    }
    EX = PDATA(3, NROWE) * kMwhPerKwh;
    // CO2 of one unit of the fuel rows: a therm of gas, a gallon of propane
    // or oil, so that FX times a fuel row gives pounds.
    FX = PDATA(3, NROWF) * kMmbtuPerBtu * btu_per_fuel_unit(FUELTYPE);
    hourly_co2();
    DBG_OUT("CALPOLL");
}

}  // namespace mavo
