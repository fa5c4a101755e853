#include <gtest/gtest.h>

#include "blocks/blocks.h"
#include "renewables/pv/inverter_stage.h"
#include "renewables/pv/module_model.h"

namespace mavo {
namespace {

using solarmodel::InverterRating;

// A 3.8 kW inverter, 200 / 310 / 480 V, with distinct efficiencies at each
// voltage so interpolation in voltage shows.
FArray<REAL8, 33> inverter_row() {
    FArray<REAL8, 33> r{};
    r(1) = 3.8;
    r(2) = 0.25;
    r(5) = 200.0;
    r(6) = 310.0;
    r(7) = 480.0;
    const double vmin[6] = {90, 92, 93, 94, 95, 96};
    const double vnom[6] = {91, 93, 94, 96, 97, 98};
    const double vmax[6] = {89, 91, 92, 93, 94, 95};
    for (int j = 0; j < 6; ++j) {
        r(14 + j) = vmin[j];
        r(21 + j) = vnom[j];
        r(28 + j) = vmax[j];
    }
    return r;
}

TEST(InverterEfficiency, InterpolatesInPowerThenVoltage) {
    const auto row = inverter_row();
    // 35 % of rated at the nominal voltage: halfway between the 30 % point
    // (94) and the point between 30 and 50 % ((94 + 96) / 2 = 95).
    EXPECT_NEAR(solarmodel::inverter_efficiency(row, 0.35 * 3800, 310.0), (94.0 + 95.0) / 2 / 100, 1e-12);
    // The nominal voltage uses its own row alone; below 10 % of rated the
    // 10 % value holds.
    EXPECT_NEAR(solarmodel::inverter_efficiency(row, 100.0, 310.0), 0.91, 1e-12);
    // 60 % of rated: 2/5 of the way from 50 to 75 % is the 60 % point,
    // e50 + (e75 - e50) / 2.5; at Vnom 96 + 1 / 2.5 = 96.4.
    EXPECT_NEAR(solarmodel::inverter_efficiency(row, 0.60 * 3800, 310.0), 0.964, 1e-12);
    // 95 % of rated: halfway between e75 + 15/25 (e100 - e75) and e100.
    EXPECT_NEAR(solarmodel::inverter_efficiency(row, 0.95 * 3800, 310.0), (97.6 + 98.0) / 2 / 100, 1e-12);
    // Halfway between Vmin and Vnom at 50 %: (94 + 96) / 2.
    EXPECT_NEAR(solarmodel::inverter_efficiency(row, 0.5 * 3800, 255.0), 0.95, 1e-12);
    // Three quarters of the way from Vnom to Vmax at 50 %: 96 - 0.75 x 3.
    EXPECT_NEAR(solarmodel::inverter_efficiency(row, 0.5 * 3800, 437.5), 0.9375, 1e-12);
    // Outside the rating or the window there is no output.
    EXPECT_EQ(solarmodel::inverter_efficiency(row, 3800.0, 310.0), 0.0);
    EXPECT_EQ(solarmodel::inverter_efficiency(row, 1000.0, 199.9), 0.0);
    EXPECT_EQ(solarmodel::inverter_efficiency(row, 1000.0, 480.1), 0.0);
    // A table whose nominal voltage equals its maximum still answers at the
    // maximum (with the nominal row).
    auto flat = row;
    flat(6) = 480.0;
    EXPECT_NEAR(solarmodel::inverter_efficiency(flat, 0.5 * 3800, 480.0), 0.96, 1e-12);

    MAVODATA.INVDATA = row;
    REAL8 eff = -1.0;
    INTERPOL(0.35 * 3800, 310.0, eff);
    EXPECT_NEAR(eff, 0.945, 1e-12);
}

// Diode parameters of the example module in bright sun.
solarmodel::DiodeParameters module_in_sun() { return {1.7, 6.0, 1.6e-8, 0.3381, 330.0}; }

TEST(InverterStage, ClippingAtTheRatedPower) {
    MAVODATA.INVDATA = inverter_row();
    const InverterRating inv{3800.0, 480.0, 200.0, 0.25};
    const auto o = solarmodel::inverter_stage(inv, 4200.0, 300.0, 14.0, 370.0, 10, 2, module_in_sun());
    EXPECT_EQ(o.p_ac_W, 3800.0);
    EXPECT_DOUBLE_EQ(o.efficiency, 3800.0 / 4200.0);
    EXPECT_EQ(o.v_V, 200.0);  // held at the lower limit, Voc within the window
    EXPECT_NEAR(o.i_A, 2 * solarmodel::module_current(module_in_sun(), 20.0, 0.9 * 6.0).value, 1e-6);
    // An array that cannot reach the window still reports the rating, at 0 V.
    const auto low = solarmodel::inverter_stage(inv, 4200.0, 150.0, 28.0, 190.0, 5, 4, module_in_sun());
    EXPECT_EQ(low.p_ac_W, 3800.0);
    EXPECT_EQ(low.v_V, 0.0);
    EXPECT_EQ(low.i_A, 0.0);
}

TEST(InverterStage, VoltageWindow) {
    MAVODATA.INVDATA = inverter_row();
    const InverterRating inv{3800.0, 480.0, 200.0, 0.25};
    // Within the window: the maximum-power point at its own efficiency.
    const auto mid = solarmodel::inverter_stage(inv, 1900.0, 310.0, 6.13, 370.0, 10, 2, module_in_sun());
    EXPECT_EQ(mid.v_V, 310.0);
    EXPECT_EQ(mid.i_A, 6.13);
    EXPECT_NEAR(mid.efficiency, 0.96, 1e-12);
    EXPECT_NEAR(mid.p_ac_W, 0.96 * 1900.0, 1e-9);
    // Below the window with Voc inside it: held at Vmin, efficiency of Vmin
    // applied to the maximum power.
    const auto below = solarmodel::inverter_stage(inv, 1000.0, 180.0, 5.6, 220.0, 8, 1, module_in_sun());
    EXPECT_EQ(below.v_V, 200.0);
    EXPECT_NEAR(below.efficiency, solarmodel::inverter_efficiency(inverter_row(), 1000.0, 200.0), 1e-15);
    EXPECT_NEAR(below.p_ac_W, below.efficiency * 1000.0, 1e-12);
    // The open-circuit voltage below the window: nothing in daylight.
    const auto dead = solarmodel::inverter_stage(inv, 1000.0, 150.0, 6.7, 190.0, 5, 1, module_in_sun());
    EXPECT_EQ(dead.p_ac_W, 0.0);
    EXPECT_EQ(dead.v_V, 190.0);
    EXPECT_EQ(dead.i_A, 0.0);
    // Above the window: held at Vmax.
    const auto above = solarmodel::inverter_stage(inv, 2000.0, 520.0, 3.85, 640.0, 20, 1, module_in_sun());
    EXPECT_EQ(above.v_V, 480.0);
    EXPECT_NEAR(above.efficiency, solarmodel::inverter_efficiency(inverter_row(), 2000.0, 480.0), 1e-15);
    EXPECT_GT(above.i_A, 0.0);
    // A window upside down passes nothing.
    const InverterRating crossed{3800.0, 150.0, 200.0, 0.25};
    EXPECT_EQ(solarmodel::inverter_stage(crossed, 1000.0, 180.0, 5.6, 220.0, 8, 1, module_in_sun()).p_ac_W, 0.0);
    // A dark array with no rating: no power and no division by zero.
    const auto none = solarmodel::inverter_stage({0.0, 480.0, 200.0, 0.0}, 0.0, 0.0, 0.0, 0.0, 10, 1, {});
    EXPECT_EQ(none.p_ac_W, 0.0);
    EXPECT_EQ(none.efficiency, 0.0);
}

}  // namespace
}  // namespace mavo
