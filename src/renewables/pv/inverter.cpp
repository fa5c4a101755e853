// The inverter stage of the module model and the inverter efficiency table.
#include <algorithm>

#include "blocks/blocks.h"
#include "renewables/pv/inverter_stage.h"
#include "renewables/pv/module_model.h"
#include "renewables/pv/solar_model_math.h"
#include "support/farray.h"
#include "support/numeric.h"

namespace mavo {
namespace solarmodel {
namespace {

// First column of the six test efficiencies of each DC voltage level in the
// inverter row: minimum, nominal and maximum DC voltage.
constexpr FArray<int, 3> kLevelFirstColumn = {14, 21, 28};

// Efficiency in percent at 0, 10, ..., 100 % of rated power for the three
// voltage levels, from the test values at 10, 20, 30, 50, 75 and 100 %: the
// 0 % point takes the 10 % value, points between tests are interpolated
// (75 to 100 % along the test line's own spacing).
FArray<double, 3, 11> efficiency_table(const FArray<REAL8, 33>& invdata) {
    FArray<double, 3, 11> eta{};
    for (int j = 1; j <= 3; ++j) {
        const int c = kLevelFirstColumn(j);
        const double e10 = invdata(c), e20 = invdata(c + 1), e30 = invdata(c + 2);
        const double e50 = invdata(c + 3), e75 = invdata(c + 4), e100 = invdata(c + 5);
        eta(j, 1) = e10;
        eta(j, 2) = e10;
        eta(j, 3) = e20;
        eta(j, 4) = e30;
        eta(j, 5) = (e30 + e50) / 2.0;
        eta(j, 6) = e50;
        eta(j, 7) = e50 + (e75 - e50) / 2.5;
        eta(j, 8) = e50 + 2.0 * (e75 - e50) / 2.5;
        eta(j, 9) = e75 + (e100 - e75) / 5.0;
        eta(j, 10) = e75 + 15.0 * (e100 - e75) / 25.0;
        eta(j, 11) = e100;
    }
    return eta;
}

// Share of the way from a to b at x; 0 when the two coincide (a table whose
// nominal voltage equals a limit has no width to interpolate across).
double share_between(double a, double b, double x) { return b != a ? (x - a) / (b - a) : 0.0; }

}  // namespace

double inverter_efficiency(const FArray<REAL8, 33>& invdata, double p_dc_W, double v_dc_V) {
    const double pr_W = invdata(1) * 1000.0;
    const double vmin = invdata(5), vnom = invdata(6), vmax = invdata(7);
    if (p_dc_W >= pr_W || v_dc_V < vmin || v_dc_V > vmax) return 0.0;
    const FArray<double, 3, 11> eta = efficiency_table(invdata);
    const int k = std::clamp(int_toward_zero(10.0 * p_dc_W / pr_W), 0, 9);
    const double pwr_lo = k * pr_W / 10.0, pwr_hi = (k + 1) * pr_W / 10.0;
    const double f = (p_dc_W - pwr_lo) / (pwr_hi - pwr_lo);
    int lower = 2, upper = 3;
    double g = 0.0;
    if (v_dc_V < vnom) {
        lower = 1;
        upper = 2;
        g = share_between(vmin, vnom, v_dc_V);
    } else {
        g = share_between(vnom, vmax, v_dc_V);
    }
    const double e_lo = eta(lower, k + 1) + (eta(lower, k + 2) - eta(lower, k + 1)) * f;
    const double e_hi = eta(upper, k + 1) + (eta(upper, k + 2) - eta(upper, k + 1)) * f;
    return (e_lo + g * (e_hi - e_lo)) / 100.0;
}

InverterOutput inverter_stage(const InverterRating& inv, double pmp_W, double vmp_a_V, double imp_a_A,
                              double voc_a_V, int ns, int np, const DiodeParameters& d) {
    // Array current at a voltage the inverter holds it to: NP strings of NS
    // modules, each solved from 0.9 IL.
    auto current_at = [&](double v_array_V) {
        const SolveResult r = module_current(d, v_array_V / ns, widened(0.9f) * d.il_A);
        if (!r.converged) ++TYPE194_STATE.UNCONVERGED;
        return np * r.value;
    };
    InverterOutput o;
    if (inv.rated_W <= pmp_W) {
        // Clipping: the inverter delivers its rating. A dark array with no
        // rating delivers nothing.
        if (!(inv.vmin_V > voc_a_V)) {
            o.i_A = current_at(inv.vmin_V);
            o.v_V = voc_a_V > inv.vmax_V ? inv.vmax_V : inv.vmin_V;
        }
        o.efficiency = pmp_W > 0.0 ? inv.rated_W / pmp_W : 0.0;
        o.p_ac_W = inv.rated_W;
        return o;
    }
    if (vmp_a_V <= inv.vmax_V) {
        if (vmp_a_V <= inv.vmin_V || vmp_a_V == inv.vmax_V) {
            if (voc_a_V <= inv.vmin_V) {
                o.v_V = voc_a_V;  // the array never reaches the window: no output
            } else {
                o.v_V = inv.vmin_V;
                o.i_A = current_at(inv.vmin_V);
                const bool outside = inv.vmin_V > inv.vmax_V || inv.vmin_V * o.i_A > inv.rated_W;
                if (!outside) INTERPOL(pmp_W, inv.vmin_V, o.efficiency);
            }
        } else {
            o.v_V = vmp_a_V;
            o.i_A = imp_a_A;
            INTERPOL(pmp_W, vmp_a_V, o.efficiency);
        }
    } else {
        // Above the window: the inverter holds the array at its upper limit.
        o.v_V = inv.vmax_V;
        o.i_A = current_at(inv.vmax_V);
        const bool outside = inv.vmin_V > inv.vmax_V || inv.vmax_V * o.i_A > inv.rated_W;
        if (!outside) INTERPOL(pmp_W, inv.vmax_V, o.efficiency);
    }
    // The efficiency found at the held voltage applies to the array's
    // maximum DC power.
    o.p_ac_W = o.efficiency * pmp_W;
    return o;
}

}  // namespace solarmodel

void INTERPOL(REAL8 P, REAL8 V, REAL8& EFF) { EFF = solarmodel::inverter_efficiency(MAVODATA.INVDATA, P, V); }

}  // namespace mavo
