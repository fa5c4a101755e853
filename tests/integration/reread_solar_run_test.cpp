// A scheme with an array and collectors re-read for some months: its array
// and its collectors work those months only, as its loads do, and the bill
// nets the months' output against the months' use.
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

}  // namespace
}  // namespace mavo
