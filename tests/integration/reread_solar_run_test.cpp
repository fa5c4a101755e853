// A scheme re-read for some months: its array and its collectors work
// those months only, as its loads do, the bill nets the months' output
// against the months' use, and it charges the months' days alone.
#include <gtest/gtest.h>

#include <vector>

#include "blocks/blocks.h"
#include "reference/reference_project.h"
#include "test_support.h"

namespace mavo {
namespace {

using namespace reference;

constexpr REAL kPlainRun = 0.0f, kCodeMinimum = 243.0f, kCopy = 201.0f, kName = 208.0f, kReread = 209.0f;
constexpr double kWattHoursPerKwh = 1000.0, kBtuPerKJ = 0.94782, kBtuPerTherm = 100000.0;

// What the year run of the scheme left, hour by hour: the array's AC
// output (kWh) and the water heater's fuel the collectors saved (therms).
struct YearHours {
    std::vector<double> pv_kwh = std::vector<double>(8761), saved_therms = std::vector<double>(8761);
};

YearHours hours_of_the_year_run() {
    YearHours y;
    const auto& sw = SDHWCALC_STATE;
    for (INTEGER t = 1; t <= 8760; ++t) {
        y.pv_kwh[t] = PVOUT(t) / kWattHoursPerKwh;
        y.saved_therms[t] = (sw.QFUELNOCOLL(t) - sw.QFUEL(t)) * kBtuPerKJ * WHEF2 / kBtuPerTherm;
    }
    return y;
}

INTEGER hours_before(INTEGER month, INTEGER day) {
    INTEGER days = day - 1;
    for (INTEGER m = 1; m < month; ++m) days += MODAYS(m);
    return days * 24;
}

TEST(RereadWithArrayAndCollectors, TheMonthsOutputIsNettedAgainstTheMonthsUse) {
    // The collectors' savings depend on the tank each day starts from, and a
    // large tank remembers several days: the re-read's tank enters July as
    // 31 March left it (the zone does the same), not as 30 June did, and the
    // third of twelve days starts from its own warm-up, not from the year's
    // days before it. Whole months agree to about 1 %, two lone days to
    // about 30 %; a whole year's or twelve days' savings are several times
    // either.
    struct Case {
        const char* what;
        INTEGER first_month, first_day;  // twelve days from this date; 0: the year
        double savings_tolerance;
    };
    for (const Case c :
         {Case{"a year's March and July", 0, 0, 0.02}, Case{"twelve days' third and seventh", 6, 1, 0.4}}) {
        SCOPED_TRACE(c.what);
        testing::ScratchDir dir;
        Project p({testing::sample_data() / "util", testing::sample_data() / "weather"}, dir / "hotel");
        // The reference hotel at Arcata, a gas water heater ahead of the
        // collectors, and its copy with 40 modules and rule-sized collectors.
        p.make(weather_file("Arcata.epw"), {{6, 1}, {8, 30000}, {14, 3}}, 14);
        p.run(1, kCodeMinimum);
        p.run(1, kCopy, 3);
        p.edit(3, [] {
            SQTY(1) = 40.0f;
            STRATEGY(50, 3) = 40.0f;
            STRATEGY(41, 3) = 1.0f;
        });
        p.run(3, kName, 3, "Hotel with array");
        ASSERT_TRUE(NFLAG(38));
        const YearHours year = hours_of_the_year_run();
        ASSERT_GT(SUMARY(70, 3), 10000.0f);
        ASSERT_GT(SUMARY(64, 3), 100.0f);

        if (c.first_month > 0) {
            p.edit(3, [&] {
                TMYMON = c.first_month;
                TMYDAY = c.first_day;
            });
            p.run(3, kPlainRun);
            ASSERT_FALSE(NFLAG(38));
        }
        p.run(3, kReread, 3, "MAR JUL");
        ASSERT_EQ(SUMARY(48, 3), c.first_month > 0 ? 2.0f : 62.0f);

        // The same hours of the year run: all of March and July, or the
        // two representative days at their dates.
        double pv_kwh = 0.0, saved_therms = 0.0;
        for (const INTEGER m : {3, 7}) {
            const INTEGER first = c.first_month > 0 ? hours_before(TMON(m), TDAY(m)) : hours_before(m, 1);
            const INTEGER last = first + 24 * (c.first_month > 0 ? 1 : MODAYS(m));
            for (INTEGER t = first + 1; t <= last; ++t) {
                pv_kwh += year.pv_kwh[t];
                saved_therms += year.saved_therms[t];
            }
        }
        ASSERT_GT(pv_kwh, 0.0);
        EXPECT_NEAR(SUMARY(70, 3), pv_kwh, 1.0e-4 * pv_kwh);
        EXPECT_NEAR(SUMARY(64, 3), saved_therms, c.savings_tolerance * saved_therms);
        // The bill buys the months' use less the months' output, and its
        // month sums (by calendar days) hold a year's months' output only.
        EXPECT_NEAR(SUMARY(56, 3), SUMARY(25, 3) - pv_kwh, 1.0e-4 * SUMARY(25, 3));
        if (c.first_month == 0) {
            EXPECT_NEAR(PVKWH(13), pv_kwh, 1.0e-4 * pv_kwh);
        }
    }
}

// PG&E's time-of-use tariff of rate zone 34 as published: a meter charge
// a day, and each hour's price by its period; October to May are winter.
constexpr double kPgeMeterCharge_per_day = 0.32854;
double pge_price_per_kwh(INTEGER hour, bool winter) {
    if (winter) return hour >= 8 && hour <= 16 ? 0.17359 : 0.15381;
    if (hour >= 12 && hour <= 17) return 0.2547;                                  // peak
    if ((hour >= 8 && hour <= 11) || (hour >= 18 && hour <= 21)) return 0.24562;  // part peak
    return 0.21801;                                                               // off peak
}

// A re-read bills the days of its months, their meter charge included: an
// office at Stockton.epw re-read for March and July was billed a year's
// time-of-use meter charge beside the 62 days' electricity (303 days too
// many, $99.55), and March and July re-read apart billed a year's charge
// more than the two together.
TEST(RereadBill, EachRereadBillsItsMonthsDaysAlone) {
    testing::ScratchDir dir;
    Project p({testing::sample_data() / "util", testing::sample_data() / "weather"}, dir / "office");
    p.make(weather_file("Stockton.epw"), {{6, 1}, {8, 5000}, {14, 1}}, 7);
    p.run(1, kCodeMinimum);
    p.run(1, kCopy, 3);
    p.run(3, kName, 3, "Office");
    struct Reread {
        const char* months;
        std::vector<INTEGER> month_numbers;
        double bill = 0.0;
    };
    Reread rereads[] = {{"MAR", {3}}, {"JUL", {7}}, {"MAR JUL", {3, 7}}};
    for (Reread& r : rereads) {
        SCOPED_TRACE(r.months);
        p.run(3, kReread, 3, r.months);
        ASSERT_EQ(ERATEZONE, 34);
        // Each month's average day priced hour by hour, times its days.
        double days = 0.0, bill = 0.0;
        for (const INTEGER m : r.month_numbers) {
            const bool winter = m >= 10 || m <= 5;
            double day_cost = kPgeMeterCharge_per_day;
            for (INTEGER h = 1; h <= 24; ++h) day_cost += TEMPKWHR(h, m) * pge_price_per_kwh(h, winter);
            bill += day_cost * MODAYS(m);
            days += MODAYS(m);
        }
        ASSERT_EQ(SUMARY(48, 3), days);
        EXPECT_NEAR(SUMARY(36, 3), bill, 1.0e-4 * bill);
        r.bill = SUMARY(36, 3);
    }
    // The zone enters July as 31 March left it in the run of both months,
    // from its own warm-up in July's alone: the two bills differ by about
    // 0.2 %; a year's meter charge ($119.92) is 3.6 % of them.
    EXPECT_NEAR(rereads[0].bill + rereads[1].bill, rereads[2].bill, 0.005 * rereads[2].bill);
}

}  // namespace
}  // namespace mavo
