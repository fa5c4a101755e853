// Hourly heat flow through the opaque envelope (OPAQUE, declared in
// physics.h): walls and roof by TETD, the vented attic with its fan, the
// raised floor, the slab on grade and the basement by depth bands. The pure
// physics helpers below are what the hourly steps are made of.
#pragma once
#include "support/types.h"

namespace mavo {

// Row 1..9 of the attic air-space tables for outdoor air `t_out_F` and roof
// sol-air temperature `t_solair_F`: three outdoor bands (up to 85, up to 95,
// above 95 F), each split into three sol-air bands (up to 130, up to 150,
// above 150 F).
INTEGER attic_table_row(REAL t_out_F, REAL t_solair_F);

// Effective R of the attic air space, h.ft2.F/Btu, for column `icol` 1..10
// (odd: ceiling insulation R 15 or less, even: above; 1-4 no fan, 5-6 a fan
// of 0.5 cfm per ft2 of roof, 7-8 1.0, 9-10 1.5) and row `irow` 1..9, under a
// plain roof or under a reflective roof or radiant barrier.
REAL attic_air_space_r(INTEGER icol, INTEGER irow, bool reflective);

// Airflow of the attic fan that column `icol` of the attic tables assumes,
// cfm per ft2 of roof.
REAL attic_fan_cfm_per_ft2(INTEGER icol);

// Ceiling U-factor under an attic, Btu/h.ft2.F, from the total resistances of
// its two parallel paths (90 % between the joists, 10 % through them).
// Both resistances must be positive.
REAL attic_ceiling_u(REAL r_cavity_total, REAL r_framing_total);

// Slab insulation R (0, 7, 10 or 12 h.ft2.F/Btu) of insulation step 0..3 of
// the slab regression.
REAL slab_regression_insulation_r(INTEGER step);

// Heat flow into the space through a slab on grade by the slab regression,
// Btu/h, for the two slab types of the model (q6: floor type -6, q7: floor
// type -7). Insulation step 0..3; `d14_F` the indoor temperature less the
// mean outdoor temperature of the last two weeks, `dmon_F` and `dann_F`
// less the month's and the year's ground temperature; `edge_ft2` the band
// 2 ft wide along the perimeter, `core_ft2` the rest of the slab.
struct SlabRegressionFlows {
    REAL q6_btuh = 0.0f;
    REAL q7_btuh = 0.0f;
};
SlabRegressionFlows slab_regression_flows(INTEGER step, REAL d14_F, REAL dmon_F, REAL dann_F,
                                          REAL edge_ft2, REAL core_ft2);

}  // namespace mavo
