// The fatal stop of a run. A library must never end or hang its host: the
// stop unwinds to the front, which closes every open unit and returns 1.
#pragma once

namespace mavo {

struct FatalStop {};

}  // namespace mavo
