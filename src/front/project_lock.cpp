#include "front/project_lock.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mavo {
namespace {

struct ProjectLockState {
    int fd = -1;          // the lock file, open while the lock is held
    std::string problem;  // why the last attempt was refused
};
ProjectLockState g_lock;

ProjectLock refuse(const std::string& path, const std::string& why) {
    g_lock.problem = path + " " + why;
    return ProjectLock::refused;
}

}  // namespace

ProjectLock lock_project(std::string_view project_directory) {
    unlock_project();
    const std::string path = std::string(project_directory) + "/" + std::string(kProjectLockName);
    // Never through a link, never into a pipe: only a plain file of the
    // project's own can carry its lock.
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) return refuse(path, std::string("cannot be opened or created: ") + std::strerror(errno));
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
        ::close(fd);
        if (e == EACCES || e == EAGAIN) return ProjectLock::busy;
        return refuse(path, std::string("cannot be locked: ") + std::strerror(e));
    }
    g_lock.fd = fd;
    return ProjectLock::held;
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
    g_lock = ProjectLockState{};
}

}  // namespace mavo
