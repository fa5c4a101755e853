// Code legends of the import instructions: the codes of the scheme's
// parameter column and what they mean, so the person importing can match
// MAVO's choice with EnergyPro's. The codes of one legend end in the same
// column, with " = " between code and text.
#include "results/compliance/instructions_legends.h"

#include <string>

#include "support/fortran_format.h"

namespace mavo::compliance {
namespace {

struct LegendRow {
    const char* code;
    const char* text;
};

template <std::size_t N>
void legend(ExportFiles& f, int code_end_column, const LegendRow (&rows)[N]) {
    for (const LegendRow& r : rows) f.txt(ffmt::A(r.code, code_end_column) + " = " + r.text);
}

constexpr LegendRow kHeating[] = {
    {"1", "No Heating System"},
    {"2 to 5", "Furnace,"},
    {"6", "Electrical Resistance heating,"},
    {"7 to 9", "Heat Pump"},
};

constexpr LegendRow kCooling[] = {
    {"1", "No Cooling System (will give an error here)"},
    {"2 to 5", "Air Conditioner"},
    {"6", "Evaporative Cooler "},
    {"7 to 9", "Heat Pump (see above)"},
};

constexpr LegendRow kRoof[] = {
    {"1", "No roof because upstairs is another heated unit"},
    {"2", "Cool Roof on flat wood joists"},
    {"3", "Default Roof on flat wood joists"},
    {"4", "Cool Roof sloped light weight tile natural vent"},
    {"5", "Cool Roof sloped light weight tile fan vented"},
    {"6", "Default Roof sloped light weight tiles nat-vent"},
    {"7", "Default Roof sloped light weight tiles fan vent"},
    {"8", "Default Roof sloped heavy tiles natural vent"},
    {"9", "Default Roof sloped heavy tiles fan vented "},
    {"10", "Cool Roof sloped heavy weight tile natural vent"},
    {"11", "Cool Roof sloped heavy weight tile fan vented"},
};

constexpr LegendRow kRadiantBarrier[] = {
    {"1", "Upstairs neighbor so no foil  is required"},
    {"2", "Upstairs neighbor so no foil although required"},
    {"3", "Foil is required and exists in this roof "},
    {"4", "Foil is required but user has deleted it"},
    {"5", "Foil is not required and does not exist"},
    {"6", "Foil is not required but user added it"},
};

constexpr LegendRow kWall[] = {
    {"1", "Stucco on wood studs "},
    {"2", "Wood/Vinyl Siding on Wood Studs"},
    {"3", "Stucco Exposed Brick/Block exposed/plastered"},
    {"4", "Stucco 8\" Hollow Concrete Block 2x4s Insulation"},
    {"5", "Wood/Vinyl Siding Foil AirSpace 8\"CMU exposed"},
    {"6", "Stucco 2\" or more Poly foam on 8\" CMU exposed"},
    {"7", "Stucco 2\"+ Poly foam on 5\" solid block exposed"},
    {"8", "Stucco or Face Brick 2x6 @ 24\"OC Insulation"},
    {"9", "Wood or Vinyl Siding 2x6 @ 24\"OC Insulation"},
    {"10", "Stucco Vinyl or Wood 1\"+ Poly Plywood 2x6@16\""},
    {"11", "Stucco Vinyl or Wood on 4 1/2\" SIPS Panels\""},
    {"12", "Stucco 9\"Insulated Concrete Forms Concrete fill"},
    {"13", "Solid 8\"Masonry uninsulated exposed both sides"},
};

constexpr LegendRow kWindow[] = {
    {"0", "Not Applicable "},
    {"1", "Clear Single Glazed Aluminum Frame "},
    {"2", "Clear Double Glazed Aluminum Frame"},
    {"3", "Clear Double Glazed Low-E Aluminum Frame"},
    {"4", "Clear Double Glazed Low-E Argon Aluminum Frame"},
    {"5", "CEC Code Minimum theoretical (double clear)"},
    {"6", "Tinted Double Glazed Aluminum Frame"},
    {"7", "Tinted Double Glazed Low-E Aluminum Frame"},
    {"8", "Tinted Double Glazed Reflective Aluiminum Frame"},
    {"9", "Clear Double Glazed Low-E-Squared Aluminum"},
    {"10", "Tinted Double Glazed Low-E-Squared Aluminum"},
    {"11", "Clear Triple Glazed Aluminum Frame"},
    {"21", "Clear Single Glazed Wood or Vinyl Frame"},
    {"22", "Clear Double Glazed Wood or Vinyl Frame"},
    {"23", "Clear Double Glazed Low-E Wood or Vinyl Frame"},
    {"24", "Clear Double Glazed Low-E Argon Wood or Vinyl"},
    {"25", "CEC Code Minimum theoretical (same as number 5)"},
    {"26", "Tinted Double Glazed Woood/Vinyl Frame"},
    {"27", "Tinted Double Glazed Low-E Wood/Vinyl Frame"},
    {"28", "Tinted Double Glazed Reflective Wood/Vinyl"},
    {"29", "Clear Double Glazed Low-E-Squared Wood/Vinyl"},
    {"30", "Tinted Double Glazed Low-E-Squared Wood/Vinyl"},
    {"31", "Clear Triple Glazed Wood or Vinyl Frame"},
};

constexpr LegendRow kShading[] = {
    {"0", "No Shading (Bug Screens Only) "},
    {"1", "Fixed Overhangs (not Operable) also screens"},
    {"2", "Overhangs (Awnings) Retracted in Winter"},
    {"3", "Overhangs also retract in Summer if cool"},
    {"4", "Overhangs automated: close if hot  "},
    {"5", "Lite Translucent Indoor Shades Close if too hot"},
    {"6", "Opaque Indoor Shades close if too hot indoors"},
    {"7", "Lite Transludent Indoor Shades automated yearly"},
    {"8", "Opaque Indoor Shades close if too sunny"},
    {"9", "Lite Venetian Blinds at 45 degrees all year"},
    {"10", "Lite Venetian Blinds at 45 or close if too hot"},
    {"11", "Lite Venetian Blinds automated open or closed"},
    {"12", "Exterior Venerian Blinds automated hourly"},
};

constexpr LegendRow kBasementFloor[] = {
    {"10", "Basement Occupied Unfinished"},
    {"13", "Basement Occupied Finished"},
};

constexpr LegendRow kSlabFloor[] = {
    {"6", "Slab On Grade, Carpeted"},
    {"7", "Slab On Grade, Exposed"},
};

constexpr LegendRow kFloor[] = {
    {"1", "no heat loss: downstairs is another heated unit"},
    {"2", "Wood Floor Exposed raised above grade"},
    {"3", "Wood Floor Carpeted raised above grade"},
    {"4", "Ceramic Tile grouted on Wood Floor Above Grade"},
    {"5", "Lightweight Concrete Carpeted on Wood above grade"},
    {"6", "Slab on Grade Carpeted (see above)"},
    {"7", "Slab on Grade Exposed  (see above)"},
    {"8", "Concrete Structural floor carpeted (above grade)"},
    {"9", "Concrete Structural floor exposed (above grade)"},
    {"10", "Basement Occupied Unfinished"},
    {"13", "Basement Occupied Finished"},
};

constexpr LegendRow kDistribution[] = {
    {"0", "(non standard distribution sealing changed)"},
    {"1", "Very Poorly Sealed Older Home (estimated 6.0 SLA)"},
    {"2", "Poorly Sealed Older Home (estimated 4.9 SLA)"},
    {"3", "Standard Construction Ducted (4.3 SLA)"},
    {"4", "... Add Sealed Ducts (3.8) SLA"},
    {"5", "... or ADD Air Retarding House Wrap (3.801 SLA)"},
    {"6", "Both Sealed Ducts and House Wrap (3.3 SLA)"},
    {"7", "Non-Ducted HVAC system (3.2 SLA)"},
    {"8", "Unusually Tight needs IAQ Fans (1.5 SLA)"},
};

}  // namespace

void legend_heating(ExportFiles& f) { legend(f, 8, kHeating); }
void legend_cooling(ExportFiles& f) { legend(f, 6, kCooling); }
void legend_roof(ExportFiles& f) { legend(f, 8, kRoof); }
void legend_radiant_barrier(ExportFiles& f) { legend(f, 8, kRadiantBarrier); }
void legend_wall(ExportFiles& f) { legend(f, 8, kWall); }
void legend_window(ExportFiles& f) { legend(f, 8, kWindow); }
void legend_shading(ExportFiles& f) { legend(f, 8, kShading); }
void legend_basement_floor(ExportFiles& f) { legend(f, 5, kBasementFloor); }
void legend_slab_floor(ExportFiles& f) { legend(f, 6, kSlabFloor); }
void legend_floor(ExportFiles& f) { legend(f, 5, kFloor); }
void legend_distribution(ExportFiles& f) { legend(f, 6, kDistribution); }

}  // namespace mavo::compliance
