#include "front/record_files.h"

#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include <unistd.h>

#include "blocks/run_control.h"
#include "blocks/scratch_blocks.h"
#include "front/trace.h"
#include "front/units.h"
#include "support/fortran_format.h"
#include "support/text_lines.h"

namespace mavo {
namespace {

constexpr char kMagic[4] = {'V', 'O', 'R', '7'};
constexpr INTEGER kStringBufferLength = 90;
constexpr int kLineMax = 512;

enum Form : INTEGER { kUnformatted = 1, kFormatted = 2, kBinary = 3 };

// Units of the per-unit byte-order and direction records.
bool unit_in_table(INTEGER unit) { return unit >= 1 && unit <= 50; }

std::FILE* file_of(INTEGER unit) { return unit_in_table(unit) ? unit_file(unit) : nullptr; }

bool reversed(INTEGER unit) { return unit_in_table(unit) && IOORDER(unit) == 2; }

template <class T>
T byte_reversed(T value) {
    unsigned char b[sizeof(T)];
    std::memcpy(b, &value, sizeof(T));
    for (std::size_t i = 0; i < sizeof(T) / 2; ++i) std::swap(b[i], b[sizeof(T) - 1 - i]);
    std::memcpy(&value, b, sizeof(T));
    return value;
}

// Several values gathered into one unformatted record (form 1 only).
struct RecordGroup {
    bool active = false;
    std::string bytes;
    std::size_t taken = 0;
    bool rewritten_from_head = false;  // a rewound writer: the next write ends the file there
};

// What the layer knows of the file on a unit since its open.
struct UnitRecords {
    RecordGroup group;
    INTEGER read_errors = 0;   // failed reads
    INTEGER write_errors = 0;  // failed writes
    RecordLoad load = RecordLoad::Whole;
    std::string path;           // for the trace of a damaged or unsaved file
    std::FILE* file = nullptr;  // the file the layer opened on the unit, until its close
    bool rebuildable = false;   // derived data: damage is the reader's to rebuild
    bool non_finite = false;    // a real read that was no finite number
};
UnitRecords g_records[51];
// Units whose next load is of derived data (record_load_rebuildable).
bool g_rebuild_next[51] = {};

// The first write after a rewind cuts the old records off.
void cut_after_rewind(INTEGER unit, std::FILE* f) {
    if (!unit_in_table(unit) || !g_records[unit].group.rewritten_from_head) return;
    g_records[unit].group.rewritten_from_head = false;
    std::fflush(f);
    if (ftruncate(fileno(f), std::ftell(f)) != 0) DBG_PRINT("IO_REWIND ERROR");
}

void count_read_error(INTEGER unit) {
    if (unit_in_table(unit)) ++g_records[unit].read_errors;
}

// A failed write also tells the unit to keep the old file at its close.
void count_write_error(INTEGER unit) {
    if (unit_in_table(unit)) ++g_records[unit].write_errors;
    unit_write_failed(unit);
}

// A project file that exists but could not be loaded whole: the run keeps
// it as it is and saves no project file over good ones. Derived data is
// left to its reader, which rebuilds it.
void load_failed(INTEGER unit, const char* why) {
    UnitRecords& r = g_records[unit];
    r.load = RecordLoad::Damaged;
    if (r.rebuildable) {
        DBG_PRINT(r.path + " " + why);
        return;
    }
    note_damaged_load();
    DBG_ERROR(r.path + " " + why + ": it is kept as it is and no project file is saved in this run");
}

RecordGroup* group_of(INTEGER unit, INTEGER form) {
    if (form != kUnformatted || !unit_in_table(unit) || !g_records[unit].group.active) return nullptr;
    return &g_records[unit].group;
}

bool write_framed(std::FILE* f, const void* bytes, std::size_t size) {
    const INTEGER marker = static_cast<INTEGER>(size);
    return std::fwrite(&marker, 4, 1, f) == 1 && std::fwrite(bytes, 1, size, f) == size &&
           std::fwrite(&marker, 4, 1, f) == 1;
}

// One record of `size` payload bytes.
bool write_record(INTEGER unit, INTEGER form, const void* bytes, std::size_t size) {
    std::FILE* f = file_of(unit);
    if (!f) return false;
    cut_after_rewind(unit, f);
    if (form == kBinary) return std::fwrite(bytes, 1, size, f) == size;
    if (form == kUnformatted) {
        if (RecordGroup* g = group_of(unit, form)) {
            g->bytes.append(static_cast<const char*>(bytes), size);
            return true;
        }
        return write_framed(f, bytes, size);
    }
    return false;
}

// Bytes left in the file from its current position.
long bytes_left(std::FILE* f) {
    const long here = std::ftell(f);
    if (here < 0 || std::fseek(f, 0, SEEK_END) != 0) return -1;
    const long end = std::ftell(f);
    std::fseek(f, here, SEEK_SET);
    return end - here;
}

// A whole unformatted record into `out`. A length marker the file cannot
// hold (a damaged file, or one of the other byte order) is a failed read.
bool read_framed(std::FILE* f, std::string& out) {
    INTEGER lead = 0, trail = 0;
    if (std::fread(&lead, 4, 1, f) != 1 || lead < 0) return false;
    const long left = bytes_left(f);
    if (left < 0 || static_cast<long>(lead) + 4 > left) return false;
    out.resize(static_cast<std::size_t>(lead));
    if (lead > 0 && std::fread(out.data(), 1, out.size(), f) != out.size()) return false;
    return std::fread(&trail, 4, 1, f) == 1 && trail == lead;
}

// Reads one record into `size` bytes. An unformatted record may be longer
// than the value (the rest is skipped) but never shorter.
bool read_record(INTEGER unit, INTEGER form, void* bytes, std::size_t size) {
    std::FILE* f = file_of(unit);
    if (!f) return false;
    if (form == kBinary) return std::fread(bytes, 1, size, f) == size;
    if (form == kUnformatted) {
        if (RecordGroup* g = group_of(unit, form)) {
            if (g->bytes.size() - g->taken < size) return false;
            std::memcpy(bytes, g->bytes.data() + g->taken, size);
            g->taken += size;
            return true;
        }
        std::string record;
        if (!read_framed(f, record) || record.size() < size) return false;
        std::memcpy(bytes, record.data(), size);
        return true;
    }
    return false;
}

bool write_line(INTEGER unit, const std::string& text) {
    std::FILE* f = file_of(unit);
    if (!f) return false;
    cut_after_rewind(unit, f);
    // Every character of the record, NUL bytes of an empty text included.
    return std::fwrite(text.data(), 1, text.size(), f) == text.size() && std::fputc('\n', f) != EOF;
}

bool read_line(std::FILE* f, std::string& line) { return read_text_line(f, line, kLineMax); }

template <class T>
bool write_binary_value(INTEGER unit, T value) {
    return write_record(unit, WRITEMODE, &value, sizeof(T));
}

template <class T>
bool read_binary_value(INTEGER unit, T& value) {
    T v{};
    if (!read_record(unit, READMODE, &v, sizeof(T))) return false;
    if (READMODE == kBinary && reversed(unit)) v = byte_reversed(v);
    value = v;
    return true;
}

// A numeric line: the field in its first `width` columns.
bool read_formatted_int(INTEGER unit, int width, long long& value) {
    std::string line;
    if (!read_line(file_of(unit), line)) return false;
    ffmt::LineReader r(line);
    value = r.I(width);
    return r.ok();
}

}  // namespace

INTEGER record_file_magic() {
    INTEGER m;
    std::memcpy(&m, kMagic, 4);
    return m;
}

INTEGER IO_GETWORD4(INTEGER B0, INTEGER B1, INTEGER B2, INTEGER B3) {
    const std::uint32_t w = (static_cast<std::uint32_t>(B0) & 0xFFu) | ((static_cast<std::uint32_t>(B1) & 0xFFu) << 8) |
                            ((static_cast<std::uint32_t>(B2) & 0xFFu) << 16) |
                            ((static_cast<std::uint32_t>(B3) & 0xFFu) << 24);
    return static_cast<INTEGER>(w);
}

INTEGER IO_GETMSB4(INTEGER W) { return static_cast<std::int8_t>(static_cast<std::uint32_t>(W) >> 24); }

INTEGER IO_GETENDIAN() { return std::endian::native == std::endian::little ? -1 : 1; }

INTEGER IO_SWAP4(INTEGER& V) { return V = byte_reversed(V); }

INTEGER2 IO_SWAP2(INTEGER2& V) { return V = byte_reversed(V); }

void IO_WINT4(INTEGER UNIT, INTEGER IVAL) {
    const bool ok = WRITEMODE == kFormatted ? write_line(UNIT, ffmt::I(IVAL, 11))
                                            : write_binary_value(UNIT, IVAL);
    if (!ok) {
        count_write_error(UNIT);
        DBG_PRINT("IO_WINT4 ERROR");
    }
}

void IO_RINT4(INTEGER UNIT, INTEGER& IVAL) {
    bool ok;
    if (READMODE == kFormatted) {
        long long v = 0;
        ok = read_formatted_int(UNIT, 11, v) && v >= INT32_MIN && v <= INT32_MAX;
        IVAL = ok ? static_cast<INTEGER>(v) : 0;
    } else {
        ok = read_binary_value(UNIT, IVAL);
    }
    if (!ok) {
        IVAL = 0;
        count_read_error(UNIT);
        DBG_PRINT("IO_RINT4 ERROR");
    }
}

void IO_WINT2(INTEGER UNIT, INTEGER2 IVAL) {
    const bool ok = WRITEMODE == kFormatted ? write_line(UNIT, ffmt::I(IVAL, 6))
                                            : write_binary_value(UNIT, IVAL);
    if (!ok) {
        count_write_error(UNIT);
        DBG_PRINT("IO_WINT2 ERROR");
    }
}

void IO_RINT2(INTEGER UNIT, INTEGER2& IVAL) {
    bool ok;
    if (READMODE == kFormatted) {
        long long v = 0;
        ok = read_formatted_int(UNIT, 6, v) && v >= INT16_MIN && v <= INT16_MAX;
        IVAL = ok ? static_cast<INTEGER2>(v) : 0;
    } else {
        ok = read_binary_value(UNIT, IVAL);
    }
    if (!ok) {
        IVAL = 0;
        count_read_error(UNIT);
        DBG_PRINT("IO_RINT2 ERROR");
    }
}

void IO_WREAL(INTEGER UNIT, REAL RVAL) {
    // No load takes a value that is not a finite number, so a file saved
    // with one would fail every later run of the project: such a value is a
    // failed write, and the run keeps the files it had.
    if (!std::isfinite(RVAL)) {
        count_write_error(UNIT);
        DBG_ERROR("IO_WREAL: a value that is not a finite number is not saved");
        return;
    }
    const bool ok = WRITEMODE == kFormatted ? write_line(UNIT, ffmt::E(RVAL, 14, 7))
                                            : write_binary_value(UNIT, RVAL);
    if (!ok) {
        count_write_error(UNIT);
        DBG_PRINT("IO_WREAL ERROR");
    }
}

namespace {

// One real's record, in the run's form; false on a failed read.
bool read_real_record(INTEGER UNIT, REAL& RVAL) {
    if (READMODE != kFormatted) return read_binary_value(UNIT, RVAL);
    std::string line;
    if (!read_line(file_of(UNIT), line)) return false;
    ffmt::LineReader r(line);
    RVAL = r.F(14, 7);
    return r.ok();
}

void real_read_failed(INTEGER UNIT, REAL& RVAL) {
    RVAL = 0.0f;
    count_read_error(UNIT);
    DBG_PRINT("IO_RREAL ERROR");
}

}  // namespace

void IO_RREAL(INTEGER UNIT, REAL& RVAL) {
    bool ok = read_real_record(UNIT, RVAL);
    // Not a number, or beyond the range of one: no value a file of this
    // kernel holds, and one that would reach every sum and report.
    if (ok && !std::isfinite(RVAL)) {
        ok = false;
        if (unit_in_table(UNIT)) g_records[UNIT].non_finite = true;
    }
    if (!ok) real_read_failed(UNIT, RVAL);
}

void skip_real(INTEGER UNIT) {
    REAL discarded = 0.0f;
    if (!read_real_record(UNIT, discarded)) real_read_failed(UNIT, discarded);
}

void IO_WLOGICAL(INTEGER UNIT, LOGICAL LVAL) {
    // Stored as 1 when any bit is set, so a file never depends on how the
    // writing machine marks true.
    const bool value = LVAL.bits != 0;
    const bool ok = WRITEMODE == kFormatted ? write_line(UNIT, ffmt::L(value, 1))
                                            : write_binary_value(UNIT, static_cast<std::uint8_t>(value ? 1 : 0));
    if (!ok) {
        count_write_error(UNIT);
        DBG_PRINT("IO_WLOGICAL ERROR");
    }
}

void IO_RLOGICAL(INTEGER UNIT, LOGICAL& LVAL) {
    bool ok;
    bool value = false;
    if (READMODE == kFormatted) {
        std::string line;
        ok = read_line(file_of(UNIT), line);
        if (ok) {
            ffmt::LineReader r(line);
            value = r.L(1);
            ok = r.ok();
        }
    } else {
        std::uint8_t byte = 0;
        ok = read_binary_value(UNIT, byte);
        value = byte != 0;  // any non-zero byte is true
    }
    LVAL = ok && value;
    if (!ok) {
        count_read_error(UNIT);
        DBG_PRINT("IO_RLOGICAL ERROR");
    }
}

void IO_WSTRING(INTEGER UNIT, std::string_view STR, INTEGER N) {
    IOBUF.WRITEBUF = STR;
    if (N < 1) return;
    if (N > kStringBufferLength) {
        DBG_PRINT("IO_WSTRING: string cut to 90 characters");
        N = kStringBufferLength;
    }
    if (WRITEMODE == kFormatted) {
        if (!write_line(UNIT, std::string(IOBUF.WRITEBUF.c, static_cast<std::size_t>(N)))) {
            count_write_error(UNIT);
            DBG_PRINT("IO_WSTRING ERROR");
        }
        return;
    }
    if (WRITEMODE != kUnformatted && WRITEMODE != kBinary) return;
    for (INTEGER i = 0; i < N; ++i) {
        if (!write_record(UNIT, WRITEMODE, &IOBUF.WRITEBUF.c[i], 1)) {
            count_write_error(UNIT);
            DBG_PRINT("IO_WSTRING ERROR");
            return;
        }
    }
}

void IO_RSTRING(INTEGER UNIT, char* STR, std::size_t STR_LEN, INTEGER N) {
    auto deliver = [&] {
        for (std::size_t i = 0; i < STR_LEN; ++i) STR[i] = i < IOBUF.READBUF.size() ? IOBUF.READBUF.c[i] : ' ';
    };
    if (N < 1) {
        deliver();
        return;
    }
    if (N > kStringBufferLength) {
        DBG_PRINT("IO_RSTRING: string cut to 90 characters");
        N = kStringBufferLength;
    }
    std::FILE* f = file_of(UNIT);
    bool ok = true;
    if (READMODE == kFormatted) {
        std::string line;
        ok = read_line(f, line);
        // A short line reads as padded with blanks.
        for (INTEGER i = 0; ok && i < N; ++i)
            IOBUF.READBUF.c[i] = static_cast<std::size_t>(i) < line.size() ? line[static_cast<std::size_t>(i)] : ' ';
    } else if (READMODE == kUnformatted || READMODE == kBinary) {
        for (INTEGER i = 0; ok && i < N; ++i) ok = read_record(UNIT, READMODE, &IOBUF.READBUF.c[i], 1);
    } else {
        ok = false;
    }
    if (!ok) {
        for (std::size_t i = 0; i < STR_LEN; ++i) STR[i] = ' ';
        count_read_error(UNIT);
        DBG_PRINT("IO_RSTRING ERROR");
        return;
    }
    deliver();
}

void IO_OPEN(INTEGER UNIT, INTEGER MODE, INTEGER& ID1, INTEGER& ID2, std::string_view NAME, INTEGER& IERR) {
    DBG_IN("IO_OPEN");
    const std::string path(trim_right(NAME.substr(0, std::min<std::size_t>(NAME.size(), 255))));
    IERR = 0;
    const bool reading = MODE == 1;
    const INTEGER form = reading ? READMODE : WRITEMODE;
    std::FILE* f = nullptr;
    int open_errno = 0;
    // A unit outside the table, or a form the layer does not know, cannot
    // hold a record file.
    const bool usable = unit_in_table(UNIT) && form >= kUnformatted && form <= kBinary && !path.empty();
    const bool rebuildable = unit_in_table(UNIT) && std::exchange(g_rebuild_next[UNIT], false);
    if (usable) {
        g_records[UNIT] = UnitRecords{};
        g_records[UNIT].path = path;
        g_records[UNIT].rebuildable = rebuildable;
        errno = 0;
        // A file is written beside the old one and put in its place only
        // when the whole of it has been written.
        f = reading ? unit_open(UNIT, path.c_str(), "rb") : unit_open_replacing(UNIT, path.c_str(), "wb");
        open_errno = errno;
    } else if (!reading) {
        note_failed_write();
    }
    bool empty = false;
    if (f && reading && bytes_left(f) == 0) {
        // An empty file is what an interrupted copy leaves, not a new
        // project: there is nothing in it to load.
        unit_close(UNIT);
        f = nullptr;
        empty = true;
    }
    if (!f) {
        IERR = 1;
        DBG_PRINT("IO_OPEN ERROR");
        if (usable && reading) {
            const bool missing = open_errno == ENOENT || open_errno == ENOTDIR;
            if (empty) load_failed(UNIT, "is empty");
            else if (missing) g_records[UNIT].load = RecordLoad::Missing;
            else load_failed(UNIT, "cannot be read");
        }
        DBG_OUT("IO_OPEN");
        return;
    }
    IOORDER(UNIT) = 1;
    IODIR(UNIT) = reading ? 1 : 2;
    g_records[UNIT].file = f;
    if (form == kUnformatted) {
        DBG_OUT("IO_OPEN");
        return;
    }
    if (reading) {
        INTEGER magic = 0;
        IO_RINT4(UNIT, magic);
        if (magic != record_file_magic()) {
            if (magic == byte_reversed(record_file_magic())) {
                IOORDER(UNIT) = 2;
            } else {
                // Not a record file of this kernel: it opens as failed and is
                // closed, so every reader goes on as for a missing one; but
                // it is no file of ours to write over.
                IERR = 1;
                DBG_PRINT("IO_OPEN ERROR");
                unit_close(UNIT);
                g_records[UNIT].file = nullptr;
                load_failed(UNIT, "is not a record file");
                DBG_OUT("IO_OPEN");
                return;
            }
        }
        IO_RINT4(UNIT, ID1);
        IO_RINT4(UNIT, ID2);
    } else {
        IO_WINT4(UNIT, record_file_magic());
        IO_WINT4(UNIT, ID1);
        IO_WINT4(UNIT, ID2);
    }
    DBG_OUT("IO_OPEN");
}

void IO_CLOSE(INTEGER UNIT, INTEGER& IERR) {
    IERR = 0;
    std::FILE* f = unit_file(UNIT);
    if (!f) return;  // closing a unit that holds no file is no error
    // A text file some writer opened on the unit itself: only its close.
    if (!unit_in_table(UNIT) || g_records[UNIT].file != f) {
        if (!unit_close(UNIT)) {
            IERR = 1;
            DBG_PRINT("IO_CLOSE ERROR");
        }
        return;
    }
    UnitRecords& r = g_records[UNIT];
    r.file = nullptr;
    const bool writing = IODIR(UNIT) == 2;
    if (!writing) {
        if (!unit_close(UNIT)) {
            IERR = 1;
            DBG_PRINT("IO_CLOSE ERROR");
        }
        // A load that could not take every value it asked for.
        if (r.read_errors > 0)
            load_failed(UNIT, r.non_finite ? "holds a value that is not a finite number" : "is short or damaged");
        return;
    }
    // Values gathered for one record still reach the file.
    if (r.group.active && !record_group_end(UNIT)) {
        count_write_error(UNIT);
        DBG_PRINT("IO_WINT4 ERROR");
    }
    const bool kept_back = project_files_frozen();
    if (unit_close(UNIT)) return;
    IERR = 1;
    if (kept_back) {
        DBG_PRINT("IO_CLOSE: " + r.path + " not saved: a project file of this run could not be loaded");
    } else {
        DBG_PRINT("IO_CLOSE ERROR");
        DBG_ERROR("IO_CLOSE: " + r.path + " could not be written whole; the old file is kept");
    }
}

INTEGER record_read_errors(INTEGER UNIT) { return unit_in_table(UNIT) ? g_records[UNIT].read_errors : 0; }

INTEGER record_write_errors(INTEGER UNIT) { return unit_in_table(UNIT) ? g_records[UNIT].write_errors : 0; }

RecordLoad record_load(INTEGER UNIT) { return unit_in_table(UNIT) ? g_records[UNIT].load : RecordLoad::Missing; }

void record_load_rebuildable(INTEGER UNIT) {
    if (unit_in_table(UNIT)) g_rebuild_next[UNIT] = true;
}

bool record_group_begin(INTEGER UNIT, bool reading) {
    if (!unit_in_table(UNIT)) return false;
    RecordGroup& g = g_records[UNIT].group;
    g = RecordGroup{};
    if ((reading ? READMODE : WRITEMODE) != kUnformatted) return true;
    g.active = true;
    if (!reading) return true;
    // A record that cannot be read leaves the group empty: every value
    // taken from it then fails and reads as zero.
    std::FILE* f = file_of(UNIT);
    if (f && read_framed(f, g.bytes)) return true;
    g.bytes.clear();
    return false;
}

bool record_group_end(INTEGER UNIT) {
    if (!unit_in_table(UNIT)) return false;
    RecordGroup& g = g_records[UNIT].group;
    if (!g.active) return true;
    const bool writing = IODIR(UNIT) == 2;
    bool ok = true;
    if (writing) {
        std::FILE* f = file_of(UNIT);
        ok = f && write_framed(f, g.bytes.data(), g.bytes.size());
    }
    g.active = false;
    g.bytes.clear();
    g.taken = 0;
    return ok;
}

void IO_REWIND(INTEGER UNIT, INTEGER& IERR) {
    IERR = 0;
    std::FILE* f = file_of(UNIT);
    if (!f) return;
    std::rewind(f);
    // A file open for writing keeps its records until something is written
    // again: that starts the file anew from its head.
    if (IODIR(UNIT) == 2 && unit_in_table(UNIT)) g_records[UNIT].group.rewritten_from_head = true;
    if (IODIR(UNIT) == 1 && (READMODE == kFormatted || READMODE == kBinary)) {
        INTEGER skip = 0;
        FString<4> word;
        IO_RINT4(UNIT, skip);
        IO_RSTRING(UNIT, word, 4);
        IO_RINT4(UNIT, skip);
    }
}

}  // namespace mavo
