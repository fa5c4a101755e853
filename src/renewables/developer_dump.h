// Paths of the solar models' developer dump files. The dumps are named at
// the Windows scratch directory "c:\temp\" ("c:\temp\debugIn.txt",
// "c:\temp\debugOut.txt", "c:\temp\datadump.txt"); on every platform they
// go to the system's temporary directory instead, so a run never leaves
// them beside the user's scheme files.
#pragma once
#include <string>
#include <string_view>

namespace mavo {

// The path of a dump named at "c:\temp\" (or a bare file name) in the
// temporary directory; traced. Empty when the platform has no usable
// temporary directory: the caller's open then fails and is traced, and the
// run goes on without the dump.
std::string developer_dump_path(std::string_view windows_path);

}  // namespace mavo
