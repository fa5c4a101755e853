// Kernel-side procedures of the front: the progress road to the host, the
// console hooks, the driver and the run sequence.
#pragma once
#include <string_view>

#include "support/types.h"

namespace mavo {

void PROGRESS(INTEGER A, INTEGER B, INTEGER C, INTEGER D, INTEGER E);
void DOS_PROGRESS(INTEGER A, INTEGER B, INTEGER C);
void DOS_OPENCONSOLE();
void DOS_LAUNCH();
void DOS_CLOSECONSOLE();
void BDATA();
void GENDATE();

// The host's name buffer (BLK27A) across a call: kept at the call's entry,
// handed back to the library step, blanked at the call's end.
void keep_name_buffer_at_entry();
void restore_name_buffer();
void clear_name_buffer();

// The driver: run-wide settings, trace banner, then the run sequence.
void VR7MAIN(std::string_view schemeDir, std::string_view utilDir, std::string_view tmyDir, const INTEGER& traceFlag);
// The run of one scheme.
void AAAMAIN();

}  // namespace mavo
