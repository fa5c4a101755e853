// Compliance export: the four walls, each with the windows (and their
// overhangs and side fins) and doors of the window lines that face it.
#include <cmath>
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

constexpr INTEGER kLastWallClass = 4;  // facade classes 1-4 are walls, 5 the roof

constexpr std::string_view kWallLayout =
    "<Insulation  SurfaceType=\"Wall\"  Area=\"{1}\"  Length=\"{2}\"  UFactor=\"{3}\"  F2Factor=\"0\"  "
    "Orientation=\"{4}\"  CavityInsulationRValue=\"{5}\"  FrameType={6}  AddedIntInsulation=\"{7}\"  "
    "AddedExtInsulation=\"{8}\"  JAIVIndex={9}  CRRCCertified=\"false\"  Reflectance=\"{10}\"  Emittance=\"{11}\"  "
    "RadiantBarrier=\"None\"  RoofWeight=\"0\"  AirSpace=\"false\"  EnhancedVent=\"false\"  VentHigh=\"0\"  "
    "UndergroundWallDepth=\"0\"  SlabPerimeter=\"0\"  ExternalMassType={12}  ExternalMassThickness=\"{13}\"  "
    "ExternalMassExposed={14}  ConstructionStatus={15}  Tilt=\"90\"  Name={16}  >";

constexpr std::string_view kWindowLayout =
    "<Fenestration  FrameType={1}   Area=\"{2}\"  UFactor=\"{3}\"  UFactorType=\"NFRC\"  SHGC=\"{4}\"  "
    "SHGCType=\"NFRC\"  ConstructionStatus={5}  ExteriorShading=\"BugScreen\"  Width=\"{6}\"  Height=\"{7}\"  "
    "Name={8}   >";

constexpr std::string_view kOverhangLayout =
    "<Overhang  Depth=\"{1}\" Distance=\"{2}\"  LeftExtension=\"{3}\"  RightExtension=\"{4}\" />";

constexpr std::string_view kSideFinLayout =
    "<SideFin   LeftDepth=\"{1}\"   LeftDistance=\"{2}\"   RightDepth=\"{3}\"   RightDistance=\"{4}\"  />";

constexpr std::string_view kDoorLayout =
    "<Door  Area=\"{1}\"  UFactor=\"{2}\"  JAIVIndex={3}  ConstructionStatus={4}  Name={5} />";

// The wall's construction as the importer's joint-appendix assemblies see it.
struct WallAssembly {
    FString<11> JAIVINDEXNO;
    FString<22> EXTMASSTYPE = "\"WoodCavityWall\"";
    FString<22> EXTMASSEXP = "\"false\"";
    FString<8> WALLFRAMETYPE = "\"Wood\"";
    REAL mass_thickness_in = 1.0f;
    REAL added_interior_r = 0.0f;
    REAL added_exterior_r = 0.0f;
};

