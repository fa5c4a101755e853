// The scheme simulation driver CALCS (declared in simulation.h) and what
// one of its calls carries from the set-up through the year to the
// end-of-year sequence.
#pragma once
#include "simulation/weather_records.h"
#include "support/types.h"

namespace mavo {

struct SimulationRun {
    INTEGER days_simulated = 0;    // days read from the weather file (SUMARY row 48)
    INTEGER NNOTCONV = 0;          // unconverged hours; the zone balance fails the run instead, so it stays 0
    REAL heating_sum_btuh = 0.0f;  // counted hours' negative HVAC outputs, for the trace
    REAL cooling_sum_btuh = 0.0f;  // counted hours' positive HVAC outputs, for the trace
    // Heating and cooling system codes STRATEGY(18,k) and (20,k) as they
    // stood when the year started; the test-case night ventilation changes
    // them during the year.
    bool systems_saved = false;
    REAL saved_heating_code = 0.0f;
    REAL saved_cooling_code = 0.0f;
    WeatherReading weather;
};

// The hour of the first simulated day that the warm-up counter stands for
// after it has been counted down: 287 is hour 1 of the first pass, 264 its
// hour 24, 23 hour 1 of the twelfth pass and 1 its hour 23.
INTEGER warm_up_hour(REAL cycle);

}  // namespace mavo
