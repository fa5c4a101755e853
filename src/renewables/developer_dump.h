// The solar models' developer dump files. They are named at the Windows
// scratch directory "c:\temp\" ("c:\temp\debugIn.txt", "c:\temp\debugOut.txt",
// "c:\temp\datadump.txt"). Here they are diagnostics of a traced run: they
// are written only while the trace log is on, into the project directory
// beside the trace, and never through a symbolic link or into a file that
// has another name elsewhere (see unit_open).
#pragma once
#include <cstdio>
#include <string_view>

namespace mavo {

// Opens the dump named at "c:\temp\" (or by a bare file name) in the
// project directory on the dump unit; traced. Null when the trace is off
// or the file cannot be opened: the run then goes on without the dump.
std::FILE* open_developer_dump(std::string_view windows_path);

}  // namespace mavo
