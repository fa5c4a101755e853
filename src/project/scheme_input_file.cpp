// The scheme input file: the whole building description of one scheme.
// FIND2 reads it into the blocks at the start of a run, KEEP2 writes it back
// after a simulation. One walk over the records serves both; the reader's
// corrections of older data sit beside the records they correct.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "blocks/block_word.h"
#include "blocks/blocks.h"
#include "front/paths.h"
#include "front/record_files.h"
#include "front/trace.h"
#include "front/units.h"
#include "physics/weather_file.h"
#include "project/project.h"
#include "project/record_walk.h"
#include "project/revision.h"
#include "project/scheme_file_names.h"
#include "project/scheme_files.h"
#include "support/numeric.h"

namespace mavo {
namespace {

constexpr INTEGER kInputRevision = 19;
constexpr INTEGER kInputSecondWord = 42956;
constexpr INTEGER kCurrentStamp = 5700;  // files from this stamp on carry the gated groups
constexpr REAL kBtuhPerWatt = 3.412f;    // SEER = COP x 3.412
constexpr REAL kWattsPerHorsepower = 746.0f;

// The cooling efficiency word holds SEER; a value of 5.9 or less is a COP
// that an older program generation stored as it was.
REAL cop_of_stored_seer(REAL seer) { return seer > 5.9f ? seer / kBtuhPerWatt : seer; }

// State of one walk over the file.
struct InputWalk {
    RecordWalk& w;
    INTEGER revision;                  // revision of the file (the writer's own when writing)
    bool nflag69 = false;              // decided while reading the heating efficiency
    FArray<REAL, 3, 24> sched_held{};  // day schedule as read, kept or dropped afterwards

