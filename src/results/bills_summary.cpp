// The closing step of the bills: the scheme's annual energy by end use,
// the electricity bought net of the photovoltaic system, the fuel bought,
// gross and net costs, the savings of the photovoltaic and solar
// water-heating systems, and the fuel in its own unit (therms, or gallons of
// propane or oil), written into its summary column; then a check listing of
// those rows in the trace log.
//
// The water heater's hourly energy is what its auxiliary heater used after
// the solar contribution, so the electricity and fuel of the bills are
// already what was bought with solar water heating at work. The energy the
// solar system displaced, and its worth at the year's mean price, are
// reported beside them and never taken off the bills a second time.
#include "blocks/blocks.h"
#include "front/trace.h"
#include "results/bills_steps.h"

namespace mavo {
namespace {

constexpr REAL kBtuPerTherm = 100000.0f;
constexpr REAL kBtuPerPropaneGallon = 91000.0f;
constexpr REAL kBtuPerOilGallon = 137000.0f;

struct ListedRow {
    int row;
    const char* label;
};

// Every row the bills write, with its trace label.
constexpr ListedRow kListedRows[] = {
    {21, "Heating FuelTherm/Gal(21"}, {22, "Lighting kWh        (22"}, {23, "Equipment kWh       (23"},
    {24, "Cooling kWh         (24"},  {25, "Total Elect kWh     (25"}, {35, "$ Cost of Fuel..moved(35"},
    {36, "$ Cost of Elect     (36"},  {49, "Gas Days Winter     (49"}, {50, "Gas Days Summer     (50"},
    {55, "$ Saved by PV       (55"},  {56, "Elect Purchased kWh (56"}, {57, "$ Net Elect Cost    (57"},
    {58, "$ Net Total Cost    (58"},  {63, "Appliance Fuel      (63"}, {64, "SHW Fuel Saved      (64"},
    {65, "Water Heater Fuel   (65"},  {66, "Total Fuel          (66"}, {70, "PV Electricity kWh  (70"},
    {71, "Elect Heating kWh   (71"},  {72, "Fans kWh            (72"}, {73, "AFNET Fuel Purhased  (73"},
    {74, "SHW Elect Saved kWh (74"},  {75, "Elect Water Htg kWh (75"}, {76, "$ SHW Fuel Saved    (76"},
    {77, "$ SHW Elect Saved   (77"},  {79, "$ Net Fuel Cost     (79"},
};

constexpr ListedRow kElectricRows[] = {
    {22, "Lighting kWh        (22"}, {23, "Equipment kWh       (23"}, {24, "Cooling kWh         (24"},
    {71, "Elect Heating kWh   (71"}, {72, "Fans kWh            (72"}, {75, "Elect Water Htg kWh (75"},
    {25, "Total Elect kWh     (25"},
};

constexpr ListedRow kFuelRows[] = {
    {21, "Heating FuelTherm/Gal(21"}, {63, "Appliance Fuel      (63"},
    {65, "Water Heater Fuel   (65"},  {66, "Total Fuel          (66"},
};

// The rows, then each end use again in dollars at the year's mean price
// of its energy. Nothing here changes a value.
void trace_check_listing(INTEGER k) {
    for (const ListedRow& r : kListedRows) DBG_FLOAT(r.label, SUMARY(r.row, k));
    DBG_PRINT(".....ENERGY COSTS Electric kWh CheckTest 5555");
    for (const ListedRow& r : kElectricRows) DBG_FLOAT(r.label, SUMARY(r.row, k));
    DBG_PRINT("......ENERGY COSTS Site FUEL BTU CheckTest");
    for (const ListedRow& r : kFuelRows) DBG_FLOAT(r.label, SUMARY(r.row, k));
    DBG_PRINT("......ELECTRICITY COSTS Dollars CheckTest");
    if (SUMARY(25, k) != 0.0f) {
        const REAL per_kwh = SUMARY(36, k) / SUMARY(25, k);
        for (const ListedRow& r : kElectricRows) DBG_FLOAT(r.label, SUMARY(r.row, k) * per_kwh);
    }
    DBG_PRINT("......FUEL COSTS Dollars CheckTest");
    if (SUMARY(66, k) != 0.0f) {
        const REAL per_unit = SUMARY(35, k) / SUMARY(66, k);
        for (const ListedRow& r : kFuelRows) DBG_FLOAT(r.label, SUMARY(r.row, k) * per_unit);
    }
    DBG_PRINT("......CO2 in ENERGY COSTS lbs CheckTest");
    DBG_FLOAT("CO2 source lbs      (61", SUMARY(61, k));
}

// Propane and oil rows in gallons at the scheme's price per gallon.
void write_bottled_fuel_rows(const CostWork& w, INTEGER k, REAL AFSHW, REAL AFNET) {
    const bool propane = burns_propane(FUELTYPE);
    const REAL gallons_per_therm = kBtuPerTherm / (propane ? kBtuPerPropaneGallon : kBtuPerOilGallon);
    const REAL price = propane ? BLK33A.PROPANEPRICE : BLK33A.OILPRICE;
    SUMARY(21, k) = w.HFUEL * gallons_per_therm;
    SUMARY(63, k) = w.AFeqpt * gallons_per_therm;
    SUMARY(64, k) = AFSHW * gallons_per_therm;
    SUMARY(65, k) = w.AFWH * gallons_per_therm;
    SUMARY(66, k) = w.AFTOT * gallons_per_therm;
    SUMARY(73, k) = AFNET * gallons_per_therm;
    SUMARY(35, k) = SUMARY(66, k) * price;
    SUMARY(76, k) = SUMARY(64, k) * price;
    SUMARY(79, k) = SUMARY(73, k) * price;  // all the fuel bought
    SUMARY(75, k) = w.AEWH;
    COSTF = SUMARY(35, k);
}

}  // namespace

void write_cost_summary_rows(CostWork& w) {
    const INTEGER k = w.k;
    const REAL AEPV = SUMARY(70, k);
    const REAL AESHW = SUMARY(74, k);
    REAL AFSHW = SUMARY(64, k);
    REAL CostSHWe = 0.0f;
    REAL CostSHWf = 0.0f;
    const bool solar_water = STRATEGY(41, w.p) != 0.0f;

    SUMARY(56, k) = AETOT;
    SUMARY(73, k) = w.AFTOT;
    // Fuel bought: the water heater's fuel is already that left after the
    // solar contribution.
    const REAL AFNET = w.AFTOT;

    if (w.single_zone && w.AEWH != 0.0f && w.AFWH != 0.0f) DBG_PRINT("ERROR: AEWH when both AEWH and AFWH not 0.0");

    // Solar water heating serving an electric water heater: what it saved
    // valued at the year's mean price of electricity. A preheat tank that
    // loses more to cold surroundings than its collectors gain saved a
    // negative amount, and is valued so.
    if (w.single_zone && w.AEWH > 0.0f && solar_water) {
        if (AETOT != 0.0f) CostSHWe = w.COSTe / AETOT * AESHW;
        SUMARY(25, k) = AETOT;
        SUMARY(74, k) = AESHW;
        SUMARY(75, k) = w.AEWH;
        SUMARY(77, k) = CostSHWe;
        SUMARY(36, k) = w.COSTe;
        SUMARY(56, k) = AETOT - AEPV;
        w.AFWH = 0.0f;
        AFSHW = 0.0f;
        CostSHWf = 0.0f;
        SUMARY(64, k) = 0.0f;
        SUMARY(65, k) = 0.0f;
        SUMARY(66, k) = w.AFTOT;
        SUMARY(73, k) = w.AFTOT;
    }
    if (!w.single_zone && w.AEWH > 0.0f && solar_water && w.AFWH <= 0.0f) {
        w.AFWH = 0.0f;
        AFSHW = 0.0f;
        CostSHWf = 0.0f;
        SUMARY(64, k) = 0.0f;
        SUMARY(76, k) = 0.0f;
    }
    // Solar water heating serving a fuel water heater: the fuel it displaced,
    // whatever its sign, valued at the year's mean price of fuel.
    if (w.AFWH > 0.0f && AFSHW != 0.0f) {
        if (w.AFTOT != 0.0f) CostSHWf = COSTF / w.AFTOT * AFSHW;
        SUMARY(65, k) = w.AFWH;
        SUMARY(66, k) = w.AFTOT;
        SUMARY(73, k) = AFNET;
        SUMARY(76, k) = CostSHWf;
    }

    GCOSTW = GTHERMW * BLK33A.GASBASE;
    GCOSTWAB = GTHERMWAB * BLK33A.GASABOVE;
    GCOSTS = GTHERMS * BLK33A.GASBASES;
    GCOSTSAB = GTHERMSAB * BLK33A.GASABOVES;
    COSTF = GCHARGW + GCOSTW + GCOSTWAB + GCHARGS + GCOSTS + GCOSTSAB;

    // PV output is valued at the year's mean price of electricity; the bill
    // priced the whole purchase, gross of it. The solar water-heating savings
    // are already out of the bills.
    const REAL CostPV = AETOT != 0.0f ? AEPV / AETOT * w.COSTe : 0.0f;
    const REAL COSTeNET = w.COSTe - CostPV;
    const REAL CostFnet = COSTF;

    SUMARY(21, k) = w.HFUEL;
    SUMARY(22, k) = w.AElit;
    SUMARY(23, k) = w.AEeqp;
    SUMARY(24, k) = w.AEcl;
    SUMARY(25, k) = AETOT;
    SUMARY(35, k) = COSTF;
    SUMARY(36, k) = w.COSTe;
    SUMARY(55, k) = CostPV;
    SUMARY(56, k) = AETOT - AEPV;
    SUMARY(57, k) = COSTeNET;
    SUMARY(65, k) = w.AFWH;
    SUMARY(66, k) = w.AFTOT;
    SUMARY(71, k) = w.AEHEAT;
    SUMARY(72, k) = w.AEFANS;
    SUMARY(75, k) = w.AEWH;
    SUMARY(76, k) = CostSHWf;
    SUMARY(77, k) = CostSHWe;
    SUMARY(79, k) = CostFnet;
    SUMARY(58, k) = SUMARY(57, k) + SUMARY(79, k);

    const REAL fuel = FUELTYPE;
    if (burns_natural_gas(fuel)) {
        SUMARY(21, k) = w.HFUEL;
        SUMARY(49, k) = static_cast<REAL>(GDAYSW);
        SUMARY(50, k) = static_cast<REAL>(GDAYSS);
        SUMARY(35, k) = COSTF;
        SUMARY(63, k) = w.AFeqpt;
        SUMARY(64, k) = AFSHW;
        SUMARY(65, k) = w.AFWH;
        SUMARY(66, k) = w.AFTOT;
        SUMARY(73, k) = AFNET;
        SUMARY(75, k) = w.AEWH;
        SUMARY(76, k) = CostSHWf;
        SUMARY(79, k) = CostFnet;
    } else if (burns_propane(fuel) || burns_oil(fuel)) {
        write_bottled_fuel_rows(w, k, AFSHW, AFNET);
    }
    SUMARY(79, k) = SUMARY(35, k);
    // Last, so that a bottled-fuel cost is in the net total.
    SUMARY(58, k) = SUMARY(57, k) + SUMARY(79, k);

    if (NFLAG(90)) trace_check_listing(k);
}

}  // namespace mavo
