// Internal gains of one hour: lights with their daylight credit, people,
// equipment and appliances, and the hour's net heat flow.
#include <gtest/gtest.h>

#include "blocks/blocks.h"
#include "simulation/equipment.h"
#include "simulation/lighting.h"
#include "simulation/occupants.h"
#include "simulation/simulation.h"

namespace mavo {
namespace {

// Lighting ----------------------------------------------------------------------

// A 40 ft x 40 ft two-storey building at 1 W/ft2 with 16 ft daylit zones.
void square_building() {
    EWDIM = 40.0f;
    NSDIM = 40.0f;
    FLOORS = 2.0f;
    WIDTHDL = 16.0f;
    LIGHTS = 1.0f;
    DILLUM = 30.0f;
    TLLOAD = 20000.0f;
    FCAVG.fill(0.0f);
}

TEST(Lighting, WithoutDaylightingTheScheduleScalesTheFullLoad) {
    square_building();
    SCHED(1, 9) = 0.5f;
    FCAVG.fill(100.0f);
    for (REAL pct : {0.0f, 150.0f, -5.0f}) {
        PERCENTDL = pct;
        LITES(3, 9);
        EXPECT_FLOAT_EQ(HEAT(13, 9, 3), 10000.0f) << "PERCENTDL " << pct;
    }
}

TEST(Lighting, FourDaylitFacadesShareTheirCorners) {
    square_building();
    PERCENTDL = 100.0f;
    SCHED(1, 12) = 1.0f;
    for (INTEGER i = 1; i <= 4; ++i) FCAVG(i) = 45.0f;  // above the design illuminance: all lights off
    LITES(6, 12);
    // Each zone 40 x 16 - 2 x 16^2/2 = 384 ft2 on two storeys at 1 W/ft2.
    const REAL credit_btuh = 4.0f * 384.0f * 2.0f * 1.0f * 3.412f;
    EXPECT_NEAR(HEAT(13, 12, 6), 20000.0f - credit_btuh, 0.01f);
}

TEST(Lighting, LoneFacadeAndSkylitZoneTakePartialCredit) {
    square_building();
    PERCENTDL = 50.0f;
    SCHED(1, 10) = 1.0f;
    FCAVG(1) = 15.0f;  // half the design illuminance behind the south glass
    LITES(1, 10);
    // 640 ft2 (no daylit neighbour) x 2 storeys x 1 W x 0.5 x 0.5 controlled.
    EXPECT_NEAR(HEAT(13, 10, 1), 20000.0f - 640.0f * 2.0f * 0.5f * 0.5f * 3.412f, 0.01f);

    FCAVG(1) = 0.0f;
    FCAVG(5) = 30.0f;
    INTZONE = 1.0f;
    INTZONEX = 300.0f;
    SKYFLOOR = 500.0f;
    LITES(1, 10);
    // The smaller of the interior and skylit floor, one storey only.
    EXPECT_NEAR(HEAT(13, 10, 1), 20000.0f - 300.0f * 1.0f * 0.5f * 3.412f, 0.01f);

    INTZONE = 0.0f;  // no interior zone: no skylight credit
    LITES(1, 10);
    EXPECT_FLOAT_EQ(HEAT(13, 10, 1), 20000.0f);

    DILLUM = 0.0f;  // no design illuminance: any daylight is enough
    FCAVG(3) = 2.0f;
    LITES(1, 10);
    EXPECT_NEAR(HEAT(13, 10, 1), 20000.0f - 640.0f * 2.0f * 0.5f * 3.412f, 0.01f);
}

TEST(Lighting, GainIsNeverNegative) {
    square_building();
    PERCENTDL = 100.0f;
    TLLOAD = 1000.0f;
    SCHED(1, 14) = 1.0f;
    FCAVG.fill(80.0f);
    LITES(7, 14);
    EXPECT_EQ(HEAT(13, 14, 7), 0.0f);

    SCHED(1, 14) = 0.0f;  // lights off: no gain whatever the daylight
    TLLOAD = 20000.0f;
    LITES(7, 14);
    EXPECT_EQ(HEAT(13, 14, 7), 0.0f);
}

TEST(Lighting, DaylightNeverRaisesTheGainAboveTheFullLoad) {
    // Daylit zones deeper than half the facades they lie behind: after the
    // corners shared with their neighbours they have no floor left.
    square_building();
    EWDIM = 20.0f;
    NSDIM = 24.0f;
    WIDTHDL = 25.6f;
    PERCENTDL = 100.0f;
    SCHED(1, 16) = 1.0f;
    for (INTEGER i = 1; i <= 4; ++i) FCAVG(i) = 10.0f;
    LITES(1, 16);
    EXPECT_LE(HEAT(13, 16, 1), TLLOAD);
}

// People and the hour's total -----------------------------------------------------

TEST(Occupants, ResidentialProfileAndNonResidentialSchedule) {
    TOLOAD = 4800.0f;
    OCCPROF(18) = 0.064f;
    PERSNS(5, 18);
    EXPECT_NEAR(HEAT(15, 18, 5), 4803.8f, 0.05f);  // 4800 x 0.064 x 0.6515625 x 24

    NFLAG(24) = true;
    NTYPE = 7;
    SCHEDULES(10, 1, 7) = 80;
    TOLOAD = 10000.0f;
    PERSNS(5, 10);
    EXPECT_FLOAT_EQ(HEAT(15, 10, 5), 8000.0f);
    EXPECT_FLOAT_EQ(OCCPROF(10), 0.8f);
}

TEST(Totals, SumsComponentsAndKeepsComponentExtremes) {
    for (INTEGER c = 1; c <= 16; ++c) HEAT(c, 7, 3) = -1000.0f;
    HEAT(1, 7, 3) = 12000.0f;
    HEAT(15, 7, 3) = 500.0f;
    PKGAIN = 0.0f;
    PKLOSS = 0.0f;
    PEOPLE = 4.0f;
    TOTALS(3, 7);
    EXPECT_FLOAT_EQ(HEAT(17, 7, 3), 12000.0f + 500.0f - 14.0f * 1000.0f);
    EXPECT_FLOAT_EQ(PKGAIN, 12000.0f);  // a single component, though the hour loses heat
    EXPECT_FLOAT_EQ(PKLOSS, -1000.0f);

    PEOPLE = 0.0f;  // an empty building has no people gain, whatever is stored
    TOTALS(3, 7);
    EXPECT_FLOAT_EQ(HEAT(17, 7, 3), 12000.0f - 14.0f * 1000.0f);
}

// Residential appliances ------------------------------------------------------------

void generated_house(INTEGER scheme, REAL fuel, REAL lights_w_ft2) {
    IDNUM1 = scheme;
    FUELTYPE = fuel;
    AREAT = 2000.0f;
    PBTUH = 230.0f;
    PEOPLE = 4.0f;
    LIGHTS = lights_w_ft2;
    NFLAG(38) = true;
}

TEST(ResidentialAppliances, OtherLoadFillsTheDailyGainTarget) {
    generated_house(1, 1.0f, 0.1f);
    APPLIANCE(1, 1) = 50.0f;  // the generated schemes use the defaults only
    EQUIPT(1, 1);
    EXPECT_EQ(APPLIANCE(1, 1), 0.0f);
    EXPECT_FLOAT_EQ(APPGAS1, 29.1f);
    EXPECT_FLOAT_EQ(DAGAS, 37.2f);
    EXPECT_EQ(RAELECT, 0.0f);
    // Gains of 7972.6 + 1019.2 + 14386.5 + 10671.0 = 34049.3 Btu/day against
    // 20000 + 15 x 2000: the other load makes up 15950.7 Btu/day.
    EXPECT_NEAR(EAELECTD, 15950.7f / 3412.0f * 365.0f, 0.2f);
    EXPECT_NEAR(EAELECTD, 1706.3f, 0.2f);

    EAELECTD = 0.0f;
    generated_house(1, 1.0f, 1.5f);  // lights alone exceed the target
    EQUIPT(1, 1);
    EXPECT_NEAR(EAELECTD, 2628.0f, 0.05f);  // 0.15 W/ft2 around the clock
}

TEST(ResidentialAppliances, PeakHourGainEqualsThePeakRates) {
    generated_house(4, 1.0f, 0.5f);
    APPLIANCE(2, 2) = 400.0f;
    APPLIANCE(3, 4) = 100.0f;
    APPLIANCE(1, 5) = 250.0f;
    EQUIPT(1, 18);  // OCCPROF(18) = 0.064, the profile's peak
    const REAL f = MONPROF(1);
    const REAL peak_btuh = f * (GAS1HEATPHR + REHEATPHR + DGHEATPHR + 0.1f * ELEC4HEATPHR + EEHEATPHR);
    EXPECT_NEAR(HEAT(14, 18, 1), peak_btuh, 1e-5f * peak_btuh);
    EXPECT_FLOAT_EQ(RAELECT, 400.0f);
    EXPECT_FLOAT_EQ(APPELEC4, 100.0f);
    EXPECT_NEAR(EAELECT, EAELECTD + 250.0f, 0.01f);
    // Energy counts in full, gain only a tenth for columns 3 and 4.
    const REAL day_gas_btu = (29.1f + 37.2f) * 100000.0f / 365.0f;
    EXPECT_NEAR(EQFUEL(18, 1), f * 0.064f * day_gas_btu, 1e-5f * day_gas_btu);
}

TEST(ResidentialAppliances, AllElectricSiteBurnsNoGas) {
    generated_house(5, 4.0f, 0.5f);
    APPLIANCE(1, 1) = 40.0f;
    APPLIANCE(1, 3) = 20.0f;
    EQUIPT(1, 12);
    EXPECT_EQ(APPGAS1, 0.0f);
    EXPECT_EQ(DAGAS, 0.0f);
    EXPECT_EQ(DAGASD, 0.0f);
    EXPECT_EQ(EQFUEL(12, 1), 0.0f);
    EXPECT_FLOAT_EQ(RAELECTD, 757.00006f);
    EXPECT_FLOAT_EQ(APPELEC4D, 969.0f);
    EXPECT_FALSE(appliance_gas_recorded());
}

// Non-residential equipment -----------------------------------------------------

// Every hour of rows 3 to 15 of the type at full schedule.
void full_schedules(INTEGER type) {
    NFLAG(24) = true;
    NTYPE = type;
    for (INTEGER r = 3; r <= 15; ++r)
        for (INTEGER h = 1; h <= 24; ++h) SCHEDULES(h, r, type) = 100;
    AREAT = 1000.0f;
    CYCLE = -2.0f;
}

TEST(NonResidentialEquipment, VintageSchemeScalesTheTypeLoads) {
    full_schedules(10);
    IDNUM1 = 2;
    STRATEGY(11, 2) = 1990.0f;
    EQUIPT(1, 12);
    const REAL vintage = 1.0f + 0.0056f * 23.0f;  // 1.1288
    EXPECT_NEAR(DGHEATPHR, DVALUENR(8, 10) * vintage, 1e-4f);
    EXPECT_NEAR(REHEATPHR, DVALUENR(9, 10) * vintage, 1e-5f);
    EXPECT_NEAR(EEHEATPHR, DVALUENR(4, 10) * vintage, 1e-5f);

    for (REAL year : {2013.0f, 2020.0f, 100.0f}) {
        STRATEGY(11, 2) = year;
        EQUIPT(1, 12);
        EXPECT_FLOAT_EQ(EEHEATPHR, DVALUENR(4, 10)) << year;
    }
    IDNUM1 = 1;  // the code-minimum scheme is always of the code year
    STRATEGY(11, 1) = 1950.0f;
    EQUIPT(1, 12);
    EXPECT_FLOAT_EQ(EEHEATPHR, DVALUENR(4, 10));
}

TEST(NonResidentialEquipment, RestaurantHoodsCountWithPlugLoads) {
    full_schedules(10);
    IDNUM1 = 4;
    DGHEATPHR = 0.0f;
    REHEATPHR = 0.0f;
    EEHEATPHR = 1.0f;   // 1 kW of plug loads on 1000 ft2
    APPLIANCE(1, 4) = 0.5f;  // small hood, kW
    APPLIANCE(2, 5) = 2.0f;  // large hood, kW
    EQUIPT(3, 11);
    EXPECT_FLOAT_EQ(EHOODS, 0.5f);
    EXPECT_FLOAT_EQ(EHOODL, 2.0f);
    EXPECT_FLOAT_EQ(EAELECT, 3.0f);  // plug loads and the large hood
    EXPECT_FLOAT_EQ(EQKWHR(11, 3), 3.5f);
    EXPECT_FLOAT_EQ(HEAT(14, 11, 3), 3.5f * 3412.0f);

    NTYPE = 4;  // a store has no hoods: the table's hood entries go
    full_schedules(4);
    EQUIPT(3, 11);
    EXPECT_EQ(APPLIANCE(1, 4), 0.0f);
    EXPECT_EQ(APPLIANCE(2, 5), 0.0f);
}

TEST(NonResidentialEquipment, WarehouseAndSiteWithoutGasBurnNone) {
    full_schedules(11);
    IDNUM1 = 5;
    DGHEATPHR = 10.0f;
    APPLIANCE(1, 1) = 5.0f;
    EQUIPT(6, 12);
    EXPECT_EQ(APPLIANCE(1, 1), 0.0f);
    EXPECT_EQ(EQFUEL(12, 6), 0.0f);
    EXPECT_EQ(DAGAS, 0.0f);

    full_schedules(4);
    APPLIANCE(1, 1) = 5.0f;
    STRATEGY(3, 5) = 10.0f;
    DAGASD = 7.0f;
    EQUIPT(6, 12);
    EXPECT_EQ(EQFUEL(12, 6), 0.0f);
    EXPECT_EQ(DAGASD, 0.0f);

    STRATEGY(3, 5) = 1.0f;
    EQUIPT(6, 12);
    EXPECT_FLOAT_EQ(EQFUEL(12, 6), (10.0f + 5.0f) * 1000.0f);  // kBtu/h to Btu/h
    EXPECT_FLOAT_EQ(DAGAS, 15.0f);
    EXPECT_TRUE(appliance_gas_recorded());
}

}  // namespace
}  // namespace mavo
