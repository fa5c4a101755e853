// The trace log: "v7trace<d>.txt" in the project directory, one line on
// entry and exit of each traced procedure, indented two blanks per call
// depth, and labelled values in between. Every call returns at once while
// NFLAG(90) is false. Each line opens, appends and closes the file, so the
// file is complete after every line.
#pragma once
#include <string_view>

#include "support/types.h"

namespace mavo {

void DBG_PRINT(std::string_view TEXT);
void DBG_IN(std::string_view NAME);
void DBG_OUT(std::string_view NAME);
void DBG_ERROR(std::string_view TEXT);
void DBG_INT(std::string_view LABEL, INTEGER IVAL);
void DBG_INT4(std::string_view LABEL, INTEGER IVAL);
void DBG_FLOAT(std::string_view LABEL, REAL RVAL);
void DBG_DOUBLE(std::string_view LABEL, REAL8 DVAL);
void DBG_LOGICAL(std::string_view LABEL, LOGICAL LVAL);
void OFF_DBG_STRING(std::string_view LABEL, std::string_view TEXT);
void DBG_TRACE(std::string_view TEXT);
void DBG_DATE(std::string_view LABEL);
void DBG_NFLAG(std::string_view TEXT);
void DBG_RESET();
// Fatal stop: traces the message and unwinds the run to the front (throws
// FatalStop), which returns 1 to the host.
[[noreturn]] void DBG_CRASH(std::string_view MSG);
void DATTIM(INTEGER& IYR, INTEGER& IMON, INTEGER& IDAY, INTEGER& IHR, INTEGER& IMIN);
void DBG_DOINDENT();
void DBG_TIMERON(std::string_view TEXT);
void DBG_TIMEROFF();
void DBG_FILE(std::string_view PATH);
void DBG_SET();
void DBG_SET_TRACE();

}  // namespace mavo
