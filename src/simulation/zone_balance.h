// The hourly zone heat balance TSTORE and the working state its control
// cascade hands from step to step.
//
// The zone is one node: the room air and a lumped thermal mass at one
// common temperature. Every balance is written relative to the hour's
// reference temperature RTEMP (the lower comfort limit the envelope flows of
// the hour were computed against); the node's storage carries the thermal
// state from one hour to the next. The cascade runs infiltration, the
// fresh-air fan, then the passive measures (windows, evaporative cooler,
// whole-house fan or economizer, ceiling fans), the air conditioner and the
// furnace, and ends in the end-of-hour accounting (ducts, fans, comfort
// counters, carried storage). Each step decides which step follows; steps
// only ever move forward, so one hour runs each step at most once.
#pragma once
#include <cmath>

#include "blocks/blocks.h"
#include "support/types.h"

namespace mavo {

// TSTORE(MONTH, IHOUR, IDAY, NNOTCONV) is declared in simulation/simulation.h.

namespace zone {

// Heat capacity of air per unit volume: 0.075 lb/ft3 x 0.241 Btu/lb.F.
// Every air flow of the balance becomes a conductance with it:
// conductance (Btu/h.F) = volume (ft3) x air changes per hour x this.
constexpr REAL kAirHeatCapacity_btu_ft3F = 0.018075f;
constexpr REAL kMinutesPerHour = 60.0f;
// Temperatures this close (F) count as the same: a temperature within it of
// the cooling set point is reported as the set point.
constexpr REAL kSettled_F = 0.1f;
// A balance temperature beyond this magnitude (F) has run away.
constexpr REAL kRunaway_F = 199.0f;

// The steps of the hour's control cascade, in their fixed order.
enum class Step {
    Choice,              // 3.0: passive or active measures
    NaturalVentilation,  // 3.1
    EvaporativeCooler,   // 3.15
    Economizer,          // 3.2: economizer or whole-house fan
    CeilingFans,         // 3.3
    AirConditioning,     // 4
    Furnace,             // 5
    EndOfHour,           // 6
};

// Working state of one hour, handed from step to step (locals of TSTORE).
struct Hour {
    INTEGER MONTH = 0;  // month index of HEAT and the (24,12) arrays
    INTEGER IHOUR = 0;  // hour 1..24
    INTEGER IDAY = 0;   // day of the month simulated

    REAL HEAT16 = 0.0f;  // HEAT(16) as INFILT left it: the infiltration load inside HEAT17, Btu/h
    REAL HEAT17 = 0.0f;  // HEAT(17) of the hour before this balance, Btu/h

    REAL SETLO = 0.0f;   // heating set point of the hour, F
    REAL SETHI = 0.0f;   // cooling set point of the hour, F
    REAL COMHIV = 0.0f;  // upper comfort limit raised for air movement, F
    REAL SETHIV = 0.0f;  // cooling set point raised for air movement, F
    REAL TAVG = 0.0f;    // mean outdoor temperature of the month, F
    REAL TARGET = 0.0f;  // temperature the economizer aims at, F
    REAL STOMIN = 0.0f;  // storage that puts the zone on SETLO, Btu
    REAL STOMAX = 0.0f;  // storage that puts the zone on SETHI, Btu

    REAL RTEMP = 0.0f;   // reference temperature of the hour, F
    REAL TEMPI = 0.0f;   // current estimate of the indoor temperature, F
    REAL TLAST = 0.0f;   // previous estimate, F (the settled temperature once a step solved the balance)
    REAL TEMPIO = 0.0f;  // temperature to fall back to, F
    REAL STOREI = 0.0f;  // heat stored this hour relative to RTEMP, Btu
    REAL STOREM = 0.0f;  // storage of the temperature a step settled on, Btu
    REAL HVACI = 0.0f;   // HVAC output, Btu/h; cooling positive, heating negative
    REAL ADDEDC = 0.0f;  // conduction correction of the balance, Btu/h
    REAL ADDEDV = 0.0f;  // air correction of the balance, Btu/h
    REAL TAIRIN = 0.0f;  // heat capacity of the room air, Btu/F

    REAL AIRCHGINF = 0.0f;  // infiltration, air changes per hour
    REAL AIRCHGFA = 0.0f;   // fresh-air fan, air changes per hour
    REAL AIRCHGNV = 0.0f;   // natural ventilation, air changes per hour
    REAL AIRCHGECO = 0.0f;  // economizer or whole-house fan, air changes per hour
    REAL AIRCHGOA = 0.0f;   // outdoor air supplied so far, air changes per hour
    REAL Ginf = 0.0f;       // infiltration conductance, Btu/h.F
    REAL Gfa = 0.0f;        // fresh-air conductance (before heat recovery), Btu/h.F
    REAL ARATE = 0.0f;      // air changes the economizer left flowing

