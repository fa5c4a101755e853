// Reading text files line by line.
#pragma once
#include <cstdio>
#include <string>

namespace mavo {

// The next line without its end (and without a carriage return before it).
// False at the end of the file. A line longer than max_length is consumed
// whole and cut.
bool read_text_line(std::FILE* f, std::string& line, std::size_t max_length = 4096);

}  // namespace mavo
