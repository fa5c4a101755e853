// One run at a time per project, across processes. A run holds a POSIX
// write lock on the whole of the hidden file ".mavolock" in the project
// directory from before its load to after its commit; the file is created
// when missing (writable by every user who may write the directory) and
// left in place between runs. A lock taken on a file that was replaced or
// removed meanwhile is taken again on the file now there; and the run
// locks the directory itself as well, so a lock file removed during a run
// lets no second run in. The system releases the locks when the process
// ends, however it ends, so a killed run never leaves its project locked.
#pragma once
#include <string>
#include <string_view>

namespace mavo {

constexpr std::string_view kProjectLockName = ".mavolock";

enum class ProjectLock {
    held,     // this run holds the project
    busy,     // another process's run holds it
    refused,  // the lock file cannot serve (see project_lock_problem)
};

// Takes the lock of the project directory, as the host gave its text.
ProjectLock lock_project(std::string_view project_directory);
// Why the last attempt could not take the lock; empty when it took it or
// another run held it.
const std::string& project_lock_problem();
// Releases the lock (and forgets the problem).
void unlock_project();

}  // namespace mavo
