// The temporaries a run writes its files into, and the journal of the
// commit that renames them into place (used by the file units only).
//
// A temporary lies beside its target, in the same directory, so that the
// rename that puts it in place never crosses a file system. Before the
// first rename of a commit the run writes its journal, the list of its
// renames, into that directory: a run killed in the middle of its commit
// is finished from it by the next load, so the directory ends with the
// whole old set of files or the whole new set, never a mixture.
#pragma once
#include <string>
#include <vector>

namespace mavo {

// A new, empty file beside `target`, created exclusively and never through
// a link, with the permission bits of the regular file it replaces (or
// what this process gives a new file). The descriptor, or -1 with errno
// when it cannot be made. Stale temporaries of dead processes in that
// directory are removed first, once per run.
int create_temporary(const std::string& target, std::string& temporary);
// Forgets which directories were cleared of stale temporaries (a new run).
void forget_swept_directories();

// One rename of a commit: a written temporary onto its target; or, for a
// file the run removes, the target moved aside onto its temporary (which
// is then deleted).
struct CommitStep {
    std::string temporary;
    std::string target;
    bool removal = false;
};

// Writes the journal of the steps whose files lie in `directory`: to a
// temporary, flushed to the disk, then renamed into place. False when it
// could not be written whole.
bool write_commit_journal(const std::string& directory, const std::vector<const CommitStep*>& steps);
void remove_commit_journal(const std::string& directory);
// (The next load finishes a stopped commit: complete_stopped_commit in
// front/units.h.)

}  // namespace mavo
