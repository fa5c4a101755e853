// The scheme results file: what a later call needs to show, chart, cost or
// combine a scheme's results without simulating it again. KEEP1 writes it
// after a simulation; FIND1 reads it at the start of a run, adding up the
// members of a combination of zones; FINDFLAG reads a member's run flags
// and the days it covers from its input file so that members of different
// run lengths or periods are not added together.
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "blocks/block_word.h"
#include "blocks/blocks.h"
#include "front/paths.h"
#include "front/record_files.h"
#include "front/scheme_numbers.h"
#include "front/trace.h"
#include "front/units.h"
#include "project/library.h"
#include "project/project.h"
#include "project/record_walk.h"
#include "project/scheme_file_names.h"
#include "project/scheme_files.h"

namespace mavo {
namespace {

constexpr INTEGER kResultsRevision = 11;
constexpr INTEGER kResultsSecondWord = 46952;
constexpr INTEGER kOldInputStamp = 5200;  // input files before it carry no stamp

// How a value read for a member of a combination enters its field.
enum class Take { Replace, Add, AreaWeighted };

// The initial values of the blocks the results file carries, for a file
// rebuilt from nothing: a field the walk names is set from a fresh instance
// of its block.
class InitialValues {
public:
    InitialValues() {
        add(BLK17);
        add(BLK25);
        add(BLK33A);
        add(BLK33B);
        add(BLK33C);
        add(BLK33D);
        add(BLK33E);
        add(BLK33P);
        add(BLK34);
        add(BLK34A);
        add(BLK34B);
        add(BLK34C);
        add(BLK44A);
        add(BLK44B);
        add(BLK53);
    }
    template <class T>
    void restore(T& field) const {
        const std::uintptr_t at = reinterpret_cast<std::uintptr_t>(&field);
        for (const Image& i : images_) {
            if (at < i.live || at + sizeof(T) > i.live + i.fresh.size()) continue;
            std::memcpy(static_cast<void*>(&field), i.fresh.data() + (at - i.live), sizeof(T));
            return;
        }
    }

private:
    struct Image {
        std::uintptr_t live;
        std::vector<unsigned char> fresh;
    };
    template <class Block>
    void add(const Block& live) {
        // Some blocks are too large for a temporary on the stack.
        const auto fresh = std::make_unique<Block>();
        Image i{reinterpret_cast<std::uintptr_t>(&live), std::vector<unsigned char>(sizeof(Block))};
        std::memcpy(i.fresh.data(), static_cast<const void*>(fresh.get()), sizeof(Block));
        images_.push_back(std::move(i));
    }
    std::vector<Image> images_;
};

struct ResultsWalk {
    RecordWalk& w;
    INTEGER revision;
    bool member = false;  // reading one member of a combination
    REAL weight = 1.0f;   // the member's share of the combination's floor area
    const InitialValues* initial = nullptr;  // rebuilding: no file, every field to its initial value

    bool resetting() const { return initial != nullptr; }
    bool reading() const { return !resetting() && w.reading(); }
    bool has(INTEGER gate) const { return revision >= gate; }

