// The climate link file "scheme<k>.cclink": five lines that tell an outside
// viewer which climate the scheme was simulated with: a format number, the
// site latitude, the comfort band (upper and lower limit, deg F) and the
// weather reference, either the CEC climate zone ("ZONE 08") of a zone-file
// run or the full path of the EPW file, blank when no valid climate was read.
// The reference fills a 255-character field, as the viewer reads it.
#include <cstdio>
#include <string>

#include "blocks/blocks.h"
#include "front/paths.h"
#include "front/record_files.h"
#include "front/trace.h"
#include "front/units.h"
#include "results/reports/report_files.h"
#include "results/results.h"

namespace mavo {
namespace {

using reports::free_form;
using reports::put_line;

constexpr INTEGER kProjectDirectory = 2;
constexpr INTEGER kWeatherDirectory = 3;
// The zone the weather reader falls back to when the site's zone is unusable.
constexpr INTEGER kFallbackZone = 9;

constexpr FArray<FString<16>, 10> PRFILE = {"scheme1.cclink", "scheme2.cclink", "scheme3.cclink", "scheme4.cclink",
                                            "scheme5.cclink", "scheme6.cclink", "scheme7.cclink", "scheme8.cclink",
                                            "scheme9.cclink", "scheme0.cclink"};

constexpr FArray<FString<16>, 16> ZONES = {"ZONE 01", "ZONE 02", "ZONE 03", "ZONE 04", "ZONE 05", "ZONE 06",
                                           "ZONE 07", "ZONE 08", "ZONE 09", "ZONE 10", "ZONE 11", "ZONE 12",
                                           "ZONE 13", "ZONE 14", "ZONE 15", "ZONE 16"};

// The weather reference of the fifth line. A run whose climate data were not
// valid read no climate: the reference stays blank rather than name a file
// the simulation never read (the site's zone, whose file may not exist).
FString<255> weather_reference() {
    FString<255> EPWFILE;
    if (!NFLAG(80)) {
        DBG_PRINT("KEEPCCL: the climate data were not valid: no weather reference");
    } else if (NFLAG(37)) {
        INTEGER zone = CECZONE;
        if (zone < 1 || zone > 16) {
            DBG_INT("ERROR CECZONE not 1-16, zone 9 used in KEEPCCL", CECZONE);
            zone = kFallbackZone;
        }
        EPWFILE = ZONES(zone).view();
    } else {
        DIR_BUILDPATH(kWeatherDirectory, CLIMATEFILENAME.view());
        EPWFILE = PATHTOFILE.view();
    }
    return EPWFILE;
}

}  // namespace

void KEEPCCL() {
    DBG_IN("KEEPCCL");
    const INTEGER slot = reports::report_slot(IDNUM1);
    if (slot == 0) {
        // A combination (or a library slot) has no link file of its own.
        DBG_INT("KEEPCCL: no climate link file for scheme slot", IDNUM1);
        DBG_OUT("KEEPCCL");
        return;
    }
    FString<255> FILENM = PRFILE(slot).view();
    DIR_BUILDPATH(kProjectDirectory, FILENM.view());
    const std::string path = built_path();
    std::FILE* f = unit_open_replacing(BLK0B.DISKCCL, path.c_str(), "w", false);
    if (!f) {
        // The viewer finds no link file; the reason goes to the trace.
        DBG_TRACE(" ERROR: Unable to OPEN file" + path);
        DBG_TRACE(" ERROR: Unable to WRITE to file " + path);
        DBG_OUT("KEEPCCL");
        return;
    }
    const FString<255> EPWFILE = weather_reference();
    const bool written = put_line(f, "1") && put_line(f, free_form(SLAT)) && put_line(f, free_form(COMHI)) &&
                         put_line(f, free_form(COMLOW)) && put_line(f, EPWFILE.view());
    if (!written) DBG_TRACE(std::string(" ERROR: Unable to WRITE to file ") + path);
    INTEGER IERR = 0;
    IO_CLOSE(BLK0B.DISKCCL, IERR);
    DBG_OUT("KEEPCCL");
}

}  // namespace mavo
