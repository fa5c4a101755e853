// Compliance export: the HVAC element that opens the building's heating and
// cooling subtree, its zone and room, and the roof with its skylights. The
// walls, floor and closing lines follow in their own files.
#include <algorithm>
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

constexpr REAL kWattsPerHorsepower = 746.0f;
constexpr REAL kSeerPerCop = 3.412f;          // Btu/Wh: COP to SEER
constexpr REAL kEerPerSeer = 0.85f;           // rule of thumb for the steady-state rating
constexpr REAL kCodeRoofInsulationR = 30.0f;  // insulation above it is "added" in the importer
constexpr INTEGER kSkylightClass = 5;
constexpr INTEGER kDefaultYearBuilt = 2013;

constexpr std::string_view kHvacLayout =
    "<HVAC  HVACSystemType=\"SplitDX\"  Quantity=\"{1}\"  HeatingHVACType={2}  HeatingEfficiency=\"{3}\"  "
    "HeatingEfficiencyType=\"{4}\"  CoolingHVACType=\"SplitAirConditioner\"  CoolingEfficiency=\"{5}\"  "
    "RefrigerantCharge=\"true\"  TestedAirFlow=\"true\"  DuctsInConditionedSpace=\"No\"  "
    "DuctSurfaceAreaReduction=\"false\"  ReducedInfiltration=\"false\"  HeatingDuctEfficiency=\"{6}\"  "
    "Flow=\"1000\"  SupplyFanHP=\"{7}\"  FanHeatIncluded=\"true\"  DuctRValue=\"{8}\"  QualityInsulation=\"true\"  "
    "EER=\"{9} \"  VerifiedFanEnergy=\"true\"  MaximumCoolingSize=\"{10}\"  MaximiumCoolingPower=\"{11}\"  "
    "DesignCoolingCapacity=\"{12}\"  SensibleCoolingCapacity=\"{13}\" Thermostat=\"Setback\"  Hydronic=\"None\"  "
    "HighEER=\"true\"  CondenserType=\"AirCooled\"  CoolingProperlySized=\"false\"  ConstructionStatus={14}  "
    "SupplyCFM=\"{15}\"  ExhaustCFM=\"{16}\"  VentilationWatts=\"{17}\"  CondenserISACType=\"B600LRL1CXX\"  "
    "DuctStatus={18}  ExistSLA=\"{19}\"  NewSLA=\"{20}\"  SLAStatus={21}  Name=\"HVAC System\"  "
    "CoolingAirflow=\"{22}\" >";

constexpr std::string_view kZoneLayout = "<Zone  ZoneType=\"Conditioned\"  FloorNo=\"{1}\"  Name=\"single Zone\" >";

constexpr std::string_view kRoomLayout =
    "<Room  ConstructionStatus={1}  FloorArea=\"{2}\"  CeilingHeight=\"{3}\"  WinterIDB=\"70\"  SummerIDB=\"75\"  "
    "NDwelling=\"1\"  NBedrooms=\"{4}\"  YearBuilt=\"{5}\"  Name=\" one zone \" >";

constexpr std::string_view kRoofLayout =
    "<Insulation SurfaceType=\"Roof\"  Area=\"{1}\"  Length=\"0\"  UFactor=\"{2}\"  F2Factor=\"0\"  "
    "Orientation=\"{3}\"  CavityInsulationRValue=\"{4}\"  FrameType=\"Wood\"    AddedIntInsulation=\"{5}\"  "
    "AddedExtInsulation=\"0\"  JAIVIndex={6}   CRRCCertified=\"false\"  Reflectance=\"{7}\"  Emittance=\"{8}\"  "
    "RadiantBarrier={9}  RoofWeight={10}  AirSpace=\"false\"  EnhancedVent={11}  VentHigh=\"0\"  "
    "UndergroundWallDepth=\"{12}\"  SlabPerimeter=\"0\"  ExternalMassType=\"None\"  ExternalMassThickness=\"0\"  "
    "ExternalMassExposed=\"false\"  ConstructionStatus={13}  Tilt=\"{14}\"  Name=\"ROOF New Assembly\"  >";

constexpr std::string_view kSkylightLayout =
    "<Fenestration  Name=\"Single Non Metal Clear\"  FrameType=\"Wood\"   Area=\"{1}\"  UFactor=\"{2}\"  "
    "UFactorType=\"NFRC\"  SHGC=\"{3}\"  SHGCType=\"NFRC\"  ConstructionStatus={4}  ExteriorShading=\"BugScreen\"  "
    "Width=\"{5}\"  Height=\"{6}\"  />";

