// Tools the library carries for its developers; none is on the road of a
// kernel run: the help-table reader, a dump of the path blocks, a shell
// hook, the generator of the non-residential code table as a source file,
// and procedures kept empty so the same entry points exist.
#pragma once
#include <string_view>

#include "support/types.h"

namespace mavo {

// Reads "v7help.tbl" (utility directory) into BLK120.
void FINDHELP();
// Prints the path blocks BLK110A to BLK110D to standard output; N is only
// printed, to tell dumps apart.
void DUMBBLK110X(INTEGER N);
// Runs CMD through the command shell, waits for it and traces its result.
void SYSTEMIF(std::string_view CMD);
// Writes "BlockD.java" (project directory): the build stamp and CECNR.
void KEEPBLKD();

void FIND3();
void MOVREP();
void BLKFIXER();
void BTYPE();
void BDATA2();

}  // namespace mavo