    REAL TEMPIHOUR = 0.0f;    // temperature of the ventilation air brought in, F
    REAL EVAPTEMP = 0.0f;     // supply temperature of the evaporative cooler, F
    REAL CFMMAXWHFAN = 0.0f;  // whole-house fan capacity, cfm
    REAL CFMMAXNV = 0.0f;     // flow the open windows can pass, cfm
    REAL CFMT = 0.0f;         // natural-ventilation flow of the hour, cfm
    REAL PEAKVEL = 0.0f;      // indoor air speed, ft/min
    REAL CFMHVAC = 0.0f;      // HVAC supply air, cfm

    REAL KWHRIAQ = 0.0f;   // fresh-air fan electricity, kWh
    REAL KWHRVENT = 0.0f;  // economizer or whole-house fan electricity, kWh
    REAL KWHRCEIL = 0.0f;  // ceiling-fan electricity, kWh
    REAL KWHRHVAC = 0.0f;  // HVAC blower electricity, kWh

    REAL days_averaged = 1.0f;  // divisor of the month's average day (days of the month in the 365-day run)

    bool CONVERGED = false;  // the latest step left a settled temperature
    bool IAQOK = false;      // the fresh-air step (or the test-case ventilation) settled
    bool VENTED = false;     // the hour may be vented by the economizer or whole-house fan
};

// Scheme choices of the current scheme's parameter column.
inline REAL scheme_choice(INTEGER row) { return STRATEGY(row, IDNUM1); }
inline REAL scheme_choice_magnitude(INTEGER row) { return std::fabs(STRATEGY(row, IDNUM1)); }

// Rows 28 (air speed class) and 29 (natural ventilation) as the hour reads
// them. The night-ventilation test case (venting 7) runs with still air
// (class 1, but the code-minimum design's class of its zone, which every
// load sets anew) and natural ventilation by where its glazing is, whatever
// the rows hold: they stay the designer's for the venting chosen after it.
REAL air_speed_class_in_force();
REAL natural_ventilation_in_force();

// Above-grade volume the infiltration flows through, ft3. Until INFILT has
// derived it (a negative value asks for that) the whole volume stands in.
inline REAL above_grade_volume_ft3() { return VOLUMEAG > 0.0f ? VOLUMEAG : VOLUME; }

// Conductance of an air stream, Btu/h.F.
inline REAL air_conductance_btuhF(REAL volume_ft3, REAL air_changes_per_h) {
    return volume_ft3 * air_changes_per_h * kAirHeatCapacity_btu_ft3F;
}

// Air streams entering the node: their total conductance and the sum of
// each stream's conductance times the temperature of the air it brings.
struct AirStreams {
    REAL8 conductance_btuhF = 0.0;
    REAL8 inflow_btuh = 0.0;  // sum of conductance x incoming air temperature, Btu/h
    void add(REAL g_btuhF, REAL t_in_F) {
        conductance_btuhF += g_btuhF;
        inflow_btuh += static_cast<REAL8>(g_btuhF) * t_in_F;
    }
};

// The hour's outdoor air at TEMP(IHOUR): infiltration, the fresh-air stream
// less the share its heat recovery returns, and the open windows.
AirStreams outdoor_air_streams(const Hour& z);

// The node balance with a fixed set of air streams. One pass of it at an
// estimate T is
//   STOREI = HEAT17 - CLC (T - RTEMP)
//            - [TAIRIN (T - RTEMP) + sum G_i (T - T_i) + HEAT16] + STOREL,
//   new T  = RTEMP + STOREI / (TMASS + TAIRIN),
// (adding HEAT16 takes out the infiltration load INFILT put into HEAT17: the
// balance uses its own air streams instead). It is linear in T, so its fixed
// point is
//   (TMASS + 2 TAIRIN + CLC + sum G_i) (T - RTEMP) = net,
//   net = sum G_i (T_i - RTEMP) + HEAT17 - HEAT16 + STOREL.
// Repeating the pass instead multiplies each error by
// -(CLC + TAIRIN + sum G_i) / (TMASS + TAIRIN), which grows without bound
// in a light zone with a leaky envelope; the direct solution holds for any
// mass.
struct NodeBalance {
    REAL8 coefficient_btuhF = 0.0;  // TMASS + 2 TAIRIN + CLC + sum G_i
    REAL8 net_btuh = 0.0;           // net heat at the reference temperature
};
NodeBalance node_balance(const Hour& z, const AirStreams& streams);

// The temperature at which the balance holds. Not settled when it has no
// finite solution or lies beyond +-199 F, where the passes would have run
// away.
struct NodeTemperature {
    REAL t_F = 0.0f;
    bool settled = false;
};
NodeTemperature node_temperature(const Hour& z, const AirStreams& streams);

// Conductance (Btu/h.F) of one more air stream, bringing air at t_in_F,
// that puts the node exactly on t_F. With C and N the balance without it,
//   RTEMP + (N + G (t_in - RTEMP)) / (C + G) = t,
//   G = ((t - RTEMP) C - N) / (t_in - t).
// Negative when the node is already on the far side of t without the
// stream; the caller keeps t_in away from t (no stream can then reach it).
REAL8 conductance_settling_at(const Hour& z, const NodeBalance& without, REAL t_in_F, REAL t_F);

// Puts the node on a settled temperature as a converged pass leaves it:
// TEMPI, TLAST, ADDEDC, ADDEDV and STOREI = (TEMPI - RTEMP) (TMASS + TAIRIN).
void settle_node_at(Hour& z, const AirStreams& streams, REAL t_F);

// Whether the zone balance's own trace window holds the hour. The zone
// balance sets an empty window, so these lines stay silent unless a
// developer widens it.
inline bool in_trace_window() {
    return NFLAG(90) && IWHEN1 <= IWHEN && IWHEN <= IWHEN2 && CYCLE < 24.0f && !NFLAG(38);
}

// The cascade, one function per step; each returns the step that follows.
void infiltration_of_the_hour(Hour& z);                 // 0
void temperature_with_infiltration_only(Hour& z);       // 1
void fresh_air_fan_or_test_case_ventilation(Hour& z);   // 2 and its fan energy
Step natural_ventilation(Hour& z, REAL t_choice_F);     // 3.1
Step evaporative_cooler(Hour& z);                       // 3.15
Step economizer_or_whole_house_fan(Hour& z);            // 3.2
Step ceiling_fans(Hour& z);                             // 3.3
Step air_conditioning(Hour& z);                         // 4
Step furnace(Hour& z);                                  // 5
void end_of_hour(Hour& z);                              // 6

// Clears NFLAG(15) for a failed hour and traces the error code after the
// warm-up.
void fail_the_hour(const Hour& z, INTEGER code);

// Residential leakage-area infiltration (Sherman & Grimsrud 1980, the LBL
// model; ASHRAE Handbook of Fundamentals 2001, ch. 26, eq. 40):
// Q = A_L x sqrt(Cs x |dT| + Cw x V^2), Q in cfm, A_L the effective leakage
// area in in2, dT in F, V the wind speed in mph; Cs and Cw by the number of
// stories above grade.
struct StackWindCoefficients {
    REAL stack = 0.0f;  // cfm^2 / (in^4 F)
    REAL wind = 0.0f;   // cfm^2 / (in^4 mph^2)
};
StackWindCoefficients stack_wind_coefficients(REAL stories);
REAL leakage_area_flow_cfm(REAL ela_in2, StackWindCoefficients c, REAL dt_F, REAL wind_mph);

// Wet bulb from dry bulb and dew point by the straight line of constant wet
// bulb (slope 0.00022580646 lb/lb per F) crossing a table of saturation
// humidity ratios at 10 F steps (psychrometric chart construction).
enum class WetBulbFailure {
    None,
    DewPointBelowTable,  // dew point under 10 F
    DryBulbBelowTable,   // dry bulb under 10 F
    DryBulbAboveTable,   // dry bulb at or over 150 F, past the last table entry
    SearchBelowTable,    // the downward search left the table
    NoCrossing,          // 14 steps without crossing the saturation curve
    ParallelLines,       // the two segments do not cross
};
struct WetBulb {
    REAL wb_F = 0.0f;
    WetBulbFailure failure = WetBulbFailure::None;
    INTEGER index = 0;   // table index where the failure arose (JLOW, KDBLOW or k)
    REAL value = 0.0f;   // the line's humidity ratio at the last step, or a + b
};
WetBulb wet_bulb_from_dew_point(REAL db_F, REAL dp_F);

// Indoor air speed (ft/min) a whole-house fan gives with air_changes_per_h
// of outdoor air flowing, for the air-speed class of the scheme (2 low, 3
// high; any other class feels none).
REAL whole_house_fan_air_speed_fpm(REAL air_speed_class, REAL air_changes_per_h);

// Drop of the effective temperature below the air temperature for an
// indoor air speed (the end-of-hour rule): none up to 40 ft/min, rising
// linearly to 4.6 F at 160 ft/min and to 6.6 F at 300 ft/min.
REAL effective_temperature_drop_F(REAL air_speed_fpm);
// The hour's effective temperature EFFTEMPX from the final TEMPIN.
REAL effective_temperature_of_hour(const Hour& z);

}  // namespace zone
}  // namespace mavo
