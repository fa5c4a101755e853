// The host's name buffer across one call. The host leaves a name (or the
// months of a re-read) at the start of BLK27A before it calls; the kernel's
// own steps then use the block as scratch (the mass-material lookup, every
// line of the weather file) long before a library command is served. The
// front keeps the host's text at the call's entry, the run sequence hands it
// back to the library step, and the end of the call blanks the buffer so
// that the next call sees only what its host left.
#include <cctype>
#include <string>

#include "blocks/scratch_blocks.h"
#include "front/front.h"

namespace mavo {

void keep_name_buffer_at_entry() {
    std::string text;
    for (const char c : name_buffer_text(HOSTTEXT.ENTRYTEXT.size())) {
        if (c == '\0') break;  // a C host's text ends at its NUL
        // A line break or other control character would break the line
        // structure of the scheme directory file the name is saved in.
        text += std::iscntrl(static_cast<unsigned char>(c)) ? ' ' : c;
    }
    HOSTTEXT.ENTRYTEXT = text;
}

void restore_name_buffer() {
    BLK27A = BLK27A_t{};
    const std::string_view text = HOSTTEXT.ENTRYTEXT.view();
    MATNAME = text.substr(0, MATNAME.size());
    TEXTLINE = text.substr(MATNAME.size());
}

void clear_name_buffer() { BLK27A = BLK27A_t{}; }

}  // namespace mavo
