// KEEPXML: the compliance-export document and its import instructions of the
// scheme just simulated (residential mode). The document frame is here: the
// checks at the top, the declaration and root element, the closing lines,
// the refusal of a run that is no whole year or simulated nothing, and the
// error exit. The element groups live beside this file, one file per group.
#include <cstdio>
#include <string>

#include "blocks/blocks.h"
#include "front/paths.h"
#include "front/record_files.h"
#include "front/trace.h"
#include "front/units.h"
#include "results/compliance/compliance_export.h"
#include "results/compliance/instructions.h"
#include "results/reports/report_files.h"
#include "results/results.h"
#include "support/numeric.h"

namespace mavo {
namespace {

using compliance::ExportFiles;
using compliance::ExportScheme;

constexpr INTEGER kProjectDirectory = 2;

// Schema identifier of the importer's document type; the document declares
// no other namespace.
constexpr std::string_view kTitle24Namespace = "urn:Title24XML:compliance-import";

// "New" with its quotes unless the scheme's column says existing or addition.
FString<10> construction_status(REAL code) {
    if (code == 2.0f) return "\"Existing\"";
    if (code == 3.0f) return "\"Addition\"";
    return "\"New\"";
}

// The CEC reference city of each of the 16 California climate zones, as the
// importer names its weather data (each with its own quotes, 16 characters).
FString<16> reference_city(INTEGER zone) {
    constexpr std::string_view kCities[16] = {
        "\"Arcata\"",         "\"Santa Rosa    \"", "\"Oakland AP\"",  "\"Sunnyvale\"",
        "\"Santa Maria AP\"", "\"Los Angeles AP\"", "\"San Diego AP\"", "\"El Toro\"",
        "\"Burbank AP\"",     "\"Riverside FS 3\"", "\"Red Bluff AP\"", "\"Sacramento AP\"",
        "\"Fresno AP\"",      "\"China Lake\"",     "\"El Centro\"",    "\"Mount Shasta\"",
    };
    if (zone > 16) return "\" cecZone>16   \"";
    if (zone < 1) return "\" cecZone<1    \"";
    return kCities[zone - 1];
}

bool open_text_file(INTEGER unit, const FString<16>& name) {
    DIR_BUILDPATH(kProjectDirectory, name.view());
    const std::string path = built_path();
    if (path.empty()) return false;
    // Put in place with the run's other files once written whole.
    return unit_open_replacing(unit, path.c_str(), "w", false) != nullptr;
}

void close_both(const ExportFiles& f) {
    INTEGER ierr = 0;
    IO_CLOSE(f.notes_unit(), ierr);
    IO_CLOSE(f.document_unit(), ierr);
}

// A write or an open failed: the error line goes to the instructions file
// when this export opened it (otherwise to the trace only); both files keep
// what was written and are closed.
void error_exit(const ExportFiles& f, bool notes_opened = true) {
    if (std::FILE* notes = notes_opened ? unit_file(f.notes_unit()) : nullptr) {
        std::fputs(" ERROR 7000: An error was found in the statement following the line above\n\n", notes);
    }
    DBG_PRINT("Error 7000 in write format was found");
    INTEGER ierr = 0;
    if (notes_opened) IO_CLOSE(f.notes_unit(), ierr);
    IO_CLOSE(f.document_unit(), ierr);
    DBG_OUT("KEEPXML");
}

void normal_ending(const ExportFiles& f) {
    close_both(f);
    DBG_PRINT("Normal Ending in KEEPXML: skipped \"RESULT\"");
    DBG_OUT("KEEPXML");
}

// The importer needs a whole year: a run over the twelve representative
// days, or a year whose day flags skip months (the months a re-read chose
// stay with the scheme), is no annual calculation.
bool annual_calculation() {
    if (!NFLAG(38)) return false;
    for (INTEGER m = 1; m <= 12; ++m)
        if (DAYFLAG(m) < 0) return false;
    return true;
}

// Why the importer is refused a run: it simulated nothing, or no whole year.
constexpr std::string_view kNotAWholeYear = "This Scheme is not a full 365 day calculation";

// A run that is no annual calculation, or simulated nothing: the importer
// gets a single error element instead of a document.
void write_refusal(ExportFiles& f, std::string_view reason) {
    f.xml(0, "<................. ERROR......................" + std::string(reason) +
                 ",so you can NOT use EnergyPro/>");
    compliance::notes_refusal(f, reason);
}

void write_declaration_and_opening(ExportFiles& f, const ExportScheme& s) {
    f.xml(0, "<?xml  version=\"1.0\"  encoding=\"utf-8\" ?>");
    DBG_PRINT("after Format 1 line 106");
    DBG_PRINT("  (if it stops here close the .txt file !!!)");
    compliance::notes_opening(f, s, NFLAG(44));
    DBG_PRINT(" after Format 1001 line 161");
    f.xml(3, std::string("<Title24XML  xmlns=\"") + std::string(kTitle24Namespace) + "\" >");
    DBG_PRINT("after Format 2 line 131");
}

void write_plant_close(ExportFiles& f, const ExportScheme&) { f.xml(9, "</Plant >"); }

void write_building_close(ExportFiles& f, const ExportScheme&) { f.xml(5, "</Building >"); }

void write_rates(ExportFiles& f, const ExportScheme&) { compliance::write_utility_rates_and_billing_date(f); }

void write_document_end(ExportFiles& f, const ExportScheme& s) {
    compliance::notes_normal_ending(f);
    f.xml(0, "</Title24XML>");
    f.txt(std::string("END OF FILE ") + std::string(compliance::notes_file_name(s.k).view()));
}

// The whole document in the order of its skeleton. Each step writes its
// elements with the instruction sections that follow them.
using ExportStep = void (*)(ExportFiles&, ExportScheme&);

void run_steps(ExportFiles& f, ExportScheme& s) {
    const ExportStep steps[] = {
        [](ExportFiles& f, ExportScheme& s) { write_declaration_and_opening(f, s); },
        [](ExportFiles& f, ExportScheme& s) { compliance::write_run_details_and_project(f, s); },
        [](ExportFiles& f, ExportScheme& s) { compliance::write_building_and_lighting(f, s); },
        [](ExportFiles& f, ExportScheme& s) { compliance::write_renewables(f, s); },
        [](ExportFiles& f, ExportScheme& s) { compliance::write_water_heating(f, s); },
        [](ExportFiles& f, ExportScheme& s) { compliance::write_hvac_zone_room_roof(f, s); },
        [](ExportFiles& f, ExportScheme& s) { compliance::write_walls(f, s); },
        [](ExportFiles& f, ExportScheme& s) { compliance::write_floor_dwelling_distribution(f, s); },
        [](ExportFiles& f, ExportScheme& s) { write_plant_close(f, s); },
        [](ExportFiles& f, ExportScheme& s) { compliance::write_crawlspace_and_attic(f, s); },
        [](ExportFiles& f, ExportScheme& s) { write_building_close(f, s); },
        [](ExportFiles& f, ExportScheme& s) { write_rates(f, s); },
        [](ExportFiles& f, ExportScheme& s) { write_document_end(f, s); },
    };
    for (ExportStep step : steps) {
        step(f, s);
        if (f.failed()) return;
    }
}

}  // namespace

void remove_compliance_export(INTEGER idnum) {
    const INTEGER slot = reports::report_slot(idnum);
    if (slot == 0) return;
    for (const FString<16>& name : {compliance::document_file_name(slot), compliance::notes_file_name(slot)}) {
        DIR_BUILDPATH(kProjectDirectory, name.view());
        const std::string path = built_path();
        const Removal removal = unit_remove_with_run(path.c_str());
        if (removal == Removal::removed) {
            DBG_PRINT("KEEPXML: stale compliance export removed with the run's reports");
            DBG_PRINT(path);
        } else if (removal == Removal::refused) {
            DBG_ERROR("KEEPXML: cannot remove the stale compliance export");
            DBG_PRINT(path);
        }
    }
}

void KEEPXML() {
    DBG_IN("KEEPXML");
    DBG_INT("top of KEEPXML 065; idnum1", IDNUM1);
    // The document describes the scheme's parameter column: the design
    // slots 1 to 9 and the default scheme 10 have one. Slot 0 (the default
    // scheme reached without its column), combinations and library slots
    // run on codes of 0, which describe no design to import.
    if (!has_scheme_column(IDNUM1)) {
        DBG_PRINT("KEEPXML: no compliance export for a scheme slot without a parameter column");
        remove_compliance_export(IDNUM1);
        DBG_OUT("KEEPXML");
        return;
    }
    ExportScheme s;
    s.k = IDNUM1;
    s.NEWOLD = construction_status(STRATEGY(6, s.k));
    DBG_FLOAT("Strategy(6,-) 1=New=NewOld", STRATEGY(6, s.k));
    DBG_INT("  =New if Idnum1=1. and if Vintage", IDNUM1);
    DBG_PRINT(s.NEWOLD.view());
    DBG_FLOAT("uval(10) in KEEPXML at top", UVAL(10));

    ExportFiles f(BLK0B.DISKXML, BLK0B.DISKNOTES);
    if (!open_text_file(f.document_unit(), compliance::document_file_name(s.k))) {
        error_exit(f, false);
        return;
    }
    if (!open_text_file(f.notes_unit(), compliance::notes_file_name(s.k))) {
        error_exit(f, false);
        return;
    }

    s.NFACES = compliance::degrees_from_north(SFACES);
    s.stories = int_toward_zero(FLOORS);
    s.scheme_name = reports::report_scheme_name(s.k);
    if (NFLAG(44)) DBG_PRINT("nflag(44).eq.true in KEEPxml");
    else DBG_PRINT("nflag(44).eq.F invalid climate in KEEPxml");

    // A run that simulated nothing has only zeros to export, whatever its
    // period: the zeros would import as a building that uses no energy.
    const bool nothing = reports::nothing_was_simulated();
    if (nothing || !annual_calculation()) {
        const std::string reason = nothing ? reports::nothing_simulated_heading() : std::string(kNotAWholeYear);
        DBG_PRINT("KEEPXML: the export is refused: " + reason);
        write_refusal(f, reason);
        if (f.failed()) return error_exit(f);
        return normal_ending(f);
    }

    s.CITY = reference_city(CECZONE);
    DBG_PRINT(s.CITY.view());
    run_steps(f, s);
    if (f.failed()) return error_exit(f);
    normal_ending(f);
}

}  // namespace mavo
