// One run at a time per project, across processes. A run holds a POSIX
// write lock on the whole of the hidden file ".mavolock" in the project
// directory from before its load to after its commit; the file is created
// when missing and left in place between runs.
//
// Only a user who may write the project may hold it: the run is refused
// to a user who may not write the directory, and the lock file may be
// opened (read or written) only by the classes of user that may write the
// directory, so no mere reader can take any lock on it. Each run by the
// lock file's owner brings its mode in line with the directory's as it is
// now (a project shared after its first run is shared with its lock).
//
// A lock taken on a file that was replaced or removed meanwhile is taken
// again on the file now there; a lock file removed, replaced or moved
// during a run (a clean-up tool; a sync tool or a user's mv that moves it
// away and back) is found out at the commit, which then keeps nothing of
// the run. The system releases the lock when the process ends, however it
// ends, so a killed run never leaves its project locked.
#pragma once
#include <string>
#include <string_view>

namespace mavo {

constexpr std::string_view kProjectLockName = ".mavolock";

enum class ProjectLock {
    held,     // this run holds the project
    busy,     // another process's run holds it
    refused,  // the lock cannot serve this user or this file system (see project_lock_problem)
};

// Takes the lock of the project directory, as the host gave its text.
ProjectLock lock_project(std::string_view project_directory);
// Why the last attempt could not take the lock; empty when it took it or
// another run held it.
const std::string& project_lock_problem();
// The file this run locked is still the one at ".mavolock", unchanged since
// (true when no lock is held): false when it was removed, replaced or moved
// meanwhile (even away and back, which keeps its inode but not its change
// time), and a second run may then hold a lock of its own on the project.
bool project_lock_still_in_place();
// Releases the lock (and forgets the problem).
void unlock_project();

}  // namespace mavo
