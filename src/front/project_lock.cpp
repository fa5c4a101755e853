#include "front/project_lock.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mavo {
namespace {

// A lock file replaced or removed between its opening and its locking is
// opened again; a directory where that keeps happening is refused.
constexpr int kLockAttempts = 8;

// The lock file as this run locked it: the file (device and inode) and the
// last change of its name or attributes. A file moved away and back (a sync
// tool, a user's mv) keeps its inode, but the move changes its change time,
// which no user can set: a lock file that was away may have let another
// run take a lock file of its own meanwhile.
struct LockFileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    struct timespec changed{};
};

struct ProjectLockState {
    int fd = -1;                // the lock file, open while the lock is held
    std::string path;           // its name, checked again at the commit
    LockFileIdentity identity;  // the file locked
    std::string problem;        // why the last attempt was refused
};
ProjectLockState g_lock;

ProjectLock refuse(const std::string& path, const std::string& why) {
    g_lock.problem = path + " " + why;
    return ProjectLock::refused;
}

// The lock file may be opened by exactly the classes of user that may
// write the project directory: its owner, the directory's group when the
// directory is group-writable and the file carries that group, everyone
// when the directory is writable by all. A reader of the project opens it
// not at all, so takes no lock on it, read lock or write lock.
mode_t lock_file_mode(const struct stat& directory, const struct stat& file) {
    mode_t mode = S_IRUSR | S_IWUSR;
    if ((directory.st_mode & S_IWGRP) && file.st_gid == directory.st_gid) mode |= S_IRGRP | S_IWGRP;
    if (directory.st_mode & S_IWOTH) mode |= S_IROTH | S_IWOTH;
    return mode;
}

// The owner of the lock file (its maker, or the user whose earlier run
// made it) brings it in line with the directory as it is now: its group,
// where the directory's group may write, and its mode. Another user's run
// leaves it as it is.
void bring_in_line(int fd, const struct stat& directory) {
    struct stat st{};
    if (::fstat(fd, &st) != 0 || st.st_uid != ::geteuid()) return;
    if ((directory.st_mode & S_IWGRP) && st.st_gid != directory.st_gid &&
        ::fchown(fd, static_cast<uid_t>(-1), directory.st_gid) == 0)
        st.st_gid = directory.st_gid;
    const mode_t mode = lock_file_mode(directory, st);
    if ((st.st_mode & 07777) != mode) ::fchmod(fd, mode);
}

// The lock file, opened to write (a write lock needs it), never through a
// link and never into a pipe; made when missing. -1 with errno otherwise.
int open_lock_file(const std::string& path) {
    constexpr int kFlags = O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    const int fd = ::open(path.c_str(), kFlags | O_CREAT | O_EXCL, S_IRUSR | S_IWUSR);
    if (fd >= 0 || errno != EEXIST) return fd;
    return ::open(path.c_str(), kFlags);
}

bool same_file(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

LockFileIdentity identity_of(const struct stat& st) { return {st.st_dev, st.st_ino, st.st_ctim}; }

bool same_identity(const LockFileIdentity& a, const LockFileIdentity& b) {
    return a.device == b.device && a.inode == b.inode && a.changed.tv_sec == b.changed.tv_sec &&
           a.changed.tv_nsec == b.changed.tv_nsec;
}

// Why the lock file could not be opened, in the words its user can act on.
// (The user may write the project directory.)
// A lock file of another group than the group-writable directory's can be
// given that group by its owner only as a member of it: the owner's runs
// never bring it in line, and the remedy is the group's (chgrp, by root or
// by the owner made a member) or the directory's (set-group-ID, so that the
// lock file made anew carries its group).
std::string cannot_open(const std::string& path, int error, const struct stat& directory) {
    if (error != EACCES) return path + " cannot be opened or created: " + std::strerror(error);
    const std::string head =
        path + " may not be written by this user (uid " + std::to_string(::geteuid()) + "), who may write the project directory: ";
    struct stat file{};
    if ((directory.st_mode & S_IWGRP) && ::lstat(path.c_str(), &file) == 0 && file.st_gid != directory.st_gid)
        return head + "it is not of the directory's group (gid " + std::to_string(directory.st_gid) +
               "), which its owner (uid " + std::to_string(file.st_uid) +
               ") gives it only as a member of that group: give it that group (chgrp " +
               std::to_string(directory.st_gid) + " " + path +
               ", as root or as its owner once a member), or make the project directory set-group-ID (chmod g+s) "
               "and remove the lock file; the next run makes it anew with the directory's group";
    return head + "a run of the project by the lock file's owner (uid " + std::to_string(file.st_uid) +
           ") gives it the directory's write permissions, or remove it and the next run makes it anew";
}

// No run takes a read lock: one on the lock file is a reader's, who opened
// it while it was readable by all (as earlier kernels made it, 0644) before
// a run of its owner brought it in line. It refuses every run until it is
// released: the trace says so and what to do.
std::string held_by_a_reader(pid_t holder) {
    return "is held under a read lock by process " + std::to_string(holder) +
           ", which no run takes: a user who may only read the project opened it while it was readable by all, as "
           "earlier kernels made it; remove it (the next run makes it anew, open only to those who may write the "
           "project) or end that process";
}

}  // namespace

