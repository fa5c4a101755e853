// One run at a time per project, across processes. A run holds a POSIX
// write lock on the whole of the hidden file ".mavolock" in the project
// directory from before its load to after its commit; the file is created
// when missing and left in place between runs. The system releases the
// lock when the process ends, however it ends, so a killed run never
// leaves its project locked.
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