void write_hvac(ExportFiles& f, const ExportScheme& s) {
    const bool furnace = COPHT <= 1.0f;  // AFUE is a fraction; a heat pump's HSPF is above 1
    const FString<20> HEATINGHVACTYPE = furnace ? "\"GasFurnace\"" : "\"ElectricHeatPump\"";
    const FString<4> HEATINGEFFICIENCYTYPE = furnace ? "AFUE" : "HSPF";
    const FString<10> DUCTSTATUS = s.NEWOLD;
    const REAL xSupplyFanHP = wCFMhvac * FACFM / kWattsPerHorsepower;
    const REAL seer = COPAC * kSeerPerCop;
    DBG_FLOAT("HeatGain(25) sensible cool", HEATGAIN(25));
    DBG_FLOAT("HeatGain(27) total +latent", HEATGAIN(27));
    DBG_FLOAT("DuctLeakPct, DuctLoc follows", DuctLeakPct);
    const REAL roof_code = STRATEGY(32, s.k);
    const FString<24> duct_location = (roof_code >= 2.0f && roof_code <= 3.0f) ? "\"Outdoors\""
                                      : DuctLeakPct <= 0.0f                    ? "\"Conditioned\""
                                                                               : "\"Attic\"";
    DBG_PRINT(duct_location.view());
    DBG_FLOAT("xSupplyFanHP", xSupplyFanHP);
    DBG_FLOAT("achmax (was cfmmax) 1098", ACHMAX);
    DBG_FLOAT("Sumary(19 Max CoolSize", SUMARY(19, s.k));
    DBG_FLOAT("Sumary(24 Max CoolPow", SUMARY(24, s.k));
    DBG_FLOAT("HeatGain(25) end of 1032", HEATGAIN(25));
    f.xml(15, fill_layout(kHvacLayout, {
                                           f.F(1.0, 9, 2),
                                           A(HEATINGHVACTYPE.view(), 20),
                                           f.F(COPHT, 9, 3),
                                           A(HEATINGEFFICIENCYTYPE.view(), 4),
                                           f.F(seer, 9, 3),
                                           f.F(DuctLeakPct, 9, 0),
                                           f.F(xSupplyFanHP, 9, 2),
                                           f.F(DuctInsul, 9, 0),
                                           f.F(seer * kEerPerSeer, 10, 0),
                                           f.F(AREAT * SUMARY(19, s.k), 8, 0),
                                           f.F(SUMARY(24, s.k), 8, 0),
                                           f.F(HEATGAIN(27), 10, 0),
                                           f.F(HEATGAIN(25), 10, 0),
                                           A(s.NEWOLD.view(), 10),
                                           f.F(ACHMAX * VOLUME / 60.0f, 9, 0),
                                           f.F(FACFM, 10, 0),
                                           f.F(wCFMiaq * FACFM, 10, 0),
                                           A(DUCTSTATUS.view(), 10),
                                           f.F(SLA, 9, 1),
                                           f.F(SLA, 9, 1),
                                           A(s.NEWOLD.view(), 10),
                                           f.F(350.0, 10, 0),
                                       }));
    DBG_PRINT("after Format 1033");
}

// The year built is kept in the efficient scheme's column (slot 2) for the
// whole project; 100 or less means it was never set.
INTEGER year_built() {
    const REAL year = STRATEGY(11, 2);
    return year > 100.0f ? int_toward_zero(year) : kDefaultYearBuilt;
}

void write_zone_and_room(ExportFiles& f, ExportScheme& s) {
    f.xml(19, fill_layout(kZoneLayout, {f.I(s.stories, 3)}));
    notes_zone(f, s);
    DBG_FLOAT("people real at 1046", PEOPLE);
    // Bedrooms are the occupants less one; a house without occupants
    // (fewer than one) still has no fewer than none.
    s.bedrooms = std::max(0, int_toward_zero(PEOPLE - 1.0f));
    const INTEGER year = year_built();
    DBG_INT("YearBuilt in KEEPXML 1321", year);
    f.xml(23, fill_layout(kRoomLayout, {A(s.NEWOLD.view(), 10), f.F(AREAT, 8, 0), f.F(FLTOCE, 8, 2), f.I(s.bedrooms, 3),
                                        f.F(static_cast<REAL>(year), 8, 1)}));
    DBG_FLOAT("SLA in ROOM 1510", SLA);
    DBG_FLOAT("ACH50 in ROOM 1511", ACH50);
    DBG_PRINT(" after Format 1034");
    notes_room(f, s);
}

// No roof losses (another heated unit above), or an attached unit whose
// roof is shared.
bool roof_is_left_out(INTEGER k) {
    if (STRATEGY(32, k) == 1.0f) return true;
    return STRATEGY(7, k) >= 3.0f && (STRATEGY(9, k) == 1.0f || STRATEGY(9, k) == 3.0f);
}

// Joint-appendix assembly of the roof: flat wood-joist roofs (codes 2 and 3)
// and sloped tile roofs (4 to 11) by U-factor; the last threshold met wins.
FString<11> roof_jaiv_index(REAL s, REAL u) {
    const REAL m = s < 0.0f ? -s : s;
    FString<11> index;
    if (m == 2.0f || m == 3.0f) {
        index = "\"4.2.2-A1\" ";
        if (u <= 0.089f) index = "\"4.2.2-A2\" ";
        if (u <= 0.077f) index = "\"4.2.2-A8\" ";
        if (u <= 0.059f) index = "\"4.2.2-A12\"";
        if (u <= 0.043f) index = "\"4.2.2-A17\"";
        if (u <= 0.032f) index = "\"4.2.2-A19\"";
        return index;
    }
    index = "\"4.2.2-A17\"";
    if ((s >= 4.0f && s <= 11.0f) || (s >= -11.0f && s <= -4.0f)) {
        index = "\"4.2.1-A13\"";
        if (u <= 0.089f) index = "\"4.2.1-A14\"";
        if (u <= 0.072f) index = "\"4.2.1-A15\"";
        if (u <= 0.058f) index = "\"4.2.1-A16\"";
        if (u <= 0.039f) index = "\"4.2.1-A20\"";
        if (u <= 0.028f) index = "\"4.2.1-A21\"";
    }
    return index;
}

