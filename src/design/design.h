// Design generator: the code-minimum and the efficient or vintage scheme.
#pragma once

namespace mavo {

void EXPERT();

}  // namespace mavo
