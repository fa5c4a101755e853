// Library commands of the host (LIBARY, declared with the other procedures
// of the project files). The host writes 200 + the operation number into the
// current scheme's command slot STRATEGY(2,IDNUM1) and the operand, where
// one is needed, into IDNUM2; the name for a new line or a renamed scheme
// goes into the first 24 characters of the parser's line buffer (BLK27A).
#pragma once
#include "support/types.h"

namespace mavo::library_command {

inline constexpr INTEGER kCopy = 201;           // current scheme into slot IDNUM2 (else 2)
inline constexpr INTEGER kSelectDefault = 202;  // select slot 10, held by a line
inline constexpr INTEGER kShowResults = 203;    // stored results of the current scheme or line (also 213, 214)
inline constexpr INTEGER kCombine = 204;        // a combination of the member list on a free line
inline constexpr INTEGER kErase = 205;          // scheme or combination IDNUM2
inline constexpr INTEGER kSelect = 206;         // select and load scheme IDNUM2 (also 215, 216)
inline constexpr INTEGER kName = 208;           // name the scheme or line of the operand
inline constexpr INTEGER kReread = 209;         // re-read a scheme for a new choice of months
inline constexpr INTEGER kCompare = 212;        // second scheme of a comparison (also 217)

}  // namespace mavo::library_command
