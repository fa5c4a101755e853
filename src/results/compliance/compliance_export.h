// The compliance export: schemeN.xml, the document the outside compliance
// program imports (root element Title24XML), and schemeN.txt, the numbered
// instructions for the person who imports it. Both are written in one pass,
// each instruction section right after the document line it explains.
//
// Every document line is one fixed layout: leading blanks, literal text and a
// few fixed-column fields. Working texts that carry their own double quotes
// (the construction status "New", the reference city, joint-appendix
// indexes ...) are written directly after their attribute's "=", with their
// blank padding after the closing quote; the importer relies on these exact
// texts, so they are kept as the fixed-length texts they are.
#pragma once
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

#include "support/fstring.h"
#include "support/types.h"

namespace mavo::compliance {

// The two text files of one export, on their fixed units. A write that fails
// marks the export failed and every later write is dropped, so the files
// keep what was complete before the failure; the driver then takes its
// error exit. Each line is flushed as it is written, so a failure is seen at
// the line that caused it.
class ExportFiles {
public:
    ExportFiles(INTEGER document_unit, INTEGER notes_unit)
        : document_unit_(document_unit), notes_unit_(notes_unit) {}

    // One document line after `indent` blanks.
    void xml(std::size_t indent, std::string_view text);
    // One instructions line.
    void txt(std::string_view text);
    // The few lines whose failure the export lets pass: a failure of these
    // does not stop the export (later lines are still attempted).
    void xml_unchecked(std::size_t indent, std::string_view text);
    void txt_unchecked(std::string_view text);

    // Number fields of the document, as the fixed-point (Fw.d) and integer
    // (Iw) edits write them, save that a number too wide for its field is
    // written in full: the importer reads the value, never a row of stars.
    // A value that is not a finite number fails the export at the document
    // line that holds it.
    std::string F(double value, int w, int d);
    static std::string I(long long value, int w);

    bool failed() const { return failed_; }
    INTEGER document_unit() const { return document_unit_; }
    INTEGER notes_unit() const { return notes_unit_; }

private:
    bool put(INTEGER unit, std::size_t indent, std::string_view text);
    // False, and the export failed, when a number of the line is not finite.
    bool numbers_finite();

    INTEGER document_unit_;
    INTEGER notes_unit_;
    bool failed_ = false;
    bool non_finite_ = false;  // a number field of the line being built is not a finite number
};

// Values of the current scheme worked out once and used by several element
// groups and instruction sections.
struct ExportScheme {
    INTEGER k = 0;                 // scheme slot 1-10 (the default scheme is 10, also when reached as 0)
    FString<10> NEWOLD;            // construction status with its quotes: "New", "Existing", "Addition"
    FString<16> CITY;              // CEC reference city of the climate zone, with its quotes
    FString<24> scheme_name;       // the scheme's name as every report shows it
    INTEGER NFACES = 0;            // front orientation, whole degrees from north
    INTEGER stories = 0;           // FLOORS cut toward zero
    REAL SLABAREA = 0.0f;          // conditioned slab-on-grade area, ft2 (0 without a slab)
    REAL SOLARFRACT = 0.0f;        // share of water heating met by the sun, percent
    REAL recovery_efficiency = 0.0f;  // water-heater recovery efficiency, fraction
    FString<14> DHWTYPE;           // water-heater type with its quotes
    INTEGER bedrooms = 0;          // occupants less one, cut toward zero
};

// File names by scheme slot, by the rule of every report file: 1-9
// "schemeN", the default scheme (10, also reached as 0) "scheme0"; blank for
// any other slot (a combination has no report files).
FString<16> document_file_name(INTEGER slot);
FString<16> notes_file_name(INTEGER slot);

// A document layout with its fields: "{n}" stands for field n (1-based) of
// `fields`; everything else is copied as it is, blanks included.
std::string fill_layout(std::string_view layout, std::initializer_list<std::string> fields);

// First 12 characters of label i of BLK18 (a label written with 3A4).
std::string label12(INTEGER i);

// Whole degrees from north, 0 to 359, of an azimuth the building model
// counts from south (the front's SFACES, a wall's facing): the importer
// reads an orientation as a compass bearing and takes no angle outside a
// single turn.
INTEGER degrees_from_north(REAL azimuth_from_south_deg);

// Element groups in document order, each with the instruction sections it
// interleaves. Each returns early once the files have failed.
void write_run_details_and_project(ExportFiles& f, const ExportScheme& s);
void write_building_and_lighting(ExportFiles& f, ExportScheme& s);
void write_renewables(ExportFiles& f, const ExportScheme& s);
void write_water_heating(ExportFiles& f, ExportScheme& s);
void write_hvac_zone_room_roof(ExportFiles& f, ExportScheme& s);
void write_walls(ExportFiles& f, const ExportScheme& s);
void write_floor_dwelling_distribution(ExportFiles& f, const ExportScheme& s);
void write_crawlspace_and_attic(ExportFiles& f, const ExportScheme& s);
void write_utility_rates_and_billing_date(ExportFiles& f);

}  // namespace mavo::compliance
