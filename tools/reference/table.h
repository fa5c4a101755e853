// The table of reference results: its text form, and the comparison of a
// run's figures with it.
//
// One figure a line, after a header of comment lines (# ...) that the
// writer keeps:
//   <recorded run> row <n> <value>
//   <recorded run> series <column>/<month> <step> <24 values>
// Rows 1 to 80 of the scheme's summary column, every value as the float
// the kernel left (nine significant digits give it back exactly).
#pragma once

#include <string>
#include <vector>

#include "reference/references.h"

namespace mavo::reference {

// A summary figure matches its table value within a few parts in a million
// of the larger of the two, or within the absolute floor near zero: the
// year's sums are single-precision sums of thousands of hours, which a
// reordering of the same arithmetic moves in their last digits, while a
// change of the physics moves them far more. An hourly series of the CSV
// report matches within the report's last printed digit.
inline constexpr double kRelativeTolerance = 5e-6;
inline constexpr double kAbsoluteTolerance = 1e-4;

struct Table {
    std::string header;  // the comment lines, each with its line end
    Results results;
};

Table read_table(const fs::path& file);
std::string table_text(const Table& t);

// Every figure of `run` that its table figure does not match, or that the
// table lacks, one line each.
std::vector<std::string> differences(const Table& table, const Results& run);

}  // namespace mavo::reference
