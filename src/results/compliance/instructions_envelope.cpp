// Import instructions of the HVAC subtree: systems, zone, room, roof and
// skylights, walls with their windows, overhangs, side fins and doors, the
// floor (basement, slab or raised floor) and the distribution.
#include <string>

#include "blocks/blocks.h"
#include "results/compliance/instructions.h"
#include "results/compliance/instructions_legends.h"
#include "support/fortran_format.h"

namespace mavo::compliance {
namespace {

using ffmt::A;
using ffmt::F;
using ffmt::I;

// The label of a skylight's heading: the skylight item of BLK18.
constexpr INTEGER kSkylightLabel = 5;
// Wall w (6-9) is named by label 85 + w ("Front Wall" ...).
constexpr INTEGER kWallNameLabelOffset = 85;

REAL window_code(const ExportScheme& s, INTEGER j) { return STRATEGY(60 + 10 * (j - 1), s.k); }

void opening_areas(ExportFiles& f, INTEGER j, const char* single, const char* quantity, const char* total) {
    const REAL single_ft2 = WIDTH(j) * (HEAD(j) - SILL(j));
    f.txt(std::string(single) + "=\"" + F(single_ft2, 10, 2) + "\" from MAVO ");
    f.txt(std::string(quantity) + "=\"" + F(QTY(j), 10, 2) + "\" from MAVO ");
    f.txt(std::string(total) + "=\"" + F(QTY(j) * single_ft2, 10, 2) + "\" in EnergyPro");
}

// The glazing values, shading and size common to windows and skylights.
void glazing_values(ExportFiles& f, const ExportScheme& s, INTEGER j) {
    f.txt(" The NFRC rated values of the glazing:");
    f.txt("    U-Factor =\"" + F(UWINDO(j), 9, 3) + "\" (Conducted Heat Gain or Loss) ");
    f.txt("    SHGC     =\"" + F(SCOEF(j), 9, 3) + "\" (Solar Heat Gain Coefficient) ");
    f.txt(" and the share of daylight it lets through:");
    f.txt("    Visible Transmitance =\"" + F(TRANS(j), 9, 3) + "\"    ");
    txt_lines(f, {
                     " EnergyPro assumes bug screens outside every window;",
                     " MAVO's shading of the windows is:",
                 });
    f.txt("    = \"" + F(STRATEGY(36, s.k), 9, 0) + "\"  (In MAVO a negative ID value is similar");
    f.txt("    to the positive one)");
    legend_shading(f);
    txt_lines(f, {
                     " Other shading such as porch roofs or neighbouring",
                     " buildings must be entered as overhangs or side fins.",
                 });
    f.txt("   Window Width  =\"" + F(WIDTH(j), 9, 3) + "\" feet");
    f.txt("   Window Height =\"" + F(HEAD(j) - SILL(j), 9, 3) + "\" feet");
    txt_lines(f, {"  ", ""});
}

}  // namespace

void notes_hvac(ExportFiles& f, const ExportScheme& s) {
    txt_lines(f, {
                     "  32: HVAC: Heating Ventilating and Air Conditioning",
                     "  In EnergyPro open the HVAC System screen.",
                     "  MAVO's heating system is:",
                 });
    f.txt("    = \"" + F(STRATEGY(18, s.k), 9, 0) + "\" where");
    legend_heating(f);
    txt_lines(f, {
                     "  CAUTION: the code usually requires a heating system;",
                     "  without one EnergyPro assumes a standard furnace.",
                 });
    f.txt("    BTUh Heat Loss = \"" + F(-HEATLOSS(27), 10, 0) + "\" ");
    f.txt("   AFUE, HSPF, or COP depending on fuel =\"" + F(COPHT, 9, 3) + "\"");
    f.txt("  MAVO's cooling system is:");
    f.txt("    = \"" + F(STRATEGY(20, s.k), 9, 0) + "\" where ");
    legend_cooling(f);
    txt_lines(f, {
                     "  CAUTION: without a cooling system EnergyPro assumes",
                     "  a standard air conditioner.",
                 });
    f.txt("    BTUh Heat Gain = \"" + F(HEATGAIN(27), 10, 0) + "\"");
    f.txt("    BTUh Sensible Cooling =\"" + F(HEATGAIN(25), 10, 0) + "\" ");
    f.txt("    EER or SEER = \"" + F(COPAC * 3.412f, 9, 3) + "\" ");
    f.txt("    Duct R Value =\"" + F(DuctInsul, 9, 2) + "\" ");
    f.txt("    Heating and Cooling Duct Loss Efficiency % =\"" + F(DuctLeakPct, 9, 2) + "\"");
    f.txt("  The thermostat and the fresh air fan:");
    f.txt("     Comfort Low Indoor Temperature (degrees F)=\"" + F(COMLOW, 9, 2) + "\"");
    f.txt("     Setback Temperature if People are present =\"" + F(SETBKN, 9, 2) + "\"");
    f.txt("     Setback Temperature if no People present  =\"" + F(SETBKU, 9, 2) + "\"");
    f.txt("     Supply =\"" + F(FACFM, 9, 0) + "\" CFM (Cubic Feet per Minute)");
    f.txt("     Power  =\"" + F(wCFMiaq * FACFM, 9, 0) + "\" Watts for continuous fresh air fan");
    txt_lines(f, {" ", ""});
}

void notes_zone(ExportFiles& f, const ExportScheme& s) {
    txt_lines(f, {
                     "  33:  ZONE: ",
                     "  The whole house is one conditioned zone, named",
                     "  after MAVO's building type:",
                 });
    std::string type_name;
    if (NTYPE >= 1 && NTYPE <= 20)
        for (INTEGER i = 1; i <= 6; ++i) type_name += BTNAME(i, NTYPE).view();
    f.txt("    = \"" + A(type_name, 24) + "\" (from MAVO)");
    f.txt("  Its type and the floor it stands on:");
    f.txt("    ZoneType = \"Conditioned\" ");
    f.txt("    FloorNo = \"" + I(s.stories, 3) + "\" ");
    f.txt("  The building has this number of stories:");
    f.txt("    = \"" + I(s.stories, 3) + "\" Stories (only change this in MAVO) ");
    txt_lines(f, {
                     "  EnergyPro takes residential lighting from the",
                     "  luminaires of the house; MAVO's lighting load is:",
                 });
    f.txt("    Watts/sq.ft. (from MAVO) = \"" + F(LIGHTS, 9, 2) + "\"");
    txt_lines(f, {"  ", ""});
}

void notes_room(ExportFiles& f, const ExportScheme& s) {
    txt_lines(f, {
                     "  34:  ROOM ",
                     "  The room holds the floor area and ceiling height:",
                 });
    f.txt("    Construction Status =" + A(s.NEWOLD.view(), 10) + " ");
    f.txt("    Floor Area = \"" + F(AREAT, 8, 0) + "\" sq.ft. ");
    f.txt("    Ceiling Height = \"" + F(FLTOCE, 8, 2) + "\" feet ");
    txt_lines(f, {
                     "  EnergyPro uses indoor temperatures of 68 to 75",
                     "  degrees; MAVO's comfort limits are:",
                 });
    f.txt("   Winter =\"" + F(COMLOW, 9, 1) + "\" Indoor Comfort Low Temperature");
    f.txt("   Summer =\"" + F(COMHI, 9, 1) + "\" Indoor Comfort High Temperature");
    f.txt("  Bedrooms are taken as the occupants minus one:");
    f.txt("   Number of Bedrooms  = \"" + I(s.bedrooms, 3) + "\" ");
    txt_lines(f, {
                     "  Infiltration: MAVO's winter design air changes and",
                     "  the specific leakage area of the house are:",
                 });
    f.txt("    Air Changes per Hour at Winter Design Low = \"" + F(AirChgW, 9, 2) + "\"");
    f.txt("    SLA (Specific Leakage Area) = \"" + F(SLA, 9, 2) + "\"              ");
    txt_lines(f, {"  ACH50 is 2 times the SLA.", "  ", ""});
}

void notes_roof(ExportFiles& f, const ExportScheme& s, const RoofNoteValues& roof) {
    txt_lines(f, {"  35:  ROOF", "  ", " The area of the Roof as calculated in MAVO is: "});
    f.txt("    Area=\"" + F(roof.area_ft2, 10, 2) + "\" sq.ft.");
    f.txt(" The roof is turned like the front of the building:");
    f.txt("    Orientation = \"" + I(s.NFACES, 3) + "\" degrees from north ");
    f.txt(" MAVO's roof construction is:");
    f.txt("    = \"" + F(STRATEGY(32, s.k), 4, 0) + "\" (all have Gyp Board ceilings)");
    legend_roof(f);
    f.txt("    UFactor = \"" + F(UVAL(10), 6, 3) + "\" ");
    f.txt("    JAIV index = " + A(roof.JAIVINDEXNO.view(), 11) + "  (see Joint Appendix JA4)");
    txt_lines(f, {
                     " A cool roof counts only when its reflectance and",
                     " emittance are certified by the Cool Roof Rating",
                     " Council (CRRC):",
                 });
    f.txt("    Reflectance = \"" + F(1.0f - ABSORB(10), 9, 3) + "\" ");
    f.txt("    Emittance = \"" + F(REMITT, 9, 3) + "\" ");
    f.txt("    =\"" + F(STRATEGY(35, s.k), 9, 0) + "\" where:");
    legend_radiant_barrier(f);
    f.txt(" The slope of the roof in degrees:");
    f.txt("    Tilt=\"" + I(roof.tilt_deg, 4) + "\" ");
    f.txt(" Insulation above R-30 is entered as added insulation:");
    f.txt("    Added Insulation=\"" + F(roof.added_r, 9, 2) + "\" Added Roof R value");
    txt_lines(f, {"   ", ""});
}

void notes_skylight(ExportFiles& f, const ExportScheme& s, INTEGER j) {
    f.txt(" SKYLIGHT  Number" + I(j, 4) + " in: " + label12(kSkylightLabel));
    f.txt("  ");
    f.txt(" Each skylight is entered in the roof with its area:");
    opening_areas(f, j, "   Single Skylight Area      ", "   Quantity of this Skylight ",
                  "   Total Skylight Area       ");
    f.txt(" MAVO's glazing type is:");
    f.txt("    = \"" + F(window_code(s, j), 9, 0) + "\" (the first 11 have Aluminum frames, the");
    f.txt("    last 11 have Wood or Vinyl frames)");
    legend_window(f);
    glazing_values(f, s, j);
}

void notes_wall(ExportFiles& f, const ExportScheme& s, const WallNoteValues& wall) {
    const INTEGER w = wall.w;
    txt_lines(f, {"", ""});
    f.txt("  36:  WALLS: " + label12(kWallNameLabelOffset + w));
    txt_lines(f, {
                     "  ",
                     " CAUTION: MAVO's wall area leaves out the windows and",
                     " doors; the gross area EnergyPro wants includes them.",
                 });
    f.txt("    Net Area   =\"" + F(AREA(w), 10, 2) + "\" sq.ft. from MAVO ");
    f.txt("    Gross Area =\"" + F(wall.gross_area_ft2, 10, 2) + "\" calculated here for EnergyPro");
    f.txt(" The wall faces this direction:");
    f.txt("    Orientation = \"" + I(wall.orientation_deg, 4) + "\" degrees from north ");
    txt_lines(f, {
                     " CAUTION: only assemblies of Joint Appendix 4 are",
                     " allowed; check that the one chosen fits this wall:",
                 });
    f.txt("    = \"" + F(STRATEGY(31, s.k), 9, 0) + "\" ");
    legend_wall(f);
    f.txt("     U-Factor = \"" + F(UVAL(w), 9, 3) + "\" ");
    f.txt("    JAIV index =" + A(wall.JAIVINDEXNO.view(), 11) + "  (see Joint Appendix JA4)");
    f.txt(" The outside colour of the wall:");
    f.txt("    Reflectance=\"" + F(1.0f - ABSORB(w), 9, 3) + "\" (light colors are higher)");
    f.txt("    Emittance=\"" + F(ABSORB(w), 9, 3) + "\" ");
    txt_lines(f, {
                     " CAUTION: the thermal mass of a masonry or concrete",
                     " wall is entered on the Thermal Mass tab; check its",
                     " thickness and whether it is exposed inside.",
                     " Repeat this for all four walls. To eliminate a wall set",
                     " its Area to 0.0",
                     "  ",
                     " Tilt=\"90\" ",
                     "",
                 });
}

void notes_window(ExportFiles& f, const ExportScheme& s, INTEGER j, INTEGER w) {
    f.txt("  37:  WINDOW  Number" + I(j, 4) + " in: " + label12(kWallNameLabelOffset + w));
    f.txt("  ");
    f.txt(" Each window is entered in its wall with its area:");
    opening_areas(f, j, "   Single Window Area      ", "   Quantity of this Window ", "   Total Window Area       ");
    f.txt(" MAVO's glazing type is:");
    const REAL code = window_code(s, j);
    f.txt("    = \"" + F(code < 0.0f ? -code : code, 9, 0) + "\" (the first 11 have Aluminum frames, the");
    f.txt("    last 11 have Wood or Vinyl frames)");
    legend_window(f);
    txt_lines(f, {
                     " A negative type in MAVO is the positive one with a",
                     " changed U-factor or SHGC.",
                 });
    glazing_values(f, s, j);
}

void notes_overhang(ExportFiles& f, INTEGER j, INTEGER w) {
    f.txt("  41: OVERHANG Number = " + I(j, 4) + ": in " + label12(w));
    f.txt(" The overhang above this window:");
    f.txt("   Depth=\"" + F(OHANGD(j), 8, 2) + "\" ");
    f.txt("   Distance=\"" + F(OHANGDIS(j), 8, 2) + "\" ");
    f.txt("   Left Extension=\"" + F(OHANGLEX(j), 8, 2) + "\" ");
    f.txt("   Right Extension=\"" + F(OHANGREX(j), 8, 2) + "\" ");
    txt_lines(f, {"  ", ""});
}

void notes_side_fins(ExportFiles& f, INTEGER j, INTEGER w) {
    f.txt("  41: SIDE FINS for window Number=" + I(j, 4) + ": in" + label12(w));
    f.txt(" The fins beside this window:");
    f.txt("   Left Depth=\"" + F(FINLDEP(j), 8, 2) + "\" ");
    f.txt("   Left Distance=\"" + F(FINLDIS(j), 8, 2) + "\" ");
    f.txt("   Right Depth=\"" + F(FINRDEP(j), 8, 2) + "\" ");
    f.txt("   Right Distance=\"" + F(FINRDIS(j), 8, 2) + "\" ");
    txt_lines(f, {"  ", ""});
}

void notes_door(ExportFiles& f, INTEGER j, INTEGER w, const FString<11>& JAIVINDEXNO) {
    f.txt("  38:  DOOR  Number =" + I(j, 4) + ": in " + label12(kWallNameLabelOffset + w));
    f.txt("  ");
    f.txt(" Each door is entered in its wall with its area:");
    opening_areas(f, j, "   Single Door Area      ", "   Quantity of this Door ", "   Total Door Area       ");
    f.txt(" The door's U-factor and the share of sun it reflects:");
    f.txt("    U-Factor = \"" + F(UWINDO(j), 9, 3) + "\" ");
    // A door line keeps its solar absorptance where a window keeps its SHGC.
    f.txt("    Aged Solar Reflectance =\"" + F(1.0f - SCOEF(j), 9, 2) + "\" ");
    f.txt("    JAIV index =" + A(JAIVINDEXNO.view(), 11) + " (see Joint Appendix JA4)");
    txt_lines(f, {"  ", ""});
}

void notes_basement(ExportFiles& f, const ExportScheme& s) {
    txt_lines(f, {"", "", "  49:   BASEMENT", "  "});
    f.txt(" MAVO thinks this basement type is = \"" + F(STRATEGY(33, s.k), 9, 0) + "\" ");
    legend_basement_floor(f);
    txt_lines(f, {
                     " Basements are entered by hand in EnergyPro: add an",
                     " underground floor and three underground walls at",
                     " three depths, each with its assembly and thermal",
                     " mass. CAUTION: the import does not make them, so",
                     " delete them by hand when the design changes later.",
                     " The underground floor:",
                 });
    f.txt("    Area =\"" + F(AREA(17), 10, 2) + "\" square feet");
    f.txt("    Thickness =\"" + F(THCK(1), 5, 2) + "\" inches (usually at least 3.5)");
    f.txt(" The three underground walls:");
    f.txt("    Area of first 2 feet=\"" + F(AREA(14), 10, 2) + "\" square feet");
    f.txt("    Depth Below Grade (max)=  24.0 inches");
    f.txt("    Area of second 4 feet=\"" + F(AREA(15), 10, 2) + "\" square feet");
    f.txt("    Depth Below Grade (max)=  72.0  inches");
    f.txt("    Area of final segment=\"" + F(AREA(16), 10, 2) + "\" square feet");
    f.txt("    Depth Below Grade (max)=  84.0  inches");
    txt_lines(f, {"  ", ""});
    if (AREA(13) > 0.0f) {
        f.txt(" MAVO thinks there is exposed basement wall above grade");
        f.txt(" so repeat the above except Select Exterior Wall");
        f.txt("    Area of Exposed two feet of basement=\"" + F(AREA(13), 9, 0) + "\" ");
        txt_lines(f, {
                         " It is the top 24.0 inches of the basement wall;",
                         " enter it facing north. CAUTION: delete this wall",
                         " by hand when the design changes later.",
                         "  ",
                         "",
                     });
    }
}

void notes_slab(ExportFiles& f, const ExportScheme& s) {
    txt_lines(f, {"", "", "  50:   SLAB ON GRADE", "  ", " The slab floor of the room:"});
    f.txt("    Area =\"" + F(s.SLABAREA, 10, 2) + "\" sq.ft.");
    f.txt("    Slab Edge Lenght =\"" + F(AREA(12), 9, 2) + "\" feet");
    f.txt(" MAVO's floor type is:");
    f.txt("    = \"" + F(STRATEGY(33, s.k), 9, 0) + "\" ");
    legend_slab_floor(f);
    f.txt(" The edge insulation is given by the slab's F-factor:");
    f.txt("     U-factor =\"" + F(UVAL(12), 9, 3) + "\" Slab Edge Insulation");
    f.txt("     JAIV index =" + A("\"4.4.7-A1\" ", 11) + "  (see Joint Appendix JA4)");
    txt_lines(f, {
                     " MAVO assumes vertical edge insulation 24 inches",
                     " deep and none under the slab. The slab is thermal",
                     " mass: enter it on the Thermal Mass tab.",
                 });
    f.txt("     Thickness =\"" + F(THCK(1), 9, 2) + "\" inches");
    txt_lines(f, {" A slab is usually at least 3.5 inches thick.", "  ", ""});
}

void notes_raised_floor(ExportFiles& f, const ExportScheme& s, const FString<11>& JAIVINDEXNO) {
    txt_lines(f, {"  51: RAISED FLOOR", " The area of the raised Floor as calculated in MAVO is:"});
    f.txt("    Area =\"" + F(AREA(11), 10, 2) + "\" sq.ft.");
    f.txt(" MAVO's floor type is:");
    f.txt("    = \"" + F(STRATEGY(33, s.k), 9, 0) + "\" ");
    legend_floor(f);
    txt_lines(f, {
                     " EnergyPro assumes outdoor conditions below a raised",
                     " floor (a vented crawl space).",
                 });
    f.txt("     U-Factor =\"" + F(UVAL(11), 9, 3) + "\" Under floor insulation");
    f.txt("     JAIV index =" + A(JAIVINDEXNO.view(), 11) + "  (see Joint Appendix JA4)");
    txt_lines(f, {
                     " A concrete or tiled floor is thermal mass: enter it",
                     " on the Thermal Mass tab with its thickness:",
                 });
    f.txt("     Thickness =\"" + F(THCK(1), 9, 2) + "\" inches");
    txt_lines(f, {" and whether it is exposed or carpeted.", "  ", ""});
}

void notes_distribution(ExportFiles& f, const ExportScheme& s) {
    txt_lines(f, {
                     "  71: DISTRIBUTION OF HVAC SYSTEM",
                     "  ",
                     " The ducts and the air sealing of the house in MAVO:",
                 });
    f.txt("    = \"" + F(STRATEGY(24, s.k), 9, 0) + "\" (SLA is Specific Leakage Area)");
    legend_distribution(f);
    txt_lines(f, {
                     " EnergyPro asks for the duct insulation, the duct",
                     " losses and the attic insulation:",
                 });
    f.txt("     Duct Insulation        = \"" + F(DuctInsul, 9, 2) + "\" R-Value");
    f.txt("     Percentage Duct Losses = \"" + F(DuctLeakPct, 9, 2) + "\" %");
    f.txt("     Attic Insulation       = \"" + F(RVAL(10), 9, 2) + "\" R-Value ");
    txt_lines(f, {"  ", ""});
}

}  // namespace mavo::compliance
