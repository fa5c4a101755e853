// Window shading: how much of a glazing line's glass the beam reaches past
// its overhang, and the state of the scheme's shading device, hour by hour.
#pragma once
#include "support/types.h"

namespace mavo {

// Shading strategy codes of a scheme (STRATEGY(36,k)); the device applies
// to the lines whose SHADEFLG is 1. Codes 0, 1, 3 and 4 (and any value not
// listed) have no device: only the overhang geometry.
enum ShadeCode : INTEGER {
    kShadeNone = 0,                  // "No Shading (Bug Screens Only)"
    kShadeFixedOverhang = 1,         // "Fixed Overhangs (not Operable) also screens"
    kShadeAwningRetractedWinter = 2, // "Overhangs (Awnings) Retracted in Winter"
    kShadeAwningRetractedCool = 3,   // "Overhangs also retract in Summer if cool"
    kShadeAwningAutomated = 4,       // "Overhangs automated: close if hot"
    kShadeTranslucentIfHot = 5,      // "Lite Translucent Indoor Shades Close if too hot"
    kShadeOpaqueIfHot = 6,           // "Opaque Indoor Shades close if too hot indoors"
    kShadeTranslucentYearly = 7,     // "Lite Transludent Indoor Shades automated yearly"
    kShadeOpaqueIfSunny = 8,         // "Opaque Indoor Shades close if too sunny"
    kShadeBlinds45 = 9,              // "Lite Venetian Blinds at 45 degrees all year"
    kShadeBlinds45OrClosed = 10,     // "Lite Venetian Blinds at 45 or close if too hot"
    kShadeBlindsAutomated = 11,      // "Lite Venetian Blinds automated open or closed"
    kShadeExteriorBlinds = 12,       // "Exterior Venerian Blinds automated hourly"
};

// The shading code of the current scheme IDNUM1; 0 for a scheme without a
// parameter column or a value that is not a whole code.
INTEGER shade_code_of_scheme();

// Line `next` (1..25) of BLK15 in hour `ihour` of `month`, with the sun at
// altitude `alt_deg` and azimuth `azi_deg` (from south, west positive) and
// the incidence `anginc_deg` on the line's glass.
// Out:
//   sunlit      fraction 0..1 of the glass in beam sunshine (1.0 with the
//               sun down; the host's SUNLIT table for schemes 3 and up when
//               NFLAG(77) is set)
//   shadetsol   solar transmission of the device, percent (100 = open)
//   shgc_min    SHGC bound of exterior blinds (code 12; 1.0 = open)
// and in BLK48 the device state the daylight model reads: BLINDANGLE (slat
// angle, 45 half open, 90 closed, 100 no blinds) and SHADEPCT (daylight
// transmission of a drawn interior shade, percent; 100 no shade). The
// automated devices close on the previous hour's indoor temperature TLASTHR
// against the comfort limits. Reports no failure.
void SHADES(INTEGER next, REAL alt_deg, REAL azi_deg, REAL anginc_deg, REAL& sunlit, INTEGER month,
            INTEGER ihour, REAL& shadetsol, REAL& shgc_min);

}  // namespace mavo