// Framed walls by U-factor, then the assemblies of the wall type codes
// (exact codes; any other code keeps the framed-wall defaults).
WallAssembly wall_assembly(REAL wall_code, REAL u) {
    WallAssembly a;
    a.JAIVINDEXNO = "\"4.3.1-A1\" ";
    if (u < 0.2f) a.JAIVINDEXNO = "\"4.3.1-A2\" ";
    if (u < 0.105f) a.JAIVINDEXNO = "\"4.3.1-A3\" ";
    if (u < 0.098f) a.JAIVINDEXNO = "\"4.3.1-A4\" ";
    const auto masonry = [&a](const char* index, const char* mass, const char* exposed, REAL thick) {
        a.JAIVINDEXNO = index;
        a.EXTMASSTYPE = mass;
        a.EXTMASSEXP = exposed;
        a.mass_thickness_in = thick;
    };
    const REAL w = wall_code;
    if (w == 8.0f || w == 9.0f) {  // 2x6 framing at 24 in
        a.JAIVINDEXNO = "\"4.3.1-A4\" ";
        if (u < 0.085f) a.JAIVINDEXNO = "\"4.3.1-A5\" ";
        if (u < 0.069f) a.JAIVINDEXNO = "\"4.3.1-A6\" ";
    } else if (w == 10.0f) {  // framing with foam sheathing outside
        a.JAIVINDEXNO = "\"4.3.1-A6\" ";
        a.WALLFRAMETYPE = "\"Wood\"";
        a.added_exterior_r = 6.0f;
    } else if (w == 14.0f) {
        a.JAIVINDEXNO = u >= 0.069f ? "\"4.3.1-A5\" " : "\"4.3.1-A6\" ";
        a.WALLFRAMETYPE = "\"Wood\"";
        a.added_exterior_r = 6.0f;
    } else if (w == 11.0f) {  // structural insulated panels
        a.JAIVINDEXNO = "\"4.3.2-A3\" ";
    } else if (w == 3.0f) {
        masonry("\"4.3.5-C10\"", "\"MasonryPartialGrout\"", "\"true\"", 8.0f);
    } else if (w == 4.0f) {
        masonry("\"4.3.5-A10\"", "\"MasonryPartialGrout\"", "\"false\"", 8.0f);
        a.WALLFRAMETYPE = "\"Wood\"";
        a.added_interior_r = 13.0f;
    } else if (w == 5.0f) {
        masonry("\"4.3.5-A10\"", "\"MasonryPartialGrout\"", "\"true\"", 8.0f);
    } else if (w == 6.0f) {
        masonry("\"4.3.5-A10\"", "\"MasonryPartialGrout\"", "\"true\"", 8.0f);
        a.WALLFRAMETYPE = "\"None\"";
        a.added_exterior_r = 12.0f;
    } else if (w == 7.0f) {
        masonry("\"4.3.6-D5\" ", "\"ConcreteHeavyweight\"", "\"true\"", 1.0f);
        a.WALLFRAMETYPE = "\"None\"";
        a.added_exterior_r = 12.0f;
    } else if (w == 12.0f) {  // insulated concrete forms
        masonry("\"4.3.6-D5\" ", "\"ConcreteHeavyweight\"", "\"false\"", 1.0f);
        a.WALLFRAMETYPE = "\"None\"";
        a.added_interior_r = 12.0f;
        a.added_exterior_r = 12.0f;
    } else if (w == 13.0f) {
        masonry("\"4.3.6-D5\" ", "\"MasonrySolidGrout\"", "\"true\"", 8.0f);
    }
    return a;
}

// The window's product name in the importer's library. A name longer than
// the field (the reflective double glazing) is written whole, so the
// attribute keeps its closing quote.
std::string window_name(ExportFiles& f, REAL code, REAL u, REAL shgc) {
    std::string name = "\"Unknown\"";
    if (code <= 0.0f) name = "\"U=" + f.F(u, 5, 3) + " SHGC=" + f.F(shgc, 5, 3) + " \"";
    const INTEGER c = int_toward_zero(code < 0.0f ? -code : code);
    if (static_cast<REAL>(c) == (code < 0.0f ? -code : code)) {
        switch (c) {
            case 1: name = "\"Single Metal Clear\""; break;
            case 2: case 3: case 4: case 11: name = "\"Double Metal Clear\""; break;
            case 6: case 7: case 8: case 10: name = "\"Double Metal Tinted\""; break;
            case 21: name = "\"Single Non Metal Clear\""; break;
            case 22: case 23: case 24: name = "\"Double Non Metal Clear\""; break;
            case 25: name = "\"Double Non Metal: code\""; break;
            case 26: case 27: name = "\"Double Non Metal Tinted\""; break;
            case 28: name = "\"Double Reflective Non Metal\""; break;
            case 29: name = "\"DoubleSQ NonMetal Clear\""; break;
            case 30: name = "\"Double Low-E** Tinted\""; break;
            case 31: name = "\"Clear Triple Argon LowE\""; break;
            default: break;
        }
    }
    if (name.size() < 25) name.append(25 - name.size(), ' ');
    return name;
}

// Wall k (6 front, 7 left, 8 rear, 9 right) relative to the front azimuth.
struct WallGeometry {
    REAL length_ft = 0.0f;
    INTEGER nSfaces = 0;  // orientation, whole degrees from north, 0 to 359
    REAL FACI = 0.0f;     // outward azimuth, degrees from south
};

WallGeometry wall_geometry(INTEGER k) {
    WallGeometry g;
    g.length_ft = (k == 6 || k == 8) ? EWDIM : NSDIM;
    const REAL turn_deg = static_cast<REAL>(k - 6) * 90.0f;
    g.nSfaces = degrees_from_north(turn_deg + SFACES);
    g.FACI = turn_deg + SFACES;
    if (g.FACI > 180.0f) g.FACI -= 360.0f;
    return g;
}

