#include "support/text_lines.h"

#include <cstring>

namespace mavo {

bool read_text_line(std::FILE* f, std::string& line, std::size_t max_length) {
    line.clear();
    if (!f) return false;
    char buf[512];
    bool any = false;
    while (std::fgets(buf, sizeof buf, f)) {
        any = true;
        std::size_t n = std::strlen(buf);
        const bool ended = n > 0 && buf[n - 1] == '\n';
        if (ended) --n;
        if (line.size() < max_length) line.append(buf, std::min(n, max_length - line.size()));
        if (ended) break;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return any;
}

}  // namespace mavo
