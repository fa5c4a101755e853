// Results, costs and report files.
#pragma once
#include "support/types.h"

namespace mavo {

void BARHR();
void KEEPXML();
// A run that writes no compliance export for its report slot (the default
// scheme reached as slot 0, a non-residential building) still writes its
// other reports: a document and import instructions of an earlier run there
// would stand beside them describing another design, ready to be imported.
// They are removed with the run's reports.
void remove_compliance_export(INTEGER idnum);
void KEEPCCL();
void KEEPCSV();

}  // namespace mavo
