// TYPE194: one hour of the photovoltaic array, and its two solvers.
//
// Constants written with a decimal fraction are the model's single-precision
// values widened to double (widened()), except the inverse Boltzmann
// constant in eV, which is a double.
#include "renewables/pv/module_model.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "blocks/blocks.h"
#include "renewables/pv/inverter_stage.h"
#include "renewables/pv/solar_model_math.h"
#include "support/numeric.h"

namespace mavo {
namespace solarmodel {
namespace {

constexpr double kCoverRefractiveIndex = widened(1.526f);
constexpr double kCelsiusToKelvin = widened(273.15f);
constexpr double kElectronVoltPerKelvin = 11603.620339552006;  // 1 / 8.618e-5 eV/K
constexpr double kBandGapTemperatureCoefficient = widened(0.0002677f);  // 1/K, silicon (De Soto, Klein & Beckman 2006)
constexpr double kNormalIncidenceProxy_deg = 1.0;  // the cover function is 0/0 at exactly 0 degrees
constexpr double kMaxZenith_deg = 86.0;            // air mass held at its 86-degree value near the horizon
constexpr double kDarkShuntResistance_ohm = 1.0e6;
constexpr double kMinAbsorbedForHeating_wm2 = 1.0;
constexpr double kStartCurrentFraction = widened(0.9f);  // Newton starts at 0.9 IL
constexpr double kMppVoltageStep_V = widened(0.01f);
constexpr double kMinStepsForBracket = 48.0;  // shorter ranges are walked: a bracket would save little
constexpr long kBracketSteps = 6;             // grid steps the bracket narrows to
constexpr long kEntryMargin = 6;              // grid points walked before the bracket
constexpr double kMaxGridSteps = 1.0e9;       // far beyond any module's Voc / 0.01 V; fits a long
constexpr double kInverseGoldenRatio = 0.6180339887498949;
constexpr double kVocTolerance_V = widened(0.001f);
constexpr double kCurrentTolerance_A = widened(0.0001f);
constexpr int kMaxSolverIterations = 200;  // far beyond what a converging solve needs

// Effective incidence angles of sky and ground radiation on the module
// (Brandemuehl & Beckman 1980; Duffie & Beckman eq. 5.4.2), in the module
// model's single-precision constants.
double module_sky_incidence_deg(double slope_deg) {
    return widened(59.7f) - widened(0.1388f) * slope_deg + widened(0.001497f) * slope_deg * slope_deg;
}
double module_ground_incidence_deg(double slope_deg) {
    return 90.0 - widened(0.5788f) * slope_deg + widened(0.002693f) * slope_deg * slope_deg;
}

// Cell temperature from the NOCT test (Duffie & Beckman sect. 23.3) with
// the wind adjustment 9.5 / (5.7 + 3.8 v) of the loss coefficient, K.
double noct_cell_temperature(double ta_K, double gt_wm2, double t_noct_K, double ta_noct_K, double g_noct_wm2,
                             double eta_ref, double tau_alpha, double wind_ms) {
    return ta_K + (t_noct_K - ta_noct_K) * gt_wm2 / g_noct_wm2 * (1.0 - eta_ref / tau_alpha) * widened(9.5f) /
                      (widened(5.7f) + widened(3.8f) * wind_ms);
}

// The one-diode parameters at absorbed irradiance S and cell temperature Tc
// (De Soto, Klein & Beckman 2006), with the adjusted Isc
// coefficient. Also leaves the band gap at Tc.
DiodeParameters operating_parameters(const FArray<REAL8, 32>& PAR, double mu_isc, double s_wm2, double tc_K,
                                     double& egap_eV) {
    const double sref = PAR(5), tref = PAR(4), eg_ref = PAR(18);
    const double dt = tc_K - tref;
    DiodeParameters d;
    d.il_A = std::max(0.0, (PAR(20) + mu_isc * dt) * s_wm2 / sref);
    egap_eV = eg_ref * (1.0 - kBandGapTemperatureCoefficient * dt);
    if (PAR(25) >= 0.0) {
        const double t_ratio = tc_K / tref;
        d.io_A = PAR(21) * std::pow(s_wm2 / sref, PAR(25)) * (t_ratio * t_ratio * t_ratio) *
                 std::exp(kElectronVoltPerKelvin * (eg_ref / tref - egap_eV / tc_K));
    } else {
        d.io_A = 0.0;
    }
    d.a_V = PAR(19) * tc_K / tref;
    d.rs_ohm = PAR(22) * (1.0 + PAR(26) * dt);
    d.rsh_ohm = s_wm2 > 0.0 ? PAR(23) * sref / s_wm2 : kDarkShuntResistance_ohm;
    return d;
}

DiodeParameters diode_from_block() {
    return {ARRAY194.AMOD, ARRAY194.ILIGHT, ARRAY194.IOSAT, ARRAY194.RSER, ARRAY194.RSHUNT};
}

void store_in_block(const DiodeParameters& d) {
    ARRAY194.AMOD = d.a_V;
    ARRAY194.ILIGHT = d.il_A;
    ARRAY194.IOSAT = d.io_A;
    ARRAY194.RSER = d.rs_ohm;
    ARRAY194.RSHUNT = d.rsh_ohm;
}

void count_unconverged(const SolveResult& r) {
    if (!r.converged) ++TYPE194_STATE.UNCONVERGED;
}

// Module current at a module voltage from 0.9 IL, counted when it fails.
double current_at(const DiodeParameters& d, double v_module_V) {
    const SolveResult r = module_current(d, v_module_V, kStartCurrentFraction * d.il_A);
    count_unconverged(r);
    return r.value;
}

// The array of one module in the hour: open-circuit and short-circuit
// values, the load point and the maximum-power point. All zero in the dark.
struct ArrayPoint {
    double voc_V = 0.0;
    double isc_A = 0.0;
    double load_V = 0.0;  // array voltage at the load point
    double load_A = 0.0;  // array current at the load point
    double vmp_V = 0.0;   // module maximum-power voltage
    double imp_A = 0.0;   // module maximum-power current
};

// The hour's absorbed irradiance and the quantities it was built from.
struct AbsorbedIrradiance {
    double s_wm2 = 0.0;      // absorbed, after incidence and spectral corrections
    double tau_alpha = 0.0;  // effective transmittance-absorptance product
    double gt_wm2 = 0.0;     // total on the plane
};

AbsorbedIrradiance absorbed_irradiance(const FArray<REAL8, 10>& MODIN, const FArray<REAL8, 32>& PAR) {
    const double kl = PAR(24);
    const double theta_deg = MODIN(8) > 0.0 ? MODIN(8) : kNormalIncidenceProxy_deg;
    double zenith_deg = std::min(kMaxZenith_deg, MODIN(9));
    const double beta_deg = MODIN(4);
    const double tau_n = module_cover_transmittance(kNormalIncidenceProxy_deg, kl);
    const double kb = module_cover_transmittance(theta_deg, kl) / tau_n;
    const double kd = module_cover_transmittance(module_sky_incidence_deg(beta_deg), kl) / tau_n;
    const double kg = module_cover_transmittance(module_ground_incidence_deg(beta_deg), kl) / tau_n;
    const double s_transmitted = MODIN(6) * kd + MODIN(7) * kg + MODIN(5) * kb;

    AbsorbedIrradiance a;
    a.gt_wm2 = MODIN(1);
    a.tau_alpha = std::fabs(PAR(17));
    if (a.gt_wm2 > 0.0) a.tau_alpha = a.tau_alpha * s_transmitted / a.gt_wm2;
    if (zenith_deg < 0.0) zenith_deg = 0.0;
    a.s_wm2 = std::max(0.0, s_transmitted) * spectral_modifier(air_mass(zenith_deg));
    return a;
}

// A point of the maximum-power grid: module voltage and the current solved
// there from 0.9 IL.
struct GridPoint {
    double v_V = 0.0;
    double i_A = 0.0;
};

// The walk's own rule from a point of the grid onward: step 0.01 V at a time
// (the grid is built by repeated additions, v = v + step), solve each new
// point from 0.9 IL, and stop at the first point at or beyond Voc or at the
// last point before the power first falls. Counts its solves in `solves`.
GridPoint walk_to_maximum(const DiodeParameters& d, GridPoint p, double voc_V, long& solves) {
    for (;;) {
        if (!(p.v_V < voc_V)) return p;  // also ends a walk started from a non-number
        const GridPoint prev = p;
        const double p_prev_W = p.v_V * p.i_A;
        p.v_V = p.v_V + kMppVoltageStep_V;
        p.i_A = current_at(d, p.v_V);
        ++solves;
        if (p.v_V * p.i_A < p_prev_W) return prev;
    }
}

// Golden-section search over the grid indices 0..n for the maximum of the
// module's power, which is strictly concave in the voltage for V > 0 (the
// one-diode current falls ever faster with the voltage). The probes take
// the voltage of index k as v0 + k step, within a few rounding units of the
// walk's own grid: enough to bracket the maximum. Narrows [a, b] around the
// maximum to about kBracketSteps and returns a, at or before it. Empty when
// a probe's solve failed: the curve is then not to be trusted.
std::optional<long> bracket_maximum(const DiodeParameters& d, double v0_V, long n, long& solves) {
    bool converged = true;
    auto power_W = [&](long k) {
        const double v = v0_V + static_cast<double>(k) * kMppVoltageStep_V;
        const SolveResult r = module_current(d, v, kStartCurrentFraction * d.il_A);
        count_unconverged(r);
        converged = converged && r.converged;
        ++solves;
        return v * r.value;
    };
    auto golden_offset = [](long lo, long hi) {
        return static_cast<long>(std::lround(static_cast<double>(hi - lo) * kInverseGoldenRatio));
    };
    long a = 0, b = n;
    long c = b - golden_offset(a, b), e = a + golden_offset(a, b);  // a < c < e < b
    double pc = power_W(c), pe = power_W(e);
    while (b - a > kBracketSteps && converged) {
        if (pc < pe) {
            // Rising from c to e: the maximum lies beyond c.
            a = c;
            c = e;
            pc = pe;
            e = std::max(c + 1, a + golden_offset(a, b));
            if (e >= b) break;
            pe = power_W(e);
        } else {
            // Not rising: the maximum lies at or before e (ties go left, so
            // the flat zero power past Voc never pulls the bracket right).
            b = e;
            e = c;
            pe = pc;
            c = std::min(e - 1, b - golden_offset(a, b));
            if (c <= a) break;
            pc = power_W(c);
        }
    }
    if (!converged) return std::nullopt;
    return a;
}

}  // namespace

MaximumPowerPoint maximum_power_point(const DiodeParameters& d, double v_start_V, double voc_V) {
    MaximumPowerPoint mpp;
    GridPoint found;
    const double steps_to_voc = (voc_V - v_start_V) / kMppVoltageStep_V;
    // The bracket pays off on a long range of a positive grid (at a
    // non-positive start the power is not concave); elsewhere, and when a
    // probe fails, the plain walk.
    std::optional<long> bracket_start;
    if (v_start_V > 0.0 && steps_to_voc >= kMinStepsForBracket && steps_to_voc <= kMaxGridSteps)
        bracket_start = bracket_maximum(d, v_start_V, static_cast<long>(steps_to_voc), mpp.solves);
    const long entry = bracket_start ? *bracket_start - kEntryMargin : 0;
    bool entered = false;
    if (entry > 0) {
        // Re-enter the walk's exact grid a few points before the bracket.
        // The walk reaches the entry point as long as the power rises all
        // the way there; on a concave curve it does when it still rises
        // from the entry point to the next one. If it does not, the bracket
        // is not to be trusted.
        GridPoint p{v_start_V, 0.0};
        for (long k = 0; k < entry; ++k) p.v_V = p.v_V + kMppVoltageStep_V;
        const SolveResult r0 = module_current(d, p.v_V, kStartCurrentFraction * d.il_A);
        const GridPoint next{p.v_V + kMppVoltageStep_V, 0.0};
        const SolveResult r1 = module_current(d, next.v_V, kStartCurrentFraction * d.il_A);
        count_unconverged(r0);
        count_unconverged(r1);
        mpp.solves += 2;
        p.i_A = r0.value;
        const bool rising = r0.converged && r1.converged && p.v_V < voc_V && next.v_V * r1.value > p.v_V * p.i_A;
        if (rising) {
            found = walk_to_maximum(d, GridPoint{next.v_V, r1.value}, voc_V, mpp.solves);
            entered = true;
        }
    }
    if (!entered) found = walk_to_maximum(d, GridPoint{v_start_V, 0.0}, voc_V, mpp.solves);
    mpp.vmp_V = found.v_V;
    mpp.imp_A = found.i_A;
    return mpp;
}

SolveResult open_circuit_voltage(const DiodeParameters& d, double voc_ref_V, double absorbed_wm2) {
    if (absorbed_wm2 < 1.0) return {0.0, true};
    double lo = 0.0, hi = 1.5 * voc_ref_V;
    double v = voc_ref_V;  // the first trial is the reference value, not the midpoint
    if (hi <= kVocTolerance_V) return {voc_ref_V, true};
    for (int n = 0; n < kMaxSolverIterations; ++n) {
        const double f = d.il_A - d.io_A * (std::exp(v / d.a_V) - 1.0) - v / d.rsh_ohm;
        if (f < 0.0) hi = v;
        if (f > 0.0) lo = v;
        v = (hi + lo) / 2.0;
        if (std::fabs(hi - lo) <= kVocTolerance_V) return {v, true};
    }
    return {v, false};
}

SolveResult module_current(const DiodeParameters& d, double v_module_V, double i_start_A) {
    double i = i_start_A;
    if (std::fabs(i_start_A) <= kCurrentTolerance_A) return {i_start_A, true};
    for (int n = 0; n < kMaxSolverIterations; ++n) {
        const double vd = v_module_V + i * d.rs_ohm;
        const double e = std::exp(vd / d.a_V);
        const double f = d.il_A - i - d.io_A * (e - 1.0) - vd / d.rsh_ohm;
        const double df = -1.0 - d.io_A * (d.rs_ohm / d.a_V) * e - d.rs_ohm / d.rsh_ohm;
        const double i_new = std::max(0.0, i - f / df);
        const bool done = std::fabs(i_new - i) <= kCurrentTolerance_A;
        i = i_new;
        if (done) return {i, true};
    }
    return {i, false};
}

double module_cover_transmittance(double x_deg, double kl) {
    const double theta_r = std::asin(sind(x_deg) / kCoverRefractiveIndex);
    const double x = deg_to_rad(x_deg);
    double r1 = 0.0, r2 = 0.0;
    if (std::sin(theta_r + x) == 0.0) {
        // Normal incidence: the limit of both Fresnel ratios.
        const double rn = (kCoverRefractiveIndex - 1.0) / (kCoverRefractiveIndex + 1.0);
        r1 = r2 = rn * rn;
    } else {
        r1 = std::pow(std::sin(theta_r - x), 2) / std::pow(std::sin(theta_r + x), 2);
        r2 = std::pow(std::tan(theta_r - x), 2) / std::pow(std::tan(theta_r + x), 2);
    }
    // Fresnel reflection and Bouguer absorption of one cover (De Soto,
    // Klein & Beckman 2006).
    return std::exp(-kl / std::cos(theta_r)) * (1.0 - (r1 + r2) / 2.0);
}

double air_mass(double zenith_deg) {
    return 1.0 / (cosd(zenith_deg) + widened(0.5057f) * std::pow(widened(96.08f) - zenith_deg, -widened(1.634f)));
}

double spectral_modifier(double am) {
    return widened(0.918093f) + widened(0.086257f) * am - widened(0.024459f) * am * am +
           widened(0.002816f) * am * am * am - widened(0.000126f) * am * am * am * am;
}

bool module_data_usable(const FArray<REAL8, 32>& PAR) {
    const int ns = int_toward_zero(PAR(11));
    const int np = int_toward_zero(PAR(12));
    return PAR(5) > 0.0 && PAR(4) > 0.0 && PAR(16) > 0.0 && PAR(19) > 0.0 && PAR(23) > 0.0 && PAR(15) > 0.0 &&
           PAR(17) != 0.0 && ns >= 1 && np >= 1;
}

}  // namespace solarmodel

REAL8 OPENVOLTN194(REAL8 VOCREF, REAL8 S) {
    const solarmodel::SolveResult r = solarmodel::open_circuit_voltage(solarmodel::diode_from_block(), VOCREF, S);
    solarmodel::count_unconverged(r);
    return r.value;
}

REAL8 CURRENT7194(REAL8 V, REAL8 I0, INTEGER NS, INTEGER NP) {
    const solarmodel::SolveResult r = solarmodel::module_current(solarmodel::diode_from_block(), V / NS, I0);
    solarmodel::count_unconverged(r);
    return NP * r.value;
}

INTEGER TYPE194(const FArray<REAL8, 10>& MODIN, FArray<REAL8, 13>& MODOUT, const FArray<REAL8, 32>& PAR) {
    using namespace solarmodel;
    const double p = PAR(27);  // temperature-coefficient adjustment, percent
    PARAM194.NCELLS = PAR(10);
    PARAM194.TREF = PAR(4);
    PARAM194.IMPREF = PAR(7);
    PARAM194.VMPREF = PAR(6);
    PARAM194.ISCREF = PAR(2);
    PARAM194.VOCREF = PAR(3);
    PARAM194.MUVOC = PAR(9) * (1.0 + p / 100.0);
    PARAM194.MUISC = PAR(8) * (1.0 - p / 100.0);

    const bool with_inverter = int_toward_zero(PAR(1)) == 2;
    InverterRating inv;
    if (with_inverter) inv = {PAR(28), PAR(29), PAR(30), PAR(31)};
    const int ns = int_toward_zero(PAR(11));
    const int np = int_toward_zero(PAR(12));
    const double ta_K = MODIN(2) + kCelsiusToKelvin;

    // Reference data that cannot carry the model (a zero area, irradiance,
    // temperature or resistance, no module in a string) give a dark hour
    // rather than divisions by zero.
    const bool usable = module_data_usable(PAR);
    const AbsorbedIrradiance a = usable ? absorbed_irradiance(MODIN, PAR) : AbsorbedIrradiance{};
    const double s = a.s_wm2;

    double tc_K = ta_K;
    if (s >= kMinAbsorbedForHeating_wm2) {
        const double eta_ref = PAR(7) * PAR(6) / (PAR(5) * PAR(16));
        tc_K = noct_cell_temperature(ta_K, a.gt_wm2, PAR(13), PAR(14), PAR(15), eta_ref, a.tau_alpha, MODIN(10));
    }
    const double dt = tc_K - PAR(4);

    ArrayPoint pt;  // all zero: the dark array
    DiodeParameters d;
    if (usable) {
        d = operating_parameters(PAR, PARAM194.MUISC, s, tc_K, PARAM194.EGAP);
        store_in_block(d);
    } else {
        PARAM194.EGAP = PAR(18);
        store_in_block(d);
    }
    if (usable && s > 0.0) {
        pt.voc_V = OPENVOLTN194(PAR(3), s);
        pt.isc_A = d.il_A / (1.0 + d.rs_ohm / d.rsh_ohm);
        const double load_V = MODIN(3);
        if (load_V >= 0.0 && load_V / ns <= pt.voc_V) {
            pt.load_V = load_V;
            pt.load_A = CURRENT7194(load_V, kStartCurrentFraction * d.il_A, ns, np);
        } else if (load_V / ns > pt.voc_V) {
            pt.load_V = ns * pt.voc_V;
            pt.load_A = 0.0;
        }
        const MaximumPowerPoint mpp = maximum_power_point(d, (PARAM194.MUVOC * dt + PAR(6)) / 2.0, pt.voc_V);
        pt.vmp_V = mpp.vmp_V;
        pt.imp_A = mpp.imp_A;
    }
    const double p_load = pt.load_V * pt.load_A;
    const double pmp = ns * np * pt.vmp_V * pt.imp_A;

    MODOUT(4) = pmp;
    MODOUT(5) = pmp != 0.0 ? p_load / pmp : 0.0;
    MODOUT(6) = ns * pt.vmp_V;
    MODOUT(7) = np * pt.imp_A;
    MODOUT(8) = ns * pt.voc_V;
    MODOUT(9) = np * pt.isc_A;
    MODOUT(10) = (pt.voc_V > 0.0 && pt.isc_A > 0.0) ? (pt.vmp_V * pt.imp_A / pt.voc_V) / pt.isc_A : 0.0;
    MODOUT(11) = tc_K;

    if (with_inverter) {
        const InverterOutput o =
            inverter_stage(inv, pmp, ns * pt.vmp_V, np * pt.imp_A, ns * pt.voc_V, ns, np, d);
        MODOUT(1) = o.v_V;
        MODOUT(2) = o.i_A;
        MODOUT(3) = o.p_ac_W;
        MODOUT(13) = o.efficiency;
    } else {
        MODOUT(1) = pt.load_V;
        MODOUT(2) = pt.load_A;
        MODOUT(3) = p_load;
    }
    if (s == 0.0) {
        // No absorbed radiation: the inverter draws its night tare.
        MODOUT(3) = 0.0 - inv.tare_W;
        if (with_inverter) MODOUT(13) = 0.0;
    }
    const double gt = MODIN(1);
    MODOUT(12) = (gt > 0.0 && usable) ? MODOUT(3) / (PAR(16) * ns * np * gt) : 0.0;
    return 1;
}

}  // namespace mavo
