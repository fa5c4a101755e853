// Project data and scheme files: the project store, the scheme input,
// results and schedule files, library operations and design transfer.
#pragma once
#include "support/types.h"

namespace mavo {

void AADISK(INTEGER INOUT);
void FIND2();
void FINDSCHED();
void KEEPSCHED();
void FIND1();
void REVISION(INTEGER NTASK);
void LIBARY();

}  // namespace mavo
