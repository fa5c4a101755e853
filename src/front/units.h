// File units: the fixed unit numbers of the unit table stand for open
// files. A unit holds at most one open file; opening a unit that is still
// open closes the old file first.
//
// A unit opened to replace a file writes a temporary file beside it; the
// close puts the new file in place only when every write and the close
// itself succeeded, so a failed save always leaves the old file whole.
//
// The units also keep the run's account of its files: a project file that
// exists but could not be loaded whole (damaged), a save that did not land,
// a report that could not be written. Any of these makes the run a failed
// one, and a damaged load freezes the project's files for the rest of the
// run: a model read wrongly must not be saved over good files, and the
// damaged file stays as it is for the user to recover.
#pragma once
#include <cstdio>

namespace mavo {

constexpr int kLastUnit = 99;  // the photovoltaic tables use unit 99 directly
// The developer dumps of the photovoltaic and solar-water models share the
// tables' unit; they are diagnostics, so a dump that cannot be written is
// traced by its writer and does not fail the run.
constexpr int kDeveloperDumpUnit = 99;

// A file opened to write or append that cannot be opened, written or
// closed counts as a failed write of the run (the trace log and the
// developer dumps excepted).
std::FILE* unit_open(int unit, const char* path, const char* mode);
// Opens a new version of `path` for writing (mode "w" or "wb"). Project
// data is kept back from its place when the run's project files are
// frozen; a listing derived from memory is not. Null when the temporary
// file cannot be made.
std::FILE* unit_open_replacing(int unit, const char* path, const char* mode, bool project_data = true);
std::FILE* unit_file(int unit);
// A write on the unit failed: the close keeps the old file.
void unit_write_failed(int unit);
// Closes the unit; false when the close failed, the unit was not open, or a
// replacing unit's file was not put in place (the old file is kept).
bool unit_close(int unit);
// Closes every unit still open (end of a run, fatal stop); a file not yet
// put in place is discarded. Ends the run's file account.
void unit_close_all();

// ---- the run's account of its files ----------------------------------------

// Starts a run's account: no failure, nothing frozen.
void begin_file_account();
// A project file exists but could not be loaded whole.
void note_damaged_load();
// A file of the run could not be written or put in place.
void note_failed_write();
// Project data is no longer saved in this run.
bool project_files_frozen();
// Damaged loads and failed writes of the run so far.
int file_failures_of_run();

}  // namespace mavo
