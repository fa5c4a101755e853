#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "blocks/blocks.h"
#include "renewables/pv/inverter_stage.h"
#include "renewables/pv/module_model.h"

namespace mavo {
namespace {

using solarmodel::DiodeParameters;

double f32(double x) { return static_cast<double>(static_cast<float>(x)); }

// The built-in example module (60 cells, about 210 W) as the model's
// parameter vector, with an inverter of the given rating.
FArray<REAL8, 32> example_par(double mode, int ns, int np, double rated_W = 1.0e6, double vmax_V = 1000.0,
                              double vmin_V = 0.0, double tare_W = 0.0) {
    FArray<REAL8, 32> p{};
    p(1) = mode;
    p(2) = f32(7.74);
    p(3) = f32(36.3);
    p(4) = 298.15;
    p(5) = 1000.0;
    p(6) = f32(29.22);
    p(7) = f32(7.2);
    p(8) = f32(0.00428);
    p(9) = f32(-0.128);
    p(10) = 60.0;
    p(11) = ns;
    p(12) = np;
    p(13) = 317.65;
    p(14) = 293.15;
    p(15) = 800.0;
    p(16) = 1.616;
    p(17) = 0.9;
    p(18) = 1.12;
    p(19) = 1.613;
    p(20) = 7.75;
    p(21) = f32(1.289e-9);
    p(22) = 0.3381;
    p(23) = f32(257.964);
    p(24) = 0.008;
    p(25) = 0.0;
    p(26) = 0.0;
    p(27) = 15.8;
    p(28) = rated_W;
    p(29) = vmax_V;
    p(30) = vmin_V;
    p(31) = tare_W;
    p(32) = 1.0;
    return p;
}

// GT 800 W/m2 on a 30-degree plane: 600 beam at 30 degrees incidence, 150
// sky, 50 ground; zenith 40, 20 C, wind 1 m/s.
FArray<REAL8, 10> afternoon_hour() {
    FArray<REAL8, 10> in{};
    in(1) = 800.0;
    in(2) = 20.0;
    in(3) = 0.0;
    in(4) = 30.0;
    in(5) = 600.0;
    in(6) = 150.0;
    in(7) = 50.0;
    in(8) = 30.0;
    in(9) = 40.0;
    in(10) = 1.0;
    return in;
}

// Reference values of that hour, computed independently from the published
// equations (De Soto, Klein & Beckman 2006) in a separate script: incidence
// and spectral corrections, NOCT cell temperature, the five parameters at
// the hour's conditions, Voc by bisection and the maximum-power point by a
// golden-section search on the exact I-V curve (each to 1e-12).
constexpr double kRefS = 777.3737035738185;
constexpr double kRefTc = 314.0215461683364;
constexpr double kRefIL = 6.069109835427912;
constexpr double kRefIo = 1.6255216514665724e-08;
constexpr double kRefA = 1.6988655172548268;
constexpr double kRefRsh = 331.84038522511787;
constexpr double kRefVoc = 33.50381668865201;
constexpr double kRefVmp = 26.909980706664797;
constexpr double kRefPmp = 150.8747164913304;
constexpr double kRefIsc = 6.062932535793448;

TEST(ModuleModel, OperatingPointOfAnAfternoonHourMatchesTheFiveParameterModel) {
    FArray<REAL8, 13> out{};
    const auto par = example_par(1.0, 10, 2);
    EXPECT_EQ(TYPE194(afternoon_hour(), out, par), 1);
    EXPECT_NEAR(out(11), kRefTc, 1e-9);
    EXPECT_NEAR(ARRAY194.ILIGHT, kRefIL, 1e-12);
    EXPECT_NEAR(ARRAY194.IOSAT / kRefIo, 1.0, 1e-9);
    EXPECT_NEAR(ARRAY194.AMOD, kRefA, 1e-12);
    EXPECT_NEAR(ARRAY194.RSHUNT, kRefRsh, 1e-9);
    EXPECT_NEAR(ARRAY194.RSER, 0.3381, 1e-12);
    EXPECT_NEAR(PARAM194.MUVOC, f32(-0.128) * 1.158, 1e-12);
    EXPECT_NEAR(ARRAY194.ILIGHT * 1000.0 / kRefS, 7.75 + f32(0.00428) * 0.842 * (kRefTc - 298.15), 1e-9);
    // Voc by bisection to 1 mV; the maximum-power point on a 0.01 V grid,
    // whose power lies within a few milliwatts of the true maximum.
    EXPECT_NEAR(out(8), 10 * kRefVoc, 10 * 0.001);
    EXPECT_NEAR(out(4), 20 * kRefPmp, 20 * 0.002);
    EXPECT_LE(out(4), 20 * kRefPmp + 1e-9);
    EXPECT_NEAR(out(6), 10 * kRefVmp, 10 * 0.02);
    EXPECT_NEAR(out(9), 2 * kRefIsc, 1e-9);
    EXPECT_NEAR(out(10), (out(4) / 20) / (out(8) / 10) / (out(9) / 2), 1e-12);
    // The load point at 0 V is the short-circuit point: no power.
    EXPECT_EQ(out(1), 0.0);
    EXPECT_NEAR(out(2), 2 * kRefIsc, 2e-4);
    EXPECT_EQ(out(3), 0.0);
    EXPECT_EQ(out(5), 0.0);
    EXPECT_EQ(out(12), 0.0);
}

TEST(ModuleModel, ExampleInverterPassesTheMaximumPowerAtFullEfficiency) {
    FArray<REAL8, 13> dc{}, ac{};
    TYPE194(afternoon_hour(), dc, example_par(1.0, 10, 2));
    // The example inverter: 1000 kW, 0 / 500 / 1000 V, 100 % everywhere.
    MAVODATA.INVDATA(1) = 1000.0;
    MAVODATA.INVDATA(6) = 500.0;
    MAVODATA.INVDATA(7) = 1000.0;
    for (int j = 14; j <= 33; ++j) MAVODATA.INVDATA(j) = 100.0;
    TYPE194(afternoon_hour(), ac, example_par(2.0, 10, 2));
    EXPECT_DOUBLE_EQ(ac(3), dc(4));
    EXPECT_DOUBLE_EQ(ac(13), 1.0);
    EXPECT_DOUBLE_EQ(ac(1), dc(6));
    EXPECT_DOUBLE_EQ(ac(2), dc(7));
    EXPECT_NEAR(ac(12), ac(3) / (1.616 * 20 * 800.0), 1e-15);
}

TEST(ModuleModel, DarkAndDimHours) {
    FArray<REAL8, 10> dark{};
    dark(2) = -5.0;
    dark(8) = 90.0;
    dark(9) = 90.0;
    FArray<REAL8, 13> out{};
    out.fill(7.0);
    TYPE194(dark, out, example_par(2.0, 10, 2, 3800.0, 480.0, 200.0, 0.25));
    EXPECT_EQ(out(3), -0.25);  // the night tare
    EXPECT_NEAR(out(11), -5.0 + f32(273.15), 1e-12);
    for (int j : {1, 2, 4, 5, 6, 7, 8, 9, 10, 12, 13}) EXPECT_EQ(out(j), 0.0) << j;
    // Without the inverter stage the dark array gives exactly zero.
    TYPE194(dark, out, example_par(1.0, 10, 2, 3800.0, 480.0, 200.0, 0.25));
    EXPECT_EQ(out(3), 0.0);
    EXPECT_FALSE(std::signbit(out(3)));

    // Under 1 W/m2 absorbed: no open-circuit voltage, so no maximum power,
    // while the short-circuit current is positive.
    FArray<REAL8, 10> dim = afternoon_hour();
    dim(1) = 0.8;
    dim(5) = 0.8;
    dim(6) = dim(7) = 0.0;
    TYPE194(dim, out, example_par(1.0, 1, 1));
    EXPECT_EQ(out(8), 0.0);
    EXPECT_EQ(out(4), 0.0);
    EXPECT_GT(out(9), 0.0);
    EXPECT_EQ(out(11), 20.0 + f32(273.15));  // no heating below 1 W/m2
}

TEST(ModuleModel, IncidenceAndZenithLimits) {
    FArray<REAL8, 13> at_zero{}, at_one{}, at_86{}, at_89{};
    FArray<REAL8, 10> in = afternoon_hour();
    in(8) = 0.0;
    TYPE194(in, at_zero, example_par(1.0, 1, 1));
    in(8) = 1.0;
    TYPE194(in, at_one, example_par(1.0, 1, 1));
    EXPECT_EQ(at_zero(4), at_one(4));  // 0 degrees is taken as 1 degree
    in(9) = 86.0;
    TYPE194(in, at_86, example_par(1.0, 1, 1));
    in(9) = 89.0;
    TYPE194(in, at_89, example_par(1.0, 1, 1));
    EXPECT_EQ(at_86(4), at_89(4));  // the air mass of 86 degrees
}

TEST(ModuleModel, UnusableReferenceDataGiveADarkHourNotADivisionByZero) {
    FArray<REAL8, 13> out{};
    auto par = example_par(2.0, 10, 2, 3800.0, 480.0, 200.0, 0.5);
    par(16) = 0.0;  // no module area
    EXPECT_EQ(TYPE194(afternoon_hour(), out, par), 1);
    EXPECT_EQ(out(3), -0.5);
    EXPECT_EQ(out(4), 0.0);
    EXPECT_EQ(out(12), 0.0);
    par = example_par(1.0, 0, 2);  // no module in a string
    TYPE194(afternoon_hour(), out, par);
    for (double v : out) EXPECT_TRUE(std::isfinite(v));
    EXPECT_EQ(out(4), 0.0);
}

TEST(ModuleModel, SolversAgainstTheDiodeEquation) {
    // Reference-condition parameters of the example module.
    const DiodeParameters d{1.613, 7.75, f32(1.289e-9), 0.3381, f32(257.964)};
    const auto voc = solarmodel::open_circuit_voltage(d, f32(36.3), 1000.0);
    ASSERT_TRUE(voc.converged);
    const double f = d.il_A - d.io_A * (std::exp(voc.value / d.a_V) - 1.0) - voc.value / d.rsh_ohm;
    EXPECT_LT(std::fabs(f), 0.01);  // within 1 mV of the root (dI/dV about 5 A/V there)
    EXPECT_EQ(solarmodel::open_circuit_voltage(d, 36.3, 0.99).value, 0.0);
    EXPECT_EQ(solarmodel::open_circuit_voltage(d, 0.0005, 1000.0).value, 0.0005);

    const auto i = solarmodel::module_current(d, 29.22, 0.9 * d.il_A);
    ASSERT_TRUE(i.converged);
    const double vd = 29.22 + i.value * d.rs_ohm;
    EXPECT_NEAR(d.il_A - i.value - d.io_A * (std::exp(vd / d.a_V) - 1.0) - vd / d.rsh_ohm, 0.0, 1e-6);
    EXPECT_EQ(solarmodel::module_current(d, 10.0, 0.00005).value, 0.00005);  // a start at 0 is the answer
    // Beyond Voc the current is held at zero, never negative.
    EXPECT_EQ(solarmodel::module_current(d, 45.0, 0.9 * d.il_A).value, 0.0);

    // Parameters that make the equation meaningless stop at the iteration
    // limit instead of hanging.
    const DiodeParameters nan_params{std::nan(""), 7.75, 1e-9, 0.3, 250.0};
    EXPECT_FALSE(solarmodel::open_circuit_voltage(nan_params, 36.3, 1000.0).converged);

    // The array solver scales the module: NS modules share the voltage, NP
    // strings add their current.
    ARRAY194 = {d.a_V, d.il_A, d.io_A, d.rs_ohm, d.rsh_ohm};
    EXPECT_NEAR(CURRENT7194(10 * 29.22, 0.9 * d.il_A, 10, 3), 3 * i.value, 1e-9);
}

// The maximum-power point as the plain step-by-step walk finds it: from
// the start voltage up in 0.01 V steps built by repeated additions, each
// point solved by the model's own Newton solve from 0.9 IL, stopping at the
// first point at or beyond Voc or at the last point before the power first
// falls. Counts its solves.
struct WalkedPoint {
    double vmp_V = 0.0;
    double imp_A = 0.0;
    long solves = 0;
};
WalkedPoint plain_walk(const DiodeParameters& d, double v_start_V, double voc_V) {
    const double step_V = f32(0.01), start_fraction = f32(0.9);
    WalkedPoint w{v_start_V, 0.0, 0};
    while (w.vmp_V < voc_V) {
        const double v = w.vmp_V + step_V;
        const double i = solarmodel::module_current(d, v, start_fraction * d.il_A).value;
        ++w.solves;
        if (v * i < w.vmp_V * w.imp_A) break;
        w.vmp_V = v;
        w.imp_A = i;
    }
    return w;
}

// The walk of the hour TYPE194 just ran, from the diode parameters it left
// in ARRAY194: the start (MUVOC dT + Vmp,ref)/2 and the module's Voc by the
// model's bisection (0 below 1 W/m2 absorbed, when MODOUT(8) is 0).
// Also runs the model's search alone on the same curve, for its solves.
struct LastHour {
    WalkedPoint walk;
    solarmodel::MaximumPowerPoint search;
};
LastHour walk_of_last_hour(const FArray<REAL8, 13>& out, const FArray<REAL8, 32>& par) {
    const DiodeParameters d{ARRAY194.AMOD, ARRAY194.ILIGHT, ARRAY194.IOSAT, ARRAY194.RSER, ARRAY194.RSHUNT};
    const double v_start_V = (PARAM194.MUVOC * (out(11) - par(4)) + par(6)) / 2.0;
    const double voc_V = out(8) > 0.0 ? solarmodel::open_circuit_voltage(d, par(3), 1000.0).value : 0.0;
    return {plain_walk(d, v_start_V, voc_V), solarmodel::maximum_power_point(d, v_start_V, voc_V)};
}

TEST(ModuleModel, MaximumPowerPointIsThePlainWalksToTheLastBit) {
    std::mt19937 rng(194);
    auto uniform = [&rng](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
    long walk_solves = 0, search_solves = 0, hours_from_voc = 0;
    for (int hour = 0; hour < 3000; ++hour) {
        const int ns = std::uniform_int_distribution<int>(1, 20)(rng);
        const int np = std::uniform_int_distribution<int>(1, 4)(rng);
        auto par = example_par(hour % 2 == 0 ? 1.0 : 2.0, ns, np);
        if (hour % 8 == 3) par(6) = uniform(40.0, 75.0);  // starts near, at or beyond Voc
        // One hour in ten is dim: below 1 W/m2 absorbed there is no Voc.
        const double scale = hour % 10 == 7 ? uniform(0.0005, 0.01) : 1.0;
        FArray<REAL8, 10> in{};
        in(5) = scale * uniform(0.0, 1000.0);
        in(6) = scale * uniform(1.0, 300.0);  // some sky: the hour is never dark
        in(7) = scale * uniform(0.0, 100.0);
        in(1) = in(5) + in(6) + in(7);
        in(2) = uniform(-20.0, 45.0);
        in(3) = 0.0;
        in(4) = uniform(0.0, 90.0);
        in(8) = uniform(0.0, 90.0);
        in(9) = uniform(0.0, 89.0);
        in(10) = uniform(0.0, 10.0);
        FArray<REAL8, 13> out{};
        TYPE194(in, out, par);
        const LastHour h = walk_of_last_hour(out, par);
        ASSERT_EQ(out(6), ns * h.walk.vmp_V) << "hour " << hour;
        ASSERT_EQ(out(7), np * h.walk.imp_A) << "hour " << hour;
        if (out(8) > 0.0 && out(6) >= out(8) && out(7) == 0.0) ++hours_from_voc;
        walk_solves += h.walk.solves;
        search_solves += h.search.solves;
    }
    EXPECT_GT(hours_from_voc, 0);  // the random starts include some beyond Voc
    // The search spends a small fraction of the walk's solves.
    EXPECT_LT(search_solves * 10, walk_solves) << search_solves << " vs " << walk_solves;
}

TEST(ModuleModel, MaximumPowerSearchAtAndBeyondVoc) {
    // No diode current (a negative irradiance exponent): the power rises all
    // the way to the open-circuit voltage, which the bisection leaves at its
    // upper bound 1.5 Voc,ref. The search ends on the first grid point at or
    // beyond it, as the walk does, with the current solved there.
    auto par = example_par(1.0, 3, 2);
    par(25) = -1.0;
    FArray<REAL8, 13> out{};
    TYPE194(afternoon_hour(), out, par);
    EXPECT_NEAR(out(8), 3 * 1.5 * f32(36.3), 3 * 0.002);
    LastHour h = walk_of_last_hour(out, par);
    EXPECT_GT(h.walk.solves, 3000);
    EXPECT_LT(h.search.solves * 20, h.walk.solves);  // a long range: the bracket did the work
    EXPECT_EQ(out(6), 3 * h.walk.vmp_V);
    EXPECT_EQ(out(7), 2 * h.walk.imp_A);
    EXPECT_GE(out(6), out(8));
    EXPECT_LT(out(6) - out(8), 3 * f32(0.01));
    EXPECT_GT(out(7), 0.0);

    // A start above Voc (a reference maximum-power voltage far above the
    // open-circuit one): the start itself, with no current.
    par = example_par(1.0, 3, 2);
    par(6) = 80.0;
    TYPE194(afternoon_hour(), out, par);
    h = walk_of_last_hour(out, par);
    EXPECT_EQ(h.walk.solves, 0);
    EXPECT_EQ(out(6), 3 * h.walk.vmp_V);
    EXPECT_GT(out(6), out(8));
    EXPECT_EQ(out(7), 0.0);
    EXPECT_EQ(out(4), 0.0);

    // Low starts whose grid crosses several powers of two on its way to the
    // maximum: there the repeated additions round differently from
    // v0 + k x 0.01, and the answer must be the walk's own grid point.
    const DiodeParameters d_ref{1.613, 7.75, f32(1.289e-9), 0.3381, f32(257.964)};
    const double voc_ref_V = solarmodel::open_circuit_voltage(d_ref, f32(36.3), 1000.0).value;
    for (double v_start_V : {0.0123456789, 0.1 / 3.0, 1.0 / 7.0, 3.3333333333, 7.7777777777}) {
        const WalkedPoint walk = plain_walk(d_ref, v_start_V, voc_ref_V);
        const auto search = solarmodel::maximum_power_point(d_ref, v_start_V, voc_ref_V);
        EXPECT_EQ(search.vmp_V, walk.vmp_V) << v_start_V;
        EXPECT_EQ(search.imp_A, walk.imp_A) << v_start_V;
        EXPECT_LT(search.solves * 20, walk.solves) << v_start_V;
    }

    // A start exactly at Voc: the same.
    const auto at_voc = solarmodel::maximum_power_point(d_ref, voc_ref_V, voc_ref_V);
    EXPECT_EQ(at_voc.vmp_V, voc_ref_V);
    EXPECT_EQ(at_voc.imp_A, 0.0);
    EXPECT_EQ(at_voc.solves, 0);
}

TEST(ModuleModel, CoverAndSpectralCorrections) {
    // Normal incidence: the Fresnel limit ((n-1)/(n+1))^2 of each
    // polarisation and Bouguer absorption over KL.
    const double n = f32(1.526);
    const double r0 = std::pow((n - 1) / (n + 1), 2);
    EXPECT_NEAR(solarmodel::module_cover_transmittance(0.0, 0.008), std::exp(-0.008) * (1 - r0), 1e-15);
    EXPECT_NEAR(solarmodel::module_cover_transmittance(1e-6, 0.008), std::exp(-0.008) * (1 - r0), 1e-9);
    EXPECT_NEAR(solarmodel::module_cover_transmittance(90.0, 0.008), 0.0, 1e-6);
    // Air mass 1 straight up (0.9997 with the rounded constants) and the
    // standard 1.5 at 48.19 degrees (Kasten & Young's 1.4980 there).
    EXPECT_NEAR(solarmodel::air_mass(0.0), 0.99970883, 1e-8);
    EXPECT_NEAR(solarmodel::air_mass(48.19), 1.4980, 1e-4);
    // The spectrum of air mass 1.5 is the reference: the modifier is 1
    // within the polynomial's fit.
    EXPECT_NEAR(solarmodel::spectral_modifier(1.5), 1.0, 2e-3);
}

}  // namespace
}  // namespace mavo
