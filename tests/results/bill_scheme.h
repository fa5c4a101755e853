// A plain single-zone scheme for bill tests: no loads, no photovoltaic or
// solar water system, all-electric unless a test says otherwise, the
// representative day of month m in month m. Each test then writes the hours
// it bills.
#pragma once
#include "blocks/blocks.h"

namespace mavo::testing {

inline void plain_bill_scheme(INTEGER k, bool full_year, INTEGER electric_zone) {
    IDNUM1 = k;
    STRATEGY(26, k) = 0.0f;
    STRATEGY(1, k) = 1.0f;
    STRATEGY(3, k) = 1.0f;
    STRATEGY(41, k) = 0.0f;
    NFLAG(38) = full_year;
    NFLAG(24) = false;
    ERATEZONE = electric_zone;
    FUELTYPE = 4.0f;
    COPAC = 3.1f;
    COPHT = 0.75f;
    for (int m = 1; m <= 12; ++m) {
        TMON(m) = m;
        TDAY(m) = 15;
        DAYFLAG(m) = 0;
    }
}

}  // namespace mavo::testing
