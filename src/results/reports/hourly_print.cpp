// "scheme<k>.prn": one comma-separated line per hour of each simulated day,
// with the day's radiation in kJ/m2 and the outdoor and indoor temperatures
// in deg C, for plotting beside the scheme files. Only the design slots 1 to
// 9 have such a file.
#include "results/reports/hourly_print.h"

#include <cstdio>
#include <string>

#include "blocks/blocks.h"
#include "front/paths.h"
#include "front/trace.h"
#include "front/units.h"
#include "results/reports/report_files.h"
#include "support/fortran_format.h"

namespace mavo {
namespace {

using reports::put_line;

constexpr INTEGER kProjectDirectory = 2;

constexpr FArray<FString<11>, 9> PRFILE = {"scheme1.prn", "scheme2.prn", "scheme3.prn", "scheme4.prn", "scheme5.prn",
                                           "scheme6.prn", "scheme7.prn", "scheme8.prn", "scheme9.prn"};

// deg F to deg C, in the order the file's numbers were always computed.
REAL celsius_from_fahrenheit(REAL t_F) { return (t_F - 32.0f) * 5.0f / 9.0f; }

std::string hour_line(INTEGER IDAY, INTEGER h, const FArray<REAL, 24>& TIN) {
    return ffmt::LineWriter()
        .I(TMON(IDAY), 2)
        .A(",")
        .I(TDAY(IDAY), 2)
        .A(",")
        .I(THOUR(h), 2)
        .A(",")
        .I(BLKT38B.BEAMKJ(h), 4)
        .A(",")
        .I(BLKT38B.HORIZKJ(h), 4)
        .A(",")
        .F(celsius_from_fahrenheit(TEMP(h)), 5, 2)
        .A(",")
        .F(celsius_from_fahrenheit(TIN(h)), 5, 2)
        .take();
}

}  // namespace

void KEEPSS(INTEGER IDAY, const FArray<REAL, 24>& TIN) {
    DBG_IN("KEEPSS");
    if (IDNUM1 < 1 || IDNUM1 > 9) {
        DBG_OUT("KEEPSS");
        return;
    }
    if (IDAY > 12) {
        // Only the twelve representative days have a month and a day.
        DBG_INT("KEEPSS: no representative day", IDAY);
        DBG_OUT("KEEPSS");
        return;
    }
    DIR_BUILDPATH(kProjectDirectory, PRFILE(IDNUM1).view());
    const std::string path = built_path();
    // Started anew as a new version of the file; each day appends to that.
    std::FILE* f = IDAY < 1 ? unit_open_replacing(BLK0B.DISKPRN, path.c_str(), "w", false)
                            : unit_open(BLK0B.DISKPRN, path.c_str(), "a");
    if (!f) {
        DBG_ERROR("KEEPSS: cannot open the hourly radiation file");
        DBG_OUT("KEEPSS");
        return;
    }
    bool ok = true;
    if (IDAY < 1) {
        ok = put_line(f, "Month,Day,Hour,Beam Radiation,Horizontal Radiation,Outdoor Temp,Indoor Temp") &&
             put_line(f, ",,,Kj/m^2,Kj/m^2,C,C");
    } else {
        for (INTEGER h = 1; h <= 24 && ok; ++h) ok = put_line(f, hour_line(IDAY, h, TIN));
    }
    if (!unit_close(BLK0B.DISKPRN) || !ok) DBG_ERROR("KEEPSS: writing the hourly radiation file failed");
    DBG_OUT("KEEPSS");
}

}  // namespace mavo