ProjectLock lock_project(std::string_view project_directory) {
    unlock_project();
    const std::string directory(project_directory);
    const std::string path = directory + "/" + std::string(kProjectLockName);
    // A run writes the project's files beside the old ones: a user who may
    // not write the directory cannot run the project, so never holds it.
    struct stat dir_st{};
    if (::stat(directory.c_str(), &dir_st) != 0 || !S_ISDIR(dir_st.st_mode))
        return refuse(directory, "is not a project directory");
    if (::faccessat(AT_FDCWD, directory.c_str(), W_OK | X_OK, AT_EACCESS) != 0)
        return refuse(directory, "cannot be written by this user (uid " + std::to_string(::geteuid()) +
                                     "): " + std::strerror(errno) +
                                     "; only a user who may write the project directory may run the project");
    for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
        const int fd = open_lock_file(path);
        if (fd < 0) {
            if (errno == ENOENT) continue;  // removed between the two opens
            g_lock.problem = cannot_open(path, errno, dir_st);
            return ProjectLock::refused;
        }
        struct stat st{};
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd);
            return refuse(path, "is not a regular file");
        }
        struct flock whole{};
        whole.l_type = F_WRLCK;
        whole.l_whence = SEEK_SET;
        whole.l_start = 0;
        whole.l_len = 0;  // to the end of the file, however long it grows
        if (::fcntl(fd, F_SETLK, &whole) != 0) {
            const int e = errno;
            struct flock holder = whole;
            const bool reader = (e == EACCES || e == EAGAIN) && ::fcntl(fd, F_GETLK, &holder) == 0 &&
                                holder.l_type == F_RDLCK;
            ::close(fd);
            if (reader) return refuse(path, held_by_a_reader(holder.l_pid));
            if (e == EACCES || e == EAGAIN) return ProjectLock::busy;
            return refuse(path, std::string("cannot be locked: ") + std::strerror(e));
        }
        // Brought in line only once held: a run refused meanwhile leaves the
        // file of the run holding it unchanged, change time included.
        bring_in_line(fd, dir_st);
        // Still the file at that name? One replaced or removed meanwhile
        // locks nothing another call will look at: take the lock again.
        struct stat now{};
        if (::fstat(fd, &st) != 0 || ::lstat(path.c_str(), &now) != 0 || !same_file(st, now)) {
            ::close(fd);
            continue;
        }
        g_lock.fd = fd;
        g_lock.path = path;
        g_lock.identity = identity_of(st);
        return ProjectLock::held;
    }
    return refuse(path, "keeps being replaced or removed");
}

const std::string& project_lock_problem() { return g_lock.problem; }

bool project_lock_still_in_place() {
    if (g_lock.fd < 0) return true;
    struct stat now{};
    return ::lstat(g_lock.path.c_str(), &now) == 0 && same_identity(identity_of(now), g_lock.identity);
}

// POSIX record locks belong to the process, not to the descriptor: closing
// any descriptor of the file ends every lock the process holds on it. A
// host that holds the project's lock itself around its edits and its call
// (as the stand-in host does) can still call the kernel, whose lock then
// coincides with the host's; the kernel's release at the end of the call
// ends the host's lock too.
void unlock_project() {
    if (g_lock.fd >= 0) ::close(g_lock.fd);
    g_lock = ProjectLockState{};
}

}  // namespace mavo
