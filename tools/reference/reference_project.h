// A reference's project on the host's road: made as a new project, edited
// between calls through the project store, run through the C front, its
// recorded runs read as the host reads them (the exported summary block
// and the CSV report).
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "reference/references.h"

namespace mavo::reference {

// A column of the CSV report's hourly tables: the heat flows (table 1,
// Btu/h by component) or the performance (table 2), its field after the
// hour.
struct CsvColumn {
    const char* name;
    int table, field;
};

inline constexpr CsvColumn kLightsGain{"lights-gain", 1, 13};
inline constexpr CsvColumn kEquipmentGain{"equipment-gain", 1, 14};
inline constexpr CsvColumn kOccupantGain{"occupant-gain", 1, 15};
inline constexpr CsvColumn kVentilationGain{"ventilation-gain", 1, 16};
inline constexpr CsvColumn kTotalGain{"total-gain", 1, 17};
inline constexpr CsvColumn kIndoorTemperature{"indoor-temperature", 2, 2};
inline constexpr CsvColumn kHeating{"heating", 2, 4};
inline constexpr CsvColumn kCooling{"cooling", 2, 5};
inline constexpr CsvColumn kPhotovoltaic{"photovoltaic", 2, 10};
inline constexpr CsvColumn kSolarWater{"solar-water", 2, 11};
inline constexpr CsvColumn kWaterHeater{"water-heater", 2, 12};

struct SeriesWanted {
    CsvColumn column;
    int month;
};

// A site as the host gives it: a zip code or climate-zone number of
// zipcodes.sce, or a weather file of the weather directory.
struct Site {
    REAL zip = 0.0f;
    const char* weather_file = "";
};
inline Site zip(REAL code) { return {code, ""}; }
inline Site weather_file(const char* name) { return {-1.0f, name}; }

class Project {
public:
    Project(const Directories& d, fs::path dir);

    // The new project, its schemes 1 and 2 described alike: the site,
    // the designer's rows of the parameter column and, for another
    // building than a house, its building type.
    void make(const Site& site, const std::vector<std::pair<int, REAL>>& rows, INTEGER nonresidential_type = 0);
    // Rewrites scheme `slot`'s input file and parameter column.
    void edit(INTEGER slot, const std::function<void()>& change);
    // Sets run flags in the saved input file of scheme `slot`, as the host
    // does before a run (the user's basic rates 26 and 29, which every
    // save clears).
    void set_flags(INTEGER slot, std::initializer_list<INTEGER> flags);
    // Selects scheme `slot` with `command` (and `second` for a library
    // command, `text` in the name buffer) and calls the kernel; the run
    // must simulate its days.
    void run(INTEGER slot, REAL command, INTEGER second = 0, const std::string& text = "");
    // The same run, recorded as `name` with the hourly series wanted.
    void record(const std::string& name, INTEGER slot, REAL command, const std::vector<SeriesWanted>& series = {},
                INTEGER second = 0, const std::string& text = "");
    // A re-read of scheme `slot` for `months` (four-character words), the
    // months' run recorded as `name`.
    void record_reread(const std::string& name, INTEGER slot, const std::string& months);

    Results results;

private:
    void host_memory() const;
    void take_figures(const std::string& name, INTEGER slot, const std::vector<SeriesWanted>& series);
    Directories d_;
    fs::path dir_;
};

}  // namespace mavo::reference
