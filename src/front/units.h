// File units: the fixed unit numbers of the unit table stand for open
// files. A unit holds at most one open file; opening a unit that is still
// open closes the old file first.
//
// A unit opened to replace a file writes a temporary file beside it (in
// the directory of the file it replaces, never elsewhere). Outside a run
// the close puts the new file in place at once, when every write and the
// close itself succeeded. Inside a run the project files and reports of
// the run are put in place together: each close only keeps its written
// temporary, the run's commit renames them all when every file of the run
// was loaded and written whole, and removes them all otherwise. Until
// then a reader of such a file reads the run's own new version. So a full
// disk, a damaged load or a stopped run leaves the project as it was.
//
// Temporaries are named ".<file>.mavotmp-<process>-<6 characters>"; one a
// killed process left behind is removed at the next save into its
// directory, unless its project file is missing (it may be that file's
// only copy). Before its first rename the commit writes its journal
// (".mavojournal" in the files' directory); a run killed between two
// renames is finished from it at the start of the next call. A rename
// the system refuses in the middle of the commit (an immutable file,
// another user's file in a shared directory) puts every file back.
//
// Nothing is ever written through a symbolic link: a link in the place of
// a file a run writes is replaced by the run's own regular file, and the
// file it points at stays as it was. Reading follows links as ever, but
// reads regular files only: a pipe or a device in a file's place is a
// file that cannot be read.
//
// The units also keep the run's account of its files: a project file that
// exists but could not be loaded whole (damaged), a save that did not land,
// a report that could not be written. Any of these makes the run a failed
// one, and a damaged load freezes the project's files for the rest of the
// run: a model read wrongly must not be saved over good files, and the
// damaged file stays as it is for the user to recover.
#pragma once
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace mavo {

// The journal of a commit, in the directory of the files it renames.
constexpr std::string_view kCommitJournalName = ".mavojournal";

constexpr int kLastUnit = 99;  // the photovoltaic tables use unit 99 directly
// The developer dumps of the photovoltaic and solar-water models share the
// tables' unit; they are diagnostics, so a dump that cannot be written is
// traced by its writer and does not fail the run.
constexpr int kDeveloperDumpUnit = 99;

// A file opened to write or append that cannot be opened, written or
// closed counts as a failed write of the run (the trace log and the
// developer dumps excepted). Inside a run, a file the run has replaced is
// read (or appended to) in its new version, and a project file or report
// the run has not started anew is not written into. A file written where
// it is (the trace, a dump) is a plain file of its own: a symbolic link or
// a second name in its place is replaced by a new file first.
std::FILE* unit_open(int unit, const char* path, const char* mode);
// Opens a new version of `path` for writing (mode "w" or "wb"). Project
// data is kept back from its place when the run's project files are
// frozen; a report or listing derived from memory is not. Null, and a
// failed write of the run, when the temporary file cannot be made (an
// empty path never makes one): nothing is then written in place, save
// into a device that stands in the file's place.
std::FILE* unit_open_replacing(int unit, const char* path, const char* mode, bool project_data = true);
// Creates `path` empty when it does not exist (inside a run, as a file of
// the run). False when it could not be made.
bool unit_create_empty(const char* path);
// Removes `path`, a report this run makes stale, with the run's files:
// inside a run at the commit, so that a failed run leaves it where it is;
// outside a run at once. A file that cannot be removed counts as a failed
// write of the run.
enum class Removal { no_file, removed, refused };
Removal unit_remove_with_run(const char* path);
std::FILE* unit_file(int unit);
// A write on the unit failed: the close keeps the old file.
void unit_write_failed(int unit);
// Closes the unit; false when the close failed, the unit was not open, or a
// replacing unit's file was not written whole (the old file is kept).
bool unit_close(int unit);
// Closes every unit still open (end of a run, fatal stop); a file not yet
// put in place is discarded, and so is every file a run kept for its
// commit. Ends the run's file account.
void unit_close_all();

// ---- the run's files and their account ---------------------------------------

// Starts a run: from here on replaced files wait for the run's commit. Also
// starts the run's account.
void begin_run_files();
// Ends a run's files: when the run had no failure, the journal of the
// commit is written, every file it writes goes in place (new names first,
// then each old file moved aside before its new one takes its place, then
// the files it removes moved aside), the journal goes, and the old files
// are deleted once the project is released (remove_replaced_files);
// otherwise none goes in place and all are removed. A rename the system
// refuses puts every file back as it was; only when even that fails, or
// the journal cannot be removed after it, are the files left as they are,
// with the journal, for the next call to finish first (left_to_journal). A run
// whose lock file is no longer the one it locked (removed, replaced or
// moved during the run, so another run may have had the project meanwhile)
// puts nothing in place (lock_lost).
enum class CommitResult { in_place, nothing_kept, left_to_journal, lock_lost };
CommitResult commit_run_files();
// Deletes the old files a commit moved aside (after the project's release:
// no other run needs them, and a killed process's are swept by the next).
void remove_replaced_files();
// Finishes a commit that a run stopped in the middle of, from the journal
// in `directory`: the renames not yet done are done, the old files go and
// the journal goes. A journal step is carried out only where it is one
// this kernel makes: its temporaries' renames onto the names a run writes,
// its removals of the reports a run removes.
// A journal whose commit is still going on in a live process (in_progress)
// is left to it.
// A journal the kernel cannot finish (failed) is left with its files for
// the user: one of an older or newer version, a damaged one, one whose
// files are not those it recorded. The project files put in place are
// named in `files_put_in_place`.
enum class StoppedCommit { none, completed, failed, in_progress };
StoppedCommit complete_stopped_commit(const std::string& directory, std::vector<std::string>& files_put_in_place);
// `directory` holds the journal of a commit still going on in a live
// process: a run that took the project's lock after its lock file was
// removed from under that run must leave the project to it.
bool commit_going_on(const std::string& directory);
// The trace lines of the last look at a journal that was left (why it was
// not finished, the files it names, what the user can do) or that refused
// the call (the run putting its files in place); empty otherwise.
const std::vector<std::string>& stopped_commit_report();
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

#ifdef MAVO_TEST_HOOKS
// Test builds only: called after each rename of a commit with the number
// done so far (0 once the journal is in place), so a test can stop there;
// and before each, so a test can have the system refuse it (true); and
// before a journal is removed, so a test can have that refused too.
namespace test_hooks {
extern void (*after_commit_rename)(int renames_done);
extern bool (*refuse_commit_rename)(int renames_done);
extern bool (*refuse_journal_removal)();
}
#endif

}  // namespace mavo
