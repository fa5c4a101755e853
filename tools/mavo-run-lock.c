/*
 * The project's lock as the stand-in host holds it: the write lock the
 * kernel takes on the whole of ".mavolock" for its run, taken before
 * anything is edited and checked until the call's end signal, when the
 * report reads what the run saved.
 */
#define _GNU_SOURCE
#include "mavo-run-lock.h"

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "mavo-run-report.h"

/* The lock file may be opened by exactly the classes of user that may
 * write the project directory (as the kernel keeps it): its owner, the
 * directory's group when that may write and the file carries it, everyone
 * when everyone may write. Its owner brings it in line on each run. */
static void bring_lock_file_in_line(int fd, const struct stat* dir) {
    struct stat st;
    if (fstat(fd, &st) != 0 || st.st_uid != geteuid()) return;
    if ((dir->st_mode & S_IWGRP) && st.st_gid != dir->st_gid && fchown(fd, (uid_t)-1, dir->st_gid) == 0)
        st.st_gid = dir->st_gid;
    mode_t mode = S_IRUSR | S_IWUSR;
    if ((dir->st_mode & S_IWGRP) && st.st_gid == dir->st_gid) mode |= S_IRGRP | S_IWGRP;
    if (dir->st_mode & S_IWOTH) mode |= S_IROTH | S_IWOTH;
    if ((st.st_mode & 07777) != mode) fchmod(fd, mode);
}

/* The lock file this process locked, kept open: the project's guard only
 * while it is the file at ".mavolock", unchanged, and this process holds
 * its lock. Its change time tells a file moved away and back (a sync tool,
 * a user's mv), which keeps its inode: while it was away another run may
 * have taken a lock file of its own. */
static struct {
    int fd;
    int made; /* this call made the file */
    dev_t device;
    ino_t inode;
    struct timespec changed;
    char path[PATH_MAX];
} held_lock = {.fd = -1};

static int lock_file_in_place(void) {
    struct stat now;
    return held_lock.fd >= 0 && lstat(held_lock.path, &now) == 0 && now.st_dev == held_lock.device &&
           now.st_ino == held_lock.inode && now.st_ctim.tv_sec == held_lock.changed.tv_sec &&
           now.st_ctim.tv_nsec == held_lock.changed.tv_nsec;
}

/* This process holds a POSIX lock on the file: an open-file-description
 * lock asked for over it meets that lock, which names the process. */
static int lock_held_by_this_process(void) {
    struct flock probe;
    memset(&probe, 0, sizeof probe);
    probe.l_type = F_WRLCK;
    probe.l_whence = SEEK_SET;
    return fcntl(held_lock.fd, F_OFD_GETLK, &probe) == 0 && probe.l_type != F_UNLCK && probe.l_pid == getpid();
}

int project_still_held(void) { return lock_file_in_place() && lock_held_by_this_process(); }

int lock_file_replaced(void) { return !lock_file_in_place(); }

const char* held_lock_path(void) { return held_lock.path; }

int take_lock_again(void) {
    struct flock whole;
    memset(&whole, 0, sizeof whole);
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    return lock_file_in_place() && fcntl(held_lock.fd, F_SETLK, &whole) == 0 && lock_file_in_place();
}

int drop_lock_made_here(int rc) {
    if (held_lock.made && lock_file_in_place()) unlink(held_lock.path);
    held_lock.made = 0;
    return rc;
}

/* Why a lock file the user may not open is so, and what to do: one of
 * another group than the group-writable directory's can be given that
 * group by its owner only as a member of it, so the owner's runs never
 * bring it in line and the remedy is the group's or the directory's. */
static void say_lock_file_refused(const char* path, const struct stat* dir) {
    struct stat file;
    if ((dir->st_mode & S_IWGRP) && lstat(path, &file) == 0 && file.st_gid != dir->st_gid)
        fprintf(stderr,
                "mavo-run: %s may not be written by this user, who may write the project directory: it is not of "
                "the directory's group (gid %d), which its owner (uid %d) gives it only as a member of that group: "
                "give it that group (chgrp %d %s, as root or as its owner once a member), or make the project "
                "directory set-group-ID (chmod g+s) and remove the lock file; the next run makes it anew with the "
                "directory's group\n",
                shown_text(path), (int)dir->st_gid, (int)file.st_uid, (int)dir->st_gid, shown_text(path));
    else
        fprintf(stderr,
                "mavo-run: %s may not be written by this user, who may write the project directory: a run of the "
                "project by the lock file's owner gives it the directory's write permissions, or remove it and the "
                "next run makes it anew\n",
                shown_text(path));
}

