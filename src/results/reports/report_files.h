// Shared pieces of the scheme report files (hourly CSV tables, climate
// link, hourly radiation, compliance export): which slot a report belongs
// to and the scheme name it shows, checked line writes, and the free-form
// lines the files mix with fixed-column ones.
#pragma once
#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>

#include "blocks/project_blocks.h"
#include "support/fstring.h"
#include "support/types.h"

namespace mavo::reports {

// The entry of a report-name table (1 to 10) for a scheme slot: the design
// slots 1 to 9 themselves, the default scheme (slot 10, also reached as 0)
// entry 10. Library slots (negative) and combinations (11 and above) have
// no report file: 0.
constexpr INTEGER report_slot(INTEGER idnum) {
    if (idnum >= 1 && idnum <= 10) return idnum;
    if (idnum == 0) return 10;
    return 0;
}

// The name every report shows for the default scheme, which has no line in
// the scheme table: exactly the 24 characters of a scheme name.
inline constexpr std::string_view kDefaultSchemeName = "Default scheme (scheme0)";
static_assert(kDefaultSchemeName.size() == 24);

// The scheme name a report shows for a report slot (report_slot's result):
// the scheme table's name for the design slots, the default scheme's name
// for entry 10, blank for no slot.
inline FString<24> report_scheme_name(INTEGER slot) {
    if (slot >= 1 && slot <= 9) return SCHEMENAME(slot);
    if (slot == 10) return FString<24>(kDefaultSchemeName);
    return FString<24>();
}

// The run of the scheme simulated no day: row 48 holds 0, the run failed
// (the climate data were not valid, the zone balance failed ...) and its
// results were zeroed. Its reports say so at their top and its compliance
// export is refused, so that the zeros pass for no one's results.
bool nothing_was_simulated();

// "Nothing was simulated: " and why, from the run flags; no comma, so the
// text stays one field of a CSV line.
std::string nothing_simulated_heading();

// One line and its end; false when the file refused it.
inline bool put_line(std::FILE* f, std::string_view text) {
    if (!text.empty() && std::fwrite(text.data(), 1, text.size(), f) != text.size()) return false;
    return std::fputc('\n', f) != EOF;
}

// A free-form line: the text after the one blank that opens every
// free-form record.
inline std::string free_form(std::string_view text) {
    std::string s(1, ' ');
    s += text;
    return s;
}

// A free-form real: the shortest decimal text that reads back as the same
// REAL, after the opening blank.
inline std::string free_form(REAL value) {
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    return free_form(std::string_view(buf, static_cast<std::size_t>(res.ptr - buf)));
}

}  // namespace mavo::reports
