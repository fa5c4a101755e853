#include "front/trace.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <string>

#include "blocks/run_control.h"
#include "front/fatal.h"
#include "front/paths.h"
#include "front/units.h"
#include "support/fortran_format.h"

namespace mavo {
namespace {

constexpr std::size_t kTraceTextMax = 255;  // a line never holds more text

// Opens the trace file of the current scheme digit for appending (or from
// its start), on the trace unit. Null on failure, errno kept for the report.
std::FILE* open_trace(bool truncate) {
    DIR_DBGPATH(2, "v7trace");
    const std::string path(DBGPATH.trimmed());
    errno = 0;
    return unit_open(BLK0B.DISKTRACE, path.c_str(), truncate ? "w" : "a");
}

void close_trace() { unit_close(BLK0B.DISKTRACE); }

void write_indent(std::FILE* f) {
    for (INTEGER i = 0; i < INDENT; ++i) std::fputs("  ", f);
}

// The four standard-output lines that stand in for a line the trace file
// could not take.
void report_open_failure(std::string_view who, std::string_view text, int status) {
    std::printf("%.*s: STRING: %.*s\n", int(who.size()), who.data(), int(trim_right(text).size()), text.data());
    std::printf("%.*s: C_SCHEME: %s\n", int(who.size()), who.data(), ffmt::I(2, 6).c_str());
    std::printf("%.*s: OPEN FAILED: PATH: '%.*s'\n", int(who.size()), who.data(), int(DBGPATH.len_trim()),
                DBGPATH.c);
    std::printf("%.*s: IOSTAT: %s\n", int(who.size()), who.data(), ffmt::I(status, 6).c_str());
    std::fflush(stdout);
}

// Opens the trace file for a whole-record writer; on failure the record goes
// to standard output under the writer's name.
std::FILE* open_or_report(std::string_view who, std::string_view text) {
    std::FILE* f = open_trace(false);
    if (!f) report_open_failure(who, text, errno);
    return f;
}

// Writes one formatted line: the text cut to 255 characters and stripped of
// trailing blanks, indented two blanks per depth, closed by one blank.
void write_line(std::string_view text) {
    BLK92.DBGLINE = text;
    std::FILE* f = open_or_report("DBG_TRACE", BLK92.DBGLINE.view());
    if (!f) return;
    const std::string_view cut = text.substr(0, std::min(text.size(), kTraceTextMax));
    BLK130A.DBGTEXT = cut;
    const std::string_view body = trim_right(cut);
    write_indent(f);
    // A failed write abandons the rest of the line.
    if (std::fwrite(body.data(), 1, body.size(), f) == body.size()) std::fputs(" \n", f);
    close_trace();
}

std::string padded(std::string_view text, std::size_t width) {
    std::string s(text.substr(0, std::min(text.size(), width)));
    s.resize(width, ' ');
    return s;
}

bool trace_on() { return NFLAG(90); }


}  // namespace

void DBG_PRINT(std::string_view TEXT) {
    BLK130A.DBGTEXT = TEXT;
    if (!trace_on()) return;
    write_line(std::string(" < DBG : ") + std::string(TEXT));
}

void DBG_ERROR(std::string_view TEXT) {
    BLK130A.DBGTEXT = TEXT;
    if (!trace_on()) return;
    write_line(std::string(" < DBG ERROR : ") + std::string(TEXT));
}

void DBG_IN(std::string_view NAME) {
    if (!trace_on()) return;
    INDENT = INDENT + 1;  // the entry line stands at the new depth
    write_line(std::string(" < DBG IN  : ") + std::string(NAME));
}

void DBG_OUT(std::string_view NAME) {
    if (!trace_on()) return;
    if (INDENT < 0) INDENT = 0;
    write_line(std::string(" < DBG OUT : ") + std::string(NAME));
    // An exit without its entry must not push the depth below zero.
    INDENT = INDENT > 0 ? INDENT - 1 : 0;
}

void DBG_INT(std::string_view LABEL, INTEGER IVAL) {
    if (!trace_on()) return;
    write_line(ffmt::LineWriter().A(" < ").I(IVAL, 12).A(" = ").A(LABEL).take());
}

void DBG_INT4(std::string_view LABEL, INTEGER IVAL) {
    if (!trace_on()) return;
    write_line(ffmt::LineWriter().A(" < ").I(IVAL, 8).A(" = ").A(LABEL).take());
}

void DBG_FLOAT(std::string_view LABEL, REAL RVAL) {
    if (!trace_on()) return;
    write_line(ffmt::LineWriter().A(" < ").F(RVAL, 40, 25).A(" = ").A(LABEL).take());
}

void DBG_DOUBLE(std::string_view LABEL, REAL8 DVAL) {
    if (!trace_on()) return;
    write_line(ffmt::LineWriter().A(" < ").D(DVAL, 35, 25).A(" = ").A(LABEL).take());
}

void DBG_LOGICAL(std::string_view LABEL, LOGICAL LVAL) {
    if (!trace_on()) return;
    // Only a byte with all bits set prints as true; a stray 1 shows as false.
    write_line(std::string(" < ") + (LVAL.all_bits_set() ? ".TRUE. " : ".FALSE.") + " = " + std::string(LABEL));
}

void OFF_DBG_STRING(std::string_view LABEL, std::string_view TEXT) {
    if (!trace_on()) return;
    write_line(" < " + padded(LABEL, 255) + " : " + std::string(TEXT));
}

void DBG_TRACE(std::string_view TEXT) {
    if (!trace_on()) return;
    write_line(TEXT);
}

void DATTIM(INTEGER& IYR, INTEGER& IMON, INTEGER& IDAY, INTEGER& IHR, INTEGER& IMIN) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    IYR = (local.tm_year + 1900) % 100;
    IMON = local.tm_mon + 1;
    IDAY = local.tm_mday;
    IHR = local.tm_hour;
    IMIN = local.tm_min;
}

