// The vintage design: an existing building (scheme 2 of a remodel or an
// addition) with the envelope, air-tightness, ducts and equipment typical
// of its year built.
#pragma once
#include "design/design_scheme.h"
#include "support/types.h"

namespace mavo {

// Residential vintage design of scheme 2 (instead of UVALR).
void residential_vintage_design(const DesignScheme& d);

// Non-residential vintage design of scheme 2, 100 < year < 2013; calls UVALC.
void nonresidential_vintage_design(const DesignScheme& d);

// Air conditioner of the year: SEER 8.0 before 1984, 8.9 before 1992, 9.7
// before 2006, 13.0 from 2006 (and for a year not known), as the
// coefficient of performance SEER / 3.412.
REAL vintage_air_conditioner_cop(REAL year_built);

// Storage water heater energy factor of the year: 0.525 before 1999, 0.575 after.
REAL vintage_water_heater_ef(REAL year_built);

// Duct insulation R of the year; from 2006 the zone's code value.
REAL vintage_duct_insulation(REAL year_built, INTEGER zone);

}  // namespace mavo
