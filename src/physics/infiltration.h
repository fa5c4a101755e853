// Infiltration and ventilation of the hour (INFILT, declared in physics.h)
// and the helpers of its leakage models. The zone balance uses the same
// leakage-area model for its air changes, and the design heat loss for its
// infiltration at the design temperatures.
#pragma once
#include "support/types.h"

namespace mavo {

// Stack and wind coefficients of the leakage-area model for a house of
// `stories` above-grade stories: stack in cfm2/(in4.F), wind in
// cfm2/(in4.mph2). One story or less, exactly two, three or more; any
// other count between 1 and 3 has no coefficients (both 0).
struct StackWindCoefficients {
    REAL stack = 0.0f;
    REAL wind = 0.0f;
};
StackWindCoefficients stack_wind_coefficients(REAL stories);

// Effective leakage area, in2, of a house of `floor_ft2` with specific
// leakage area `sla` (leakage area per floor area, in units of 1e-4).
REAL effective_leakage_area_in2(REAL sla, REAL floor_ft2);

// Infiltration flow of the leakage-area (LBL) model, cfm:
// ELA x sqrt(Cs x |dT| + Cw x U^2) (Sherman & Grimsrud 1980; ASHRAE
// Handbook of Fundamentals, chapter on ventilation and infiltration,
// effective-leakage-area method).
REAL leakage_area_flow_cfm(REAL ela_in2, StackWindCoefficients c, REAL indoor_outdoor_dT_F, REAL wind_mph);

// Wind-driven leakage through the exterior skin of a non-residential
// building of `exterior_ft2` (walls and glazing), cfm.
REAL envelope_wind_leakage_cfm(REAL exterior_ft2, REAL wind_mph);

// Whether the scheme in the run has neither a heating nor a cooling system
// (codes 1 or less in magnitude): then no fans pressurise the building and
// the wind leaks in at every hour. A system the user defined (its code
// negative) is a system all the same.
bool neither_heated_nor_cooled();

// Residential tightness class c (|STRATEGY(24,k)|): its specific leakage
// area and air changes at 50 Pa. False for a code without a class (5, or
// outside 1..9); `sla` and `ach50` are then left alone.
bool tightness_class(INTEGER c, REAL& sla, REAL& ach50);

// True when `sla` is the specific leakage area of one of the classes (the
// user has not typed a leakage area of his own).
bool is_tightness_class_sla(REAL sla);

// The LBL N-factor: air changes at 50 Pa over natural air changes, by the
// number of stories (Sherman 1987).
REAL natural_air_change_divisor(REAL stories);

// The above-grade volume VOLUMEAG, once per run (the scheme reader marks it
// negative): the basement story below its first 2 ft does not leak to the
// outside.
void settle_above_grade_volume();

// The tightness of a house: a class leakage area takes the class's values
// (SLA, ACH50) and marks the code positive; a leakage area of the user's own
// is kept and marks the code negative.
void settle_tightness_class();

}  // namespace mavo
