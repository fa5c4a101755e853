// File units: the fixed unit numbers of the unit table stand for open
// files. A unit holds at most one open file; opening a unit that is still
// open closes the old file first.
#pragma once
#include <cstdio>

namespace mavo {

constexpr int kLastUnit = 99;  // the photovoltaic tables use unit 99 directly

std::FILE* unit_open(int unit, const char* path, const char* mode);
std::FILE* unit_file(int unit);
// Closes the unit; false when the close failed or the unit was not open.
bool unit_close(int unit);
// Closes every unit still open (end of a run, fatal stop).
void unit_close_all();

}  // namespace mavo
