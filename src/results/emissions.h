// Emissions of the purchased electricity and fuel.
#pragma once
#include "support/types.h"

namespace mavo {

// Emission rows 41-47, 61 and 62 of column IDNUM1, the hourly CO2
// TOTALCO2, EX and FX, and the rows chosen from the emission-factor table.
void CALPOLL();

// The rows of the emission-factor table the current scheme is counted on:
// the site's (its utility's electricity, its heating fuel) for the base
// schemes, after a move and where the stored rows name none; otherwise the
// stored rows, rechosen where they name another source than the scheme's.
void choose_emission_rows();

// Row of the emission-factor table for the electricity of a site in the
// given electric rate zone.
INTEGER electricity_emission_row(INTEGER rate_zone, bool in_california);
// Row of the emission-factor table for the heating fuel.
INTEGER fuel_emission_row(REAL fuel_type);

}  // namespace mavo
