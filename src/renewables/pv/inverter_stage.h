// The inverter stage of the module model: holds the array within the
// inverter's DC voltage window, clips at the rated AC power and converts the
// array's maximum DC power with the efficiency of the inverter's test table.
#pragma once
#include "renewables/pv/module_model.h"

namespace mavo::solarmodel {

// The inverter's rating as the module model's parameters carry it.
struct InverterRating {
    double rated_W = 0.0;  // rated AC power
    double vmax_V = 0.0;   // upper DC voltage limit
    double vmin_V = 0.0;   // lower DC voltage limit
    double tare_W = 0.0;   // night tare
};

// The operating point the inverter reports and its AC output.
struct InverterOutput {
    double v_V = 0.0;         // array voltage
    double i_A = 0.0;         // array current
    double p_ac_W = 0.0;      // AC power
    double efficiency = 0.0;  // fraction
};

// One hour of the inverter on an array of NS x NP modules with maximum DC
// power pmp_W at array voltage vmp_a_V and current imp_a_A and open-circuit
// voltage voc_a_V; d are the modules' diode parameters of the hour (for the
// current at a clamped voltage).
InverterOutput inverter_stage(const InverterRating& inv, double pmp_W, double vmp_a_V, double imp_a_A,
                              double voc_a_V, int ns, int np, const DiodeParameters& d);

}  // namespace mavo::solarmodel
