#include "support/text_lines.h"

namespace mavo {

// Character by character, so that a NUL byte inside a line is part of it.
bool read_text_line(std::FILE* f, std::string& line, std::size_t max_length) {
    line.clear();
    if (!f) return false;
    int ch = std::getc(f);
    if (ch == EOF) return false;
    while (ch != EOF && ch != '\n') {
        if (line.size() < max_length) line.push_back(static_cast<char>(ch));
        ch = std::getc(f);
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

}  // namespace mavo