    // A real field; `combined` says how a member's value enters it,
    // `single` how a single file's value does.
    void real(REAL& field, Take combined = Take::Replace, Take single = Take::Replace) {
        if (resetting()) return initial->restore(field);
        if (w.writing()) {
            w.real(field);
            return;
        }
        REAL v = 0.0f;
        w.real(v);
        switch (member ? combined : single) {
            case Take::Replace: field = v; break;
            case Take::Add: field += v; break;
            case Take::AreaWeighted: field += v * weight; break;
        }
    }
    void int4(INTEGER& field) {
        if (resetting()) return initial->restore(field);
        w.int4(field);
    }
    // A two-byte field the file keeps as a 4-byte integer.
    void int2_as_int4(INTEGER2& field) {
        if (resetting()) return initial->restore(field);
        INTEGER v = field;
        w.int4(v);
        if (w.reading()) field = static_cast<INTEGER2>(v);
    }
    void spare_real(REAL written) {
        if (!resetting()) w.spare_real(written);
    }
    // A (24,12) array, month by month with the hour fastest.
    void hourly(FArray<REAL, 24, 12>& a, Take combined, Take single = Take::Replace) {
        for (INTEGER m = 1; m <= 12; ++m)
            for (INTEGER h = 1; h <= 24; ++h) real(a(h, m), combined, single);
    }
};

void section_hourly(ResultsWalk& r) {
    for (INTEGER m = 1; m <= 12; ++m)
        for (INTEGER h = 1; h <= 24; ++h) {
            for (INTEGER c = 1; c <= 17; ++c) r.real(HEAT(c, h, m), Take::Add);
            r.real(OATEMP(h, m), Take::Replace);
            r.real(STORED(h, m), Take::Add);
            r.real(AIRVOL(h, m), Take::AreaWeighted);
            r.real(HVACLD(h, m), Take::Add);
            r.real(KWHRFA(h, m), Take::Add);
            r.real(COSTFUEL(h, m), Take::Add);
            r.real(COSTEL(h, m), Take::Add);
        }
}

void section_bar_chart(ResultsWalk& r) {
    for (int i = 1; i <= 17; ++i)
        for (int word : {2 * i - 1, 2 * i, 34 + i, 51 + i, 68 + i}) r.real(block_word<REAL>(BLK25, word));
    for (int word : {86, 87, 88}) r.real(block_word<REAL>(BLK25, word));
}

// A climate-zone number stands without a city digit; a negative zip code
// marks a scheme on an EPW weather file.
void after_zip_code_read() {
    if (ZIPCODE >= 1.0f && ZIPCODE <= 19.9f) ZIPCODE = std::trunc(ZIPCODE);
    NFLAG(37) = !(ZIPCODE <= -1.0f);
}

// A scheme without a fuel tariff heats with what its electric choice says.
void fuel_type_of_tariff_choice() {
    if (!has_scheme_column(IDNUM1) || STRATEGY(3, IDNUM1) != 0.0f) return;
    if (STRATEGY(1, IDNUM1) >= 1.0f) FUELTYPE = 4.0f;
    else if (STRATEGY(1, IDNUM1) == 0.0f) FUELTYPE = 0.0f;
}

// The site words a results file carries: zip code, climate zone and the gas
// tariff in force (words 1 to 16 of the site block), with the weather
// source the zip code gives.
struct ResultsSite {
    std::array<std::byte, offsetof(BLK33A_t, FUELTYPE)> words{};
    LOGICAL by_zip{};
};
static_assert(offsetof(BLK33A_t, FUELTYPE) == 16 * 4);

ResultsSite results_site() {
    ResultsSite s;
    std::memcpy(s.words.data(), &BLK33A, s.words.size());
    s.by_zip = NFLAG(37);
    return s;
}

void put_results_site(const ResultsSite& s) {
    std::memcpy(&BLK33A, s.words.data(), s.words.size());
    NFLAG(37) = s.by_zip;
}

// Everything of a bill a results file carries: the site words with the
// gas tariff in force, the fuel and its prices, the gas working set and
// the electric tariff words (the user's revised rates where the scheme
// keeps them). The year's sums in these blocks are made again by each bill.
struct ResultsTariffs {
    BLK33A_t site{};
    LOGICAL by_zip{};
    BLK33B_t gas{};
    BLK33C_t electric{};
    BLK33D_t seasons{};
    BLK33E_t tiers{};
};

ResultsTariffs results_tariffs() { return {BLK33A, NFLAG(37), BLK33B, BLK33C, BLK33D, BLK33E}; }

void put_results_tariffs(const ResultsTariffs& t) {
    BLK33A = t.site;
    NFLAG(37) = t.by_zip;
    BLK33B = t.gas;
    BLK33C = t.electric;
    BLK33D = t.seasons;
    BLK33E = t.tiers;
}

void section_site(ResultsWalk& r) {
    r.real(ZIPCODE);
    if (r.reading()) after_zip_code_read();
    r.int4(CECZONE);
    r.int4(BLK33A.GASYEAR);
    r.int4(BLK33A.ZIPFIELD5);
    r.int4(GRATEZONE);
    for (int word = 6; word <= 14; ++word) r.real(block_word<REAL>(BLK33A, word));
    r.int4(BLK33A.GWINMON1);
    r.int4(BLK33A.GWINMON2);
}

void section_gas_working_set(ResultsWalk& r) {
    r.real(BLK33B.FUELBTU);
    r.real(BLK33B.GBASEW);
    r.int4(BLK33B.GDAYSW);
    for (int word = 4; word <= 9; ++word) r.real(block_word<REAL>(BLK33B, word));
    r.int4(BLK33B.GDAYSS);
    for (int word = 11; word <= 15; ++word) r.real(block_word<REAL>(BLK33B, word));
    r.spare_real(0.0f);
}

void section_electric(ResultsWalk& r) {
    for (int word = 1; word <= 4; ++word) r.int4(block_word<INTEGER>(BLK33C, word));
    for (int word = 5; word <= 13; ++word) r.real(block_word<REAL>(BLK33C, word));
    r.real(BLK33D.ESMUDCARRYS);
    r.real(BLK33D.ESMUDCARRYW);
    // The year's electricity cost: present in every file, taken from
    // revision 3 on.
    if (r.has(3)) r.real(BLK33C.EGTOTAL);
    else r.spare_real(0.0f);
    r.real(BLK33D.ESPARED1);
    r.real(BLK33D.EBASEW);
    r.int4(BLK33D.EDAYSW);
    for (int word = 4; word <= 9; ++word) r.real(block_word<REAL>(BLK33D, word));
    r.int4(BLK33D.EDAYSS);
    for (int word = 11; word <= 15; ++word) r.real(block_word<REAL>(BLK33D, word));
    if (r.has(3))
        for (int word = 1; word <= 15; ++word) r.real(block_word<REAL>(BLK33E, word));
}

void section_charts(ResultsWalk& r) {
    r.int4(GS_NUMSCHEMES);
    r.int4(GS_NUMATTRS);
    r.int4(BLK44A.GS_OPTION1);
    r.int4(BLK44A.GS_OPTION2);
    r.int4(BLK44A.GS_WORD184);
    r.int4(GS_CHARTSET);
    for (INTEGER i = 1; i <= 9; ++i) {
        r.int4(GS_SCHEMECOLOR(i));
        r.int4(GS_SCHEMEIDS(i));
        for (INTEGER j = 1; j <= 15; ++j) r.int4(GS_SETSCHEMES(i, j));
    }
    for (INTEGER i = 1; i <= 17; ++i) {
        r.int2_as_int4(GS_ROWS(i));
        for (INTEGER j = 1; j <= 15; ++j) r.int4(GS_SETROWS(i, j));
    }
    for (INTEGER i = 1; i <= 9; ++i)
        for (INTEGER j = 1; j <= 17; ++j) r.real(GS_VALUES(i, j));
}

void section_fuel_and_tiers(ResultsWalk& r) {
    r.real(FUELTYPE);
    if (r.reading()) fuel_type_of_tariff_choice();
    r.real(BLK33A.PROPANEPRICE);
    r.real(BLK33A.OILPRICE);
    for (int word = 16; word <= 18; ++word) r.real(block_word<REAL>(BLK33E, word));
    for (int word = 18; word <= 27; ++word) r.real(block_word<REAL>(BLK33D, word));
}

// Written for the host (from the blocks themselves: carrying the code table
// is no use of its cells); a reader keeps its own tables.
void section_type_defaults(ResultsWalk& r) {
    for (REAL v : BLK21B.DVALUENR) r.spare_real(v);
    const INTEGER zone = (CECZONE >= 1 && CECZONE <= 16) ? CECZONE : 9;
    for (INTEGER row : {36, 37, 33, 38, 2}) r.spare_real(BLK21D.CECNR(row, zone));
    for (int i = 0; i < 15; ++i) r.spare_real(0.0f);
}

void walk_results(ResultsWalk& r) {
    section_hourly(r);
    section_bar_chart(r);
    section_site(r);
    section_gas_working_set(r);
    section_electric(r);
    if (r.has(4)) section_charts(r);
    if (r.has(5)) section_fuel_and_tiers(r);
    if (r.has(6)) {
        r.hourly(WHENER, Take::Add);
        r.hourly(EQKWHR, Take::Add);
        r.hourly(EQFUEL, Take::Add);
    }
    if (r.has(7)) {
        r.hourly(IATEMP, Take::AreaWeighted);
        r.hourly(PV, Take::Add);
        r.hourly(SHW, Take::Add);
        r.hourly(SITEKWHR, Take::Add);
        r.hourly(TOTALCO2, Take::Add);
    }
    if (r.has(8)) {
        r.hourly(IAVEL, Take::AreaWeighted);
        r.hourly(EFFTEMP, Take::AreaWeighted);
        r.hourly(WINDVEL, Take::AreaWeighted);
    }
    if (r.has(9))
        for (int word = 130; word <= 145; ++word) r.real(block_word<REAL>(BLK33P, word));
    if (r.has(10)) section_type_defaults(r);
    if (r.has(11)) {
        // Added in either mode: the arrays were cleared before the read.
        r.hourly(TEMPKWHR, Take::Add, Take::Add);
        r.hourly(TEMPFUEL, Take::Add, Take::Add);
    }
}

// ---- FIND1 -------------------------------------------------------------------

void clear_result_arrays() {
    HEAT.fill(0.0f);
    BLK34 = BLK34_t{};
    BLK34A = BLK34A_t{};
    BLK34B = BLK34B_t{};
    BLK34C = BLK34C_t{};
    BLK53 = BLK53_t{};
}

// A scheme's results file that is missing or cannot be read whole. Its
// results are derived data, which this run simulates again and saves
// whole: every value the file carries starts from its initial value. The
// site words it would have given come from the scheme itself: the zip code
// of its parameter column, the fuel type and prices of its input file. The
// location then counts as changed, so that the site refresh takes the
// climate zone, rate zones and tariffs from the zip-code table again.
void rebuild_results_file() {
    DBG_ERROR("FIND1: scheme HET file missing or damaged: rebuilt from initial values, saved after the simulation");
    const InitialValues initial;
    RecordWalk no_file(0, false);
    ResultsWalk r{no_file, kResultsRevision, false, 1.0f, &initial};
    walk_results(r);
    if (has_scheme_column(IDNUM1)) ZIPCODE = STRATEGY(4, IDNUM1);
    after_zip_code_read();
    if (FIND2_STATE.FOUND) {
        FUELTYPE = FIND2_STATE.FUELTYPE;
        BLK33A.PROPANEPRICE = FIND2_STATE.PROPANEPRICE;
        BLK33A.OILPRICE = FIND2_STATE.OILPRICE;
    }
    fuel_type_of_tariff_choice();
    mark_location_changed();
}

// Reads the results file of slot `ndigit` into the blocks. A scheme's own
// file (slots 1 to 10, which the run saves again) is rebuilt when it cannot
// be read whole; a member of a combination, or a library scheme, cannot be.
void read_results_file(INTEGER ndigit, bool member, REAL weight) {
    const INTEGER unit = BLK0B.DISKHET;
    // An unformatted file has no header: it is of the writer's revision.
    INTEGER id1 = IO_GETWORD4(5, 0, 3, kResultsRevision), id2 = 0, ierr = 1;
    const bool rebuildable = !member && ndigit >= 1 && ndigit <= 10;
    if (build_scheme_read_path(SchemeFile::Results, ndigit)) {
        if (rebuildable) record_load_rebuildable(unit);
        IO_OPEN(unit, 1, id1, id2, PATHTOFILE.view(), ierr);
    }
    if (ierr != 0 && !rebuildable) DBG_CRASH("FIND1: Unable to open scheme HET file");
    if (ierr == 0) {
        RecordWalk w(unit, true);
        ResultsWalk r{w, IO_GETMSB4(id1), member, weight};
        walk_results(r);
        IO_CLOSE(unit, ierr);
    }
    if (rebuildable && (ierr != 0 || record_load(unit) != RecordLoad::Whole)) rebuild_results_file();
}

// Members of different run lengths or data sources: leave what was read
// and tell the caller by ITEMY and NFLAG(70).
void climate_mismatch(bool opened, INTEGER ndigit, INTEGER entry_id) {
    DBG_PRINT("ERROR: CLIMATE MIS-MATCH");
    if (!opened && IDNUM1 <= 9) {
        NFLAG(70) = true;
        IDNUM1 = (ndigit >= 1 && ndigit <= 9) ? ndigit : entry_id;
        NFLAG(33) = false;
        NFLAG(34) = false;
        ITEMY = 42;
    } else if (opened && IDNUM2 <= 0) {
        NFLAG(70) = true;
        MATNAME = std::string("eras") + std::string(MATNAME.view().substr(4));
        ITEMY = 32;
    } else {
        NFLAG(33) = false;
        IDNUM2 = 0;
        ITEMY = 32;
        NFLAG(70) = false;
    }
    INTEGER ierr = 0;
    IO_REWIND(BLK0B.DISKHET, ierr);
    IO_CLOSE(BLK0B.DISKHET, ierr);
}

bool run_flags_differ() { return NFLAG(53) || (NFLAG(55) && NFLAG(56)); }

// Reads the run flags of member `ndigit` after the members before it; true
// when its results cannot be added to theirs (another run length or data
// source). The first member fixes the run length.
bool member_mismatched(INTEGER ndigit, bool first) {
    NFLAG(53) = false;
    NFLAG(55) = false;
    NFLAG(56) = false;
    FINDFLAG(ndigit);
    if (first) NFLAG(53) = false;
    return run_flags_differ();
}

// Sum of the floor areas of the members that hold results: the whole of a
// combination's area shares.
REAL member_area_sum(INTEGER combination) {
    REAL sum = 0.0f;
    INTEGER rest = combination, digit = 0, npow = 0;
    while (rest > 0) {
        STRIPR(rest, digit, npow);
        if (member_holds_results(digit)) sum += SUMARY(1, digit);
    }
    return sum;
}

// The combination's floor area goes where its results go: a multi-zone
// scheme's own column, or the column of the line holding a combination
// number (9 + line).
void store_combination_area(REAL area) {
    AREAT = area;
    if (is_scheme_slot(IDNUM1)) {
        STRATEGY(8, IDNUM1) = area;
        SUMARY(1, IDNUM1) = area;
    } else if (const INTEGER line = combination_line(IDNUM1); line > 0) {
        SUMARY(1, 9 + line) = area;
    }
}

// Reads and adds the members named by the digits of `combination`.
void read_combination(INTEGER combination, INTEGER entry_id) {
    NFLAG(34) = true;
    REAL area_total = 0.0f;
    store_combination_area(0.0f);
    // Area shares of the members: each member's own floor area over their
    // sum. Not the back copies in columns 10 to 18, which are also the
    // lines' result columns: a line in use would lend its summed area.
    const REAL whole = member_area_sum(combination);
    INTEGER idtemp = combination, ndigit = 0, npow = 0;
    bool opened = false;
    // The combination stands at the site of the member that serves it, the
    // first with results, and is billed on that member's tariffs, its
    // revised rates where it keeps them: each member's file gives its own
    // site and rates, and the last one's, mixed with the serving member's
    // zip code, would name a climate zone neither is in, or bill the line
    // on another member's words.
    ResultsTariffs serving_tariffs;
    while (idtemp > 0) {
        STRIPR(idtemp, ndigit, npow);
        if (ndigit < 1 || ndigit > 9) {
            NFLAG(53) = NFLAG(55) = NFLAG(56) = false;
            continue;
        }
        if (!member_holds_results(ndigit)) continue;
        area_total += SUMARY(1, ndigit);
        AREAT = SUMARY(1, ndigit);
        if (member_mismatched(ndigit, !opened)) {
            // A line's column holds its members' results added up, or
            // none: not the sums of an earlier reading, nor part of these.
            if (const INTEGER line = combination_line(combination); combination >= 11 && line > 0)
                clear_line_column(line);
            climate_mismatch(opened, ndigit, entry_id);
            return;
        }
        const REAL weight = whole > 0.0f ? SUMARY(1, ndigit) / whole : 0.0f;
        read_results_file(ndigit, true, weight);
        if (!opened) serving_tariffs = results_tariffs();
        opened = true;
        // The combination's floor area is the sum of its members' (not the
        // last member's alone): its per-area results, the area-weighted
        // air changes and the zone check all divide by the whole building.
        store_combination_area(area_total);
    }
    if (opened) put_results_tariffs(serving_tariffs);
}

}  // namespace

void write_results_layout(INTEGER revision) {
    const INTEGER unit = BLK0B.DISKKEEP1;
    INTEGER id1 = IO_GETWORD4(5, 0, 3, revision), id2 = kResultsSecondWord, ierr = 0;
    IO_OPEN(unit, 2, id1, id2, PATHTOFILE.view(), ierr);
    if (ierr != 0) DBG_CRASH("KEEP1: Unable to open scheme HET file");
    RecordWalk w(unit, false);
    ResultsWalk r{w, revision};
    walk_results(r);
    IO_CLOSE(unit, ierr);
    if (ierr != 0) DBG_PRINT("KEEP1: scheme HET file not saved, the old file is kept");
}

void KEEP1() {
    DBG_IN("KEEP1");
    if (build_scheme_write_path(SchemeFile::Results)) write_results_layout(kResultsRevision);
    else DBG_INT("KEEP1: no results file for scheme", IDNUM1);
    DBG_OUT("KEEP1");
}

void take_stored_site(INTEGER slot) {
    // The whole results step runs on the blocks, which are then put back:
    // only the site words are taken. Results of other days or sources,
    // which the step does not read, leave the site as it was.
    const std::optional<ResultsSite> site = taken_with_blocks_put_back([slot] {
        IDNUM1 = slot;
        NFLAG(70) = false;
        FIND1();
        return NFLAG(70) ? std::nullopt : std::optional<ResultsSite>(results_site());
    });
    if (site) put_results_site(*site);
}

void FIND1() {
    DBG_IN("FIND1");
    const INTEGER entry_id = IDNUM1;
    if (run_flags_differ()) {
        climate_mismatch(false, IDNUM1, entry_id);
        DBG_OUT("FIND1");
        return;
    }
    clear_result_arrays();
    if (IDNUM1 <= 0) {
        read_results_file(10 - IDNUM1, false, 1.0f);
    } else if (IDNUM1 == 10) {
        read_results_file(10, false, 1.0f);
    } else if (IDNUM1 >= 11) {
        // A combination number left in the scheme slot: its members are its
        // own digits.
        read_combination(IDNUM1, entry_id);
    } else if (STRATEGY(26, IDNUM1) <= 1.0f) {
        read_results_file(IDNUM1, false, 1.0f);
    } else {
        read_combination(NCOMBO(IDNUM1), entry_id);
    }
    DBG_OUT("FIND1");
}

bool members_add_up(INTEGER combination) {
    // Reading the members' flags sets the run's own: they are put back.
    const LOGICAL saved[] = {NFLAG(37), NFLAG(38), NFLAG(53), NFLAG(55), NFLAG(56)};
    bool add_up = true;
    INTEGER rest = combination, digit = 0, npow = 0;
    for (bool first = true; rest > 0 && add_up;) {
        STRIPR(rest, digit, npow);
        if (!member_holds_results(digit)) continue;
        add_up = !member_mismatched(digit, first);
        first = false;
    }
    NFLAG(37) = saved[0];
    NFLAG(38) = saved[1];
    NFLAG(53) = saved[2];
    NFLAG(55) = saved[3];
    NFLAG(56) = saved[4];
    return add_up;
}

void FINDFLAG(INTEGER N) {
    DBG_IN("FINDFLAG");
    const INTEGER slot = N == 0 ? 10 : N;
    BLK1B.DATSTAMP = 0;
    if (slot < 1 || slot > 10 || !build_scheme_read_path(SchemeFile::Input, slot)) {
        DBG_INT("FINDFLAG: no input file for scheme", N);
        DBG_OUT("FINDFLAG");
        return;
    }
    const INTEGER unit = BLK0B.DISKFLAG;
    INTEGER id1 = 0, id2 = 0, ierr = 0;
    IO_OPEN(unit, 1, id1, id2, PATHTOFILE.view(), ierr);
    if (ierr != 0) DBG_CRASH("FINDFLAG: Unable to open scheme DAT file");
    RecordWalk w(unit, true);
    FString<4> title_word;
    INTEGER stamp = 0, locate = 0;
    auto titles = [&] {
        for (int i = 0; i < 18; ++i) w.text(title_word);
    };
    // The first 179 words of the building description hold the day flags
    // of the months the scheme runs (words 155 to 166).
    FArray<INTEGER, 12> day_flags{};
    auto description = [&] {
        for (int i = 0; i < 154; ++i) w.spare_real(0.0f);
        for (INTEGER& flag : day_flags) w.int4(flag);
        for (int i = 0; i < 13; ++i) w.spare_real(0.0f);
    };
    titles();
    w.int4(stamp);
    w.int4(locate);
    description();
    if (stamp < kOldInputStamp) {
        // An input file from before the stamp: the same layout without it.
        IO_REWIND(unit, ierr);
        titles();
        w.int4(locate);
        description();
    }
    for (int i = 0; i < 260 + 240; ++i) w.spare_real(0.0f);
    FArray<LOGICAL, 50> NNFLAG{};
    const INTEGER errors_before_flags = record_read_errors(unit);
    for (LOGICAL& f : NNFLAG) w.logical(f);
    // An unformatted file that ends before its flags changes none.
    if (READMODE == 1 && record_read_errors(unit) != errors_before_flags) {
        IO_REWIND(unit, ierr);
        IO_CLOSE(unit, ierr);
        DBG_OUT("FINDFLAG");
        return;
    }
    // The representative days follow the flags, month and day of each.
    FArray<INTEGER, 12> day_months{}, days{};
    for (INTEGER n = 1; n <= 12; ++n) {
        w.int4(day_months(n));
        w.int4(days(n));
    }
    if (bool(NFLAG(38)) != bool(NNFLAG(38))) NFLAG(53) = true;
    // Other days than the member before, another choice of months or
    // twelve days from another first day, are another period too.
    for (INTEGER m = 1; m <= 12; ++m) {
        const bool simulated = day_flags(m) >= 0;
        if (simulated != bool(FINDFLAG_STATE.MONTHS(m))) NFLAG(53) = true;
        FINDFLAG_STATE.MONTHS(m) = simulated;
    }
    const INTEGER first_month = NNFLAG(38) ? 0 : day_months(1), first_day = NNFLAG(38) ? 0 : days(1);
    if (first_month != FINDFLAG_STATE.FIRSTMONTH || first_day != FINDFLAG_STATE.FIRSTDAY) NFLAG(53) = true;
    FINDFLAG_STATE.FIRSTMONTH = first_month;
    FINDFLAG_STATE.FIRSTDAY = first_day;
    NFLAG(38) = NNFLAG(38);
    NFLAG(37) = NNFLAG(37);
    if (NNFLAG(35)) NFLAG(55) = true;
    else NFLAG(56) = true;
    IO_REWIND(unit, ierr);
    IO_CLOSE(unit, ierr);
    DBG_OUT("FINDFLAG");
}

}  // namespace mavo