void DBG_DATE(std::string_view LABEL) {
    if (!trace_on()) return;
    INTEGER yr, mon, day, hr, mn;
    DATTIM(yr, mon, day, hr, mn);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%02d/%02d/%02d %2d:%02d ", int(mon), int(day), int(yr), int(hr), int(mn));
    std::FILE* f = open_or_report("DBG_DATE", LABEL);
    if (!f) return;
    BLK130A.DBGTEXT = LABEL;
    // The label is written padded, as the dated line is one whole record.
    const std::string line = std::string(" < DATE : ") + stamp + padded(LABEL, 255);
    write_indent(f);
    std::fputs(line.c_str(), f);
    std::fputc('\n', f);
    close_trace();
}

void DBG_NFLAG(std::string_view TEXT) {
    if (!trace_on()) return;
    std::FILE* f = open_or_report("DBG_NFLAG", TEXT);
    if (!f) return;
    BLK130A.DBGTEXT = TEXT;
    write_indent(f);
    bool ok = std::fprintf(f, " < NFLAGS : %s\n", padded(TEXT, 255).c_str()) >= 0;
    for (int g = 1; ok && g <= 9; ++g) {
        std::string row = "    " + ffmt::I(10 * g - 9, 2) + " : ";
        for (int i = 10 * g - 9; i <= 10 * g; ++i) {
            row.push_back(NFLAG(i) ? 'T' : 'F');
            if (i == 10 * g - 5) row.push_back(' ');
        }
        write_indent(f);
        ok = std::fprintf(f, "%s\n", row.c_str()) >= 0;
    }
    close_trace();
}

void DBG_RESET() {
    if (!trace_on()) return;
    std::FILE* f = open_trace(true);
    if (!f) {
        const int status = errno;
        std::printf("DBG_RESET: OPEN FAILED: PATH: '%.*s'\n", int(DBGPATH.len_trim()), DBGPATH.c);
        std::printf("DBG_RESET: IOSTAT: %s\n", ffmt::I(status, 6).c_str());
        std::fflush(stdout);
        return;
    }
    std::fputs(" -=- \n\n", f);
    close_trace();
}

// The host's standard output is not the kernel's: the message stays in the
// trace, and the stop reaches the host as the run's return code.
void DBG_CRASH(std::string_view MSG) {
    DBG_TRACE("!!!! FATAL CRASH !!!!");
    DBG_TRACE(MSG);
    throw FatalStop{};
}

void DBG_DOINDENT() {
    if (std::FILE* f = unit_file(BLK0B.DISKTRACE)) write_indent(f);
}

void DBG_TIMERON(std::string_view TEXT) { BLK130A.DBGTEXT = TEXT; }

void DBG_TIMEROFF() { BLK130A.DBGTEXT.assign_from(BLK0A.NO); }

void DBG_FILE(std::string_view) {}
void DBG_SET() {}
void DBG_SET_TRACE() {}

}  // namespace mavo