void write_skylights(ExportFiles& f, const ExportScheme& s) {
    for (INTEGER j = 1; j <= 25; ++j) {
        if (!(QTY(j) > 0.0f && ITEMS(j) == kSkylightClass)) continue;
        DBG_FLOAT("Trans(kk) test for skylight 1535", TRANS(j));
        DBG_FLOAT("Tilt(kk) test for skylight 1536", TILT(j));
        DBG_INT("  if items(kk)=5= skylight 1537", ITEMS(j));
        const REAL height_ft = HEAD(j) - SILL(j);
        f.xml(29, fill_layout(kSkylightLayout, {f.F(QTY(j) * WIDTH(j) * height_ft, 8, 2), f.F(UWINDO(j), 9, 3),
                                                f.F(SCOEF(j), 9, 3), A(s.NEWOLD.view(), 10), f.F(WIDTH(j), 9, 2),
                                                f.F(height_ft, 9, 2)}));
        notes_skylight(f, s, j);
        DBG_INT("Skylight Window count kk at 1247", j);
        DBG_INT("jj in strategy(jj,-) at 1257", 10 * j + 50);
        if (f.failed()) return;
    }
}

void write_roof(ExportFiles& f, const ExportScheme& s) {
    const REAL code = STRATEGY(32, s.k);
    const REAL u = UVAL(10);
    RoofNoteValues roof;
    roof.area_ft2 = AREA(10);
    roof.added_r = RVAL(10) - kCodeRoofInsulationR > 0.0f ? RVAL(10) - kCodeRoofInsulationR : 0.0f;
    roof.tilt_deg = int_toward_zero(RSLOPE);
    roof.JAIVINDEXNO = roof_jaiv_index(code, u);
    const REAL reflectance = 1.0f - ABSORB(10);
    const bool heavy_tile = code == 8.0f || code == 9.0f || code == 10.0f || code == 11.0f;
    const FString<4> ROOFWT = heavy_tile ? "\"10\"" : "\"3\"";
    const bool fan_vented = code == 5.0f || code == 7.0f || code == 9.0f || code == 11.0f;
    const FString<7> ENHVENT = fan_vented ? "\"true\"" : "\"false\"";
    const REAL barrier = STRATEGY(35, s.k);
    const FString<12> RADBARRIER = (barrier == 3.0f || barrier == 6.0f) ? "\"Continuous\"" : "\"None\"";
    const REAL xBasementDepth = AREA(18) > 0.0f ? 8.0f : 0.0f;  // ft below grade
    DBG_FLOAT("Area(18) Basement Wall area 1412", AREA(18));
    DBG_FLOAT("xRoofArea at 1222", roof.area_ft2);
    DBG_FLOAT("xAddedRoofR", roof.added_r);
    DBG_FLOAT("Area(10)", AREA(10));
    DBG_INT("nfaces at 1128", s.NFACES);
    DBG_FLOAT("reflectance at 1129", reflectance);
    DBG_PRINT(roof.JAIVINDEXNO.view());
    DBG_FLOAT("uval(10) in KEEPXML 1286", u);
    DBG_FLOAT("Strategy(32, roof", code);
    f.xml(27, fill_layout(kRoofLayout, {
                                           f.F(roof.area_ft2, 10, 2),
                                           f.F(u, 9, 3),
                                           f.I(s.NFACES, 4),
                                           f.F(RVAL(10), 9, 3),
                                           f.F(roof.added_r, 9, 2),
                                           A(roof.JAIVINDEXNO.view(), 11),
                                           f.F(reflectance, 9, 3),
                                           f.F(REMITT, 9, 3),
                                           A(RADBARRIER.view(), 12),
                                           A(ROOFWT.view(), 4),
                                           A(ENHVENT.view(), 7),
                                           f.F(xBasementDepth, 9, 2),
                                           A(s.NEWOLD.view(), 10),
                                           f.I(roof.tilt_deg, 4),
                                       }));
    DBG_FLOAT("xRoofArea 1076 end of roof", roof.area_ft2);
    notes_roof(f, s, roof);
    DBG_FLOAT("xAddedRoofR at 1217", roof.added_r);
    write_skylights(f, s);
    f.xml(25, "</Insulation >");
}

}  // namespace

void write_hvac_zone_room_roof(ExportFiles& f, ExportScheme& s) {
    write_hvac(f, s);
    notes_hvac(f, s);
    write_zone_and_room(f, s);
    if (f.failed()) return;
    if (roof_is_left_out(s.k)) return;
    write_roof(f, s);
}

}  // namespace mavo::compliance
