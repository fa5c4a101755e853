// Solar systems of a scheme: the solar-system record that travels with the
// scheme input file, its defaults, and the photovoltaic results.
//
// Every array field of the record has four slots indexed by the solar-system
// number: slot 1 the photovoltaic array, slot 2 the solar water-heating
// system; slots 3 and 4 are never filled. INTEGER and REAL fields take one
// four-byte word per slot, text fields 40 characters (ten words) per slot.
// The scheme input file addresses the record by word number, counted from 1.
#pragma once
#include <cstddef>

#include "support/farray.h"
#include "support/fstring.h"
#include "support/types.h"

namespace mavo {

// Byte offset of a record word numbered from 1, as the scheme input file
// counts the words of the solar-system record and its defaults.
constexpr std::size_t solar_record_word_offset(int word) { return static_cast<std::size_t>(word - 1) * 4; }

// A text field of the record at load: the example text in slots 1, 3 and 4,
// the system's own listing in slot 2.
constexpr FArray<FString<40>, 4> solar_record_texts(const char* example, const char* slot2) {
    return {example, slot2, example, example};
}

// Solar-system record of the current scheme: 492 words. Loaded from BLK49
// by the design generator; slot 1 rewritten by the photovoltaic sizing,
// slot 2 by the solar water-heating driver.
struct BLK50_t {
    INTEGER SSYSNO = 1;  // word 1: system being simulated, 1 PV (PVCALC), 2 solar water (SDHWCALC)
    FArray<INTEGER, 4> SPANEL = {-1, 0};    // words 2-5: module table row; <= -1 built-in example, 0 none
    FArray<INTEGER, 4> SCONTROL = {-1, 0};  // words 6-9: inverter table row (<= -1 example, 0 none);
                                            // slot 2 the auxiliary-heater type of the last run
    FArray<INTEGER, 4> SSYSKIND = {1, 2};   // words 10-13: kind code of the slot, carried only
    FArray<REAL, 4> SWIDTH = {1.0f, 1.0f};     // words 14-17: module (collector) width, m
    FArray<REAL, 4> SHEIGHT = {1.67f, 1.93f};  // words 18-21: module (collector) height, m
    FArray<REAL, 4> SQTY = {5.0f, 4.0f};       // words 22-25: number of modules (collectors)
    FArray<REAL, 4> SSTRINGS = {1.0f, 0.0f};   // words 26-29: parallel strings asked for, then those used
    FArray<REAL, 4> STILT = {34.0f, 34.0f};    // words 30-33: tilt from horizontal, degrees
    FArray<REAL, 4> SFACING = {0.0f, 0.0f};    // words 34-37: array azimuth, degrees
    FArray<REAL, 4> SSPARE1 = {1.0f, 0.0f};    // words 38-41: carried only
    FArray<REAL, 4> SSPARE2{};                 // words 42-45: carried only
    INTEGER STIMESTART = 0;  // word 46: first hour of the simulated period (the drivers set 1)
    INTEGER STIMEEND = 0;    // word 47: last hour of the simulated period (the drivers set 8760)
    FArray<REAL, 4> STENV = {0.0f, 67.5f};   // words 48-51: tank surroundings temperature, F
    FArray<INTEGER, 4> SNTANK = {0, 1};      // words 52-55: number of tanks, 0 to 2
    FArray<REAL, 4> SSPARE3{};               // words 56-59: carried only
    FArray<REAL, 4> STSET = {0.0f, 135.0f};  // words 60-63: tank set point, F
    FArray<REAL, 4> STMAX = {0.0f, 203.0f};  // words 64-67: tank maximum temperature, F
    FArray<REAL, 4> SGPD = {0.0f, 49.4f};    // words 68-71: hot-water use, gallons per day
    FArray<REAL, 4> SDHWP1 = {0.0f, 58.0f};  // words 72-75: carried only
    FArray<REAL, 4> SDHWP2 = {0.0f, 4.0f};   // words 76-79: carried only
    FArray<REAL, 4> SAREAC = {1.67f, 1.93f};  // words 80-83: area of one module (collector), m2
    // Water-heater listing.
    FArray<FString<40>, 4> SREFNO = solar_record_texts("Example Ref Number", "4539251");  // words 84-123
    FArray<FString<40>, 4> SBRAND = solar_record_texts("Example Brand Name", "Sears");    // words 124-163
    FArray<FString<40>, 4> SHEATER =
        solar_record_texts("Example Water Heater", " A.O.Smith Water Products Co.");  // words 164-203: maker
    FArray<FString<40>, 4> SMODEL = solar_record_texts("Example Model Number", "153.331882");  // words 204-243
    FArray<INTEGER, 4> SAFUELTYPE = {0, 1};         // words 244-247: auxiliary fuel code
    FArray<INTEGER, 4> SDHWP3 = {0, 1};             // words 248-251: carried only
    FArray<REAL, 4> SDHWP4 = {0.0f, 88.0f};         // words 252-255: carried only
    FArray<REAL, 4> SEF = {0.0f, 0.6f};             // words 256-259: auxiliary heater energy factor
    FArray<REAL, 4> SAVTANK = {0.0f, 50.0f};        // words 260-263: auxiliary tank volume, gal
    FArray<REAL, 4> SAINPUTRATE = {0.0f, 40.0f};    // words 264-267: auxiliary heater rated input
    FArray<REAL, 4> STHERMEFF = {0.0f, 76.0f};      // words 268-271: auxiliary heater thermal efficiency, %
    FArray<REAL, 4> SDHWP5{};                       // words 272-275: carried only
    FArray<REAL, 4> SDHWP6{};                       // words 276-279: carried only
    FArray<REAL, 4> SDHWP7{};                       // words 280-283: carried only
    FArray<REAL, 4> SDHWP8 = {0.0f, 12.0f};         // words 284-287: external tank insulation of the water heater
    FArray<REAL, 4> SDHWP9 = {0.0f, 1.5f};          // words 288-291: carried only
    // Collector listing.
    FArray<FString<40>, 4> SCREFNO = solar_record_texts("Example Ref Number", "2002001A");  // words 292-331
    FArray<FString<40>, 4> SCOLLECTOR =
        solar_record_texts("Example Collector", "Alternate Energy Technologies");  // words 332-371: maker
    FArray<FString<40>, 4> SCBRAND = solar_record_texts("Example Brand Name", "Alternate Energy");  // words 372-411
    FArray<FString<40>, 4> SCMODEL = solar_record_texts("Example Model Number", "AE-21");  // words 412-451
    FArray<INTEGER, 4> SDHWP10 = {0, 1};            // words 452-455: carried only
    FArray<REAL, 4> SCAREA = {0.0f, 1.93f};         // words 456-459: collector gross area, m2
    FArray<REAL, 4> SFRTA = {0.0f, 0.707f};         // words 460-463: collector FR(tau alpha)
    FArray<REAL, 4> SFRUL = {0.0f, -4.91f};         // words 464-467: collector FR UL, W/m2.K, stored negative
    FArray<REAL, 4> SDHWP11 = {0.0f, 1.0f};         // words 468-471: carried only
    FArray<REAL, 4> SDHWP12 = {0.0f, 1.0f};         // words 472-475: carried only
    FArray<REAL, 4> SSEF = {0.0f, 0.945f};          // words 476-479: solar storage tank energy factor
    FArray<REAL, 4> SSVTANK = {0.0f, 50.0f};        // words 480-483: solar storage tank volume, gal
    FArray<REAL, 4> SSINPUTRATE{};                  // words 484-487: solar storage tank heating input rate
    FArray<REAL, 4> SSTHERMEFF = {0.0f, 98.0f};     // words 488-491: solar storage tank thermal efficiency, %
    REAL SSPARE4 = 0.0f;                            // word 492: carried only
};

// Defaults of the solar-system record and the water heater: 496 words,
// static data, never written. Field for field the layout of BLK50 with a D
// in front of each name, except that words 56-59 hold the default solar-tank
// volume DSSVTANK, words 480-483 a spare, and four spare words follow. Its
// values are BLK50's except DSCONTROL(2) 7, DSSVTANK(2) 50, DSEF(2) 0.67,
// DSDHWP8(2) 0 and the spare DSSPARE5(2) 0.
struct BLK49_t {
    INTEGER DSSYSNO = 1;                       // word 1
    FArray<INTEGER, 4> DSPANEL = {-1, 0};      // words 2-5: module table row
    FArray<INTEGER, 4> DSCONTROL = {-1, 7};    // words 6-9: inverter row; slot 2 auxiliary-heater type
    FArray<INTEGER, 4> DSSYSKIND = {1, 2};     // words 10-13
    FArray<REAL, 4> DSWIDTH = {1.0f, 1.0f};    // words 14-17: module (collector) width, m
    FArray<REAL, 4> DSHEIGHT = {1.67f, 1.93f};  // words 18-21: module (collector) height, m
    FArray<REAL, 4> DSQTY = {5.0f, 4.0f};      // words 22-25: number of modules (collectors)
    FArray<REAL, 4> DSSTRINGS = {1.0f, 0.0f};  // words 26-29: parallel strings
    FArray<REAL, 4> DSTILT = {34.0f, 34.0f};   // words 30-33: tilt, degrees
    FArray<REAL, 4> DSFACING = {0.0f, 0.0f};   // words 34-37: azimuth, degrees
    FArray<REAL, 4> DSSPARE1 = {1.0f, 0.0f};   // words 38-41
    FArray<REAL, 4> DSSPARE2{};                // words 42-45
    INTEGER DSTIMESTART = 0;                   // word 46: first simulated hour
    INTEGER DSTIMEEND = 0;                     // word 47: last simulated hour
    FArray<REAL, 4> DSTENV = {0.0f, 67.5f};    // words 48-51: tank surroundings temperature, F
    FArray<INTEGER, 4> DSNTANK = {0, 1};       // words 52-55: number of tanks
    FArray<REAL, 4> DSSVTANK = {0.0f, 50.0f};  // words 56-59: solar storage tank volume, gal
    FArray<REAL, 4> DSTSET = {0.0f, 135.0f};   // words 60-63: tank set point, F
    FArray<REAL, 4> DSTMAX = {0.0f, 203.0f};   // words 64-67: tank maximum temperature, F
    FArray<REAL, 4> DSGPD = {0.0f, 49.4f};     // words 68-71: hot-water use, gal/day
    FArray<REAL, 4> DSDHWP1 = {0.0f, 58.0f};   // words 72-75
    FArray<REAL, 4> DSDHWP2 = {0.0f, 4.0f};    // words 76-79
    FArray<REAL, 4> DSAREAC = {1.67f, 1.93f};  // words 80-83: area of one module (collector), m2
    FArray<FString<40>, 4> DSREFNO = solar_record_texts("Example Ref Number", "4539251");  // words 84-123
    FArray<FString<40>, 4> DSBRAND = solar_record_texts("Example Brand Name", "Sears");    // words 124-163
    FArray<FString<40>, 4> DSHEATER =
        solar_record_texts("Example Water Heater", " A.O.Smith Water Products Co.");  // words 164-203
    FArray<FString<40>, 4> DSMODEL = solar_record_texts("Example Model Number", "153.331882");  // words 204-243
    FArray<INTEGER, 4> DSAFUELTYPE = {0, 1};       // words 244-247: auxiliary fuel code
    FArray<INTEGER, 4> DSDHWP3 = {0, 1};           // words 248-251
    FArray<REAL, 4> DSDHWP4 = {0.0f, 88.0f};       // words 252-255
    FArray<REAL, 4> DSEF = {0.0f, 0.67f};          // words 256-259: auxiliary heater energy factor
    FArray<REAL, 4> DSAVTANK = {0.0f, 50.0f};      // words 260-263: auxiliary tank volume, gal
    FArray<REAL, 4> DSAINPUTRATE = {0.0f, 40.0f};  // words 264-267: auxiliary heater rated input
    FArray<REAL, 4> DSTHERMEFF = {0.0f, 76.0f};    // words 268-271: auxiliary heater thermal efficiency, %
    FArray<REAL, 4> DSDHWP5{};                     // words 272-275
    FArray<REAL, 4> DSDHWP6{};                     // words 276-279
    FArray<REAL, 4> DSDHWP7{};                     // words 280-283
    FArray<REAL, 4> DSDHWP8{};                     // words 284-287: external tank insulation, none by default
    FArray<REAL, 4> DSDHWP9 = {0.0f, 1.5f};        // words 288-291
    FArray<FString<40>, 4> DSCREFNO = solar_record_texts("Example Ref Number", "2002001A");  // words 292-331
    FArray<FString<40>, 4> DSCOLLECTOR =
        solar_record_texts("Example Collector", "Alternate Energy Technologies");  // words 332-371
    FArray<FString<40>, 4> DSCBRAND = solar_record_texts("Example Brand Name", "Alternate Energy");  // words 372-411
    FArray<FString<40>, 4> DSCMODEL = solar_record_texts("Example Model Number", "AE-21");  // words 412-451
    FArray<INTEGER, 4> DSDHWP10 = {0, 1};          // words 452-455
    FArray<REAL, 4> DSCAREA = {0.0f, 1.93f};       // words 456-459: collector gross area, m2
    FArray<REAL, 4> DSFRTA = {0.0f, 0.707f};       // words 460-463: collector FR(tau alpha)
    FArray<REAL, 4> DSFRUL = {0.0f, -4.91f};       // words 464-467: collector FR UL, W/m2.K
    FArray<REAL, 4> DSDHWP11 = {0.0f, 1.0f};       // words 468-471
    FArray<REAL, 4> DSDHWP12 = {0.0f, 1.0f};       // words 472-475
    FArray<REAL, 4> DSSEF = {0.0f, 0.945f};        // words 476-479: solar storage tank energy factor
    FArray<REAL, 4> DSSPARE5{};                    // words 480-483: read by nobody
    FArray<REAL, 4> DSSINPUTRATE{};                // words 484-487: solar storage tank heating input rate
    FArray<REAL, 4> DSSTHERMEFF = {0.0f, 98.0f};   // words 488-491: solar storage tank thermal efficiency, %
    REAL DSSPARE4 = 0.0f;                          // word 492
    FArray<REAL, 4> DSSPARE6{};                    // words 493-496: read by nobody
};

// Photovoltaic results, zero at load: 8801 words.
struct BLK52_t {
    FArray<REAL, 8760> PVOUT{};  // AC output of each hour of the year, W (Wh for the hour); hour 1 = Jan 1, 0-1 am
    FArray<REAL, 13> PVKWH{};    // PV energy of each month, kWh; 13 the year; COST adds, never resets
    FArray<REAL, 13> PVDEMAND{};  // electricity bought in each month while the array runs, kWh; 13 the year
    FArray<REAL, 13> PVCOST{};    // electricity cost of each month with the PV output netted, $; 13 the year
    REAL PVSYSPEAK = 0.0f;  // system peak, kW AC: largest hourly PVOUT / 1000; the export's DC rating
    REAL PVAVGPEAK = 0.0f;  // mean of the twelve monthly peaks of PV(24,12), kWh in one hour
};

extern BLK50_t BLK50;
extern BLK49_t BLK49;
extern BLK52_t BLK52;

// The words of the solar-system record that the scheme input file carries.
static_assert(std::is_standard_layout_v<BLK50_t> && sizeof(BLK50_t) == 492 * 4);
static_assert(offsetof(BLK50_t, SSYSNO) == solar_record_word_offset(1));
static_assert(offsetof(BLK50_t, SPANEL) == solar_record_word_offset(2));
static_assert(offsetof(BLK50_t, SCONTROL) == solar_record_word_offset(6));
static_assert(offsetof(BLK50_t, SSYSKIND) == solar_record_word_offset(10));
static_assert(offsetof(BLK50_t, SWIDTH) == solar_record_word_offset(14));
static_assert(offsetof(BLK50_t, SHEIGHT) == solar_record_word_offset(18));
static_assert(offsetof(BLK50_t, SQTY) == solar_record_word_offset(22));
static_assert(offsetof(BLK50_t, SSTRINGS) == solar_record_word_offset(26));
static_assert(offsetof(BLK50_t, STILT) == solar_record_word_offset(30));
static_assert(offsetof(BLK50_t, SFACING) == solar_record_word_offset(34));
static_assert(offsetof(BLK50_t, SSPARE1) == solar_record_word_offset(38));
static_assert(offsetof(BLK50_t, SSPARE2) == solar_record_word_offset(42));
static_assert(offsetof(BLK50_t, STIMESTART) == solar_record_word_offset(46));
static_assert(offsetof(BLK50_t, STIMEEND) == solar_record_word_offset(47));
static_assert(offsetof(BLK50_t, STENV) == solar_record_word_offset(48));
static_assert(offsetof(BLK50_t, SNTANK) == solar_record_word_offset(52));
static_assert(offsetof(BLK50_t, SSPARE3) == solar_record_word_offset(56));
static_assert(offsetof(BLK50_t, STSET) == solar_record_word_offset(60));
static_assert(offsetof(BLK50_t, STMAX) == solar_record_word_offset(64));
static_assert(offsetof(BLK50_t, SGPD) == solar_record_word_offset(68));
static_assert(offsetof(BLK50_t, SDHWP1) == solar_record_word_offset(72));
static_assert(offsetof(BLK50_t, SDHWP2) == solar_record_word_offset(76));
static_assert(offsetof(BLK50_t, SAREAC) == solar_record_word_offset(80));
static_assert(offsetof(BLK50_t, SREFNO) == solar_record_word_offset(84));
static_assert(offsetof(BLK50_t, SBRAND) == solar_record_word_offset(124));
static_assert(offsetof(BLK50_t, SHEATER) == solar_record_word_offset(164));
static_assert(offsetof(BLK50_t, SMODEL) == solar_record_word_offset(204));
static_assert(offsetof(BLK50_t, SAFUELTYPE) == solar_record_word_offset(244));
static_assert(offsetof(BLK50_t, SDHWP3) == solar_record_word_offset(248));
static_assert(offsetof(BLK50_t, SDHWP4) == solar_record_word_offset(252));
static_assert(offsetof(BLK50_t, SEF) == solar_record_word_offset(256));
static_assert(offsetof(BLK50_t, SAVTANK) == solar_record_word_offset(260));
static_assert(offsetof(BLK50_t, SAINPUTRATE) == solar_record_word_offset(264));
static_assert(offsetof(BLK50_t, STHERMEFF) == solar_record_word_offset(268));
static_assert(offsetof(BLK50_t, SDHWP5) == solar_record_word_offset(272));
static_assert(offsetof(BLK50_t, SDHWP6) == solar_record_word_offset(276));
static_assert(offsetof(BLK50_t, SDHWP7) == solar_record_word_offset(280));
static_assert(offsetof(BLK50_t, SDHWP8) == solar_record_word_offset(284));
static_assert(offsetof(BLK50_t, SDHWP9) == solar_record_word_offset(288));
static_assert(offsetof(BLK50_t, SCREFNO) == solar_record_word_offset(292));
static_assert(offsetof(BLK50_t, SCOLLECTOR) == solar_record_word_offset(332));
static_assert(offsetof(BLK50_t, SCBRAND) == solar_record_word_offset(372));
static_assert(offsetof(BLK50_t, SCMODEL) == solar_record_word_offset(412));
static_assert(offsetof(BLK50_t, SDHWP10) == solar_record_word_offset(452));
static_assert(offsetof(BLK50_t, SCAREA) == solar_record_word_offset(456));
static_assert(offsetof(BLK50_t, SFRTA) == solar_record_word_offset(460));
static_assert(offsetof(BLK50_t, SFRUL) == solar_record_word_offset(464));
static_assert(offsetof(BLK50_t, SDHWP11) == solar_record_word_offset(468));
static_assert(offsetof(BLK50_t, SDHWP12) == solar_record_word_offset(472));
static_assert(offsetof(BLK50_t, SSEF) == solar_record_word_offset(476));
static_assert(offsetof(BLK50_t, SSVTANK) == solar_record_word_offset(480));
static_assert(offsetof(BLK50_t, SSINPUTRATE) == solar_record_word_offset(484));
static_assert(offsetof(BLK50_t, SSTHERMEFF) == solar_record_word_offset(488));
static_assert(offsetof(BLK50_t, SSPARE4) == solar_record_word_offset(492));

// The defaults share the record's word map; where they differ in meaning.
static_assert(std::is_standard_layout_v<BLK49_t> && sizeof(BLK49_t) == 496 * 4);
static_assert(offsetof(BLK49_t, DSWIDTH) == offsetof(BLK50_t, SWIDTH));
static_assert(offsetof(BLK49_t, DSSVTANK) == offsetof(BLK50_t, SSPARE3));
static_assert(offsetof(BLK49_t, DSREFNO) == offsetof(BLK50_t, SREFNO));
static_assert(offsetof(BLK49_t, DSEF) == offsetof(BLK50_t, SEF));
static_assert(offsetof(BLK49_t, DSCREFNO) == offsetof(BLK50_t, SCREFNO));
static_assert(offsetof(BLK49_t, DSSPARE5) == offsetof(BLK50_t, SSVTANK));
static_assert(offsetof(BLK49_t, DSSTHERMEFF) == offsetof(BLK50_t, SSTHERMEFF));
static_assert(offsetof(BLK49_t, DSSPARE6) == solar_record_word_offset(493));

static_assert(std::is_standard_layout_v<BLK52_t> && sizeof(BLK52_t) == (8760 + 3 * 13 + 2) * 4);
static_assert(offsetof(BLK52_t, PVKWH) == 8760 * 4);
static_assert(offsetof(BLK52_t, PVSYSPEAK) == (8760 + 39) * 4);

inline INTEGER& SSYSNO = BLK50.SSYSNO;
inline FArray<INTEGER, 4>& SPANEL = BLK50.SPANEL;
inline FArray<INTEGER, 4>& SCONTROL = BLK50.SCONTROL;
inline FArray<INTEGER, 4>& SSYSKIND = BLK50.SSYSKIND;
inline FArray<REAL, 4>& SWIDTH = BLK50.SWIDTH;
inline FArray<REAL, 4>& SHEIGHT = BLK50.SHEIGHT;
inline FArray<REAL, 4>& SQTY = BLK50.SQTY;
inline FArray<REAL, 4>& SSTRINGS = BLK50.SSTRINGS;
inline FArray<REAL, 4>& STILT = BLK50.STILT;
inline FArray<REAL, 4>& SFACING = BLK50.SFACING;
inline FArray<REAL, 4>& SSPARE1 = BLK50.SSPARE1;
inline FArray<REAL, 4>& SSPARE2 = BLK50.SSPARE2;
inline INTEGER& STIMESTART = BLK50.STIMESTART;
inline INTEGER& STIMEEND = BLK50.STIMEEND;
inline FArray<REAL, 4>& STENV = BLK50.STENV;
inline FArray<INTEGER, 4>& SNTANK = BLK50.SNTANK;
inline FArray<REAL, 4>& SSPARE3 = BLK50.SSPARE3;
inline FArray<REAL, 4>& STSET = BLK50.STSET;
inline FArray<REAL, 4>& STMAX = BLK50.STMAX;
inline FArray<REAL, 4>& SGPD = BLK50.SGPD;
inline FArray<REAL, 4>& SDHWP1 = BLK50.SDHWP1;
inline FArray<REAL, 4>& SDHWP2 = BLK50.SDHWP2;
inline FArray<REAL, 4>& SAREAC = BLK50.SAREAC;
inline FArray<FString<40>, 4>& SREFNO = BLK50.SREFNO;
inline FArray<FString<40>, 4>& SBRAND = BLK50.SBRAND;
inline FArray<FString<40>, 4>& SHEATER = BLK50.SHEATER;
inline FArray<FString<40>, 4>& SMODEL = BLK50.SMODEL;
inline FArray<INTEGER, 4>& SAFUELTYPE = BLK50.SAFUELTYPE;
inline FArray<INTEGER, 4>& SDHWP3 = BLK50.SDHWP3;
inline FArray<REAL, 4>& SDHWP4 = BLK50.SDHWP4;
inline FArray<REAL, 4>& SEF = BLK50.SEF;
inline FArray<REAL, 4>& SAVTANK = BLK50.SAVTANK;
inline FArray<REAL, 4>& SAINPUTRATE = BLK50.SAINPUTRATE;
inline FArray<REAL, 4>& STHERMEFF = BLK50.STHERMEFF;
inline FArray<REAL, 4>& SDHWP5 = BLK50.SDHWP5;
inline FArray<REAL, 4>& SDHWP6 = BLK50.SDHWP6;
inline FArray<REAL, 4>& SDHWP7 = BLK50.SDHWP7;
inline FArray<REAL, 4>& SDHWP8 = BLK50.SDHWP8;
inline FArray<REAL, 4>& SDHWP9 = BLK50.SDHWP9;
inline FArray<FString<40>, 4>& SCREFNO = BLK50.SCREFNO;
inline FArray<FString<40>, 4>& SCOLLECTOR = BLK50.SCOLLECTOR;
inline FArray<FString<40>, 4>& SCBRAND = BLK50.SCBRAND;
inline FArray<FString<40>, 4>& SCMODEL = BLK50.SCMODEL;
inline FArray<INTEGER, 4>& SDHWP10 = BLK50.SDHWP10;
inline FArray<REAL, 4>& SCAREA = BLK50.SCAREA;
inline FArray<REAL, 4>& SFRTA = BLK50.SFRTA;
inline FArray<REAL, 4>& SFRUL = BLK50.SFRUL;
inline FArray<REAL, 4>& SDHWP11 = BLK50.SDHWP11;
inline FArray<REAL, 4>& SDHWP12 = BLK50.SDHWP12;
inline FArray<REAL, 4>& SSEF = BLK50.SSEF;
inline FArray<REAL, 4>& SSVTANK = BLK50.SSVTANK;
inline FArray<REAL, 4>& SSINPUTRATE = BLK50.SSINPUTRATE;
inline FArray<REAL, 4>& SSTHERMEFF = BLK50.SSTHERMEFF;
inline REAL& SSPARE4 = BLK50.SSPARE4;

inline const INTEGER& DSSYSNO = BLK49.DSSYSNO;
inline const FArray<INTEGER, 4>& DSPANEL = BLK49.DSPANEL;
inline const FArray<INTEGER, 4>& DSCONTROL = BLK49.DSCONTROL;
inline const FArray<INTEGER, 4>& DSSYSKIND = BLK49.DSSYSKIND;
inline const FArray<REAL, 4>& DSWIDTH = BLK49.DSWIDTH;
inline const FArray<REAL, 4>& DSHEIGHT = BLK49.DSHEIGHT;
inline const FArray<REAL, 4>& DSQTY = BLK49.DSQTY;
inline const FArray<REAL, 4>& DSSTRINGS = BLK49.DSSTRINGS;
inline const FArray<REAL, 4>& DSTILT = BLK49.DSTILT;
inline const FArray<REAL, 4>& DSFACING = BLK49.DSFACING;
inline const FArray<REAL, 4>& DSSPARE1 = BLK49.DSSPARE1;
inline const FArray<REAL, 4>& DSSPARE2 = BLK49.DSSPARE2;
inline const INTEGER& DSTIMESTART = BLK49.DSTIMESTART;
inline const INTEGER& DSTIMEEND = BLK49.DSTIMEEND;
inline const FArray<REAL, 4>& DSTENV = BLK49.DSTENV;
inline const FArray<INTEGER, 4>& DSNTANK = BLK49.DSNTANK;
inline const FArray<REAL, 4>& DSSVTANK = BLK49.DSSVTANK;
inline const FArray<REAL, 4>& DSTSET = BLK49.DSTSET;
inline const FArray<REAL, 4>& DSTMAX = BLK49.DSTMAX;
inline const FArray<REAL, 4>& DSGPD = BLK49.DSGPD;
inline const FArray<REAL, 4>& DSDHWP1 = BLK49.DSDHWP1;
inline const FArray<REAL, 4>& DSDHWP2 = BLK49.DSDHWP2;
inline const FArray<REAL, 4>& DSAREAC = BLK49.DSAREAC;
inline const FArray<FString<40>, 4>& DSREFNO = BLK49.DSREFNO;
inline const FArray<FString<40>, 4>& DSBRAND = BLK49.DSBRAND;
inline const FArray<FString<40>, 4>& DSHEATER = BLK49.DSHEATER;
inline const FArray<FString<40>, 4>& DSMODEL = BLK49.DSMODEL;
inline const FArray<INTEGER, 4>& DSAFUELTYPE = BLK49.DSAFUELTYPE;
inline const FArray<INTEGER, 4>& DSDHWP3 = BLK49.DSDHWP3;
inline const FArray<REAL, 4>& DSDHWP4 = BLK49.DSDHWP4;
inline const FArray<REAL, 4>& DSEF = BLK49.DSEF;
inline const FArray<REAL, 4>& DSAVTANK = BLK49.DSAVTANK;
inline const FArray<REAL, 4>& DSAINPUTRATE = BLK49.DSAINPUTRATE;
inline const FArray<REAL, 4>& DSTHERMEFF = BLK49.DSTHERMEFF;
inline const FArray<REAL, 4>& DSDHWP5 = BLK49.DSDHWP5;
inline const FArray<REAL, 4>& DSDHWP6 = BLK49.DSDHWP6;
inline const FArray<REAL, 4>& DSDHWP7 = BLK49.DSDHWP7;
inline const FArray<REAL, 4>& DSDHWP8 = BLK49.DSDHWP8;
inline const FArray<REAL, 4>& DSDHWP9 = BLK49.DSDHWP9;
inline const FArray<FString<40>, 4>& DSCREFNO = BLK49.DSCREFNO;
inline const FArray<FString<40>, 4>& DSCOLLECTOR = BLK49.DSCOLLECTOR;
inline const FArray<FString<40>, 4>& DSCBRAND = BLK49.DSCBRAND;
inline const FArray<FString<40>, 4>& DSCMODEL = BLK49.DSCMODEL;
inline const FArray<INTEGER, 4>& DSDHWP10 = BLK49.DSDHWP10;
inline const FArray<REAL, 4>& DSCAREA = BLK49.DSCAREA;
inline const FArray<REAL, 4>& DSFRTA = BLK49.DSFRTA;
inline const FArray<REAL, 4>& DSFRUL = BLK49.DSFRUL;
inline const FArray<REAL, 4>& DSDHWP11 = BLK49.DSDHWP11;
inline const FArray<REAL, 4>& DSDHWP12 = BLK49.DSDHWP12;
inline const FArray<REAL, 4>& DSSEF = BLK49.DSSEF;
inline const FArray<REAL, 4>& DSSINPUTRATE = BLK49.DSSINPUTRATE;
inline const FArray<REAL, 4>& DSSTHERMEFF = BLK49.DSSTHERMEFF;

inline FArray<REAL, 8760>& PVOUT = BLK52.PVOUT;
inline FArray<REAL, 13>& PVKWH = BLK52.PVKWH;
inline FArray<REAL, 13>& PVDEMAND = BLK52.PVDEMAND;
inline FArray<REAL, 13>& PVCOST = BLK52.PVCOST;
inline REAL& PVSYSPEAK = BLK52.PVSYSPEAK;
inline REAL& PVAVGPEAK = BLK52.PVAVGPEAK;

}  // namespace mavo

#define MAVO_SOLAR_SYSTEM_BLOCKS(X) \
    X(BLK49)                        \
    X(BLK50)                        \
    X(BLK52)
