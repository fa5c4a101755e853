// The hourly weather records of the simulated days, read from the weather
// file that the weather set-up left open and positioned on the weather unit.
//
// EPW (NFLAG(37) false): comma-separated; columns 2-4 month, day, hour,
// 7 dry bulb C, 8 dew point C, 14 global horizontal and 15 direct normal
// radiation Wh/m2, 22 wind speed m/s.
// Climate-zone text (NFLAG(37) true): (5I8,16X,3F8.1): month, day, hour,
// global horizontal and direct normal radiation kJ/m2, dry bulb and dew
// point C, wind speed m/s.
#pragma once
#include "physics/weather_file.h"
#include "support/types.h"

namespace mavo {

// What the reading keeps from day to day within one simulation run.
struct WeatherReading {
    INTEGER hour_of_year = 0;   // place of the last record in the file's sequence of hours, 1-8760
    INTEGER lines_read = 0;     // records read in this run (for the error trace)
    // Last good EPW values, which bridge a missing field, C and m/s.
    REAL dry_bulb_C = 0.0f;
    REAL dew_point_C = 0.0f;
    REAL wind_ms = 0.0f;
    bool first_day = true;      // no day read yet in this run
    bool leap_day_seen = false;          // 29 February read past (traced once)
    bool out_of_sequence_seen = false;   // a record dated out of its place (traced once)
    INTEGER last_month = 1;     // month slot and record of the last read, for the error trace
    INTEGER last_record = 1;
    weather::WeatherLine line;  // the record being read
};

// Starts the reading of a run: the year's hour counter stands before the
// first simulated day (SKPDAY days in a twelve-day run, 1 January in a
// 365-day run).
void start_weather_reading(WeatherReading& w);

// Reads the records of day IDAY of month slot MONTH (one day of days_run
// simulated for the month) and fills the day's tables: TMON(MONTH),
// TDAY(MONTH), THOUR, BEAM, HORIZ (Btu/ft2), TEMP, TEMPS, DP (F), WINDFPM
// (ft/min), the month's WINDVEL and FREEZHRS, and the year's BLK51 entry of
// each record at the hour of the record's own date (29 February of a
// leap-year file is read past). Missing values are bridged as the day
// tables take them, so BLK51 holds what the simulation used. With measured
// data (NFLAG(35) or NFLAG(36)) nothing is read and the day's tables are
// used as they stand.
// False after a read error or the end of the file: the file is rewound,
// ITEMY is 42 and the weather data are marked invalid (weather_data_error).
bool read_weather_day(WeatherReading& w, INTEGER MONTH, INTEGER IDAY, INTEGER days_run);

// The weather-data verdict that ends a simulation: NFLAG(80), NFLAG(35) and
// NFLAG(36) false, ITEMY 42, and the traces of the month, day and hour of
// the record in hand.
void weather_data_error(INTEGER MONTH, INTEGER record);

}  // namespace mavo
