// Whether the run of the scheme simulated anything, and why not, in the
// words its reports give.
#include <string>

#include "blocks/blocks.h"
#include "results/reports/report_files.h"

namespace mavo::reports {

bool nothing_was_simulated() { return has_scheme_column(IDNUM1) && SUMARY(48, IDNUM1) <= 0.0f; }

std::string nothing_simulated_heading() {
    std::string why = "the run ended with errors";
    if (!NFLAG(80)) why = "the climate data are not valid";
    else if (NFLAG(68)) why = "the heating or water-heating fuel does not suit the site";
    else if (!NFLAG(15)) why = "the zone balance failed";
    else if (!NFLAG(54)) why = "the photovoltaic or solar-water model failed";
    return "Nothing was simulated: " + why;
}

}  // namespace mavo::reports