// A line belongs to the wall whose outward azimuth lies within 45 degrees
// of its own, measured the short way round: a line facing 180 sits on a
// wall facing -170 (10 degrees apart across north). The quarter-turn
// sectors [-45, 45) of the four walls then take every facing exactly once.
bool line_faces_wall(INTEGER j, REAL FACI) {
    REAL apart_deg = std::fmod(FACING(j) - FACI, 360.0f);
    if (apart_deg >= 180.0f) apart_deg -= 360.0f;
    if (apart_deg < -180.0f) apart_deg += 360.0f;
    return -45.0f <= apart_deg && apart_deg < 45.0f;
}

// The openings of the wall: the lines of facade classes 1 to 4 facing it.
// The gross-area sum uses the same test, and leaving the skylight lines out
// of it is a deliberate departure from the older sum, which took every line
// facing the wall, skylights included: a skylight sits in the roof and is
// written with the roof element, so a skylight whose azimuth falls within a
// wall's sector must not enlarge that wall's gross area.
bool opening_in_wall(INTEGER j, REAL FACI) {
    return QTY(j) > 0.0f && line_faces_wall(j, FACI) && ITEMS(j) <= kLastWallClass;
}

REAL window_area_in_wall(INTEGER k, REAL FACI) {
    REAL area_ft2 = 0.0f;
    for (INTEGER j = 1; j <= 25; ++j) {
        if (!opening_in_wall(j, FACI)) continue;
        DBG_INT("found this window/door on this Facing", j);
        DBG_INT("  nSFaces EP convention integer 1360", k);
        DBG_FLOAT("Facing(kj) at 1361 ", FACING(j));
        DBG_FLOAT("  width(kj) ", WIDTH(j));
        DBG_FLOAT("  head(kj) ", HEAD(j));
        DBG_FLOAT("  sill(kj) ", SILL(j));
        area_ft2 += (HEAD(j) - SILL(j)) * WIDTH(j) * QTY(j);
        DBG_FLOAT("  AreaFen accumulating 1366", area_ft2);
    }
    return area_ft2;
}

void write_window(ExportFiles& f, const ExportScheme& s, INTEGER j, INTEGER k) {
    const REAL height_ft = HEAD(j) - SILL(j);
    const REAL code = STRATEGY(60 + 10 * (j - 1), s.k);
    DBG_FLOAT("Uwindo(kk) KEEPXML 2341", UWINDO(j));
    DBG_FLOAT("Strategy(jj,idnum1)", code);
    const std::string WNAME = window_name(f, code, UWINDO(j), SCOEF(j));
    const FString<24> FTYPE = "\"Non-Metal\"";
    DBG_PRINT("below is wName window name in KEEPXML 2370");
    DBG_PRINT(WNAME);
    DBG_PRINT("   jj in above, below is frame type:fType");
    DBG_PRINT(FTYPE.view());
    f.xml(29, fill_layout(kWindowLayout, {A(FTYPE.view(), 22), f.F(QTY(j) * WIDTH(j) * height_ft, 8, 2),
                                          f.F(UWINDO(j), 9, 3), f.F(SCOEF(j), 9, 3), A(s.NEWOLD.view(), 10),
                                          f.F(WIDTH(j), 9, 2), f.F(height_ft, 9, 2), WNAME}));
    DBG_INT("WINDOW ID Number kk at 1269", j);
    DBG_FLOAT("Window Qty(kk) 1270", QTY(j));
    notes_window(f, s, j, k);
    if (f.failed()) return;
    if (OHANGD(j) > 0.0f && WIDTH(j) > 0.0f) {
        // The importer wants the overhang's reach past each jamb; the kernel
        // models it as reaching half a window width on each side.
        OHANGLEX(j) = 0.5f * WIDTH(j);
        OHANGREX(j) = 0.5f * WIDTH(j);
        DBG_INT("for Window/Door number at 1648", j);
        DBG_FLOAT("  OHANGRex(kk) at 1649", OHANGREX(j));
        f.xml(31, fill_layout(kOverhangLayout,
                              {f.F(OHANGD(j), 8, 2), f.F(OHANGDIS(j), 8, 2), f.F(OHANGLEX(j), 8, 2), f.F(OHANGREX(j), 8, 2)}));
        notes_overhang(f, j, k);
    } else {
        OHANGLEX(j) = 0.0f;
        OHANGREX(j) = 0.0f;
    }
    DBG_FLOAT("OHANGRex(kk) at 1562", OHANGREX(j));
    if (FINRDEP(j) > 0.0f || FINLDEP(j) > 0.0f) {
        f.xml(31, fill_layout(kSideFinLayout,
                              {f.F(FINLDEP(j), 8, 2), f.F(FINLDIS(j), 8, 2), f.F(FINRDEP(j), 8, 2), f.F(FINRDIS(j), 8, 2)}));
        notes_side_fins(f, j, k);
    }
    f.xml(29, "</Fenestration >");
}

