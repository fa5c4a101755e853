// The count of climate-zone table cells read (instrumented builds only).
#include "support/table_reads.h"

#ifdef MAVO_TABLE_READS
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <tuple>

namespace mavo::table_reads {
namespace {

using Cell = std::tuple<std::string, long, long>;

// The cells read and those already written out, kept for the process: a
// measurement build's own state, never part of a run's blocks.
struct Reads {
    std::set<Cell> read, written;
};
Reads& reads() {
    static Reads r;
    return r;
}

}  // namespace

void note(const char* table, long row, long zone) { reads().read.emplace(table, row, zone); }

void flush() {
    const char* file = std::getenv("MAVO_TABLE_READS_FILE");
    if (!file || !*file) return;
    std::string lines;
    for (const Cell& c : reads().read)
        if (reads().written.insert(c).second)
            lines += std::get<0>(c) + " " + std::to_string(std::get<1>(c)) + " " + std::to_string(std::get<2>(c)) + "\n";
    if (lines.empty()) return;
    if (std::FILE* f = std::fopen(file, "a")) {
        std::fwrite(lines.data(), 1, lines.size(), f);
        std::fclose(f);
    }
}

}  // namespace mavo::table_reads
#endif
