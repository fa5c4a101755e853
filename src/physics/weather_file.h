// Weather files of the weather directory and what the reader shares with
// the converter that writes the climate-zone text form.
//
// EPW form: comma-separated lines; the "LOCATION" line, the ground-
// temperature line beginning "GROU" and, after the "DATA" marker line, one
// record per hour (month, day, hour in columns 2-4, dry bulb C in column 7).
//
// Climate-zone text form "zone<N>.txh": fixed columns.
//   record 1  (A8)   station code
//   record 2  (F8.1) longitude, deg, west positive
//   record 3  (F8.1) latitude, deg
//   record 4  (F8.1) time zone, h (west negative, as the EPW gives it)
//   free text records, then one beginning "<dat"
//   hourly    columns  1-8 month, 9-16 day, 17-24 hour (I8 each),
//                     25-32 global horizontal, 33-40 direct normal (I8, kJ/m2),
//                     41-56 not read,
//                     57-64 dry bulb, 65-72 dew point (F8.1, C),
//                     73-80 wind speed (F8.1, m/s)
// Both forms hold 365 days of 24 records from 1 January. A leap-year file
// (8784 records, an actual year's weather) also holds 29 February: every
// reader passes over that day's records, so each other day keeps its date
// and 31 December is read.
//
// Missing EPW temperatures: an EPW record marks a dry bulb or dew point it
// lacks with 99.9 C (nothing warmer is weather). The converter and the
// reader's year pass both take such a value, and any above it, as missing and
// repeat the previous hour's, so the two forms of one station give the same
// degree days and extremes.
#pragma once
#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

#include "support/types.h"

namespace mavo::weather {

inline constexpr INTEGER kWeatherDirectory = 3;  // directory kind of the weather files
inline constexpr int kDaysPerYear = 365;
inline constexpr int kHoursPerDay = 24;
inline constexpr int kHoursPerYear = kDaysPerYear * kHoursPerDay;
// A twelve-day run reads twelve consecutive days of the one year a weather
// file holds: they end on 31 December at the latest, so at most 353 days
// are skipped before them and the latest first day is 20 December.
inline constexpr INTEGER kRepresentativeDays = 12;
inline constexpr INTEGER kSkipDayLimit = kDaysPerYear - kRepresentativeDays;

// Columns of the zone text form's hourly record (first column, width).
inline constexpr int kZoneTextFieldWidth = 8;
inline constexpr int kZoneTextDryBulbColumn = 57;
inline constexpr int kZoneTextRecordLength = 80;
inline constexpr std::string_view kZoneTextDataMarker = "<data>";

inline constexpr double kEpwMissingTemperatureC = 99.9;  // EPW mark of a missing dry bulb or dew point, C

// True when an EPW dry bulb or dew point is data, not the missing mark.
// False for NaN too.
inline bool epw_temperature_present(double t_C) { return t_C < kEpwMissingTemperatureC; }

// The zone text file of a climate zone: "zone9.txh", "zone12.txh".
std::string zone_text_file_name(INTEGER zone);

// CECZONE as an index of the climate-zone tables: a zone outside 1 to 16
// (a site outside California, an unset zone) becomes zone 9, the zone of the
// default location, with a trace line naming the caller.
INTEGER settled_climate_zone(std::string_view caller);

// One line of a weather file in a fixed buffer: the hourly passes read
// 8760 of them and allocate nothing. The line end (LF or CR LF) is dropped;
// a line longer than the buffer is consumed whole and cut.
struct WeatherLine {
    static constexpr std::size_t kCapacity = 512;
    char text[kCapacity + 1] = {};
    std::size_t length = 0;
    std::string_view view() const { return std::string_view(text, length); }
    // The first n characters (fewer when the line is shorter; assigning them
    // to a fixed-length text pads them with blanks, as a formatted read
    // pads a short record).
    std::string_view first(std::size_t n) const { return std::string_view(text, length < n ? length : n); }
};

enum class LineStatus { ok, end_of_file, read_error };

LineStatus read_weather_line(std::FILE* f, WeatherLine& line);

// Month, day, hour and dry bulb of a zone text hourly record, the fields the
// year pass reads: (3I8,32X,F8.1). False when a field is not a number or the
// dry bulb is not finite (an exponent beyond the range of a real): such a
// record is a read error, never weather.
struct ZoneTextHour {
    INTEGER month = 0;
    INTEGER day = 0;
    INTEGER hour = 0;
    REAL dry_bulb_C = 0.0f;
};
bool read_zone_text_hour(std::string_view record, ZoneTextHour& hour);

// True when an hourly record (EPW, or the zone text form when zone_text) is
// dated 29 February: the extra day of a leap-year file.
bool record_is_leap_day(std::string_view record, bool zone_text);

// Hours of the 365-day year before the first hour of a day (0 for
// 1 January); -1 when month and day name no day of that year.
INTEGER hours_before_day(INTEGER month, INTEGER day);

// Radiation of an hourly record as the models take it, in the record's own
// unit: 0 for the file's missing mark (9999 and above) and for a value below
// zero, which no instrument measures (EPW radiation fields hold 0 to 9998).
REAL radiation_or_none(REAL raw);

}  // namespace mavo::weather
