// Envelope and design summary of a scheme: rows 1 to 17 of its SUMARY
// column.
#pragma once

namespace mavo {

// Rows 1-17 of column IDNUM1 (a single zone, or the sum of a combination's
// members), the back copy of the floor area, TOTALDAYBTU and the zone-check
// flags NFLAG(47) to NFLAG(49).
void SUMUP();

}  // namespace mavo
