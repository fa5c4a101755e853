#include "support/farray.h"

#include <cstdio>
#include <cstdlib>

namespace mavo {

// Reached only in builds with index checks: an index outside its declared
// range is a programming fault, never a data condition.
void farray_index_failure(int dim, long index, long lower, long upper) {
    std::fprintf(stderr, "array index %ld of dimension %d outside %ld..%ld\n", index, dim, lower, upper);
    std::abort();
}

}  // namespace mavo
