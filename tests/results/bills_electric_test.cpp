#include <gtest/gtest.h>

#include "blocks/blocks.h"
#include "results/bill_scheme.h"
#include "results/bills.h"
#include "results/bills_heating.h"
#include "results/bills_steps.h"

namespace mavo {
namespace {

using testing::plain_bill_scheme;

constexpr INTEGER k = 3;

// Tiers break at 100, 130, 200 and (five tiers) 300 % of the baseline.
TEST(TieredBill, TierQuantitiesAtAndAboveTheBreaks) {
    struct Case {
        float e;
        int tiers;
        float q1, q2, q3, q4, q5;
    };
    const Case cases[] = {
        {100.0f, 5, 100, 0, 0, 0, 0},     {130.0f, 5, 100, 30, 0, 0, 0},   {200.0f, 5, 100, 30, 70, 0, 0},
        {300.0f, 5, 100, 30, 70, 100, 0}, {300.5f, 5, 100, 30, 70, 100, 0.5f},
        {300.5f, 4, 100, 30, 70, 100.5f, 0}, {50.0f, 4, 50, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const FArray<REAL, 5> q = tier_quantities(c.e, 100.0f, c.tiers);
        const float want[5] = {c.q1, c.q2, c.q3, c.q4, c.q5};
        for (int t = 1; t <= 5; ++t) EXPECT_NEAR(q(t), want[t - 1], 1e-4f) << c.e << " kWh, tier " << t;
    }
}

// PG&E zone -13, a July day of 40 kWh: baseline 15.5, tiers 15.5, 4.65,
// 10.85 and 9.0 at 0.15293, 0.17614, 0.26445 and 0.32445 = $8.97880.
TEST(TieredBill, PgeJulyDayInFourTiers) {
    plain_bill_scheme(k, false, -13);
    EQKWHR(12, 7) = 40.0f;
    COST();
    EXPECT_NEAR(EKWHS, 15.5f, 1e-4f);
    EXPECT_NEAR(EKWHSAB, 4.65f, 1e-4f);
    EXPECT_NEAR(EKWHST3, 10.85f, 1e-4f);
    EXPECT_NEAR(EKWHST4, 9.0f, 1e-4f);
    EXPECT_NEAR(SUMARY(36, k), 8.97880f, 1e-4f);
    EXPECT_NEAR(COSTEL(12, 7), 8.97880f, 1e-4f);
    EXPECT_FLOAT_EQ(EGTOTAL, SUMARY(36, k));
    EXPECT_EQ(EDAYSW + EDAYSS, 12);  // a twelve-day run bills twelve days
    EXPECT_FLOAT_EQ(SUMARY(23, k), 40.0f);
    EXPECT_FLOAT_EQ(SUMARY(25, k), 40.0f);
}

// Rates the user revised (flag 82) are billed in a PG&E zone against the
// zone's baseline of each month, whatever tariff row 1 names: a July day of
// 40 kWh at the user's 0.1 to 0.5 $/kWh splits at zone -13's 15.5 kWh into
// 15.5, 4.65, 10.85 and 9.0 kWh = $9.335, not all in tier 1 against the
// 100 kWh the user's words hold ($4.00). The single flat rate (row 1 = 7)
// stands aside for the revised rates.
TEST(TieredBill, RevisedRatesTakeTheZonesBaselinesWhateverRow1Names) {
    for (const REAL row_1 : {1.0f, 7.0f}) {
        plain_bill_scheme(k, false, -13);
        STRATEGY(1, k) = row_1;
        NFLAG(81) = false;
        NFLAG(82) = true;
        ERATE1 = 0.1f;
        ERATE2 = 0.2f;
        ERATE3 = 0.3f;
        ERATE4 = 0.4f;
        ERATE5 = 0.5f;
        EBASES = EBASEW = 100.0f;
        EWINMON1 = 11;
        EWINMON2 = 4;
        EQKWHR(12, 7) = 40.0f;
        COST();
        EXPECT_NEAR(SUMARY(36, k), 9.335f, 1e-4f) << "row 1 = " << row_1;
    }
}

// SCE zones 11 and 12 have no baselines: all at the tier-1 rate, and the
// upper rates are cleared at the first summer month.
TEST(TieredBill, SceZoneWithoutBaseline) {
    plain_bill_scheme(k, false, 11);
    for (int m = 1; m <= 12; ++m) EQKWHR(12, m) = 10.0f;
    COST();
    EXPECT_NEAR(SUMARY(36, k), 12 * 1.485f, 1e-3f);
    EXPECT_FLOAT_EQ(ERATE2, 0.0f);
    EXPECT_FLOAT_EQ(ERATE5, 0.0f);
}

TEST(TieredBill, SmudWinterDayWithinAllowance) {
    plain_bill_scheme(k, false, -1);
    EQKWHR(1, 1) = 20.0f;  // allowance 690 / 30.416666 = 22.685 kWh/day
    COST();
    EXPECT_NEAR(SUMARY(36, k), 20 * 0.0955f, 1e-4f);
    EXPECT_NEAR(EKWHW, 20.0f, 1e-5f);
    EXPECT_FLOAT_EQ(EKWHWAB, 0.0f);
}

// SDG&E zone 1, 12 kWh a day: July against 9.6 kWh at adders 0.01662 and
// 0.04044 over 0.14812 ($2.034048); January against 10.1 kWh at 0.08989 and
// 0.11371 over 0.07485 ($2.022138). SDG&E has no meter charge.
TEST(TieredBill, SdgeTierAddersOverTheSeasonsBaseRate) {
    plain_bill_scheme(k, false, 1);
    EQKWHR(12, 7) = 12.0f;
    EQKWHR(12, 1) = 12.0f;
    COST();
    EXPECT_NEAR(ECOSTS + ECOSTSAB, 2.034048f, 1e-5f);
    EXPECT_NEAR(ECOSTW + ECOSTWAB, 2.022138f, 1e-5f);
    EXPECT_NEAR(SUMARY(36, k), 4.056186f, 1e-4f);
    EXPECT_FLOAT_EQ(ETIERADDS(5), ETIERADDS(4));
}

TEST(TieredBill, FlatRateBillsEveryKwhAlike) {
    plain_bill_scheme(k, false, 10);
    STRATEGY(1, k) = 7.0f;
    for (int m = 1; m <= 12; ++m) EQKWHR(12, m) = 100.0f;  // far above any SCE baseline
    COST();
    EXPECT_NEAR(SUMARY(36, k), 12 * 12.1f, 1e-3f);
}

// The flat rate bills as one tier in the SMUD and SDG&E zones too, whose
// own month rules would price it at their base rates; the hour's PV output
// is credited at the flat rate.
TEST(TieredBill, FlatRateInSmudAndSdgeZones) {
    for (INTEGER zone : {-1, 1}) {
        plain_bill_scheme(k, false, zone);
        STRATEGY(1, k) = 7.0f;
        for (int m = 1; m <= 12; ++m) EQKWHR(12, m) = 100.0f;
        PV(12, 1) = 50.0f;
        COST();
        EXPECT_NEAR(SUMARY(36, k), 12 * 12.1f, 1e-3f) << "zone " << zone;
        EXPECT_NEAR(EKWHW, 1200.0f, 1e-3f) << "zone " << zone;  // every month winter, all in tier 1
        EXPECT_EQ(EKWHWAB, 0.0f) << "zone " << zone;
        EXPECT_NEAR(COSTEL(12, 1), 50 * 0.121f, 1e-5f) << "zone " << zone;
        EXPECT_NEAR(COSTEL(12, 7), 12.1f, 1e-5f) << "zone " << zone;
    }
}

// The tiered bill prices energy only; the meter charges of the billed days
// are counted apart, season by season, for the host to add.
TEST(TieredBill, MeterChargesKeptApartFromTheBill) {
    plain_bill_scheme(k, true, 10);  // SCE, $0.031 a day, no use
    COST();
    EXPECT_EQ(SUMARY(36, k), 0.0f);
    EXPECT_EQ(COSTEL(5, 2), 0.0f);
    EXPECT_NEAR(ECHARGW, (31 + 28 + 31 + 30 + 31 + 31 + 30 + 31) * 0.031f, 1e-4f);  // October to May
    EXPECT_NEAR(ECHARGS, (30 + 31 + 31 + 30) * 0.031f, 1e-4f);

    // SMUD's $14 a month is 14 x 12 / 365 = $0.460274 a day.
    plain_bill_scheme(k, false, -1);  // twelve representative days
    COST();
    EXPECT_NEAR(ECHARGW + ECHARGS, 12 * 14.0f * 12 / 365, 1e-4f);

    // SDG&E states no meter charge, and inherits none from the zone before.
    plain_bill_scheme(k, false, 1);
    COST();
    EXPECT_EQ(ECUSTOMCHG, 0.0f);
    EXPECT_EQ(ECHARGW + ECHARGS, 0.0f);
}

// Hourly electricity: 3412 Btu/h of lights is 1 kWh, so is 3412 Btu of
// electric water heating and 3.1 x 3412 Btu/h of cooling at COP 3.1, and
// 3412 Btu of resistance heat at 3.412 Btu/Wh: once, though its rating
// would also pass for a heat pump's.
TEST(HourlyElectricity, EndUsesEachCountedOnce) {
    plain_bill_scheme(k, false, 10);
    HEAT(13, 10, 1) = 3412.0f;
    WHTYPE = 2;
    WHENER(11, 1) = 3412.0f;
    HVACLD(12, 7) = 3.1f * 3412.0f;
    COPHT = 3.412f;
    STRATEGY(18, k) = 6.0f;
    HVACLD(13, 1) = -3412.0f;
    FREEZHRS(13, 1) = 0.5f;
    COST();
    EXPECT_NEAR(SUMARY(22, k), 1.0f, 1e-5f);
    EXPECT_NEAR(SUMARY(75, k), 1.0f, 1e-5f);
    EXPECT_NEAR(SUMARY(24, k), 1.0f, 1e-5f);
    EXPECT_NEAR(SUMARY(71, k), 1.0f, 1e-5f);
    EXPECT_NEAR(TEMPKWHR(13, 1), 1.0f, 1e-5f);
    EXPECT_NEAR(AETOT, 4.0f, 1e-5f);
}

// The heating code counts by its magnitude: a code the user changed (made
// negative) is billed as the system it names. Resistance heat of 3.41
// Btu/Wh draws 1 kWh for 3410 Btu; a heat pump of HSPF 8.2 draws 1 kWh for
// 8200 Btu in mild hours and runs at resistance heat (3412 Btu/kWh) in the
// freezing ones: 8200 Btu with half the days freezing is 0.5 + 1.2016 kWh.
TEST(HourlyElectricity, ChangedHeatingCodesBillAsTheirSystem) {
    struct Case {
        float code, copht, freezing_share, kwh;
    };
    for (const Case& c : {Case{6.0f, 3.41f, 0.0f, 1.0f}, Case{-6.0f, 3.41f, 0.0f, 1.0f},
                          Case{-7.0f, 8.2f, 0.0f, 1.0f}, Case{-8.0f, 8.2f, 0.5f, 0.5f + 4100.0f / 3412.0f}}) {
        plain_bill_scheme(k, false, 10);
        STRATEGY(18, k) = c.code;
        COPHT = c.copht;
        HVACLD(6, 1) = -c.copht * 1000.0f;
        FREEZHRS(6, 1) = c.freezing_share;
        COST();
        EXPECT_NEAR(SUMARY(71, k), c.kwh, 1e-5f) << "code " << c.code;
        EXPECT_NEAR(TEMPKWHR(6, 1), c.kwh, 1e-5f) << "code " << c.code;
    }
}

// A heat pump backed by strip heat never draws more than resistance heat
// for the same load, whatever its rating and however cold the hours.
TEST(HourlyElectricity, HeatPumpNeverWorseThanResistance) {
    const float load_btu = 50000.0f;
    const float resistance_kwh = load_btu / 3412.0f;
    for (float hspf : {2.5f, 3.42f, 6.8f, 8.2f, 10.0f}) {
        for (float share : {0.0f, 0.3f, 1.0f}) {
            const REAL kwh = electric_heating_kwh(electric_heating_kind(7.0f, hspf), load_btu, hspf, share);
            EXPECT_LE(kwh, resistance_kwh * (1.0f + 1e-6f)) << hspf << " " << share;
            EXPECT_GT(kwh, 0.0f);
        }
    }
    // All the hours freezing: strip heat throughout.
    EXPECT_NEAR(electric_heating_kwh(ElectricHeating::heat_pump, load_btu, 8.2f, 1.0f), resistance_kwh, 1e-4f);
}

TEST(HourlyElectricity, FurnaceAndFullYearCooling) {
    plain_bill_scheme(k, true, 10);
    COPHT = 0.75f;  // a fuel furnace uses no electricity for heat
    STRATEGY(18, k) = 6.0f;
    HVACLD(5, 1) = -50000.0f;
    HVACLD(14, 7) = 99999.0f;        // the full-year run takes cooling from STORED
    STORED(14, 7) = 3.1f * 3412.0f;  // 1 kWh a day
    COST();
    EXPECT_FLOAT_EQ(SUMARY(71, k), 0.0f);
    EXPECT_NEAR(SUMARY(24, k), 31.0f, 1e-4f);
    EXPECT_EQ(EDAYSW + EDAYSS, 365);
}

// SCE zone 10, January: 5 kWh bought in hour 12 while the array makes 8.
// The day costs 5 x 0.1485; the hour is credited 8 x 0.1485.
TEST(TieredBill, PhotovoltaicNettingByTheHour) {
    plain_bill_scheme(k, true, 10);
    EQKWHR(12, 1) = 5.0f;
    PV(12, 1) = 8.0f;
    PVKWH(1) = 1.0f;  // the bills add to the PV month arrays, never reset them
    COST();
    EXPECT_NEAR(SUMARY(36, k), 5 * 0.1485f * 31, 1e-4f);
    EXPECT_NEAR(COSTEL(12, 1), 0.7425f - 1.188f, 1e-5f);
    EXPECT_FLOAT_EQ(TEMPKWHR(12, 1), -3.0f);
    EXPECT_FLOAT_EQ(PVKWH(1), 1.0f + 8 * 31);
    EXPECT_FLOAT_EQ(PVKWH(13), 8.0f * 31);
    EXPECT_FLOAT_EQ(PVDEMAND(1), -3.0f * 31);
    EXPECT_NEAR(PVCOST(1), -0.4455f * 31, 1e-4f);
    EXPECT_FLOAT_EQ(SITEKWHR(12, 1), 5.0f);  // site energy stays gross
}

// Combination marker exactly 1: a second pass leaves the purchases gross
// while the hourly costs keep the billed, netted values.
TEST(TieredBill, MarkerOneEndsGrossOfPhotovoltaics) {
    plain_bill_scheme(k, true, 10);
    STRATEGY(26, k) = 1.0f;
    EQKWHR(12, 1) = 5.0f;
    PV(12, 1) = 8.0f;
    COST();
    EXPECT_FLOAT_EQ(TEMPKWHR(12, 1), 5.0f);
    EXPECT_NEAR(COSTEL(12, 1), -0.4455f, 1e-5f);
    EXPECT_NEAR(SUMARY(36, k), 5 * 0.1485f * 31, 1e-4f);
    EXPECT_NEAR(AETOT, 5.0f * 31, 1e-3f);
}

// A non-residential scheme takes its seasons from the time-of-use record,
// whose initial months make every month winter.
TEST(TieredBill, NonResidentialSeasonsFromTheRecord) {
    plain_bill_scheme(k, true, 10);
    NFLAG(24) = true;
    COST();
    EXPECT_EQ(EDAYSW, 365);
    EXPECT_EQ(EDAYSS, 0);
}

// A combination bills the members' sums and the electricity of the day
// their results hold: their site energy less their fuel (5 kWh of it), gross
// of an array, whatever purchases net of it they stored.
TEST(CombinationBill, MembersSummedAndStoredDayBilled) {
    plain_bill_scheme(5, false, -13);
    STRATEGY(26, 5) = 2.0f;
    NCOMBO(5) = 12;
    SUMARY(48, 1) = SUMARY(48, 2) = 365.0f;  // both members hold a year of results
    SUMARY(22, 1) = 100.0f;
    SUMARY(22, 2) = 50.0f;
    SUMARY(25, 1) = 100.0f;
    SUMARY(25, 2) = 50.0f;
    SUMARY(70, 2) = 30.0f;
    SUMARY(22, 5) = 999.0f;
    SITEKWHR(12, 7) = 45.0f;
    TEMPFUEL(12, 7) = 5.0f * 3412.0f;
    TEMPKWHR(12, 7) = 10.0f;
    COST();
    EXPECT_FLOAT_EQ(SUMARY(22, 5), 150.0f);
    EXPECT_FLOAT_EQ(SUMARY(25, 5), 150.0f);
    EXPECT_FLOAT_EQ(SUMARY(70, 5), 30.0f);
    EXPECT_FLOAT_EQ(SUMARY(56, 5), 120.0f);
    EXPECT_NEAR(SUMARY(36, 5), 8.97880f, 1e-4f);
}

}  // namespace
}  // namespace mavo
