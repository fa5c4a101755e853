// The photovoltaic array of one hour: the five-parameter one-diode model of
// one module (De Soto, Klein & Beckman 2006) corrected for incidence angle,
// air mass and cell temperature, scaled to NS modules in series and NP
// strings in parallel, its maximum-power point found on a 0.01 V grid, and
// in model mode 2 the inverter stage that turns the array's maximum DC power
// into AC power.
//
// SI units and double precision: W/m2, K (cells), C (ambient input), V, A,
// W, m2, degrees.
//
// MODIN  1 GT on the plane W/m2, 2 ambient C, 3 load voltage V (< 0: none),
//        4 slope deg, 5 beam, 6 sky diffuse, 7 ground-reflected W/m2,
//        8 incidence deg, 9 zenith deg, 10 wind m/s (already scaled)
// PAR    1 mode (2 = with inverter), 2 Isc,ref A, 3 Voc,ref V, 4 Tref K,
//        5 Sref W/m2, 6 Vmp,ref V, 7 Imp,ref A, 8 mu_Isc A/K, 9 mu_Voc V/K,
//        10 cells, 11 NS, 12 NP, 13 T_NOCT K, 14 Ta_NOCT K, 15 G_NOCT W/m2,
//        16 module area m2, 17 (tau alpha)_n, 18 Eg,ref eV, 19 a_ref V,
//        20 IL,ref A, 21 Io,ref A, 22 Rs,ref ohm, 23 Rsh,ref ohm, 24 KL,
//        25 irradiance exponent of Io, 26 Rs temperature coefficient 1/K,
//        27 temperature-coefficient adjustment %, 28 inverter rated AC W,
//        29 inverter Vmax V, 30 inverter Vmin V, 31 night tare W
// MODOUT 1 V, 2 A of the reported point, 3 output W (AC in mode 2; minus
//        the tare in a dark hour), 4 Pmp W, 5 load power / Pmp, 6 NS Vmp,
//        7 NP Imp, 8 NS Voc, 9 NP Isc, 10 fill factor, 11 Tc K,
//        12 array efficiency, 13 inverter efficiency (mode 2)
#pragma once
#include "support/farray.h"
#include "support/types.h"

namespace mavo {

// One hour of the array. Writes ARRAY194 and PARAM194; returns 1.
INTEGER TYPE194(const FArray<REAL8, 10>& MODIN, FArray<REAL8, 13>& MODOUT, const FArray<REAL8, 32>& PAR);

// Module open-circuit voltage for the diode parameters in ARRAY194, V;
// 0 when the absorbed irradiance S is below 1 W/m2.
REAL8 OPENVOLTN194(REAL8 VOCREF, REAL8 S);

// NP times the module current at the module voltage V / NS for the diode
// parameters in ARRAY194, A, Newton's method from the start current I0.
REAL8 CURRENT7194(REAL8 V, REAL8 I0, INTEGER NS, INTEGER NP);

// Inverter efficiency (fraction) at DC power P W and DC voltage V from the
// inverter row MAVODATA.INVDATA; 0 outside the rated power and voltages.
void INTERPOL(REAL8 P, REAL8 V, REAL8& EFF);

namespace solarmodel {

// The one-diode parameters of one module at one operating condition.
struct DiodeParameters {
    double a_V = 0.0;     // modified ideality factor
    double il_A = 0.0;    // light current
    double io_A = 0.0;    // diode saturation current
    double rs_ohm = 0.0;  // series resistance
    double rsh_ohm = 0.0;  // shunt resistance
};

// An iterative solve: its last value and whether its tolerance was met.
struct SolveResult {
    double value = 0.0;
    bool converged = true;
};

// The maximum-power point of one module and the solves it took.
struct MaximumPowerPoint {
    double vmp_V = 0.0;  // module maximum-power voltage
    double imp_A = 0.0;  // module maximum-power current
    long solves = 0;     // Newton current solves spent on the search
};

// The maximum-power point on the 0.01 V grid that starts at v_start_V and is
// built by repeated additions (v = v + 0.01), each point solved from
// 0.9 IL: the last grid point before the power first falls, or the first at
// or beyond Voc (the start itself with current 0 when it is there already).
// A golden-section bracket of the concave power curve finds it in a few
// dozen solves instead of one per step, with the step-by-step walk's answer
// to the last bit.
MaximumPowerPoint maximum_power_point(const DiodeParameters& d, double v_start_V, double voc_V);

// Open-circuit voltage by bisection on the diode equation, to 0.001 V.
SolveResult open_circuit_voltage(const DiodeParameters& d, double voc_ref_V, double absorbed_wm2);
// Module current at a module voltage by Newton's method, to 0.0001 A.
SolveResult module_current(const DiodeParameters& d, double v_module_V, double i_start_A);

// Transmittance of the module cover at incidence x degrees, with extinction
// coefficient times thickness KL (refractive index 1.526).
double module_cover_transmittance(double x_deg, double kl);
// Relative optical air mass at zenith angle z degrees (Kasten & Young 1989,
// rounded constants).
double air_mass(double zenith_deg);
// Spectral modifier of absorbed irradiance (King et al. 1998 air-mass
// polynomial of crystalline silicon, as used by De Soto, Klein & Beckman 2006).
double spectral_modifier(double air_mass);

// Inverter efficiency table (fraction) from an inverter row: the test values
// at three DC voltages and six power levels, interpolated in power and then
// in voltage. 0 at or above the rated power and outside Vmin..Vmax.
double inverter_efficiency(const FArray<REAL8, 33>& invdata, double p_dc_W, double v_dc_V);

// True when the reference values can carry the model: positive reference
// irradiance, temperature, module area, ideality factor, shunt resistance,
// NOCT irradiance and (tau alpha), and at least one module in series and one
// string in parallel. The model gives a dark hour otherwise.
bool module_data_usable(const FArray<REAL8, 32>& PAR);

}  // namespace solarmodel
}  // namespace mavo
