// The schedule file: a plain image of the non-residential schedules of all
// building types, "schedule1.dat" to "schedule9.dat" in the project and the
// defaults "schedule01.dat" in the utility directory.
#include <string_view>

#include "blocks/blocks.h"
#include "front/paths.h"
#include "front/record_files.h"
#include "front/trace.h"
#include "project/project.h"
#include "project/record_walk.h"

namespace mavo {
namespace {

constexpr INTEGER kProjectDirectory = 2;
constexpr INTEGER kDefaultsDirectory = 5;
constexpr INTEGER kScheduleBytes = 27 * 16 * 20 * 4;

// Names of the readers by slot 1-10; the writer serves slots 1-9.
constexpr std::string_view kScheduleNames[10] = {"schedule1.dat", "schedule2.dat", "schedule3.dat", "schedule4.dat",
                                                 "schedule5.dat", "schedule6.dat", "schedule7.dat", "schedule8.dat",
                                                 "schedule9.dat", "schedule01.dat"};

// All 8640 values in memory order: position fastest, then row, then type.
void walk_schedules(RecordWalk& w) { w.all(SCHEDULES); }

}  // namespace

void FINDSCHED() {
    DBG_IN("FINDSCHED");
    // Every slot but the design slots reads the default schedules.
    const INTEGER slot = is_scheme_slot(IDNUM1) ? IDNUM1 : 10;
    DIR_BUILDPATH(slot == 10 ? kDefaultsDirectory : kProjectDirectory, kScheduleNames[slot - 1]);
    const INTEGER unit = BLK0B.DISKFSCHED;
    INTEGER id1 = 0, id2 = 0, ierr = 0;
    IO_OPEN(unit, 1, id1, id2, PATHTOFILE.view(), ierr);
    if (ierr != 0) DBG_CRASH("FINDSCHED: Unable to open schedule DAT file");
    DBG_FILE(PATHTOFILE.view());
    RecordWalk w(unit, true);
    walk_schedules(w);
    IO_REWIND(unit, ierr);
    IO_CLOSE(unit, ierr);
    DBG_OUT("FINDSCHED");
}

void KEEPSCHED() {
    DBG_IN("KEEPSCHED");
    if (!is_scheme_slot(IDNUM1)) {
        DBG_INT("IDNUM1 is out of range, exiting", IDNUM1);
        DBG_OUT("KEEPSCHED");
        return;
    }
    DIR_BUILDPATH(kProjectDirectory, kScheduleNames[IDNUM1 - 1]);
    const INTEGER unit = BLK0B.DISKKSCHED;
    INTEGER id1 = IO_GETWORD4(5, 0, 6, 0), id2 = kScheduleBytes, ierr = 0;
    IO_OPEN(unit, 2, id1, id2, PATHTOFILE.view(), ierr);
    if (ierr != 0) DBG_CRASH("KEEPSCHED: Unable to open schedule DAT file");
    DBG_FILE(PATHTOFILE.view());
    RecordWalk w(unit, false);
    walk_schedules(w);
    IO_REWIND(unit, ierr);
    IO_CLOSE(unit, ierr);
    DBG_OUT("KEEPSCHED");
}

}  // namespace mavo