void write_door(ExportFiles& f, const ExportScheme& s, INTEGER j, INTEGER k) {
    const FString<11> JAIVINDEXNO = "\"4.5.1-A4\" ";
    constexpr std::string_view kDoorNames[4] = {"\"DOOR, Front\"", "\"DOOR, Left Side\"", "\"DOOR, Rear\"",
                                                "\"DOOR, Right Side\""};
    const FString<25> DOORNAME = kDoorNames[k - 6];
    f.xml(29, fill_layout(kDoorLayout, {f.F(QTY(j) * (HEAD(j) - SILL(j)) * WIDTH(j), 9, 2), f.F(UWINDO(j), 9, 3),
                                        A(JAIVINDEXNO.view(), 11), A(s.NEWOLD.view(), 10),
                                        A(DOORNAME.view(), 25)}));
    notes_door(f, j, k, JAIVINDEXNO);
}

void write_wall(ExportFiles& f, const ExportScheme& s, INTEGER k) {
    DBG_INT("Begin testing WALLS 6,9 at 1642", k);
    const WallGeometry g = wall_geometry(k);
    DBG_INT("nSfaces EP integer of sFaces at 1336", g.nSfaces);
    DBG_FLOAT("FACI = wall facei at 1345", g.FACI);
    const REAL gross_ft2 = AREA(k) + window_area_in_wall(k, g.FACI);
    constexpr std::string_view kWallNames[4] = {"\"WALL, Front\"", "\"WALL, Left Side\"", "\"WALL, Rear\"",
                                                "\"WALL, Right Side\""};
    const FString<25> WALLNAME = kWallNames[k - 6];
    const WallAssembly a = wall_assembly(STRATEGY(31, s.k), UVAL(k));
    DBG_PRINT(a.JAIVINDEXNO.view());
    DBG_FLOAT("uval(k) in KEEPXML 1666", UVAL(k));
    f.xml(27, fill_layout(kWallLayout, {
                                           f.F(gross_ft2, 8, 2),
                                           f.F(g.length_ft, 8, 2),
                                           f.F(UVAL(k), 9, 3),
                                           f.I(g.nSfaces, 4),
                                           f.F(RVAL(k), 9, 2),
                                           A(a.WALLFRAMETYPE.view(), 8),
                                           f.F(a.added_interior_r, 4, 1),
                                           f.F(a.added_exterior_r, 4, 1),
                                           A(a.JAIVINDEXNO.view(), 11),
                                           f.F(1.0f - ABSORB(k), 9, 3),
                                           f.F(ABSORB(k), 9, 3),
                                           A(a.EXTMASSTYPE.view(), 22),
                                           f.F(a.mass_thickness_in, 6, 1),
                                           A(a.EXTMASSEXP.view(), 7),
                                           A(s.NEWOLD.view(), 10),
                                           A(WALLNAME.view(), 25),
                                       }));
    DBG_INT("BEGIN WALL ID K=6,9 AT 1171", k);
    DBG_FLOAT("BEGIN WALL AREA(k) at 1171", AREA(k));
    DBG_FLOAT("BEGIN WALL AreaGross at 1171", gross_ft2);
    DBG_INT("BEGIN WALL nSfaces at 1171", g.nSfaces);
    DBG_FLOAT("BEGIN WALL Rval(k) at 1172", RVAL(k));
    notes_wall(f, s, WallNoteValues{k, gross_ft2, g.nSfaces, a.JAIVINDEXNO});
    for (INTEGER j = 1; j <= 25 && !f.failed(); ++j) {
        if (!opening_in_wall(j, g.FACI)) continue;
        if (TRANS(j) > 0.0f) write_window(f, s, j, k);
        else if (TRANS(j) == 0.0f) write_door(f, s, j, k);
    }
    f.xml(25, "</Insulation >");
}

}  // namespace

void write_walls(ExportFiles& f, const ExportScheme& s) {
    for (INTEGER k = 6; k <= 9 && !f.failed(); ++k) write_wall(f, s, k);
}

}  // namespace mavo::compliance
