// What a host does between calls, shared by the stand-in hosts of the sweep
// and of the tests: it names the directories of the next call, and edits a
// scheme (the project's directory and parameter column read, the scheme's
// input file loaded into the blocks, the edit made there, and both saved as
// the host saves them).
#pragma once

#include <string>

#include "blocks/blocks.h"
#include "project/project.h"

namespace mavo::host {

// The directories a host names before a call: the project, the utility
// directory (which serves three of the kernel's directory roles) and the
// weather directory, with the host's file conventions.
inline void use_directories(const std::string& project, const std::string& util, const std::string& weather) {
    DIRPATHS(2) = project;
    DIRPATHS(1) = util;
    DIRPATHS(4) = util;
    DIRPATHS(5) = util;
    DIRPATHS(3) = weather;
    SLASH = "/";
    READMODE = 3;
    WRITEMODE = 3;
    OSCODE = 5;
}

// The host's edit of scheme `slot` in the project whose directories are named.
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
