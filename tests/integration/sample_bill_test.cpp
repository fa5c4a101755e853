// The sample project's electric bill, priced by hand from the tariff's
// published tiers: a tripwire on the whole chain from the hourly purchases
// to the year's bill.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <string>

#include "blocks/blocks.h"
#include "test_support.h"

namespace mavo {
namespace {

namespace fs = std::filesystem;
const fs::path kData = testing::sample_data();

// SCE's 2014 residential tariff in rate zone 10: daily baselines of 9.8 kWh
// in winter (October to May) and 9.4 kWh in summer; each tier reaches up to
// a multiple of the baseline, at its own price per kWh; a meter charge of
// $0.031 a day.
struct Tier {
    double upto_baselines;
    double price_per_kwh;
};
constexpr Tier kSceTiers[] = {{1.0, 0.1485},
                              {1.3, 0.1928},
                              {2.0, 0.27962},
                              {std::numeric_limits<double>::infinity(), 0.3196}};
constexpr double kWinterBaseline_kwh = 9.8;
constexpr double kSummerBaseline_kwh = 9.4;
constexpr double kMeterCharge_per_day = 0.031;
constexpr int kDaysOfMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

double day_cost(double e_kwh, double baseline_kwh) {
    double cost = 0.0, below = 0.0;
    for (const Tier& t : kSceTiers) {
        const double top = t.upto_baselines * baseline_kwh;
        cost += std::max(0.0, std::min(e_kwh, top) - below) * t.price_per_kwh;
        below = top;
    }
    return cost;
}

TEST(SampleBill, TiersPricedByHand) {
    testing::ScratchDir dir;
    const fs::path p = dir / "p";
    fs::copy(kData / "project", p, fs::copy_options::recursive);
    reset_all_blocks();
    ASSERT_EQ(testing::run_on_sample_data(p), 0);
    const INTEGER k = IDNUM1;
    // What the hand bill assumes of the sample: a residential full-year run
    // on SCE's tiers in rate zone 10.
    ASSERT_TRUE(NFLAG(51));
    ASSERT_EQ(ERATEZONE, 10);
    ASSERT_TRUE(NFLAG(38));
    ASSERT_FALSE(NFLAG(24));
    ASSERT_NE(STRATEGY(1, k), 7.0f);

    double bill = 0.0, meter = 0.0;
    for (int m = 1; m <= 12; ++m) {
        double e_kwh = 0.0;  // one average day's purchase, before any array output
        for (int h = 1; h <= 24; ++h) e_kwh += static_cast<double>(TEMPKWHR(h, m)) + PV(h, m);
        const bool winter = m >= 10 || m <= 5;
        bill += day_cost(e_kwh, winter ? kWinterBaseline_kwh : kSummerBaseline_kwh) * kDaysOfMonth[m - 1];
        meter += kMeterCharge_per_day * kDaysOfMonth[m - 1];
    }
    EXPECT_GT(bill, 1000.0);
    EXPECT_NEAR(SUMARY(36, k), bill, 0.005);
    // The meter charges are counted apart, not in the bill.
    EXPECT_NEAR(ECHARGW + ECHARGS, meter, 0.005);
}

}  // namespace
}  // namespace mavo