    bool reading() const { return w.reading(); }
    // A gated group belongs to files of its revision and of the current
    // stamp; the writer of the current layout writes every group.
    bool gated(INTEGER rev) const { return revision >= rev && BLK1B.DATSTAMP >= kCurrentStamp; }
};

// Texts the file keeps as 4-character records (the title lines, the mass
// labels).
void words4(RecordWalk& w, char* text, int nwords) {
    for (int i = 0; i < nwords; ++i) {
        FString<4> part(std::string_view(text + 4 * i, 4));
        w.text(part);
        if (w.reading()) std::memcpy(text + 4 * i, part.c, 4);
    }
}

// An integer carried as a real: truncated on reading.
void int_as_real(RecordWalk& w, INTEGER& value) {
    REAL v = static_cast<REAL>(value);
    w.real(v);
    if (w.reading()) value = int_toward_zero(v);
}

void fillers(RecordWalk& w, int n) {
    for (int i = 0; i < n; ++i) w.spare_text(AADISK_STATE.FILLER);
}

template <class T>
void slots4(RecordWalk& w, FArray<T, 4>& field) {
    for (INTEGER s = 1; s <= 4; ++s) w.value(field(s));
}

// Four slots of a field that starts at a BLK50 word.
template <class T>
void slots_at(RecordWalk& w, int first_word) {
    for (int s = 0; s < 4; ++s) w.value(block_word<T>(BLK50, first_word + s));
}

// ---- main body --------------------------------------------------------------

void window_line_traces(bool reading, INTEGER j) {
    if (j > 13 || QTY(j) <= 0.0f) return;
    if (reading) {
        DBG_INT("j=window/door number in FIND2 638", j);
        DBG_FLOAT("facing(j) at 638", FACING(j));
        DBG_FLOAT("Uwindo(j) read in Find2 at 638", UWINDO(j));
        DBG_FLOAT("Trans(j) read in Find2 at 638", TRANS(j));
    } else {
        DBG_INT("j line number 1to13 in KEEP2 718", j);
        DBG_INT("ITEMS(j) Window/Door faces in KEEP2", ITEMS(j));
        DBG_INT("IPOINT(j) written on line 1 at 718", IPOINT(j));
        DBG_FLOAT("  Qty(j) in KEEP2 at 718", QTY(j));
        DBG_FLOAT("    Uwindo(j) in KEEP2 at 718", UWINDO(j));
        DBG_FLOAT("    Trans(j) in KEEP2 at 718", TRANS(j));
        DBG_FLOAT("    SCOEF(j) in KEEP2 at 718", SCOEF(j));
    }
}

void window_lines(InputWalk& in) {
    RecordWalk& w = in.w;
    for (INTEGER j = 1; j <= 25; ++j) {
        w.real(FACING(j));
        w.real(FINLDEP(j));
        w.real(FINLDIS(j));
        w.real(FINRDEP(j));
        w.real(FINRDIS(j));
        w.real(GROUND(j));
        w.real(HEAD(j));
        w.int4(ITEMS(j));
        w.real(OHANGD(j));
        w.real(OHANGDIS(j));
        w.real(QTY(j));
        w.real(RNIGHT(j));
        w.real(SCOEF(j));
        w.real(SILL(j));
        w.real(SKY(j));
        w.real(TILT(j));
        w.real(TRANS(j));
        w.real(UWINDO(j));
        w.real(WIDTH(j));
        w.int4(IPOINT(j));
        window_line_traces(in.reading(), j);
    }
}

// Floor type of the scheme: a slab (6, 7) has no floor area; other simple
// floor types have no slab perimeter. A dwelling's floor type without a
// kind is read as the type of the floor items the file holds (read whole,
// the building mode among them), not of what this trim would leave of
// them: 0 over a slab would cut the slab's edge away.
void floor_area_corrections() {
    if (!has_scheme_column(IDNUM1)) return;
    const REAL floor_type = floor_type_read_as(STRATEGY(33, IDNUM1));
    if (floor_type == 6.0f || floor_type == 7.0f || floor_type == -6.0f || floor_type == -7.0f) {
        AREA(11) = 0.0f;
        PERCNT(11) = 0.0f;
    } else if (floor_type > -10.0f && floor_type < 10.0f) {
        AREA(12) = 0.0f;
        PERCNT(12) = 0.0f;
    }
}

void trace_roof_and_mode() {
    DBG_PRINT(NFLAG(4) ? "nflag(4)=T=Sloped Roof  642" : "nflag(4)=F=Flat Roof 642");
    DBG_PRINT(NFLAG(24) ? "nflag(24)=T KORVA  644" : "nflag(24)=F MAVO 644");
    if (has_scheme_column(IDNUM1)) {
        const REAL roof = STRATEGY(32, IDNUM1);
        const bool flat = roof == 2.0f || roof == 3.0f || roof == 11.0f || roof == 12.0f;
        DBG_FLOAT(flat ? "Strategy(32, flat roof FIND2" : "Strategy(32, sloped roof FIND2", roof);
    }
}

// The simulated period: a first day and month of a twelve-day run, or the
// whole year.
void representative_days() {
    if (TMYDAY > 31) TMYDAY = 1;
    // A month outside the calendar, or no first day (0, or a day before the
    // first), asks for the whole year.
    if (TMYMON < 1 || TMYMON > 12) TMYDAY = 0;
    if (TMYMON < 1 || TMYMON > 12 || TMYDAY <= 0) {
        TMYDAY = 0;
        NFLAG(38) = true;
        TMYMON = 0;
    }
    DBG_INT("TMYDAY read in FIND1 at 678", TMYDAY);
    DBG_INT("TMYMON read in FIND1 at 679", TMYMON);
    if (TMYDAY > 0 && TMYMON > 0) {
        NFLAG(38) = false;
        // A first day the month does not have (29 February: every weather
        // year is read as 365 days; 31 April) is that many days into the
        // next month, where the run starts: that day is the one stored.
        if (TMYMON < 12 && TMYDAY > MODAYS(TMYMON)) {
            DBG_INT("twelve days start in the next month: first day asked for", TMYDAY);
            TMYDAY -= MODAYS(TMYMON);
            ++TMYMON;
        }
        // The weather file holds one year: twelve days asked to start after
        // 20 December run the twelve that end on 31 December, and their
        // first day is the one stored.
        const INTEGER latest_first_day = MODAYS(12) - weather::kRepresentativeDays + 1;
        if (TMYMON == 12 && TMYDAY > latest_first_day) {
            DBG_INT("twelve days end on 31 December: first day asked for", TMYDAY);
            TMYDAY = latest_first_day;
        }
        // Twelve consecutive days, on into the next month where they run
        // past this one's end.
        const INTEGER days_in_month = MODAYS(TMYMON);
        for (INTEGER k = 0; k < weather::kRepresentativeDays; ++k) {
            const INTEGER d = TMYDAY + k;
            if (d <= days_in_month) {
                TDAY(k + 1) = d;
                TMON(k + 1) = TMYMON;
            } else {
                TDAY(k + 1) = d - days_in_month;
                TMON(k + 1) = TMYMON + 1;
            }
        }
    }
}

void hvac_parameters(InputWalk& in) {
    RecordWalk& w = in.w;
    w.real(NHVACS);
    w.real(FACFM);
    w.real(ACHMAX);
    w.real(ECMOTD);
    w.real(SETBKU);
    w.real(SETBKN);
    w.real(SETUPU);
    w.real(LATENT);
    // Cooling efficiency as SEER; older files stored the COP itself.
    REAL seer = COPAC * kBtuhPerWatt;
    w.real(seer);
    if (in.reading()) {
        COPAC = cop_of_stored_seer(seer);
    } else {
        DBG_FLOAT("SEER written in KEEP2 915", seer);
        DBG_FLOAT("COPAC after write in KEEP2 915", COPAC);
    }
    // Heating efficiency: a value from 1.0 to 3.4 comes from the previous
    // program generation, which stored heat-pump efficiency as a COP.
    REAL heating = COPHT;
    if (!in.reading()) {
        if (NFLAG(69)) DBG_PRINT("ERROR nflag(69)=T data input from MAVO-2 in KEEP2");
        if (NFLAG(69) && COPHT >= 1.0f) heating = COPHT / kBtuhPerWatt;
    }
    w.real(heating);
    if (in.reading()) {
        in.nflag69 = heating >= 1.0f && heating <= 3.4f;
        COPHT = in.nflag69 ? heating * kBtuhPerWatt : heating;
        NFLAG(69) = in.nflag69;
    }
    w.real(PBTUHL);
}

void main_body(InputWalk& in) {
    RecordWalk& w = in.w;
    words4(w, TITLE1.c, 6);
    words4(w, TITLE2.c, 6);
    words4(w, TITLE3.c, 6);
    w.int4(BLK1B.DATSTAMP);
    w.int4(LOCATE);
    if (!in.reading()) DBG_INT("locate out in KEEP2 541", LOCATE);
    int_as_real(w, FIELDCODE);
    if (!in.reading()) DBG_INT("xcode out in KEEP2 542", FIELDCODE);
    w.real(BLK6.DATWORD1);
    w.real(EWDIM);
    w.real(NSDIM);
    w.real(SFACES);
    w.real(FLTOFL);
    w.real(FLTOCE);
    w.real(FLOORS);
    if (!in.reading()) DBG_FLOAT("floors out in KEEP2 543", FLOORS);
    w.real(GRNDREF);
    w.real(AREAT);
    w.real(COMLOW);
    w.real(COMHI);
    w.real(RAX);
    w.real(VOLUME);
    if (in.reading() && is_scheme_slot(IDNUM1) && AREAT < 0.0001f) AREAT = 1.0f;
    for (INTEGER i = 1; i <= 12; ++i) {
        w.real(AREA(i));
        w.real(PERCNT(i));
        if (i == 11 && !in.reading() && SUSPFLOOR.FLOORSLOT == IDNUM1 && UVAL(11) == 0.0f && SUSPFLOOR.FLOORUKEPT > 0.0f) {
            REAL floor_own_u = SUSPFLOOR.FLOORUKEPT;  // losses suspended by under-floor code 1
            w.real(floor_own_u);
        } else {
            w.real(UVAL(i));
        }
        w.real(ABSORB(i));
        w.real(TMLAG(i));
        w.real(DECR(i));
        w.real(SC(i));
        w.real(HO(i));
    }
    if (!in.reading()) DBG_FLOAT("Area(12) slab 715 in KEEP2", AREA(12));
    for (REAL* v : {&AIRCHG, &PBTUH, &PAREA, &PEOPLE, &TOLOAD, &HRPEOPON, &HRPEOPOFF, &LIGHTS, &TLLOAD,
                    &HRLITEON, &HRLITEOFF, &EQPT, &TELOAD, &HREQPTON, &HREQPTOFF})
        w.real(*v);
    w.real(DESMAX);
    w.real(DESMIN);
    for (INTEGER m = 1; m <= 12; ++m) {
        w.real(TMAX(m));
        w.real(TMIN(m));
    }
    w.real(SLAT);
    w.real(HDD);
    w.real(BLK8.CARRIED(1));
    for (INTEGER m = 1; m <= 12; ++m) w.int4(DAYFLAG(m));
    for (INTEGER i = 2; i <= 14; ++i) w.real(BLK8.CARRIED(i));
    window_lines(in);
    if (!in.reading()) {
        // Rate and location changes are taken in by the run that saves them.
        // A move's save drops the user's revised rates with its mark, also
        // where the run stopped before its bills (fuels that do not suit the
        // new site): kept, they came back on the next run, or in a copy.
        NFLAG(26) = false;
        NFLAG(29) = false;
        if (NFLAG(81)) DBG_PRINT("Nflag(81) reset False KEEP2");
        forget_user_rates_after_move();
        NFLAG(81) = false;
    }
    for (INTEGER i = 1; i <= 50; ++i) w.logical(NFLAG(i));
    if (in.reading()) trace_roof_and_mode();
    for (INTEGER m = 1; m <= 12; ++m) {
        w.int4(TMON(m));
        w.int4(TDAY(m));
    }
    w.int4(ITEMY);
    for (int i = 0; i < 4; ++i) w.spare_real(0.0f);
    for (INTEGER h = 1; h <= 24; ++h) {
        w.real(ALT(h));
        w.real(AZI(h));
        for (INTEGER f = 1; f <= 5; ++f) w.real(ANGINC(h, f));
    }
    for (INTEGER h = 1; h <= 24; ++h)
        for (INTEGER f = 1; f <= 5; ++f) w.real(SATEMS(h, f));
    for (INTEGER f = 1; f <= 5; ++f) w.real(AVSOL(f));
    for (INTEGER r = 1; r <= 3; ++r)
        for (INTEGER h = 1; h <= 24; ++h) {
            in.sched_held(r, h) = SCHED(r, h);
            w.real(in.sched_held(r, h));
        }
    // The stored day schedule replaces the built-in one only for the
    // user's own schemes, and not for the ventilation test case; the others
    // start from the built-in one, not from the stored schedule of another
    // scheme read earlier in the call (a library command reads several).
    if (in.reading()) SCHED = (!NFLAG(46) && IDNUM1 >= 3) ? in.sched_held : initial_day_schedule();
    w.int4(TMYDAY);
    w.int4(TMYMON);
    w.int4(EXPDAY);
    w.int4(EXPMON);
    if (in.reading()) representative_days();
    w.real(BLK33.FLATWORD1);
    for (int i = 0; i < 5; ++i) w.spare_real(0.0f);
    for (INTEGER i = 1; i <= 4; ++i) w.real(BLK33.FLATWORDS7_10(i));
    hvac_parameters(in);
    for (INTEGER j = 1; j <= 25; ++j) {
        w.real(LINEXTRA1(j));
        w.real(LINEXTRA2(j));
    }
    for (INTEGER i = 1; i <= 7; ++i)
        for (INTEGER j = 1; j <= 16; ++j) w.real(POLLUTE(i, j));
    for (int i = 0; i < 4; ++i) w.spare_real(-9999.99f);
    for (INTEGER i = 1; i <= 13; ++i) w.text(POLLTEXT1(i));
    for (INTEGER i = 1; i <= 12; ++i) w.text(BLK41A.POLLTEXT2(i));
    w.real(SLON);
    w.real(ALTITUDE);
    for (REAL* v : {&PERCENTDL, &DILLUM, &REFLPCT, &WIDTHDL, &LENGTHDL, &SHADEPCT, &BLINDANGLE})
        w.real(*v);
    for (INTEGER f = 1; f <= 5; ++f) w.real(FCAVG(f));
    for (REAL* v : {&SKYFLOOR, &INTZONE, &INTZONEX, &WIDTHSLZ, &LENGTHSLZ}) w.real(*v);
    w.int4(NSKYUNITS);
    for (INTEGER k = 1; k <= 4; ++k) words4(w, MLABEL(k).c, 2);
    for (INTEGER k = 1; k <= 4; ++k) words4(w, MTUSED(k).c, 2);
    for (INTEGER k = 1; k <= 4; ++k) {
        w.real(LNTH(k));
        w.real(WDTH(k));
        w.real(THCK(k));
        w.real(DNST(k));
        w.real(SPHT(k));
        w.real(COND(k));
    }
    for (INTEGER k = 1; k <= 4; ++k) w.real(NELMNT(k));
}

// ---- gated groups -------------------------------------------------------------

void group_ventilation(InputWalk& in) {
    RecordWalk& w = in.w;
    // Fan powers once stored in horsepower per thousand cfm read as W/cfm.
    for (REAL* fan : {&wCFMhvac, &wCFMvent}) {
        w.real(*fan);
        if (in.reading() && *fan >= 11.1f) *fan = kWattsPerHorsepower / *fan;
    }
    w.real(DuctLeakPct);
    if (in.reading() && DuctLeakPct == 0.96f) DuctLeakPct = 4.0f;
    const INTEGER other_use = in.reading() || NFLAG(24) ? 0 : REVISION_STATE.OTHER_USE_TYPE;
    REAL type = static_cast<REAL>(other_use > 0 ? other_use : NTYPE);
    w.real(type);
    if (in.reading()) {
        // A residential type in non-residential mode runs as type 14.
        if (NFLAG(24) && type >= 16.0f && type <= 19.0f) type = 14.0f;
        NTYPE = int_toward_zero(type);
    }
    w.real(SLA);
    w.real(AirChgW);
    w.real(AirChgS);
}

void trace_rate_flags() {
    DBG_PRINT(NFLAG(26) ? "nflag(26)=T ElecBasic user revis" : "nflag(26)=F Elec notChanged");
    DBG_PRINT(NFLAG(29) ? "nflag(29)=T FuelAdv user changed" : "nflag(29)=F Fuel notChanged");
    DBG_PRINT(NFLAG(81) ? "nflag(81)=T location changed as read in 1145"
                        : "nflag(81)=F location NOT changed as read in 1146");
    DBG_PRINT(NFLAG(82) ? "nflag(82)=T keep prior Elect Utility Rates 1145" : "nflag(82)=F load default Elect Utility Rates");
    DBG_PRINT(NFLAG(83) ? "nflag(83)=T keep prior Fuel Utility Rates 1145" : "nflag(83)=F load BLOCKD Fuel UTILITY Rates");
}

void group_flags_and_rates(InputWalk& in) {
    RecordWalk& w = in.w;
    if (in.reading() && !in.gated(2)) {
        for (INTEGER i = 51; i <= 90; ++i) NFLAG(i) = false;
        return;
    }
    if (!in.gated(2)) return;
    // The kernel's own status of this run is not taken from the file, nor
    // are the results loader's findings (53: another run length, 55 and 56:
    // measured or simulated data), which it makes afresh for every file it
    // reads: a flag a save happened to keep would make every later load
    // take the scheme's results for another run's, and its runs simulate
    // nothing.
    const LOGICAL status = NFLAG(51);
    for (INTEGER i = 51; i <= 90; ++i) w.logical(NFLAG(i));
    if (in.reading()) {
        NFLAG(51) = status;
        for (INTEGER i : {53, 55, 56}) NFLAG(i) = false;
        trace_rate_flags();
    }
    for (INTEGER j = 1; j <= 25; ++j) w.real(SHADEFLG(j));
    // Single-rate tariff and site fuel words: written for the host, not taken back.
    for (int word : {4, 5, 6, 7, 12, 13, 8, 9, 10, 14, 15}) w.spare_real(block_word<REAL>(BLK33F, word));
    w.spare_int4(BLK33F.WINMON1);
    w.spare_int4(BLK33F.WINMON2);
    w.spare_real(BLK33F.ADDER);
    w.spare_int4(BLK33F.YEAR);
    w.text(CLIMATEFILENAME);
    if (in.reading()) {
        // Kept aside for a results file rebuilt from nothing.
        w.real(FIND2_STATE.FUELTYPE);
        w.real(FIND2_STATE.PROPANEPRICE);
        w.real(FIND2_STATE.OILPRICE);
        FIND2_STATE.FOUND = true;
    } else {
        w.spare_real(FUELTYPE);
        w.spare_real(BLK33A.PROPANEPRICE);
        w.spare_real(BLK33A.OILPRICE);
    }
}

void group_envelope_items(InputWalk& in) {
    RecordWalk& w = in.w;
    for (INTEGER i = 13; i <= 27; ++i) w.real(AREA(i));
    for (INTEGER i = 13; i <= 27; ++i) w.real(PERCNT(i));
    for (INTEGER i = 13; i <= 27; ++i) w.real(UVAL(i));
    w.all(HEATLOSS);
    w.all(HEATGAIN);
}

void group_water_heater_and_site(InputWalk& in) {
    RecordWalk& w = in.w;
    w.int4(WHTYPE);
    for (int word = 2; word <= 19; ++word) w.real(block_word<REAL>(BLK5A, word));
    for (INTEGER i = 1; i <= 10; ++i)
        for (INTEGER j = 1; j <= 5; ++j) w.real(APPLIANCE(i, j));
    w.real(RSLOPE);
    w.real(wCFMiaq);
    w.real(BLK35.DuctInsul);
    w.real(BLK35.IAQHeatRec);
    w.real(VOLUMEAG);
    if (!in.reading()) TMZONEF = static_cast<REAL>(TMZONEI);
    w.real(TMZONEF);
    if (in.reading()) TMZONEI = int_toward_zero(TMZONEF);
    int_as_real(w, NROWE);
    int_as_real(w, NROWF);
    w.real(THEATMAX);
    w.spare_real(0.0f);
}

// The solar-system record's first fields, carried whatever the revision.
void group_solar_basic(RecordWalk& w) {
    slots4(w, BLK50.SPANEL);
    slots4(w, BLK50.SCONTROL);
    for (int first : {14, 18, 22, 26, 30, 34, 38, 42}) slots_at<REAL>(w, first);
}

void group_line_kinds(InputWalk& in) {
    RecordWalk& w = in.w;
    for (INTEGER j = 1; j <= 25; ++j) {
        // A used line of a known facade without its own kind is marked for
        // the host.
        INTEGER kind = ITEMSII(j);
        if (!in.reading() && ITEMS(j) != 0 && ITEMSII(j) == 0 && QTY(j) > 0.0f) kind = 9999;
        w.int4(kind);
        if (in.reading()) ITEMSII(j) = kind;
    }
    w.real(REMITT);
}

void group_solar_record(InputWalk& in) {
    RecordWalk& w = in.w;
    w.int4(BLK50.SSYSNO);
    w.int4(BLK50.STIMESTART);
    w.int4(BLK50.STIMEEND);
    for (int first : {52, 244, 248, 452}) slots_at<INTEGER>(w, first);
    for (int first : {48, 56, 60, 64, 68, 72, 76, 80, 252, 256, 260, 264, 268, 272, 276, 280, 284, 288, 456, 460,
                      464, 468, 472})
        slots_at<REAL>(w, first);
    for (auto* field : {&BLK50.SCREFNO, &BLK50.SCOLLECTOR, &BLK50.SCBRAND, &BLK50.SCMODEL, &BLK50.SREFNO,
                        &BLK50.SBRAND, &BLK50.SHEATER, &BLK50.SMODEL})
        for (INTEGER s = 1; s <= 4; ++s) w.text((*field)(s));
    fillers(w, 6);
}

void group_time_of_use(InputWalk& in) {
    RecordWalk& w = in.w;
    // The writer names the tariff chosen by the scheme's electric-rate code;
    // the reader keeps the name as the ninth one.
    FString<48> name = TOUNAMES(9);
    if (!in.reading()) {
        const INTEGER c = has_scheme_column(IDNUM1) ? int_toward_zero(STRATEGY(1, IDNUM1)) : 0;
        const INTEGER n = (c >= 1 && c <= 9) ? c : (c >= 11 && c <= 17) ? c - 10 : 1;
        name = TOUNAMES(n);
    }
    w.text(name);
    if (in.reading()) TOUNAMES(9) = name;
    for (int word : {1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}) w.int4(block_word<INTEGER>(TOUREC, word));
    for (int word : {2, 13, 14, 15, 16, 17, 18, 19, 20, 21}) w.real(block_word<REAL>(TOUREC, word));
    fillers(w, 4);
}

void group_glazing_table(InputWalk& in) {
    RecordWalk& w = in.w;
    w.int4(ERA);
    w.int4(WTYPE);
    w.int4(DTYPE);
    for (INTEGER e = 1; e <= 6; ++e)
        for (INTEGER p = 1; p <= 3; ++p)
            for (INTEGER t = 1; t <= 9; ++t) w.real(NRGLAZING(e, p, t));
    fillers(w, 4);
    if (in.reading() && ERA == 4) glazing_types_of_the_code_table();
    if (!in.reading()) {
        DBG_INT("Era   write in KEEP2 if KORVA 1597", ERA);
        DBG_INT("Wtype write in KEEP2 if KORVA 1597", WTYPE);
        DBG_INT("Dtype write in KEEP2 if KORVA 1597", DTYPE);
    }
}

void group_hoods_and_elevators(InputWalk& in) {
    RecordWalk& w = in.w;
    for (REAL* v : {&EHOODSPHR, &EHOODLPHR, &ELEVPHR, &EHOODSD, &EHOODLD, &ELEVD, &EHOODS, &EHOODL, &ELEVATOR})
        w.real(*v);
    for (INTEGER i = 1; i <= 10; ++i) w.real(APPLIANCE(i, 6));
    w.int4(STYPE);
    // The skylight type read here follows the glazing era's sign rule too.
    if (in.reading() && ERA == 4) STYPE = std::abs(STYPE);
    if (in.reading()) {
        DBG_FLOAT("ElevPhr inFIND2 1897", ELEVPHR);
        DBG_FLOAT("Elevator inFIND2 1897", ELEVATOR);
        DBG_FLOAT("Appliance(1,6) row 1 Elev", APPLIANCE(1, 6));
        DBG_INT("  Stype read in FIND2 1903", STYPE);
    } else {
        DBG_INT(" Stype write in KEEP2 if KORVA 1658", STYPE);
    }
}

void gated_groups(InputWalk& in) {
    RecordWalk& w = in.w;
    if (in.gated(1)) group_ventilation(in);
    group_flags_and_rates(in);
    if (in.gated(3)) group_envelope_items(in);
    if (in.gated(4)) group_water_heater_and_site(in);
    group_solar_basic(w);
    if (in.gated(6)) group_line_kinds(in);
    if (in.gated(7)) slots4(w, BLK50.SSYSKIND);
    if (in.gated(8)) group_solar_record(in);
    if (in.gated(9)) {
        w.logical(FLAG150(1));
        w.logical(FLAG150(2));
        fillers(w, 6);
    }
    if (in.gated(10)) {
        for (int i = 0; i < 16; ++i) w.spare_real(0.0f);
        for (int first : {480, 476, 484, 488}) slots_at<REAL>(w, first);
    }
    if (in.gated(11))
        for (INTEGER n = 1; n <= 25; ++n)
            for (INTEGER h = 1; h <= 24; ++h)
                for (INTEGER m = 1; m <= 12; ++m) w.real(SUNLIT(n, h, m));
    if (in.gated(12)) {
        w.real(wCFMceil);
        w.real(THEATMAX);
    }
    if (in.gated(13))
        for (INTEGER k = 1; k <= 4; ++k)
            for (INTEGER h = 1; h <= 24; ++h)
                for (INTEGER m = 1; m <= 12; ++m) w.real(SUNLITCHM(k, h, m));
    if (in.gated(14)) {
        w.real(PVSYSPEAK);
        w.real(PVAVGPEAK);
        // Peaks belong to the run that computes them.
        if (in.reading()) PVSYSPEAK = PVAVGPEAK = 0.0f;
    }
    if (in.gated(15)) {
        w.real(EvapEff);
        fillers(w, 4);
    }
    if (in.gated(16)) {
        w.int4(NMULTI);
        fillers(w, 4);
        if (!in.reading()) {
            DBG_FLOAT("Rslope REAL in KEEP2", RSLOPE);
            DBG_INT("nMulti saved in KEEP2", NMULTI);
        }
    }
    if (in.gated(17)) group_time_of_use(in);
    if (in.gated(18)) group_glazing_table(in);
    if (in.gated(19)) group_hoods_and_elevators(in);
}

// ---- derivations after reading ---------------------------------------------------

}  // namespace

bool footprint_of_design_scheme() {
    if (IDNUM1 >= 3 || !(FLOORS > 0.0f)) return false;  // a building of no story has no footprint to spread
    RAX = AREAT / FLOORS;
    return true;
}

REAL cooling_cop_as_saved(REAL cop) { return cop_of_stored_seer(cop * kBtuhPerWatt); }

void design_kind_of_saved_house() {
    if (STRATEGY(6, 2) >= 2.0f) {
        NFLAG(8) = true;
        NFLAG(9) = false;
        DBG_PRINT("Vintage Home Nflag(8)=T,(9)=F in FIND2");
    }
    if (has_scheme_column(IDNUM1) && STRATEGY(6, IDNUM1) <= 1.0f) NFLAG(9) = true;
}

namespace {

void derive_after_read(const FArray<LOGICAL, 4>& saved, bool nflag69) {
    NFLAG(59) = saved(1);
    NFLAG(71) = saved(2);
    NFLAG(72) = saved(3);
    NFLAG(69) = nflag69;
    if (!NFLAG(81)) NFLAG(81) = saved(4);

    if (footprint_of_design_scheme()) DBG_FLOAT("RAx roof as recalced in FIND2", RAX);
    design_kind_of_saved_house();
    if (has_scheme_column(IDNUM1) && STRATEGY(6, IDNUM1) <= 1.0f) {
        STRATEGY(11, IDNUM1) = 0.0f;
        DBG_PRINT("NOT Vintage Home Nflag(9)=T,nflag(8)=T??");
    }
    // Scheme 2 takes scheme 1's site afresh on every load; only a move of
    // its own (or scheme 1's, which the host marks in both) is a move.
    SITE_MOVE_STATE.MOVED = NFLAG(81) || TITLE3.first(4) == "INVA";
    if (IDNUM1 == 2 || SITE_MOVE_STATE.MOVED) NFLAG(81) = true;
    DBG_PRINT(NFLAG(81) ? "nflag(81)=T new location FIND2 end 1245" : "nflag(81)=F same old location FIND2 end");

    VOLUMEAG = -99.0f;  // the infiltration model recomputes it
    DBG_FLOAT("VolumeAG flag recalc it in Infilt", VOLUMEAG);
    if (has_scheme_column(IDNUM1) && STRATEGY(26, IDNUM1) >= 1.0f)
        DBG_FLOAT("strategy(26,-).gt.2.= HVAC combo", STRATEGY(26, IDNUM1));
    DBG_FLOAT("Remitt in FIND2", REMITT);
    DBG_FLOAT("absorb(10)", ABSORB(10));

    NFLAG(60) = true;
    DBG_PRINT("Nflag(60)=true FIND2 2292");
    if (AirChgW > 2.0f || AirChgW < 0.03f) {
        NFLAG(60) = false;
        DBG_PRINT("Nflag(60)=false FIND2 2292");
    }
    DBG_FLOAT("check AirChgW; nflag(60) 2292", AirChgW);
    DBG_FLOAT("ACHMAX FIND2 2292", ACHMAX);

    DBG_PRINT(NFLAG(29) ? "nflag(29)=T as read in FIND2" : "nflag(29)=F as read in");
    DBG_PRINT(NFLAG(38) ? "nflag(38)=T 365 day" : "nflag(38)=F 12 day");
    DBG_PRINT(NFLAG(54) ? "nflag(54)=T=PV ok  end of FIND2" : "nflag(54)=F=PV error FIND2");
    DBG_PRINT(NFLAG(51) ? "nflag(51) T at end of FIND2" : "nflag(51) F at end FIND2");
    DBG_PRINT(NFLAG(82) ? "nflag(82)=T elect rates changed" : "nflag(82)=F no elec rates changed");
    DBG_PRINT(NFLAG(83) ? "nflag(83)=T fuel rates changed" : "nflag(83)=F load BLOCKD fuel rates");
}

void trace_before_run_flags() {
    DBG_FLOAT("DuctLeakPct", DuctLeakPct);
    DBG_FLOAT("SLA in KEEP2 at 770", SLA);
    DBG_FLOAT("airchg in KEEP2 981", AIRCHG);
    DBG_FLOAT("FACFM fresh air required", FACFM);
    DBG_FLOAT("ACHMAX Air Changes Max KEEP2 1056", ACHMAX);
    DBG_FLOAT("AirChgW", AirChgW);
    DBG_FLOAT("AirChgS", AirChgS);
    // A winter air-change rate outside 0.03 to 2.0 is accepted only for a
    // combination of zones.
    if (AirChgW > 2.0f || AirChgW < 0.03f) {
        if (has_scheme_column(IDNUM1) && STRATEGY(26, IDNUM1) > 1.0f) {
            NFLAG(60) = true;
        } else {
            NFLAG(60) = false;
            DBG_PRINT("ERROR check AirChgW on HVAC screen");
        }
    } else {
        NFLAG(60) = true;
    }
    DBG_LOGICAL("nflag(51) T=OK,F=kernel errors", NFLAG(51));
    DBG_LOGICAL("nflag(15) T=no errors in TSTORE", NFLAG(15));
}

void trace_keep2_end() {
    DBG_FLOAT("area(1) KEEP2 1689", AREA(1));
    DBG_FLOAT("  percnt(1)", PERCNT(1));
    DBG_FLOAT("  Uval(1) W Glass KEEP2 at end", UVAL(1));
    DBG_FLOAT("  Uwindo(1) W Glass KEEP2 at end", UWINDO(1));
    DBG_FLOAT("  Uval(2) W Glass", UVAL(2));
    DBG_FLOAT("  Uwindo(2)  Glass", UWINDO(2));
    DBG_FLOAT("  Uwindo(3)  Glass", UWINDO(3));
    DBG_FLOAT("  Uwindo(4)  Glass", UWINDO(4));
    for (INTEGER i = 1; i <= 4; ++i)
        DBG_FLOAT("  trans(" + std::to_string(i) + ") glazing visual transmission", TRANS(i));
    DBG_FLOAT("  absorb(1) KEEP2 at end", ABSORB(1));
    DBG_FLOAT("  absorb(2)", ABSORB(2));
    DBG_FLOAT("  absorb(3)", ABSORB(3));
    DBG_FLOAT("  absorb(4)", ABSORB(4));
    DBG_FLOAT("  SC(1)", SC(1));
    DBG_FLOAT("  scoef(1) holds =SHGC(1) 1-25 KEEP2", SCOEF(1));
    DBG_FLOAT("area(12) perimeter", AREA(12));
    DBG_FLOAT("percnt(12)", PERCNT(12));
}

// One walk of the whole file in the walk's direction.
void walk_scheme_input(InputWalk& in) {
    main_body(in);
    if (!in.reading()) trace_before_run_flags();
    gated_groups(in);
}

}  // namespace

void FIND2() {
    DBG_IN("FIND2");
    DBG_PRINT(NFLAG(51) ? "nflag(51)=T at top Find2, no ERRORS: should be F"
                        : "nflag(51)=F top FIND2 set up OK for input ERRORs");
    const FArray<LOGICAL, 4> saved = {NFLAG(59), NFLAG(71), NFLAG(72), NFLAG(81)};
    if (has_scheme_column(IDNUM1) && STRATEGY(26, IDNUM1) >= 2.0f)
        DBG_PRINT("Its a hvac combo BUT ZZZZZ DO NOT to exit here in FIND2");

    const INTEGER unit = BLK0B.DISKDAT;
    // An unformatted file has no header: it is of the writer's revision.
    INTEGER id1 = IO_GETWORD4(5, 0, 2, kInputRevision), id2 = 0, ierr = 1;
    FIND2_STATE = FIND2_STATE_t{};
    const bool named = build_scheme_read_path(SchemeFile::Input);
    if (named) IO_OPEN(unit, 1, id1, id2, PATHTOFILE.view(), ierr);
    else unit_close(unit);
    // The scheme's building is this file: without it (missing, nameless, or
    // emptied by an interrupted copy) there is no model to simulate or
    // save. The read goes on, giving zeros; nothing of the run is saved.
    // (A damaged file the record layer has already reported.)
    if (ierr != 0 && !(named && record_load(unit) == RecordLoad::Damaged)) {
        DBG_ERROR("FIND2: Unable to open scheme DAT file " + built_path() + ": no project file is saved in this run");
        note_damaged_load();
    }
    BLK1B.DATSTAMP = 0;
    if (READMODE == 1) AREAT = std::max(AREAT, 16.0f * FLOORS);

    RecordWalk w(unit, true);
    InputWalk in{w, IO_GETMSB4(id1)};
    walk_scheme_input(in);
    IO_CLOSE(unit, ierr);
    floor_area_corrections();
    derive_after_read(saved, in.nflag69);
    DBG_OUT("FIND2");
}

namespace {

// What `take` reads of scheme `slot`'s saved input file, walked whole into
// the blocks, which are then put back; `none` where the file is missing or
// damaged, which does not stop this run.
template <class T, class Take>
T taken_from_saved_input(INTEGER slot, T none, Take take) {
    return taken_with_blocks_put_back([slot, none, take] {
        const INTEGER unit = BLK0B.DISKDAT;
        INTEGER id1 = IO_GETWORD4(5, 0, 2, kInputRevision), id2 = 0, ierr = 1;
        if (build_scheme_read_path(SchemeFile::Input, slot)) {
            record_load_rebuildable(unit);
            IO_OPEN(unit, 1, id1, id2, PATHTOFILE.view(), ierr);
        }
        T taken = none;
        if (ierr == 0 && record_load(unit) == RecordLoad::Whole) {
            RecordWalk w(unit, true);
            InputWalk in{w, IO_GETMSB4(id1)};
            walk_scheme_input(in);
            IO_CLOSE(unit, ierr);
            if (ierr == 0 && record_load(unit) == RecordLoad::Whole) taken = take();
        } else {
            unit_close(unit);
        }
        return taken;
    });
}

}  // namespace

FString<12> saved_weather_file_name(INTEGER slot) {
    return taken_from_saved_input(slot, FString<12>{}, [] { return CLIMATEFILENAME; });
}

bool saved_on_revised_electric_rates(INTEGER slot) {
    return taken_from_saved_input(slot, false, [] { return bool(NFLAG(82)); });
}

void write_scheme_input_layout(INTEGER revision) {
    const INTEGER unit = BLK0B.DISKKEEP2;
    INTEGER id1 = IO_GETWORD4(5, 0, 2, revision), id2 = kInputSecondWord, ierr = 0;
    IO_OPEN(unit, 2, id1, id2, PATHTOFILE.view(), ierr);
    if (ierr != 0) DBG_CRASH("KEEP2: Unable to open scheme DAT file");
    RecordWalk w(unit, false);
    InputWalk out{w, revision};
    walk_scheme_input(out);
    IO_CLOSE(unit, ierr);
    if (ierr != 0) DBG_PRINT("KEEP2: scheme DAT file not saved, the old file is kept");
}

void KEEP2(INTEGER KEEPMODE) {
    DBG_IN("KEEP2");
    DBG_INT("idnum1 top of KEEP2 saves current data", IDNUM1);
    DBG_INT("KEEP_MODE at top, always is 1", KEEPMODE);
    AADISK_STATE.FILLER = "x";
    if (IDNUM1 > 0) {
        BLK1B.DATSTAMP = kCurrentStamp;
        const SchemeFile kind = KEEPMODE == 0 ? SchemeFile::InputCopy : SchemeFile::Input;
        if (build_scheme_write_path(kind)) {
            if (WRITEMODE == 2 && KEEPMODE == 0) DBG_INT("in KEEP2 wrote f.bfr: keepmode", KEEPMODE);
            write_scheme_input_layout(kInputRevision);
        }
    }
    trace_keep2_end();
    DBG_OUT("KEEP2 end");
}

}  // namespace mavo