/* The write lock on the open lock file: 0 when taken, 1 when another
 * process's run holds it, -1 when it cannot be taken (said why). */
static int lock_whole_file(int fd, const char* project, const char* path) {
    struct flock whole;
    memset(&whole, 0, sizeof whole);
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    if (fcntl(fd, F_SETLK, &whole) == 0) return 0;
    const int e = errno;
    struct flock holder = whole;
    /* No run takes a read lock: a reader's, on a lock file readable by all
     * as earlier kernels made it. */
    if ((e == EACCES || e == EAGAIN) && fcntl(fd, F_GETLK, &holder) == 0 && holder.l_type == F_RDLCK) {
        fprintf(stderr,
                "mavo-run: %s is held under a read lock by process %d, which no run takes: a user who may only read "
                "the project opened it while it was readable by all, as earlier kernels made it; remove it (the "
                "next run makes it anew, open only to those who may write the project) or end that process\n",
                shown_text(path), (int)holder.l_pid);
        return -1;
    }
    if (e == EACCES || e == EAGAIN) {
        fprintf(stderr, "mavo-run: another run holds the project %s; nothing done: run again when it has ended\n",
                shown_text(project));
        return 1;
    }
    /* The kernel refuses every run of such a project in the same way. */
    fprintf(stderr, "mavo-run: cannot lock the project with %s: %s; %s\n", shown_text(path), strerror(e),
            e == ENOLCK || e == EOPNOTSUPP || e == ENOSYS || e == EINVAL
                ? "its file system takes no POSIX record locks (as some network shares): copy the project to a "
                  "local disk"
                : "the project directory must be writable");
    return -1;
}

int lock_project(const char* project) {
    char path[PATH_MAX];
    snprintf(path, sizeof path, "%s/.mavolock", project);
    struct stat dir, st, now;
    if (stat(project, &dir) != 0 || faccessat(AT_FDCWD, project, W_OK | X_OK, AT_EACCESS) != 0) {
        fprintf(stderr, "mavo-run: the project directory %s cannot be written by this user (%s): only a user who "
                        "may write it may run the project\n", shown_text(project), strerror(errno));
        return -1;
    }
    for (int attempt = 0; attempt < 8; ++attempt) {
        int fd = open(path, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
        const int made = fd >= 0;
        if (fd < 0 && errno == EEXIST) fd = open(path, O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0 && errno == ENOENT) continue; /* removed between the two opens */
        if (fd < 0 && errno == EACCES) {
            say_lock_file_refused(path, &dir);
            return -1;
        }
        if (fd < 0 || fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            /* Never opened through a link; a directory cannot be opened to
             * write: neither is the lock file the kernel makes. */
            const int e = fd < 0 ? errno : 0;
            fprintf(stderr, "mavo-run: cannot lock the project with %s: %s; %s\n", shown_text(path),
                    e == ELOOP ? "it is a symbolic link" : e == EISDIR ? "it is a directory"
                               : e != 0 ? strerror(e) : "not a regular file",
                    e == 0 || e == ELOOP || e == EISDIR ? "remove it, the kernel makes it anew"
                    : e == EROFS ? "the project's file system is read-only"
                                 : "the project directory must be writable");
            if (fd >= 0) close(fd);
            return -1;
        }
        const int locked = lock_whole_file(fd, project, path);
        if (locked != 0) {
            close(fd);
            return locked;
        }
        /* Brought in line once held: a run refused meanwhile leaves the file
         * of the run holding it unchanged, its change time included. */
        bring_lock_file_in_line(fd, &dir);
        /* A lock on a file no longer at that name guards nothing. */
        if (fstat(fd, &st) == 0 && lstat(path, &now) == 0 && now.st_dev == st.st_dev && now.st_ino == st.st_ino) {
            held_lock.fd = fd;
            held_lock.made = made;
            held_lock.device = st.st_dev;
            held_lock.inode = st.st_ino;
            held_lock.changed = st.st_ctim;
            snprintf(held_lock.path, sizeof held_lock.path, "%s", path);
            return 0; /* held until the kernel's release or the exit */
        }
        close(fd);
    }
    fprintf(stderr, "mavo-run: the lock file %s keeps being replaced or removed; nothing done\n", shown_text(path));
    return -1;
}
