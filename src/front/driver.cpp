// The driver: run-wide settings every procedure takes for granted, the
// trace banner, then the run of one scheme.
#include <filesystem>
#include <string>
#include <vector>

#include "blocks/run_control.h"
#include "front/fatal.h"
#include "front/front.h"
#include "front/paths.h"
#include "front/project_lock.h"
#include "front/trace.h"
#include "front/units.h"

namespace mavo {
namespace {

// Fixed unit of every file kind.
void fill_unit_table() {
    BLK0B.DISKHET = 20;
    BLK0B.DISKDAT = 21;
    BLK0B.DISKPVLIB = 22;
    BLK0B.DISKFTMY = 23;
    BLK0B.DISKFLAG = 24;
    BLK0B.DISKKEEP1 = 25;
    BLK0B.DISKKEEP2 = 26;
    for (INTEGER i = 1; i <= 5; ++i) BLK0B.RESERVE26_30(i) = 26 + i;
    BLK0B.DISKPROJ = 32;
    BLK0B.DISKFSCHED = 44;
    BLK0B.DISKKSCHED = 45;
    for (INTEGER i = 1; i <= 4; ++i) BLK0B.RESERVE34_37(i) = 32 + i;
    BLK0B.DISKTRACE = 37;
    BLK0B.DISKPRN = 38;
    BLK0B.RESERVE40 = 39;
    BLK0B.DISKXML = 40;
    BLK0B.DISKNOTES = 41;
    BLK0B.DISKCSV = 42;
    BLK0B.DISKCCL = 43;
    BLK0B.DISKJAVA = 46;
}

// A project file that could not be loaded whole or saved, or a report that
// could not be written: the run ran to its end, but the host must not take
// it for a good one, and none of its files went in place. The stop makes
// the front close every unit and return failure.
[[noreturn]] void report_failed_files(bool left_to_journal) {
    NFLAG(51) = false;
    DBG_ERROR("KERNEL FILE ERRORS: " + std::to_string(file_failures_of_run()) +
              " failed load(s) or save(s) of project or report files; the run failed and " +
              (left_to_journal ? "its files are left with the journal " + std::string(kCommitJournalName) +
                                     ": the next call puts them in place from it and runs nothing else"
                               : std::string("the project's files and reports are as they were")));
    throw FatalStop{};
}

// The run's project files and reports go in place together, or none. True
// when they are left with the commit's journal for the next call.
bool put_files_in_place() {
    const bool failed_before = file_failures_of_run() > 0;
    const CommitResult result = commit_run_files();
    if (result == CommitResult::left_to_journal)
        DBG_ERROR("KERNEL FILE ERRORS: the run's files could not all be put in place, nor could the run be undone "
                  "to the end (the old files put back and its journal removed)");
    else if (result == CommitResult::lock_lost)
        DBG_ERROR("KERNEL FILE ERRORS: the project's lock file " + std::string(kProjectLockName) +
                  " was removed, replaced or moved (even away and back) during the run, so another run may have "
                  "held the project meanwhile; nothing of this run was put in place");
    else if (result == CommitResult::nothing_kept && !failed_before)
        DBG_ERROR("KERNEL FILE ERRORS: the run's files could not all be put in place; every file was put back");
    return result == CommitResult::left_to_journal;
}

// An error too long for one line of the trace (255 characters): the error
// line, then the rest at blanks, a line each.
void trace_error_in_lines(const std::string& text) {
    constexpr std::size_t kLineText = 220;
    std::size_t from = 0;
    for (bool first = true; from < text.size(); first = false) {
        std::size_t to = text.size();
        if (to - from > kLineText) {
            to = text.rfind(' ', from + kLineText);
            if (to == std::string::npos || to <= from) to = from + kLineText;
        }
        const std::string line = text.substr(from, to - from);
        if (first) DBG_ERROR(line);
        else DBG_PRINT("KERNEL: " + line);
        from = to < text.size() && text[to] == ' ' ? to + 1 : to;
    }
}

// The trace lines a look at a journal left (why, the files, what to do).
void trace_journal_report(bool as_error) {
    for (const std::string& line : stopped_commit_report()) {
        if (as_error) DBG_ERROR(line);
        else DBG_PRINT(line);
        as_error = false;  // the first line is the error, the rest explain it
    }
}

// A run killed while it put its files in place left the journal of its
// renames. Finishing it puts that run's files in place, over whatever the
// host has edited since: so the call that finishes it runs nothing else
// and says so (flag 92, the trace), and the host applies its edits again.
// A journal whose every step was done changes no file: it is removed and
// the call goes on. A journal the kernel cannot finish is left, with its
// files, for the user, and the call runs nothing: the trace says why, which
// files it names and how to get the project back.
void finish_stopped_commit() {
    const std::string journal = path_in_directory(2, kCommitJournalName);
    if (journal.empty()) return;
    std::vector<std::string> files;
    switch (complete_stopped_commit(std::filesystem::path(journal).parent_path().string(), files)) {
        case StoppedCommit::none: return;
        case StoppedCommit::completed: {
            if (files.empty()) {
                DBG_PRINT("KERNEL: a commit journal " + std::string(kCommitJournalName) +
                          " whose every step was done was removed");
                return;
            }
            NFLAG(kStoppedCommitFinished) = true;
            DBG_ERROR("KERNEL: the commit of a run stopped while putting its files in place was finished from its "
                      "journal " + std::string(kCommitJournalName) + ": " + std::to_string(files.size()) +
                      " file(s) put in place; nothing else was run, and edits made to the project since that run "
                      "are to be made again before the next call");
            // A line of the trace holds 255 characters: a few names a line.
            constexpr std::size_t kNamesPerLine = 8;
            for (std::size_t i = 0; i < files.size(); i += kNamesPerLine) {
                std::string names;
                for (std::size_t j = i; j < files.size() && j < i + kNamesPerLine; ++j) names += " " + files[j];
                DBG_PRINT("KERNEL: put in place:" + names);
            }
            throw FatalStop{};
        }
        case StoppedCommit::in_progress:
        case StoppedCommit::failed:
            trace_journal_report(true);
            throw FatalStop{};
    }
}

}  // namespace

void VR7MAIN(std::string_view schemeDir, std::string_view utilDir, std::string_view tmyDir, const INTEGER& traceFlag) {
    READMODE = 3;
    WRITEMODE = 3;
    SLASH = "/";
    OSCODE = 5;
    IDNUM1 = 0;
    begin_run_files();

    // Each text exactly as given; one longer than an entry names no
    // directory the kernel can reach (its files then fail to open).
    set_directory(2, schemeDir);
    set_directory(1, utilDir);
    set_directory(4, utilDir);
    set_directory(5, utilDir);
    set_directory(3, tmyDir);

    if (traceFlag != 0) {
        NFLAG(90) = true;
        DBG_RESET();
        DBG_DATE("Start Kernel");
        DBG_PRINT("NFLAG(90)=TRUE VR7 BUILD DATE/TIME IS");
        DBG_PRINT(BLK0D.BUILDDATE.view());
        DBG_PRINT(BLK0D.BUILDTIME.view());
    } else {
        NFLAG(90) = false;
    }

    fill_unit_table();

    DBG_IN("MAIN (MAC_OS_KERNEL)");
    DBG_PRINT("-------- START V7 KERNEL ------------");
    DBG_PRINT("SCHEME Directory: '" + directory_text(2) + "'");
    DBG_PRINT("UTIL Directory: '" + directory_text(5) + "'");
    DBG_PRINT("TMY Directory: '" + directory_text(3) + "'");
    DBG_DATE("------ MAC_OS_STARTUP ------");

    // The front could not lock the project: nothing of it is read or written.
    if (!project_lock_problem().empty()) {
        trace_error_in_lines("KERNEL: the project cannot be locked for this run: " + project_lock_problem() +
                             "; nothing of the project is read or written");
        throw FatalStop{};
    }

    finish_stopped_commit();
    AAAMAIN();
    const bool left_to_journal = put_files_in_place();

    DBG_OUT("MAIN (MAC_OS_KERNEL)");
    if (file_failures_of_run() > 0) report_failed_files(left_to_journal);
}

}  // namespace mavo
