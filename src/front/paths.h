// Paths of every file the kernel opens: a directory kind (an index into the
// directory table) and a bare file name.
//   1 utility, 2 project, 3 weather, 4 utility and the fallback of any unset
//   entry, 5 utility defaults, 6 unset.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "support/fstring.h"
#include "support/types.h"

namespace mavo {

// PATHTOFILE := directory + SLASH + name (the name's trailing blanks
// dropped; a directory the host gave keeps its own). A path longer than 255
// characters, or a directory text the host gave longer than that, builds a
// blank path, which every open refuses.
void DIR_BUILDPATH(INTEGER IDIR, std::string_view NAME);
// DBGPATH := directory + SLASH + name + scheme digit + ".txt".
void DIR_DBGPATH(INTEGER IDIR, std::string_view NAME);
// Appends the first N characters of SRC after the trimmed DEST; returns the
// new trimmed length.
REAL DIR_CONCAT_STRING(char* DEST, std::size_t dest_len, std::string_view SRC, INTEGER2 N);
template <std::size_t M>
REAL DIR_CONCAT_STRING(FString<M>& DEST, std::string_view SRC, INTEGER2 N) {
    return DIR_CONCAT_STRING(DEST.c, M, SRC, N);
}
REAL DIR_FINDATA(REAL X);
// Trace and record-form switches of a stand-alone build, from the process's
// command line.
void DIR_INIT_PROJECT();
// The same from a given list of command-line entries, the program itself
// first: the program and its three directories, then the switches.
void dir_init_project_from(const std::vector<std::string>& entries);

// The path last built, without its padding.
std::string built_path();

// Directory entry IDIR as the host gives it for a run: its text exactly,
// trailing blanks included.
void set_directory(INTEGER IDIR, std::string_view text);
// Directory entry IDIR: the host's own text while the entry holds it.
std::string directory_text(INTEGER IDIR);
// The path DIR_BUILDPATH would build, without touching PATHTOFILE; empty
// when it cannot be built.
std::string path_in_directory(INTEGER IDIR, std::string_view NAME);

}  // namespace mavo
