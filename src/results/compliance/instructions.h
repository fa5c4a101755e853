// The import instructions, schemeN.txt: numbered sections of fixed
// explanatory prose with the values of the scheme the person importing the
// document must check, each section written right after the document line
// it explains. Section numbers are part of the text and not consecutive.
#pragma once
#include <initializer_list>
#include <string_view>

#include "results/compliance/compliance_export.h"
#include "support/fstring.h"
#include "support/types.h"

namespace mavo::compliance {

// Fixed lines of prose, one after the other.
inline void txt_lines(ExportFiles& f, std::initializer_list<std::string_view> lines) {
    for (std::string_view line : lines) f.txt(line);
}

// Values of the roof element repeated in section 35.
struct RoofNoteValues {
    REAL area_ft2 = 0.0f;
    FString<11> JAIVINDEXNO;
    INTEGER tilt_deg = 0;
    REAL added_r = 0.0f;  // insulation above R-30, h.ft2.F/Btu
};

// Values of one wall element repeated in section 36.
struct WallNoteValues {
    INTEGER w = 6;  // envelope item of the wall, 6-9
    REAL gross_area_ft2 = 0.0f;
    INTEGER orientation_deg = 0;
    FString<11> JAIVINDEXNO;
};

// Sections up to the water heater.
void notes_opening(ExportFiles& f, const ExportScheme& s, bool in_california);
void notes_run_details(ExportFiles& f);
void notes_project(ExportFiles& f, const ExportScheme& s);
void notes_building(ExportFiles& f, const ExportScheme& s);
void notes_renewables(ExportFiles& f);
void notes_renewable_month(ExportFiles& f, INTEGER month);
void notes_renewable_year(ExportFiles& f);
void notes_water_heating(ExportFiles& f, const ExportScheme& s);
void notes_normal_ending(ExportFiles& f);
void notes_refusal(ExportFiles& f, std::string_view reason);

// Sections of the HVAC subtree.
void notes_hvac(ExportFiles& f, const ExportScheme& s);
void notes_zone(ExportFiles& f, const ExportScheme& s);
void notes_room(ExportFiles& f, const ExportScheme& s);
void notes_roof(ExportFiles& f, const ExportScheme& s, const RoofNoteValues& roof);
void notes_skylight(ExportFiles& f, const ExportScheme& s, INTEGER j);
void notes_wall(ExportFiles& f, const ExportScheme& s, const WallNoteValues& wall);
void notes_window(ExportFiles& f, const ExportScheme& s, INTEGER j, INTEGER w);
void notes_overhang(ExportFiles& f, INTEGER j, INTEGER w);
void notes_side_fins(ExportFiles& f, INTEGER j, INTEGER w);
void notes_door(ExportFiles& f, INTEGER j, INTEGER w, const FString<11>& JAIVINDEXNO);
void notes_basement(ExportFiles& f, const ExportScheme& s);
void notes_slab(ExportFiles& f, const ExportScheme& s);
void notes_raised_floor(ExportFiles& f, const ExportScheme& s, const FString<11>& JAIVINDEXNO);
void notes_distribution(ExportFiles& f, const ExportScheme& s);

}  // namespace mavo::compliance
