// Utility bills of a scheme: electricity under the tariff of its rate zone
// (tiered, flat or time of use, with photovoltaic netting), fuel under the
// gas tariff or at bottled-fuel prices, and the annual energy and cost rows
// of its summary column.
#pragma once

namespace mavo {

// Bills the year just simulated for scheme IDNUM1; called once per scheme
// after the photovoltaic and solar-water models.
void COST();

// The design schemes (slots 1 and 2, and the default scheme) always take
// the built-in propane and oil prices; other slots keep their own.
void design_scheme_fuel_prices();

}  // namespace mavo
