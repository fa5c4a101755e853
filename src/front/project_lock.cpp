#include "front/project_lock.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mavo {
namespace {

// A lock file replaced or removed between its opening and its locking is
// opened again; a directory where that keeps happening is refused.
constexpr int kLockAttempts = 8;

struct ProjectLockState {
    int fd = -1;           // the lock file, open while the lock is held
    int directory = -1;    // the project directory, locked as well while held
    std::string problem;   // why the last attempt was refused
};
ProjectLockState g_lock;

ProjectLock refuse(const std::string& path, const std::string& why) {
    g_lock.problem = path + " " + why;
    return ProjectLock::refused;
}

// A run replaces the project's files, never writes them where they are, so
// whoever may change the project directory may run the project: a lock
// file this kernel makes is readable by all and writable by each class of
// user that may write the directory, whatever the umask of its maker.
mode_t lock_file_mode(int directory) {
    struct stat st{};
    mode_t mode = 0644;
    if (directory >= 0 && ::fstat(directory, &st) == 0) {
        if (st.st_mode & S_IWGRP) mode |= S_IWGRP;
        if (st.st_mode & S_IWOTH) mode |= S_IWOTH;
    }
    return mode;
}

// The lock file, opened to write (a write lock needs it), never through a
// link and never into a pipe; made when missing. -1 with errno otherwise.
int open_lock_file(const std::string& path, int directory) {
    constexpr int kFlags = O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    int fd = ::open(path.c_str(), kFlags | O_CREAT | O_EXCL, 0600);
    if (fd >= 0) {
        ::fchmod(fd, lock_file_mode(directory));
        return fd;
    }
    if (errno != EEXIST) return -1;
    fd = ::open(path.c_str(), kFlags);
    return fd;
}

bool same_file(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

}  // namespace

ProjectLock lock_project(std::string_view project_directory) {
    unlock_project();
    const std::string directory(project_directory);
    const std::string path = directory + "/" + std::string(kProjectLockName);
    // The directory itself carries a second lock (where its file system
    // has such locks): a lock file removed during a run, by a clean-up tool
    // say, is made anew by the next call, whose lock on it then excludes
    // nothing; the directory's lock still does.
    const int dir_fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
        const int fd = open_lock_file(path, dir_fd);
        if (fd < 0) {
            if (errno == ENOENT && dir_fd >= 0) continue;  // removed between the two opens
            const int e = errno;
            if (dir_fd >= 0) ::close(dir_fd);
            return refuse(path, std::string("cannot be opened or created: ") + std::strerror(e));
        }
        struct stat st{};
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd);
            if (dir_fd >= 0) ::close(dir_fd);
            return refuse(path, "is not a regular file");
        }
        struct flock whole{};
        whole.l_type = F_WRLCK;
        whole.l_whence = SEEK_SET;
        whole.l_start = 0;
        whole.l_len = 0;  // to the end of the file, however long it grows
        if (::fcntl(fd, F_SETLK, &whole) != 0) {
            const int e = errno;
            ::close(fd);
            if (dir_fd >= 0) ::close(dir_fd);
            if (e == EACCES || e == EAGAIN) return ProjectLock::busy;
            return refuse(path, std::string("cannot be locked: ") + std::strerror(e));
        }
        // Still the file at that name? One replaced or removed meanwhile
        // locks nothing another call will look at: take the lock again.
        struct stat now{};
        if (::lstat(path.c_str(), &now) != 0 || !same_file(st, now)) {
            ::close(fd);
            continue;
        }
        if (dir_fd >= 0 && ::flock(dir_fd, LOCK_EX | LOCK_NB) != 0) {
            const int e = errno;
            if (e == EWOULDBLOCK || e == EINTR) {
                ::close(fd);
                ::close(dir_fd);
                return ProjectLock::busy;
            }
            // A file system without directory locks: the lock file alone.
        }
        g_lock.fd = fd;
        g_lock.directory = dir_fd;
        return ProjectLock::held;
    }
    if (dir_fd >= 0) ::close(dir_fd);
    return refuse(path, "keeps being replaced or removed");
}

const std::string& project_lock_problem() { return g_lock.problem; }

// POSIX record locks belong to the process, not to the descriptor: closing
// any descriptor of the file ends every lock the process holds on it. A
// host that holds the project's lock itself around its edits and its call
// (as the stand-in host does) can still call the kernel, whose lock then
// coincides with the host's; the kernel's release at the end of the call
// ends the host's lock too.
void unlock_project() {
    if (g_lock.fd >= 0) ::close(g_lock.fd);
    if (g_lock.directory >= 0) ::close(g_lock.directory);
    g_lock = ProjectLockState{};
}

}  // namespace mavo
