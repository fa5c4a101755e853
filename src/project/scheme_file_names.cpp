#include "project/scheme_file_names.h"

#include <string_view>

#include "blocks/run_control.h"
#include "front/paths.h"
#include "support/fstring.h"

namespace mavo {
namespace {

constexpr INTEGER kProjectDirectory = 2;
constexpr INTEGER kUtilityDirectory = 5;

// Base names of the readers, by slot 1 to 13.
constexpr std::string_view PJFILE[13] = {"scheme1", "scheme2", "scheme3", "scheme4", "scheme5",
                                         "scheme6", "scheme7", "scheme8", "scheme9", "scheme0",
                                         "schem01", "schem02", "schem03"};

// Suffix of a file kind in record form 1, 2 or 3; empty when the form has
// no file of that kind.
std::string_view suffix_of(SchemeFile kind, INTEGER form) {
    static constexpr std::string_view input[3] = {".dat", "f.dat", "b.dat"};
    static constexpr std::string_view results[3] = {".het", "f.het", "b.het"};
    static constexpr std::string_view copy[3] = {"", "f.bfr", "b.bfr"};
    if (form < 1 || form > 3) return {};
    switch (kind) {
        case SchemeFile::Input: return input[form - 1];
        case SchemeFile::Results: return results[form - 1];
        case SchemeFile::InputCopy: return copy[form - 1];
    }
    return {};
}

void build(INTEGER slot, SchemeFile kind, INTEGER form, INTEGER directory) {
    FString<255> FILENM = PJFILE[slot - 1];
    const std::string_view suffix = suffix_of(kind, form);
    DIR_CONCAT_STRING(FILENM, suffix, static_cast<INTEGER2>(suffix.size()));
    DIR_BUILDPATH(directory, FILENM.view());
}

}  // namespace

bool build_scheme_read_path(SchemeFile kind) { return build_scheme_read_path(kind, IDNUM1); }

bool build_scheme_read_path(SchemeFile kind, INTEGER id) {
    // 0 and the library slots -1 to -3 follow the nine design slots.
    const INTEGER slot = id >= 1 ? id : 10 - id;
    if (slot < 1 || slot > 13) return false;
    // The default scheme's input and the library schemes come with the
    // utility directory; the default scheme's results belong to the project.
    const INTEGER first_utility_slot = kind == SchemeFile::Results ? 11 : 10;
    build(slot, kind, READMODE, slot >= first_utility_slot ? kUtilityDirectory : kProjectDirectory);
    return true;
}

bool build_scheme_write_path(SchemeFile kind) {
    INTEGER slot = IDNUM1;
    if (slot == 0 && kind == SchemeFile::Results) slot = 10;
    if (slot < 1 || slot > 10) return false;
    if (kind == SchemeFile::InputCopy && WRITEMODE == 1) return false;
    build(slot, kind, WRITEMODE, kProjectDirectory);
    return true;
}

}  // namespace mavo
