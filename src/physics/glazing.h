// Hourly heat flow through the window, door and skylight lines (GLAZED,
// declared with the other envelope procedures in physics/physics.h) and the
// small rules it is built from.
//
// Windows and skylights (visible transmittance above 0) gain beam, sky and
// ground-reflected sun through an angle-dependent transmittance and the
// glass's SHGC, and conduct through their U-factor, with night insulation
// in cold months; doors conduct against a sol-air temperature. The hour's
// daylight behind each facade and under the skylights goes to FCAVG for the
// lighting model.
#pragma once
#include "support/types.h"

namespace mavo::glazing {

// Column of the day sun table that serves a line facing `facing_deg` at
// tilt `tilt_deg` on a building whose front faces `sfaces_deg`: 1..4 for a
// wall facing exactly the front, right, back or left facade (tilt 90), 5
// for a horizontal line (tilt 0) on one of those azimuths, 0 when the sun
// must be computed for the line itself.
INTEGER sun_table_face(REAL facing_deg, REAL tilt_deg, REAL sfaces_deg);

// Facade class of a door that no sun-table column serves, from its own
// azimuth (the building's orientation is not added): 1 south for (-45, 45],
// 2 west (45, 135], 3 north (135, 225], 4 east (225, 315], the same
// quarters one turn lower, and south beyond; 5 (horizontal) for a tilt of
// 45 degrees or less, whatever the azimuth.
INTEGER door_facade_class(REAL facing_deg, REAL tilt_deg);

// Solar absorptance of a dwelling's door line `line`: that of the opaque
// surface of its facade (the sun-table column that serves it, or its own
// facade class), which the door's SHGC word carries.
REAL dwelling_door_absorptance(INTEGER line);

// SHGC of glass (`shgc_glass`) behind closed exterior blinds whose own
// bound is `shgc_blinds`: the smaller times (0.2875 x the larger + 0.75), an
// empirical fit of the pair; 0.3 blinds on 0.4 glass give 0.2595.
REAL shgc_behind_exterior_blinds(REAL shgc_blinds, REAL shgc_glass);

// Clear-sky fraction 0..1 of the hour from global and diffuse horizontal
// radiation: (G - D) / (G + D) / 0.7, so that a beam share of 70 percent of
// G + D counts as a fully clear sky. 0 when G + D is not positive.
REAL clear_sky_fraction(REAL globh, REAL diffh);

}  // namespace mavo::glazing
