// The temporaries a run writes its files into, and the journal of the
// commit that renames them into place (used by the file units only).
//
// A temporary lies beside its target, in the same directory, so that the
// rename that puts it in place never crosses a file system. Before the
// first rename of a commit the run writes its journal, the list of its
// renames, into that directory: a run killed in the middle of its commit
// is finished from it at the start of the next call, so the directory ends with the
// whole old set of files or the whole new set, never a mixture.
#pragma once
#include <string>
#include <vector>

#include <sys/types.h>

namespace mavo {

// A new, empty file beside `target`, created exclusively and never through
// a link, with the permission bits of the regular file it replaces (or
// what this process gives a new file). The descriptor, or -1 with errno
// when it cannot be made. Stale temporaries of dead processes in that
// directory are removed first, once per run; none while the directory
// holds a journal that cannot be read, whose files are the user's to
// recover, and never one whose project file is missing, which may hold
// that file's only copy.
int create_temporary(const std::string& target, std::string& temporary);
// A name for a temporary beside `target`, as create_temporary names them,
// that nothing bears yet (barring the rarest chance: whoever puts a file
// there must not have it replaced).
std::string temporary_name(const std::string& target);
// Forgets which directories were cleared of stale temporaries (a new run).
void forget_swept_directories();

// One file of a commit. A new name (`add`): the written temporary is
// renamed onto the target. A file replaced (`replace`): the old file is
// first moved aside onto a place of its own beside it, then the temporary
// is renamed onto the target, and the old file is deleted once every file
// is in place (the place aside is only named beforehand: the move aside
// makes it, never over a file there). A file the run removes (`remove`):
// moved aside onto an empty place made for it, then deleted. Each step can be undone until the end, so a commit that cannot
// make one of them puts every file back as it was.
struct CommitStep {
    enum class Kind { add, replace, remove };
    Kind kind = Kind::add;
    std::string temporary;  // add, replace: the new file
    std::string aside;      // replace, remove: where the old file is moved aside
    std::string target;
    // The files themselves, as the journal records them (inode numbers in
    // the one directory): the new file, the empty place made aside and the
    // old file. A stopped commit is finished only on these files, never on
    // another file that merely bears one of the names.
    ino_t temporary_file = 0, aside_file = 0, old_file = 0;
};

// Writes the journal of the steps whose files lie in `directory`: to a
// temporary, written whole, then renamed into place. False when it could
// not be written whole, or a step is none the next call would carry out
// (a name no run writes or removes, a file not there to record).
bool write_commit_journal(const std::string& directory, const std::vector<const CommitStep*>& steps);
// False when the journal is still there.
bool remove_commit_journal(const std::string& directory);
// (The start of the next call finishes a stopped commit: complete_stopped_commit in
// front/units.h.)

}  // namespace mavo
