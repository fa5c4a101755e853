// Compliance export: the ground-contact element of the room (slab or raised
// floor; a basement is entered by hand), the dwelling, the HVAC
// distribution with the closing lines of the HVAC subtree, and after the
// plant the crawl space and the attic.
#include <string>

#include "blocks/blocks.h"
#include "front/trace.h"
#include "results/compliance/compliance_export.h"
#include "results/compliance/instructions.h"
#include "support/fortran_format.h"
#include "support/numeric.h"

namespace mavo::compliance {
namespace {

using ffmt::A;

constexpr std::string_view kSlabLayout =
    "<Insulation SurfaceType=\"Slab\" Area=\"{1}\" Length=\"{2}\" UFactor=\"0\" F2Factor=\"{3}\" Orientation=\"0\" "
    "CavityInsulationRValue=\"{4}\" FrameType=\"None\"  AddedIntInsulation=\"{5}\" AddedExtInsulation=\"0\" "
    "JAIVIndex=\"4.4.7-A1\" CRRCCertified=\"false\" Reflectance=\"0\" Emittance=\"0\" RadiantBarrier=\"None\" "
    "RoofWeight=\"0\" AirSpace=\"false\" EnhancedVent=\"false\" VentHigh=\"0\" UndergroundWallDepth=\"0\" "
    "SlabPerimeter=\"{6}\" ExternalMassType=\"None\" ExternalMassThickness=\"3.5\" ExternalMassExposed={7} "
    "ConstructionStatus={8} Tilt=\"0\"  Name={9} />";

constexpr std::string_view kFloorLayout =
    "<Insulation SurfaceType=\"Floor\" Area=\"{1}\" Length=\"0\" UFactor=\"{2}\" F2Factor=\"0\" Orientation=\"0\" "
    "CavityInsulationRValue=\"{3}\" FrameType={4} AddedIntInsulation=\"{5}\" AddedExtInsulation=\"0\" "
    "JAIVIndex={6} CRRCCertified=\"false\" Reflectance=\"0\" Emittance=\"0\" RadiantBarrier=\"None\" "
    "RoofWeight=\"0\" AirSpace=\"false\" EnhancedVent=\"false\" VentHigh=\"0\" UndergroundWallDepth=\"0\" "
    "SlabPerimeter=\"0\" ExternalMassType={7}  ExternalMassThickness=\"{8}\" ExternalMassExposed={9} "
    "ConstructionStatus={10} Tilt=\"0\"  Name={11} />";

constexpr std::string_view kDwellingLayout =
    "<Dwelling FloorArea=\"{1}\" NumberOfUnits=\"{2}\" NumberOfBedrooms=\"{3}\" RefrigeratorIncluded={4} "
    "RefrigeratorkWh=\"{5}\" DishwasherIncluded={6} RangeIncluded={7} RangeFuel={8} WasherIncluded={9} "
    "DryerIncluded={10} DryerFuel={11} IAQFanIncluded={12} IAQFanType={13} IAQFanAirflow=\"{14}\" "
    "IAQFanWatts=\"{15}\" IAQFanHeatRecovery=\"{16}\" Name={17} />";

constexpr std::string_view kDistributionLayout =
    "<NewDistribution  HeatingDistribution=\"Ducted\"  CoolingDistribution=\"Ducted\"  TestedDuctLeakage={1}   "
    "DuctLeakageTarget=\"{2}\"  Measured=\"false\"  LessThan12=\"true\"  AtticInsulationType=\"Fiberglass\"  "
    "AtticInsulR=\"{3}\" />";

constexpr std::string_view kCrawlspaceLayout = "<Crawlspace  Type={1} Height=\"{2}\"  Perimeter=\"{3}\" />";

constexpr std::string_view kAtticLayout = "<Attic  Conditioned={1} RadiantBarrier={2}/>";

REAL magnitude(REAL x) { return x < 0.0f ? -x : x; }

bool is_basement(REAL s) { return s >= 10.0f || s <= -10.0f; }

bool is_slab(REAL s) { return s == 6.0f || s == 7.0f || s == -6.0f || s == -7.0f; }

// Raised floors: wood (2 to 5) and structural concrete (8, 9), either sign.
bool is_raised_floor(REAL s) {
    const REAL m = magnitude(s);
    return (m >= 2.0f && m <= 5.0f) || (m >= 8.0f && m <= 9.0f);
}

void write_slab(ExportFiles& f, const ExportScheme& s) {
    const bool carpeted = magnitude(STRATEGY(33, s.k)) == 6.0f;
    const FString<22> EXTMASSEXP = "\"false\"";
    const FString<25> FLOORNAME = carpeted ? "\"SLAB FLOOR carpeted\"" : "\"SLAB FLOOR exposed\"";
    const REAL added_interior_r = carpeted ? 2.0f : 0.0f;  // a carpet and its pad
    f.xml(24, fill_layout(kSlabLayout, {f.F(s.SLABAREA, 10, 2), f.F(AREA(12), 10, 2), f.F(UVAL(12), 9, 3),
                                        f.F(RVAL(12), 9, 0), f.F(added_interior_r, 5, 1), f.F(AREA(12), 10, 2),
                                        A(EXTMASSEXP.view(), 7), A(s.NEWOLD.view(), 10), A(FLOORNAME.view(), 25)}));
    DBG_PRINT("\"4.4.7-A1\" ");
    DBG_FLOAT("area(12)=perimeter before SLAB 1050", AREA(12));
    DBG_FLOAT("strategy(33,-)slab 2047", STRATEGY(33, s.k));
    notes_slab(f, s);
}

// A raised floor's construction in the importer's terms.
struct FloorAssembly {
    FString<25> FLOORNAME;
    FString<11> JAIVINDEXNO;
    FString<22> EXTMASSTYPE;
    FString<22> EXTMASSEXP;
    FString<8> FLOORFRAMETYPE;
    REAL thickness_in = 0.0f;
    REAL added_interior_r = 0.0f;
};

// Wood floors take the assembly of their under-floor U-factor; concrete
// floors have their own. A code between the listed ones (2.5) takes the row
// of its whole part, so a floor element never carries stale texts.
FloorAssembly floor_assembly(REAL s, REAL u) {
    FloorAssembly a;
    a.JAIVINDEXNO = "\"4.4.1-A1\" ";
    if (u < 0.052f) a.JAIVINDEXNO = "\"4.4.1-A2\" ";
    if (u < 0.047f) a.JAIVINDEXNO = "\"4.4.1-A3\" ";
    if (u < 0.042f) a.JAIVINDEXNO = "\"4.4.1-A4\" ";
    if (u < 0.035f) a.JAIVINDEXNO = "\"4.4.1-A5\" ";
    if (u < 0.031f) a.JAIVINDEXNO = "\"4.4.1-A7\" ";
    a.EXTMASSTYPE = "\"WoodCavityWall\"";
    a.EXTMASSEXP = "\"false\"";
    a.FLOORFRAMETYPE = "\"Wood\"";
    switch (int_toward_zero(magnitude(s))) {
        case 2:
            a.FLOORNAME = "\"FLOOR RaisedWood+Carpet\"";
            a.added_interior_r = 2.0f;
            break;
        case 3: a.FLOORNAME = "\"FLOOR, raise wood\""; break;
        case 4:
            a.FLOORNAME = "\"FLOOR Raised Wood Tiled\"";
            a.EXTMASSEXP = "\"true\"";
            a.thickness_in = 1.0f;
            break;
        case 5:
            a.FLOORNAME = "\"FLOOR LtWtConcrete+Wood\"";
            a.thickness_in = 1.7f;
            a.added_interior_r = 2.0f;
            break;
        case 8:
            a.FLOORNAME = "\"FLOOR Raised Conc+Rug\"";
            a.JAIVINDEXNO = "\"4.4.1-A1\" ";
            a.EXTMASSTYPE = "\"ConcreteHeavyweight\"";
            a.FLOORFRAMETYPE = "\"None\"";
            a.thickness_in = 5.0f;
            a.added_interior_r = 2.0f;
            break;
        default:  // 9
            a.FLOORNAME = "\"FLOOR Raised Concrete\"";
            a.JAIVINDEXNO = "\"4.4.6-A1\" ";
            a.EXTMASSTYPE = "\"ConcreteHeavyweight\"";
            a.EXTMASSEXP = "\"true\"";
            a.FLOORFRAMETYPE = "\"None\"";
            a.thickness_in = 5.0f;
            break;
    }
    return a;
}

void write_raised_floor(ExportFiles& f, const ExportScheme& s) {
    const REAL code = STRATEGY(33, s.k);
    DBG_FLOAT("Floor Strategy(33 at 2615", code);
    // An attached unit whose floor is shared with the unit below has no
    // floor losses.
    const bool floor_shared = STRATEGY(7, s.k) >= 3.0f && (STRATEGY(9, s.k) == 2.0f || STRATEGY(9, s.k) == 3.0f);
    if (floor_shared || !is_raised_floor(code)) return;
    const FloorAssembly a = floor_assembly(code, UVAL(11));
    DBG_FLOAT("FLOOR or Basement area(11) at 2647", AREA(11));
    DBG_PRINT(a.FLOORNAME.view());
    DBG_PRINT(a.EXTMASSTYPE.view());
    DBG_PRINT(a.FLOORFRAMETYPE.view());
    f.xml(24, fill_layout(kFloorLayout, {f.F(AREA(11), 10, 2), f.F(UVAL(11), 9, 3), f.F(RVAL(11), 9, 0),
                                         A(a.FLOORFRAMETYPE.view(), 8), f.F(a.added_interior_r, 5, 1),
                                         A(a.JAIVINDEXNO.view(), 11), A(a.EXTMASSTYPE.view(), 22),
                                         f.F(a.thickness_in, 4, 1), A(a.EXTMASSEXP.view(), 7), A(s.NEWOLD.view(), 10),
                                         A(a.FLOORNAME.view(), 25)}));
    DBG_PRINT(a.JAIVINDEXNO.view());
    DBG_FLOAT("Uval(11) raised floor at 1952", UVAL(11));
    DBG_FLOAT("area(11)=before floor before 1953", AREA(11));
    notes_raised_floor(f, s, a.JAIVINDEXNO);
    DBG_FLOAT("Percnt(11)=after floor 2694", PERCNT(11));
}

void write_ground_contact(ExportFiles& f, const ExportScheme& s) {
    const REAL code = STRATEGY(33, s.k);
    if (is_basement(code)) {
        DBG_FLOAT("strategy(33,-)start Basement", code);
        DBG_FLOAT("area(12)=perimeter after Basement", AREA(12));
        notes_basement(f, s);
        DBG_FLOAT("after basement wall: Area(14) top 2 ft", AREA(14));
        if (AREA(13) > 0.0f) DBG_FLOAT("after above grade basement wall: Area(13)", AREA(13));
        DBG_FLOAT("after last basement wall: Area(16) 8 ft", AREA(16));
        return;
    }
    if (is_slab(code)) {
        write_slab(f, s);
        return;
    }
    write_raised_floor(f, s);
}

void write_dwelling(ExportFiles& f, const ExportScheme& s) {
    f.xml(21, fill_layout(kDwellingLayout, {
                                               f.F(AREAT, 9, 2),
                                               f.F(1.0, 9, 2),
                                               f.I(s.bedrooms, 10),
                                               A("\"true\"", 8),
                                               f.F(666.0, 9, 2),
                                               A("\"true\"", 8),
                                               A("\"true\"", 8),
                                               A("\"Electricity\"", 15),
                                               A("\"true\"", 8),
                                               A("\"true\"", 8),
                                               A("\"Electricity\"", 15),
                                               A("\"false\"", 8),
                                               A("\"Exhaust\"", 15),
                                               f.F(FACFM, 9, 2),
                                               f.F(wCFMiaq * FACFM, 9, 2),
                                               f.F(0.0, 9, 2),
                                               A("\"House\"", 24),
                                           }));
    f.txt(" Dwelling Comment 3285  here");
}

}  // namespace

void write_floor_dwelling_distribution(ExportFiles& f, const ExportScheme& s) {
    write_ground_contact(f, s);
    f.xml(21, "</Room>");
    write_dwelling(f, s);
    f.xml(17, "</Zone>");
    DBG_PRINT("HVAC System start 2769");
    const FString<8> TESTEDDUCTLEAKAGE = "\"true\"";
    f.xml(17, fill_layout(kDistributionLayout, {A(TESTEDDUCTLEAKAGE.view(), 8), f.F(6.0, 9, 2), f.F(RVAL(10), 9, 2)}));
    notes_distribution(f, s);
    f.xml(13, "</HVAC >");
}

void write_crawlspace_and_attic(ExportFiles& f, const ExportScheme& s) {
    f.txt_unchecked("  KEEPXML reached Added Crawlspace 3398");
    const FString<12> CRAWLSPACETYPE = "\"Vented\"";
    const REAL perimeter_ft = 2.0f * (EWDIM + NSDIM);
    f.xml(9, fill_layout(kCrawlspaceLayout, {A(CRAWLSPACETYPE.view(), 12), f.F(2.0, 9, 3), f.F(perimeter_ft, 9, 3)}));
    f.txt("3073: Crawlspace Comment here");
    const FString<8> ATTICCONDITIONED = "\"false\"";
    const REAL barrier = STRATEGY(35, s.k);
    const FString<8> ATTICRADIANTBARRIER = (barrier == 3.0f || barrier == 6.0f) ? "\"true\"" : "\"false\"";
    f.xml(9, fill_layout(kAtticLayout, {A(ATTICCONDITIONED.view(), 8), A(ATTICRADIANTBARRIER.view(), 8)}));
    f.txt("3074: Attic Comment here");
}

}  // namespace mavo::compliance
