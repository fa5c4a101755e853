// The hourly CSV report "scheme<k>.csv": for each month the day the
// simulation reports (the representative day of a twelve-day run, the
// month's average day of a 365-day run), hour by hour, two tables: the heat
// flow of the 17 components into the space in Btu/h, and the performance of
// the building (temperatures, air changes, HVAC output, electricity, fuel,
// solar contributions, costs, site energy, CO2), each followed by its
// 24-hour means. Written for a spreadsheet: fixed-width numbers between
// commas, a few free-form lines between the tables.
#include <cmath>
#include <cstdio>
#include <string>

#include "blocks/blocks.h"
#include "front/paths.h"
#include "front/trace.h"
#include "front/units.h"
#include "results/hourly_cooling.h"
#include "results/reports/report_files.h"
#include "results/results.h"
#include "support/fortran_format.h"

namespace mavo {
namespace {

using reports::free_form;
using reports::put_line;

constexpr INTEGER kProjectDirectory = 2;

constexpr FArray<FString<11>, 10> CSVFILES = {"scheme1.csv", "scheme2.csv", "scheme3.csv", "scheme4.csv",
                                              "scheme5.csv", "scheme6.csv", "scheme7.csv", "scheme8.csv",
                                              "scheme9.csv", "scheme0.csv"};

constexpr REAL kBtuPerKbtu = 1000.0f;
constexpr REAL kBtuPerKwh = 3412.0f;
constexpr REAL kHoursPerDay = 24.0f;

// Text of the free-form line before each means line; the record adds its
// own opening blank in front of the text's.
constexpr std::string_view kAveragesLine = " Averages (all 24 Hours):";

// The 17 performance values of one hour, in the order of the table's
// columns 2 to 18.
FArray<REAL, 17> performance_of_hour(INTEGER h, INTEGER m) {
    FArray<REAL, 17> v{};
    v(1) = OATEMP(h, m);                                                    // deg F
    v(2) = IATEMP(h, m);                                                    // deg F
    v(3) = AIRVOL(h, m);                                                    // air changes per hour
    v(4) = HVACLD(h, m) < 0.0f ? HVACLD(h, m) / kBtuPerKbtu : 0.0f;         // heating, kBtu (negative)
    v(5) = hour_cooling_output_btu(h, m) / kBtuPerKbtu;                     // cooling, kBtu
    v(6) = HEAT(13, h, m) / kBtuPerKwh;                                     // lights, kWh
    v(7) = KWHRFA(h, m);                                                    // fans and blowers, kWh
    v(8) = EQKWHR(h, m);                                                    // appliances, kWh
    v(9) = EQFUEL(h, m) / kBtuPerKbtu;                                      // appliance fuel, kBtu
    v(10) = PV(h, m);                                                       // kWh
    v(11) = SHW(h, m) / kBtuPerKbtu;                                        // solar water heating, kBtu
    v(12) = WHENER(h, m) / kBtuPerKbtu;                                     // water heater, kBtu
    v(13) = COSTEL(h, m);                                                   // $
    v(14) = COSTFUEL(h, m);                                                 // $
    v(15) = COSTEL(h, m) + COSTFUEL(h, m);                                  // $
    v(16) = SITEKWHR(h, m);                                                 // kWh
    v(17) = TOTALCO2(h, m);                                                 // lb
    return v;
}

// The widest field a finite REAL can need in fixed point: sign, 39 digits,
// the point and two decimals, with room to spare.
constexpr int kWidestField = 48;

// Fixed-point field Fw.d that never loses its number: a value too large for
// w columns (a big building's hourly heat flow easily passes 999999 Btu/h)
// takes the narrowest wider field that holds it instead of w asterisks. The
// fields stand between commas, so a wider one only shifts the columns of
// its line.
std::string number_field(REAL value, int w, int d) {
    std::string field = ffmt::F(value, w, d);
    if (!std::isfinite(value)) return field;
    while (field.find_first_not_of('*') == std::string::npos && w < kWidestField) field = ffmt::F(value, ++w, d);
    return field;
}

// Hour (or the hour count of a means line) and the 17 components, each
// F7.0 and a comma.
std::string heat_line(REAL first, const FArray<REAL, 17>& values) {
    ffmt::LineWriter w;
    w.A(number_field(first, 7, 0)).A(",");
    for (INTEGER c = 1; c <= 17; ++c) w.A(number_field(values(c), 7, 0)).A(",");
    return w.take();
}

// Hour and the 17 performance values: temperatures whole degrees, the
// quantities to two decimals, CO2 whole pounds with no comma after it.
std::string performance_line(REAL first, const FArray<REAL, 17>& values) {
    ffmt::LineWriter w;
    w.A(number_field(first, 7, 0)).A(",");
    w.A(number_field(values(1), 7, 0)).A(",").A(number_field(values(2), 7, 0)).A(",");
    for (INTEGER j = 3; j <= 16; ++j) w.A(number_field(values(j), 7, 2)).A(",");
    w.A(number_field(values(17), 7, 0));
    return w.take();
}

std::string title_line(const FString<24>& title) { return std::string(title.view()); }

// Writes the lines in order; the first refused line ends the file.
class CsvLines {
public:
    explicit CsvLines(std::FILE* f) : f_(f) {}
    CsvLines& operator<<(std::string_view text) {
        if (ok_) ok_ = put_line(f_, text);
        return *this;
    }
    bool ok() const { return ok_; }

private:
    std::FILE* f_;
    bool ok_ = true;
};

void write_title_block(CsvLines& out) {
    // The tables of a run that simulated nothing hold only zeros: the first
    // line says so, before anyone reads them as the building's.
    if (reports::nothing_was_simulated()) out << reports::nothing_simulated_heading();
    out << (NFLAG(24) ? " KORVA  Heat Loads and Perfromance Data" : " MAVO  Heat Loads and Perfromance Data");
    out << "      (to print use Courier 8 point Landscape. To save close and rename the file)";
    out << "   Project: " + title_line(TITLE1) + "       Building Type: " + title_line(TITLE2);
    out << ffmt::LineWriter()
               .A("   Climate File Name: ")
               .A(TITLE3.view())
               .A("    Latitude =")
               .F(SLAT, 7, 2)
               .A("  Longitude =")
               .F(SLON, 7, 2)
               .str();
    out << ",,,,,,,,,\"Shows the average hourly value for the Month, Hour, and Category  (a negative value is a "
           "Heat Loss)\"";
    out << ",,,,,,,,,For Monthly average hourly total multiply each Hourly value by the number of days per month";
    out << ",,,,,,,,,For Monthly Building Total multiply the \"Average (all 24 hours)\" by days per month and by "
           "24 hours";
}

std::string month_heading(INTEGER m) {
    ffmt::LineWriter w;
    if (NFLAG(38)) {
        w.A(" Month =").I(m, 3).A(" = ").A(MONTHNAME(m).view());
        w.A("   Scheme Number:").I(IDNUM1, 3).X(4);
    } else {
        w.A(" Date=").I(TMON(m), 3).A("/").I(TDAY(m), 3);
        w.A("   Scheme Number:").I(IDNUM1, 3).X(1);
    }
    w.A(reports::report_scheme_name(reports::report_slot(IDNUM1)).view());
    return w.take();
}

void write_heat_table(CsvLines& out, INTEGER m) {
    out << free_form(",Windows,,,,,Walls,,,,,,,Internal Loads");
    out << "Hour,South,West,North,East,Skylit,South,West,North,East,Roof,Floor,Slab,Lights,Equip,Occup,Vent/Inf,"
           "TOTAL";
    out << ",BTU,BTU,BTU,BTU,BTU,BTU,BTU,BTU,BTU,BTU,BTU,BTU,BTU,BTU,BTU,BTU,BTU";
    FArray<REAL, 17> HEATTOTX{};  // the day's 24-hour means, Btu/h
    for (INTEGER h = 1; h <= 24; ++h) {
        FArray<REAL, 17> row{};
        for (INTEGER c = 1; c <= 17; ++c) {
            row(c) = HEAT(c, h, m);
            HEATTOTX(c) += HEAT(c, h, m) / kHoursPerDay;
        }
        out << heat_line(static_cast<REAL>(h), row);
    }
    out << free_form(kAveragesLine);
    out << heat_line(kHoursPerDay, HEATTOTX);
}

void write_performance_table(CsvLines& out, INTEGER m) {
    out << ",  Temperature,,Air,HVAC Systems,,Lights,Fans &,Appliances,,Solar,Solar,Water,Cost,Cost,Cost,Site,Total";
    out << "Hour,Out,InDoors,Changes,Heating,Cooling,Elect,Blowers,Elect,Fuel,PV,DHW,Heater,Elect,Fuel,Total,"
           "Energy,CO2";
    out << ",(deg.F),(deg.F),(/hr),(kBTU),(kBTU),(kWh),(kWh),(kWh),(kBTU),(kWh),(kBTU),(kBTU),($/hr),($/hr),"
           "($/hr),(kWh),(pounds)";
    FArray<REAL, 17> TOTCSV{};  // the day's 24-hour means of the 17 values
    for (INTEGER h = 1; h <= 24; ++h) {
        const FArray<REAL, 17> row = performance_of_hour(h, m);
        for (INTEGER j = 1; j <= 17; ++j) TOTCSV(j) += row(j) / kHoursPerDay;
        out << performance_line(static_cast<REAL>(h), row);
    }
    out << free_form(kAveragesLine);
    out << performance_line(kHoursPerDay, TOTCSV);
}

void write_month(CsvLines& out, INTEGER m) {
    out << free_form(" ");
    out << month_heading(m);
    write_heat_table(out, m);
    out << " ";
    write_performance_table(out, m);
    out << " ";
    out << " ";
}

}  // namespace

void KEEPCSV() {
    DBG_IN("KEEPCSV");
    const INTEGER slot = reports::report_slot(IDNUM1);
    if (slot == 0) {
        DBG_INT("KEEPCSV: no CSV file for scheme slot", IDNUM1);
        DBG_OUT("KEEPCSV");
        return;
    }
    DIR_BUILDPATH(kProjectDirectory, CSVFILES(slot).view());
    const std::string path = built_path();
    std::FILE* f = unit_open_replacing(BLK0B.DISKCSV, path.c_str(), "w", false);
    if (!f) {
        DBG_ERROR("KEEPCSV: cannot open the hourly CSV file");
        DBG_PRINT(path);
        DBG_OUT("KEEPCSV");
        return;
    }
    CsvLines out(f);
    write_title_block(out);
    for (INTEGER m = 1; m <= 12 && out.ok(); ++m) write_month(out, m);
    const bool closed = unit_close(BLK0B.DISKCSV);
    if (!out.ok() || !closed) DBG_ERROR("KEEPCSV: writing the hourly CSV file failed");
    DBG_OUT("KEEPCSV");
}

}  // namespace mavo
