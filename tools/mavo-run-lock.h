/*
 * The project's lock as the stand-in host holds it (mavo-run-lock.c).
 */
#ifndef MAVO_RUN_LOCK_H
#define MAVO_RUN_LOCK_H

/* Takes the project's guard before anything is edited, the one the kernel
 * takes for its run: a write lock on the whole of its ".mavolock", made
 * when missing and never through a link, taken again when the file was
 * replaced or removed meanwhile. 0 when held, 1 when another process's run
 * holds it, -1 when it cannot be taken (each said why). As the lock
 * belongs to the process, the kernel's own request takes it again on the
 * same file, so the guard is held from here through the kernel's run; the
 * kernel's release at the end of the call ends it. */
int lock_project(const char* project);

/* The lock file locked before the edits is still the one at ".mavolock"
 * and this process holds its lock: no other run can have taken the
 * project since. Removed or replaced meanwhile (a clean-up tool), it kept
 * no other run out, and the kernel's lock is on another file. */
int project_still_held(void);
/* The lock file locked before the edits is no longer at ".mavolock". */
int lock_file_replaced(void);
const char* held_lock_path(void);
/* Takes the lock again after the kernel released it (the file still in
 * place): 1 when held. */
int take_lock_again(void);
/* A call that ends before the kernel's leaves no lock file it made (one of
 * its user's could shut out other users who share the project). Returns
 * rc. */
int drop_lock_made_here(int rc);

#endif /* MAVO_RUN_LOCK_H */
