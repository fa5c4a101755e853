// The host's edit of one scheme between calls: the project's directory and
// parameter column read, the scheme's input file loaded into the blocks,
// the edit made there, and both saved as the host saves them. Shared by the
// stand-in hosts of the sweep and of the whole-run tests, which set the
// project's directories themselves.
#pragma once

#include "blocks/blocks.h"
#include "project/project.h"

namespace mavo::host {

template <class Edit>
void edit_loaded_scheme(INTEGER slot, Edit&& edit) {
    IDNUM1 = slot;
    AADISK(-1);
    AADISK(-5);
    IDNUM1 = slot;  // the directory read selects its own scheme
    FIND2();
    edit();
    KEEP2(1);
    AADISK(6);
}

}  // namespace mavo::host
