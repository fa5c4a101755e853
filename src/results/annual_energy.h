// Annual energy by end use and fuel: the energy rows of a scheme's SUMARY
// column.
#pragma once

namespace mavo {

// Rows 18-20, 26-34, 37-40, 59, 60 and 78 of column IDNUM1 (a combination
// line's column takes its energy rows 18-20, 38, 39, 59, 60 and 78 and its
// emission rows 41-48 from its members), or the difference column 19 of a
// comparison; AREAT, COSTF and AETOT.
void CALBEP();
// Column 19: the difference of the columns of IDNUM1 and IDNUM2 (a scheme's
// own column, or the column of the line holding a combination number), the
// comparison CALBEP makes outside a host run and the library's compare
// command asks for.
void fill_difference_column();

}  // namespace mavo
