#include <gtest/gtest.h>

#include <string>

#include "blocks/blocks.h"
#include "results/bills_steps.h"
#include "results/bill_scheme.h"

namespace mavo {
namespace {

// Expands "1-7:4, 8-20:2" style runs into the 24 period codes of a day.
FArray<INTEGER, 24> day_of(std::initializer_list<std::initializer_list<int>> runs) {
    FArray<INTEGER, 24> d{};
    for (const auto& run : runs) {
        auto it = run.begin();
        const int first = it[0], last = it[1], period = it[2];
        for (int h = first; h <= last; ++h) d(h) = period;
    }
    return d;
}

void expect_day(const FArray<INTEGER, 24>& got, const FArray<INTEGER, 24>& want, const std::string& what) {
    for (int h = 1; h <= 24; ++h) EXPECT_EQ(got(h), want(h)) << what << " hour " << h;
}

// The period tables published with the built-in records.
TEST(TariffSelection, HourListsOfTheBuiltInRecords) {
    struct Case {
        const char* what;
        TouRecord rec;
        FArray<INTEGER, 24> winter, summer;
    };
    const Case cases[] = {
        {"SCE", kTouRecordSce, day_of({{1, 7, 4}, {8, 20, 2}, {21, 24, 4}}),
         day_of({{1, 7, 4}, {8, 11, 1}, {12, 17, 2}, {18, 22, 3}, {23, 24, 4}})},
        {"SDG&E", kTouRecordSdge, day_of({{1, 5, 4}, {6, 16, 1}, {17, 19, 2}, {20, 21, 3}, {22, 24, 4}}),
         day_of({{1, 5, 4}, {6, 10, 1}, {11, 17, 2}, {18, 21, 3}, {22, 24, 4}})},
        {"PG&E", kTouRecordPge, day_of({{1, 7, 4}, {8, 16, 2}, {17, 24, 4}}),
         day_of({{1, 7, 4}, {8, 11, 1}, {12, 17, 2}, {18, 21, 3}, {22, 24, 4}})},
        {"SMUD", kTouRecordSmud, day_of({{1, 11, 4}, {12, 21, 2}, {22, 24, 4}}),
         day_of({{1, 11, 4}, {12, 13, 1}, {14, 19, 2}, {20, 21, 3}, {22, 24, 4}})},
    };
    for (const Case& c : cases) {
        FArray<INTEGER, 24> winter{}, summer{};
        tou_hour_lists(c.rec, winter, summer);
        expect_day(winter, c.winter, std::string(c.what) + " winter");
        expect_day(summer, c.summer, std::string(c.what) + " summer");
    }
}

TEST(TariffSelection, RecordWithoutWinterBoundariesStillHasPeriods) {
    TouRecord rec = kTouRecordSce;
    rec.WINHOURS = {0, 0, 0, 0};
    FArray<INTEGER, 24> winter{}, summer{};
    tou_hour_lists(rec, winter, summer);
    // The winter day is one period: the one the summer day ends in.
    expect_day(winter, day_of({{1, 24, 4}}), "winter");
    expect_day(summer, day_of({{1, 7, 4}, {8, 11, 1}, {12, 17, 2}, {18, 22, 3}, {23, 24, 4}}), "summer");
}

TEST(TariffSelection, BuiltInTieredTariffsByZone) {
    testing::plain_bill_scheme(3, true, 13);
    CostWork w;
    w.k = w.p = 3;
    select_electric_tariff(w);  // SCE zone 13
    EXPECT_FLOAT_EQ(ERATE1, 0.1485f);
    EXPECT_FLOAT_EQ(ERATE5, 0.99999f);
    EXPECT_FLOAT_EQ(EBASES, 18.4f);
    EXPECT_FLOAT_EQ(EBASEW, 11.1f);
    EXPECT_FLOAT_EQ(w.base_rate, 0.1485f);

    ERATEZONE = -13;  // PG&E: baselines come month by month
    select_electric_tariff(w);
    EXPECT_EQ(EWINMON1, 11);
    EXPECT_FLOAT_EQ(ERATE4, 0.32445f);
    EXPECT_FLOAT_EQ(ECUSTOMCHG, 0.0f);
    EXPECT_FLOAT_EQ(EMINCHG, 0.14784f);

    ERATEZONE = -2;  // SMUD: the monthly charge as a daily one
    select_electric_tariff(w);
    EXPECT_FLOAT_EQ(ECUSTOMCHG, 14.0f * 12.0f / 365.0f);
    EXPECT_FLOAT_EQ(ERATEW(1), 0.0955f);
    EXPECT_FLOAT_EQ(ERATE2, 0.1836f);
    EXPECT_FLOAT_EQ(EBASEW, 690.0f);
    EXPECT_FLOAT_EQ(EBASES, 765.0f);

    // A zone without a built-in tariff bills as a new project does, not on
    // the tariff loaded before (SMUD's charge and allowances here).
    ERATE1 = 0.5f;
    ERATEZONE = 7;
    select_electric_tariff(w);
    EXPECT_FLOAT_EQ(ERATE1, 0.1485f);
    EXPECT_FLOAT_EQ(ERATE3, 0.27962f);
    EXPECT_FLOAT_EQ(ECUSTOMCHG, 0.031f);
    EXPECT_FLOAT_EQ(EBASEW, 0.0f);
    EXPECT_FLOAT_EQ(EBASES, 0.0f);
    EXPECT_EQ(EWINMON1, 10);
    EXPECT_FLOAT_EQ(w.base_rate, 0.0f);
}

TEST(TariffSelection, UserRevisedRatesStayUnlessTheLocationChanged) {
    testing::plain_bill_scheme(3, true, 13);
    NFLAG(82) = true;
    ERATE1 = 0.2f;
    CostWork w;
    w.k = w.p = 3;
    select_electric_tariff(w);
    EXPECT_FLOAT_EQ(ERATE1, 0.2f);
    EXPECT_FLOAT_EQ(w.base_rate, 0.0f);

    NFLAG(81) = true;  // scheme 2's share of scheme 1's site is no move
    select_electric_tariff(w);
    EXPECT_TRUE(NFLAG(82));
    EXPECT_FLOAT_EQ(ERATE1, 0.2f);

    mark_location_changed();  // a move loads the built-in rates
    NFLAG(83) = true;
    select_electric_tariff(w);
    EXPECT_FALSE(NFLAG(82));
    EXPECT_FALSE(NFLAG(83));
    EXPECT_FLOAT_EQ(ERATE1, 0.1485f);
}

TEST(TariffSelection, TimeOfUseRecords) {
    testing::plain_bill_scheme(3, true, 38);
    TOUKWH(2) = 5.0f;
    CostWork w;
    w.k = w.p = 3;
    select_electric_tariff(w);  // the flat record: period 2 all day, all year
    EXPECT_FLOAT_EQ(TOUKWH(2), 0.0f);
    EXPECT_FLOAT_EQ(TOUREC.SUMRATES(3), 0.0984f);
    EXPECT_FLOAT_EQ(TOUREC.CUSTCHG, 0.0f);
    expect_day(TOUWLIST, day_of({{1, 24, 2}}), "flat winter");
    expect_day(TOUSLIST, day_of({{1, 24, 2}}), "flat summer");

    ERATEZONE = 33;
    select_electric_tariff(w);
    EXPECT_EQ(TOUREC.WINMON1, 10);
    EXPECT_FLOAT_EQ(TOUREC.WINRATES(2), 0.21242f);
    EXPECT_EQ(TOUWLIST(20), 3);

    // Another building on the single flat rate reads no record: the one in
    // force is the initial one, not the last tariff's its input file kept.
    NFLAG(24) = true;
    STRATEGY(1, 3) = 7.0f;
    select_electric_tariff(w);
    EXPECT_EQ(TOUREC.YEAR, 0);
    EXPECT_EQ(TOUREC.WINMON1, 1);
    EXPECT_FLOAT_EQ(TOUREC.WINRATES(2), 0.0f);
    STRATEGY(1, 3) = 1.0f;
    ERATEZONE = 33;
    select_electric_tariff(w);

    // User rates in a time-of-use zone: every month becomes winter.
    NFLAG(82) = true;
    TOUREC.WINRATES(1) = 0.3f;
    select_electric_tariff(w);
    EXPECT_EQ(TOUREC.WINMON1, 1);
    EXPECT_EQ(TOUREC.WINMON2, 12);
    EXPECT_FLOAT_EQ(TOUREC.WINRATES(1), 0.3f);
}

}  // namespace
}  // namespace mavo
