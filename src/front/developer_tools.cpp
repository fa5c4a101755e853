#include "front/developer_tools.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "blocks/blocks.h"
#include "front/paths.h"
#include "front/trace.h"
#include "front/units.h"
#include "support/fortran_format.h"
#include "support/text_lines.h"

namespace mavo {
namespace {

constexpr INTEGER kUtilityDirectory = 1;
constexpr INTEGER kProjectDirectory = 2;
constexpr INTEGER kHelpPairsMax = 400;
constexpr INTEGER kHelpHeaderLines = 6;

// Help table ------------------------------------------------------------------

// One integer in columns 1 to 8 of the next line; false at the end of the
// file, on a field that is no number, or on one a two-byte word cannot hold.
bool read_help_value(std::FILE* f, INTEGER2& value) {
    std::string line;
    if (!read_text_line(f, line)) return false;
    ffmt::LineReader r(line);
    const long long v = r.I(8);
    if (!r.ok() || v < -32768 || v > 32767) return false;
    value = static_cast<INTEGER2>(v);
    return true;
}

// The header, the count and the pairs; false at the first failed read.
bool read_help_table(std::FILE* f) {
    std::string line;
    for (INTEGER i = 1; i <= kHelpHeaderLines; ++i)
        if (!read_text_line(f, line, 10)) return false;
    INTEGER2 count = 0;
    if (!read_help_value(f, count)) return false;
    NHELP = count;
    if (NHELP > kHelpPairsMax) {
        NHELP = 1;
        return true;
    }
    for (INTEGER i = 1; i <= NHELP; ++i) {
        if (!read_help_value(f, HELPFIRST(i)) || !read_help_value(f, HELPSECOND(i))) {
            // A short file: count only the pairs it holds in full.
            NHELP = static_cast<INTEGER2>(i - 1);
            return false;
        }
    }
    return true;
}

// Path-block dump -------------------------------------------------------------

// One list-directed record: an opening blank, texts as they are, integers
// in the 12 columns the list-directed form gives a four-byte integer.
class ListLine {
public:
    ListLine& operator<<(std::string_view text) {
        s_ += text;
        return *this;
    }
    ListLine& operator<<(INTEGER value) {
        s_ += ffmt::I(value, 12);
        return *this;
    }
    ~ListLine() { std::printf("%s\n", s_.c_str()); }

private:
    std::string s_ = " ";
};

template <std::size_t N>
void print_named(std::string_view label, const FString<N>& text) {
    if (!text.is_blank()) ListLine() << label << text.trimmed() << "'";
}

template <std::size_t N>
void print_indexed(std::string_view name, INTEGER i, const FString<N>& text) {
    if (!text.is_blank()) ListLine() << " " << name << "(" << i << "): '" << text.trimmed() << "'";
}

// Generated code table ----------------------------------------------------------

std::string value_line(INTEGER zone, INTEGER first, INTEGER count) {
    ffmt::LineWriter w;
    w.X(4);
    for (INTEGER i = first; i < first + count; ++i) {
        w.F(CECNR(i, zone), 7, 3);
        if (count == 10 || i < first + count - 1) w.A(", ");
    }
    return w.take();
}

bool write_blockd(std::FILE* f) {
    auto put = [f](const std::string& line) { return std::fprintf(f, "%s\n", line.c_str()) >= 0; };
    const std::string date(BLK0D.BUILDDATE.view());
    const std::string time(BLK0D.BUILDTIME.view());
    if (!put("public class BlockD") || !put("{") ||
        !put("  public static final String m_release_date=\"" + date + "\";") ||
        !put("  public static final String m_release_time=\"" + time + "\";") ||
        !put("  public static final double m_CECnr[][] = ") || !put("  {"))
        return false;
    for (INTEGER z = 1; z <= 16; ++z) {
        if (!put("    { // CECZone = " + ffmt::I(z, 2))) return false;
        for (INTEGER first = 1; first <= 51; first += 10)
            if (!put(value_line(z, first, 10))) return false;
        if (!put(value_line(z, 61, 2)) || !put("    },")) return false;
    }
    return put("  }; // END CECnr[][]") && put("}; // END BlockD");
}

}  // namespace

void FINDHELP() {
    DBG_IN("FINDHELP");
    NHELP = 1;
    DIR_BUILDPATH(kUtilityDirectory, "v7help.tbl");
    const std::string path = built_path();
    // Read only: a missing table is reported, not created empty.
    std::FILE* f = unit_open(BLK0B.DISKPROJ, path.c_str(), "r");
    if (!f) {
        DBG_TRACE("FINDHELP:E1101");
        DBG_OUT("FINDHELP");
        return;
    }
    if (!read_help_table(f)) DBG_TRACE("FINDHELP:E1101");
    unit_close(BLK0B.DISKPROJ);
    DBG_OUT("FINDHELP");
}

void DUMBBLK110X(INTEGER N) {
    ListLine() << "DUMBBLK110X: " << N;
    ListLine() << "BLK110A: ";
    ListLine() << " CFGLEVEL: " << INTEGER{0};
    ListLine() << "BLK110B: ";
    for (INTEGER i = 1; i <= 9; ++i) print_indexed("DIRPATHS", i, DIRPATHS(i));
    print_named(" PATHTOFILE: '", PATHTOFILE);
    for (INTEGER i = 1; i <= 3; ++i) print_indexed("PROJECTS", i, BLK110B.PROJECTS(i));
    print_named(" DBGPATH: '", DBGPATH);
    print_named(" FILENM_AADISK: '", BLK110B.FILENM_AADISK);
    ListLine() << "BLK110C: ";
    for (INTEGER i = 1; i <= 60; ++i) print_indexed("FILENAMES", i, BLK110C.FILENAMES(i));
    ListLine() << "BLK110D: ";
    ListLine() << " SLASH: '" << SLASH.view() << "'";
    std::fflush(stdout);
}

void SYSTEMIF(std::string_view CMD) {
    DBG_IN("SYSTEMIF");
    const std::string command(trim_right(CMD));
    DBG_PRINT(command);
    const int status = std::system(command.c_str());
    // The shell's exit code when it ended normally; the raw status otherwise
    // (-1 when no shell could be started).
    const INTEGER IRESULT = (status != -1 && WIFEXITED(status)) ? WEXITSTATUS(status) : status;
    DBG_INT("IRESULT", IRESULT);
    DBG_OUT("SYSTEMIF");
}

void KEEPBLKD() {
    DBG_IN("KEEPBLKD");
    DIR_BUILDPATH(kProjectDirectory, "BlockD.java");
    const std::string path = built_path();
    std::FILE* f = unit_open(BLK0B.DISKJAVA, path.c_str(), "w");
    if (!f) {
        DBG_PRINT("ERROR: Could not open blockd.java");
        DBG_OUT("KEEPBLKD");
        return;
    }
    // A refused line ends the file there; the closing lines are then missing.
    if (!write_blockd(f)) DBG_ERROR("KEEPBLKD: writing BlockD.java failed");
    unit_close(BLK0B.DISKJAVA);
    DBG_OUT("KEEPBLKD");
}

// Entry points kept without work; nothing calls them.
void FIND3() {}
void MOVREP() {}
void BLKFIXER() {}
void BTYPE() {}
void BDATA2() {}

}  // namespace mavo
