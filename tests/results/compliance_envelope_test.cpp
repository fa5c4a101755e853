// The HVAC subtree of the compliance export: HVAC, zone, room, roof with
// skylights, walls with windows, overhangs, side fins and doors, the floor,
// the dwelling and distribution, crawl space and attic. Expected lines are
// written out by hand for the small house of compliance_scheme.h.
#include "blocks/blocks.h"
#include "results/compliance_scheme.h"

namespace mavo {
namespace {

using testing::ComplianceExport;

std::string attribute(const std::string& line, const std::string& name) {
    const std::size_t at = line.find("  " + name + "=");
    const std::size_t at1 = at != std::string::npos ? at : line.find(" " + name + "=");
    if (at1 == std::string::npos) return "<missing>";
    const std::size_t open = line.find('=', at1) + 1;
    const std::size_t close = line.find('"', open + 1);
    return line.substr(open, close - open + 1);
}

TEST_F(ComplianceExport, HvacZoneAndRoomLines) {
    run();
    EXPECT_EQ(xml_line("<HVAC "),
              "               <HVAC  HVACSystemType=\"SplitDX\"  Quantity=\"     1.00\"  "
              "HeatingHVACType=\"GasFurnace\"          HeatingEfficiency=\"    0.780\"  HeatingEfficiencyType=\"AFUE\"  "
              "CoolingHVACType=\"SplitAirConditioner\"  CoolingEfficiency=\"   10.577\"  RefrigerantCharge=\"true\"  "
              "TestedAirFlow=\"true\"  DuctsInConditionedSpace=\"No\"  DuctSurfaceAreaReduction=\"false\"  "
              "ReducedInfiltration=\"false\"  HeatingDuctEfficiency=\"       6.\"  Flow=\"1000\"  "
              "SupplyFanHP=\"     0.01\"  FanHeatIncluded=\"true\"  DuctRValue=\"       6.\"  QualityInsulation=\"true\"  "
              "EER=\"        9. \"  VerifiedFanEnergy=\"true\"  MaximumCoolingSize=\"  16800.\"  "
              "MaximiumCoolingPower=\"   1500.\"  DesignCoolingCapacity=\"    21000.\"  "
              "SensibleCoolingCapacity=\"    18000.\" Thermostat=\"Setback\"  Hydronic=\"None\"  HighEER=\"true\"  "
              "CondenserType=\"AirCooled\"  CoolingProperlySized=\"false\"  ConstructionStatus=\"New\"       "
              "SupplyCFM=\"    1280.\"  ExhaustCFM=\"       15.\"  VentilationWatts=\"        6.\"  "
              "CondenserISACType=\"B600LRL1CXX\"  DuctStatus=\"New\"       ExistSLA=\"      4.3\"  NewSLA=\"      4.3\"  "
              "SLAStatus=\"New\"       Name=\"HVAC System\"  CoolingAirflow=\"      350.\" >");
    EXPECT_EQ(xml_line("<Zone "),
              "                   <Zone  ZoneType=\"Conditioned\"  FloorNo=\"  1\"  Name=\"single Zone\" >");
    EXPECT_EQ(xml_line("<Room "),
              "                       <Room  ConstructionStatus=\"New\"       FloorArea=\"   1600.\"  "
              "CeilingHeight=\"    8.00\"  WinterIDB=\"70\"  SummerIDB=\"75\"  NDwelling=\"1\"  NBedrooms=\"  2\"  "
              "YearBuilt=\"  1995.0\"  Name=\" one zone \" >");
    EXPECT_EQ(txt_line("(from MAVO)"), "    = \"SINGLE FAMILY RESIDENCE \" (from MAVO)");
    EXPECT_EQ(txt_line("BTUh Heat Loss"), "    BTUh Heat Loss = \"    35000.\" ");
    EXPECT_EQ(txt_line("EER or SEER"), "    EER or SEER = \"   10.577\" ");
    EXPECT_EQ(txt_line("= Furnace,"), "  2 to 5 = Furnace,");
    EXPECT_EQ(txt_line("= Air Conditioner"), "2 to 5 = Air Conditioner");
}

TEST_F(ComplianceExport, HeatPumpBedroomsAndYearBuilt) {
    COPHT = 8.2f;
    PEOPLE = 0.0f;  // no occupants: no bedrooms, never -1
    STRATEGY(11, 2) = 87.0f;  // unset: the default year
    NTYPE = 0;                // no building type: a blank name, not a read outside the table
    run();
    EXPECT_EQ(txt_line("(from MAVO)"), "    = \"                        \" (from MAVO)");
    EXPECT_NE(xml_line("<HVAC ").find("HeatingHVACType=\"ElectricHeatPump\"    HeatingEfficiency=\"    8.200\"  "
                                      "HeatingEfficiencyType=\"HSPF\""),
              std::string::npos);
    EXPECT_EQ(attribute(xml_line("<Room "), "NBedrooms"), "\"  0\"");
    EXPECT_EQ(attribute(xml_line("<Dwelling "), "NumberOfBedrooms"), "\"         0\"");
    EXPECT_EQ(txt_line("Number of Bedrooms"), "   Number of Bedrooms  = \"  0\" ");
    EXPECT_EQ(attribute(xml_line("<Room "), "YearBuilt"), "\"  2013.0\"");
    COPHT = 1.0f;  // exactly 1 is still an efficiency fraction: a furnace
    run();
    EXPECT_NE(xml_line("<HVAC ").find("HeatingHVACType=\"GasFurnace\" "), std::string::npos);
}

TEST_F(ComplianceExport, RoofAndSkylightLines) {
    run();
    EXPECT_EQ(xml_line("SurfaceType=\"Roof\""),
              "                           <Insulation SurfaceType=\"Roof\"  Area=\"   1600.00\"  Length=\"0\"  "
              "UFactor=\"    0.031\"  F2Factor=\"0\"  Orientation=\" 180\"  CavityInsulationRValue=\"   38.000\"  "
              "FrameType=\"Wood\"    AddedIntInsulation=\"     8.00\"  AddedExtInsulation=\"0\"  "
              "JAIVIndex=\"4.2.1-A20\"   CRRCCertified=\"false\"  Reflectance=\"    0.250\"  Emittance=\"    0.850\"  "
              "RadiantBarrier=\"Continuous\"  RoofWeight=\"3\"   AirSpace=\"false\"  EnhancedVent=\"false\"  "
              "VentHigh=\"0\"  UndergroundWallDepth=\"     0.00\"  SlabPerimeter=\"0\"  ExternalMassType=\"None\"  "
              "ExternalMassThickness=\"0\"  ExternalMassExposed=\"false\"  ConstructionStatus=\"New\"       "
              "Tilt=\"  22\"  Name=\"ROOF New Assembly\"  >");
    const int roof = ComplianceExport::index_of(xml, "SurfaceType=\"Roof\"");
    EXPECT_EQ(xml[static_cast<std::size_t>(roof) + 1],
              "                             <Fenestration  Name=\"Single Non Metal Clear\"  FrameType=\"Wood\"   "
              "Area=\"    4.00\"  UFactor=\"    0.600\"  UFactorType=\"NFRC\"  SHGC=\"    0.400\"  SHGCType=\"NFRC\"  "
              "ConstructionStatus=\"New\"       ExteriorShading=\"BugScreen\"  Width=\"     2.00\"  "
              "Height=\"     2.00\"  />");
    EXPECT_EQ(xml[static_cast<std::size_t>(roof) + 2], "                         </Insulation >");
    EXPECT_EQ(txt_line("JAIV index = "), "    JAIV index = \"4.2.1-A20\"  (see Joint Appendix JA4)");
    EXPECT_EQ(txt_line(" SKYLIGHT  Number"), " SKYLIGHT  Number   3 in: SKYLIGHT    ");
    EXPECT_EQ(txt_line("Total Skylight Area"), "   Total Skylight Area       =\"      4.00\" in EnergyPro");
    EXPECT_EQ(txt_line("(the first 11 have Aluminum"), "    = \"      -5.\" (the first 11 have Aluminum frames, the");
    EXPECT_EQ(txt_line("= Tinted Double Glazed Low-E-Squared Alum"),
              "      10 = Tinted Double Glazed Low-E-Squared Aluminum");
}

TEST_F(ComplianceExport, RoofAssemblyByTypeAndUFactor) {
    struct Case {
        float type, u;
        const char* index;
    } cases[] = {
        {-3.0f, 0.05f, "\"4.2.2-A12\""}, {6.0f, 0.03f, "\"4.2.1-A20\""}, {0.0f, 0.01f, "\"4.2.2-A17\""},
        {2.0f, 0.1f, "\"4.2.2-A1\" "},   {2.0f, 0.08f, "\"4.2.2-A2\" "},  {3.0f, 0.032f, "\"4.2.2-A19\""},
        {9.0f, 0.02f, "\"4.2.1-A21\""},  {-11.0f, 0.1f, "\"4.2.1-A13\""}, {12.0f, 0.02f, "\"4.2.2-A17\""},
    };
    for (const Case& c : cases) {
        STRATEGY(32, 3) = c.type;
        UVAL(10) = c.u;
        run();
        EXPECT_NE(xml_line("SurfaceType=\"Roof\"").find(std::string("JAIVIndex=") + c.index + "   CRRC"),
                  std::string::npos)
            << c.type << " " << c.u;
    }
    STRATEGY(32, 3) = 9.0f;  // heavy tile, fan vented
    STRATEGY(35, 3) = 5.0f;
    RVAL(10) = 19.0f;
    run();
    const std::string roof = xml_line("SurfaceType=\"Roof\"");
    EXPECT_NE(roof.find("RoofWeight=\"10\"  AirSpace"), std::string::npos);
    EXPECT_NE(roof.find("EnhancedVent=\"true\"   VentHigh"), std::string::npos);
    EXPECT_NE(roof.find("RadiantBarrier=\"None\"        RoofWeight"), std::string::npos);
    EXPECT_EQ(attribute(roof, "AddedIntInsulation"), "\"     0.00\"");
    AREA(18) = 120.0f;  // a basement wall puts the roof's underground depth at 8 ft
    run();
    EXPECT_EQ(attribute(xml_line("SurfaceType=\"Roof\""), "UndergroundWallDepth"), "\"     8.00\"");
}

TEST_F(ComplianceExport, RoofLeftOutUnderAnotherUnit) {
    STRATEGY(32, 3) = 1.0f;  // another heated unit above
    run();
    EXPECT_EQ(xml_count("SurfaceType=\"Roof\""), 0);
    EXPECT_EQ(xml_count("Name=\"Single Non Metal Clear\""), 0);  // nor its skylight
    EXPECT_EQ(txt_count("  35:  ROOF"), 0);
    EXPECT_EQ(xml_count("</Insulation >"), 4);  // the four walls only

    STRATEGY(32, 3) = 6.0f;
    STRATEGY(7, 3) = 3.0f;  // attached, roof shared
    STRATEGY(9, 3) = 3.0f;
    run();
    EXPECT_EQ(xml_count("SurfaceType=\"Roof\""), 0);
    STRATEGY(9, 3) = 2.0f;  // only the floor shared: the roof stays
    run();
    EXPECT_EQ(xml_count("SurfaceType=\"Roof\""), 1);
}

TEST_F(ComplianceExport, SkylightsInLineOrderAndEmptyLinesSkipped) {
    FACING(5) = 0.0f; ITEMS(5) = 5; QTY(5) = 2.0f; WIDTH(5) = 3.0f; HEAD(5) = 4.0f; SILL(5) = 0.0f;
    QTY(3) = 0.0f;  // the first skylight line is now empty
    FACING(7) = 0.0f; ITEMS(7) = 5; QTY(7) = 1.0f; WIDTH(7) = 1.0f; HEAD(7) = 1.0f; SILL(7) = 0.0f;
    run();
    const int roof = ComplianceExport::index_of(xml, "SurfaceType=\"Roof\"");
    EXPECT_EQ(attribute(xml[static_cast<std::size_t>(roof) + 1], "Area"), "\"   24.00\"");
    EXPECT_EQ(attribute(xml[static_cast<std::size_t>(roof) + 2], "Area"), "\"    1.00\"");
    EXPECT_EQ(xml[static_cast<std::size_t>(roof) + 3], "                         </Insulation >");
    EXPECT_EQ(txt_count(" SKYLIGHT  Number"), 2);
}

TEST_F(ComplianceExport, WallWindowOverhangAndDoorLines) {
    OHANGLEX(1) = 9.0f;
    run();
    const int south = ComplianceExport::index_of(xml, "Name=\"WALL, Front\"");
    ASSERT_GE(south, 0);
    const std::vector<std::string> expected = {
        "                           <Insulation  SurfaceType=\"Wall\"  Area=\"  320.00\"  Length=\"   40.00\"  "
        "UFactor=\"    0.102\"  F2Factor=\"0\"  Orientation=\" 180\"  CavityInsulationRValue=\"    13.00\"  "
        "FrameType=\"Wood\"    AddedIntInsulation=\" 0.0\"  AddedExtInsulation=\" 0.0\"  JAIVIndex=\"4.3.1-A3\"   "
        "CRRCCertified=\"false\"  Reflectance=\"    0.500\"  Emittance=\"    0.500\"  RadiantBarrier=\"None\"  "
        "RoofWeight=\"0\"  AirSpace=\"false\"  EnhancedVent=\"false\"  VentHigh=\"0\"  UndergroundWallDepth=\"0\"  "
        "SlabPerimeter=\"0\"  ExternalMassType=\"WoodCavityWall\"        ExternalMassThickness=\"   1.0\"  "
        "ExternalMassExposed=\"false\"  ConstructionStatus=\"New\"       Tilt=\"90\"  Name=\"WALL, Front\"              >",
        "                             <Fenestration  FrameType=\"Non-Metal\"              Area=\"   32.00\"  "
        "UFactor=\"    0.350\"  UFactorType=\"NFRC\"  SHGC=\"    0.250\"  SHGCType=\"NFRC\"  "
        "ConstructionStatus=\"New\"       ExteriorShading=\"BugScreen\"  Width=\"     4.00\"  Height=\"     4.00\"  "
        "Name=\"Double Non Metal Clear\"    >",
        "                               <Overhang  Depth=\"    2.00\" Distance=\"    0.50\"  "
        "LeftExtension=\"    2.00\"  RightExtension=\"    2.00\" />",
        "                             </Fenestration >",
        "                         </Insulation >",
    };
    const std::vector<std::string> got(xml.begin() + south, xml.begin() + south + 5);
    EXPECT_EQ(got, expected);
    // The overhang's reach past each jamb is left in the window line.
    EXPECT_EQ(OHANGLEX(1), 2.0f);
    EXPECT_EQ(OHANGREX(1), 2.0f);

    const int west = ComplianceExport::index_of(xml, "Name=\"WALL, Left Side\"");
    EXPECT_EQ(attribute(xml[static_cast<std::size_t>(west)], "Area"), "\"  320.00\"");
    EXPECT_EQ(attribute(xml[static_cast<std::size_t>(west)], "Orientation"), "\" 270\"");
    EXPECT_EQ(xml[static_cast<std::size_t>(west) + 1],
              "                             <Door  Area=\"    21.00\"  UFactor=\"    0.500\"  JAIVIndex=\"4.5.1-A4\"   "
              "ConstructionStatus=\"New\"       Name=\"DOOR, Left Side\"         />");
    // A wall without openings closes at once.
    const int rear = ComplianceExport::index_of(xml, "Name=\"WALL, Rear\"");
    EXPECT_EQ(xml[static_cast<std::size_t>(rear) + 1], "                         </Insulation >");
    EXPECT_EQ(xml_count("SurfaceType=\"Wall\""), 4);

    EXPECT_EQ(txt_line("  36:  WALLS: "), "  36:  WALLS: Front Wall  ");
    EXPECT_EQ(txt_line("    Gross Area ="), "    Gross Area =\"    320.00\" calculated here for EnergyPro");
    EXPECT_EQ(txt_line("  37:  WINDOW"), "  37:  WINDOW  Number   1 in: Front Wall  ");
    EXPECT_EQ(txt_line("  41: OVERHANG"), "  41: OVERHANG Number =    1: in SOUTH WALL  ");
    EXPECT_EQ(txt_line("   Left Extension="), "   Left Extension=\"    2.00\" ");
    EXPECT_EQ(txt_line("  38:  DOOR"), "  38:  DOOR  Number =   2: in Left Wall   ");
    EXPECT_EQ(txt_line("Aged Solar Reflectance"), "    Aged Solar Reflectance =\"     0.30\" ");
    EXPECT_EQ(txt_line("= Stucco on wood studs"), "       1 = Stucco on wood studs ");
}

TEST_F(ComplianceExport, ASkylightFacingAWallAddsNothingToItsGrossArea) {
    // The small house's skylight faces south like the front wall; the gross
    // wall area is its net area and its own windows only (288 + 32).
    run();
    EXPECT_EQ(attribute(xml_line("Name=\"WALL, Front\""), "Area"), "\"  320.00\"");
}

// Orientations are compass bearings of 0 to 359 degrees, and a line
// belongs to the wall within 45 degrees of it the short way round, also
// across the +-180 seam of the azimuths counted from south.
TEST_F(ComplianceExport, WallOrientationAndWhichLinesFaceAWall) {
    SFACES = 100.0f;
    run();
    EXPECT_EQ(attribute(xml_line("Name=\"WALL, Front\""), "Orientation"), "\" 280\"");
    EXPECT_EQ(attribute(xml_line("Name=\"WALL, Left Side\""), "Orientation"), "\"  10\"");
    EXPECT_EQ(attribute(xml_line("Name=\"WALL, Rear\""), "Orientation"), "\" 100\"");
    EXPECT_EQ(attribute(xml_line("Name=\"WALL, Right Side\""), "Orientation"), "\" 190\"");

    // Front azimuth 190 from south: 10 from north, and the front wall faces
    // -170 from south, 10 degrees from a window line facing 180.
    SFACES = 190.0f;
    FACING(1) = 180.0f;
    run();
    EXPECT_EQ(attribute(xml_line("<Building "), "FrontOrientation"), "\" 10\"");
    EXPECT_EQ(attribute(xml_line("SurfaceType=\"Roof\""), "Orientation"), "\"  10\"");
    EXPECT_EQ(txt_line("Front Orientation ="), "     Front Orientation =\" 10\" degrees from North");
    const int front = ComplianceExport::index_of(xml, "Name=\"WALL, Front\"");
    EXPECT_EQ(attribute(xml[static_cast<std::size_t>(front)], "Orientation"), "\"  10\"");
    EXPECT_EQ(attribute(xml[static_cast<std::size_t>(front)], "Area"), "\"  320.00\"");  // 288 + 32
    EXPECT_NE(xml[static_cast<std::size_t>(front) + 1].find("<Fenestration "), std::string::npos);

    SFACES = 0.0f;
    FACING(1) = 45.0f;    // on the boundary: belongs to the left side (90 - 45)
    FACING(2) = -170.0f;  // 10 degrees from the rear wall (180)
    run();
    const int front0 = ComplianceExport::index_of(xml, "Name=\"WALL, Front\"");
    const int left = ComplianceExport::index_of(xml, "Name=\"WALL, Left Side\"");
    const int rear = ComplianceExport::index_of(xml, "Name=\"WALL, Rear\"");
    EXPECT_EQ(xml[static_cast<std::size_t>(front0) + 1], "                         </Insulation >");
    EXPECT_NE(xml[static_cast<std::size_t>(left) + 1].find("<Fenestration "), std::string::npos);
    EXPECT_EQ(attribute(xml[static_cast<std::size_t>(left)], "Area"), "\"  331.00\"");  // 299 + 32
    EXPECT_NE(xml[static_cast<std::size_t>(rear) + 1].find("<Door "), std::string::npos);
    EXPECT_EQ(attribute(xml[static_cast<std::size_t>(rear)], "Area"), "\"  341.00\"");  // 320 + 21
}

TEST_F(ComplianceExport, WindowNamesByCode) {
    struct Case {
        float code;
        const char* name;
    } cases[] = {
        {-21.0f, "\"Single Non Metal Clear\""},
        {-5.0f, "\"U=0.350 SHGC=0.250 \""},
        {0.0f, "\"U=0.350 SHGC=0.250 \""},
        {9.0f, "\"Unknown\""},
        {28.0f, "\"Double Reflective Non Metal\""},  // longer than its 25 columns: whole
        {-11.0f, "\"Double Metal Clear\""},
    };
    for (const Case& c : cases) {
        STRATEGY(60, 3) = c.code;
        run();
        const std::string line = xml_line("FrameType=\"Non-Metal\"");
        const std::size_t at = line.find("Name=");
        ASSERT_NE(at, std::string::npos);
        std::string field = c.name;  // the name in its 25 columns
        if (field.size() < 25) field.append(25 - field.size(), ' ');
        EXPECT_EQ(line.substr(at + 5), field + "   >") << c.code;
    }
    // The window section shows the code without its sign.
    EXPECT_EQ(txt_count("    = \"      11.\" (the first 11 have Aluminum frames, the"), 1);
}

TEST_F(ComplianceExport, WallAssembliesByType) {
    struct Case {
        float type, u;
        const char* frame;
        const char* interior;
        const char* exterior;
        const char* index;
        const char* mass;
        const char* thickness;
        const char* exposed;
    } cases[] = {
        {1, 0.2f, "\"Wood\"  ", "\" 0.0\"", "\" 0.0\"", "\"4.3.1-A1\" ", "\"WoodCavityWall\"      ", "\"   1.0\"", "\"false\""},
        {1, 0.1f, "\"Wood\"  ", "\" 0.0\"", "\" 0.0\"", "\"4.3.1-A3\" ", "\"WoodCavityWall\"      ", "\"   1.0\"", "\"false\""},
        {8, 0.07f, "\"Wood\"  ", "\" 0.0\"", "\" 0.0\"", "\"4.3.1-A5\" ", "\"WoodCavityWall\"      ", "\"   1.0\"", "\"false\""},
        {14, 0.05f, "\"Wood\"  ", "\" 0.0\"", "\" 6.0\"", "\"4.3.1-A6\" ", "\"WoodCavityWall\"      ", "\"   1.0\"", "\"false\""},
        {3, 0.3f, "\"Wood\"  ", "\" 0.0\"", "\" 0.0\"", "\"4.3.5-C10\"", "\"MasonryPartialGrout\" ", "\"   8.0\"", "\"true\" "},
        {4, 0.1f, "\"Wood\"  ", "\"13.0\"", "\" 0.0\"", "\"4.3.5-A10\"", "\"MasonryPartialGrout\" ", "\"   8.0\"", "\"false\""},
        {12, 0.05f, "\"None\"  ", "\"12.0\"", "\"12.0\"", "\"4.3.6-D5\" ", "\"ConcreteHeavyweight\" ", "\"   1.0\"", "\"false\""},
        {13, 0.4f, "\"Wood\"  ", "\" 0.0\"", "\" 0.0\"", "\"4.3.6-D5\" ", "\"MasonrySolidGrout\"   ", "\"   8.0\"", "\"true\" "},
    };
    for (const Case& c : cases) {
        STRATEGY(31, 3) = c.type;
        UVAL(6) = c.u;
        run();
        const std::string wall = xml_line("Name=\"WALL, Front\"");
        EXPECT_NE(wall.find(std::string("FrameType=") + c.frame + "  Added"), std::string::npos) << c.type;
        EXPECT_EQ(attribute(wall, "AddedIntInsulation"), c.interior) << c.type;
        EXPECT_EQ(attribute(wall, "AddedExtInsulation"), c.exterior) << c.type;
        EXPECT_NE(wall.find(std::string("JAIVIndex=") + c.index + "  CRRC"), std::string::npos) << c.type;
        EXPECT_NE(wall.find(std::string("ExternalMassType=") + c.mass + "  ExternalMassThickness=" + c.thickness +
                            "  ExternalMassExposed=" + c.exposed + "  Construction"),
                  std::string::npos)
            << c.type;
    }
}

TEST_F(ComplianceExport, SideFinsWithOneSideOnly) {
    FINRDEP(1) = 1.5f;
    FINRDIS(1) = 0.25f;
    run();
    const int fin = ComplianceExport::index_of(xml, "<SideFin ");
    ASSERT_GE(fin, 0);
    EXPECT_EQ(xml[static_cast<std::size_t>(fin)],
              "                               <SideFin   LeftDepth=\"    0.00\"   LeftDistance=\"    0.00\"   "
              "RightDepth=\"    1.50\"   RightDistance=\"    0.25\"  />");
    EXPECT_EQ(xml[static_cast<std::size_t>(fin) + 1], "                             </Fenestration >");
    EXPECT_EQ(txt_line("  41: SIDE FINS"), "  41: SIDE FINS for window Number=   1: inSOUTH WALL  ");
}

TEST_F(ComplianceExport, SlabDwellingDistributionCrawlspaceAndAttic) {
    run();
    const int slab = ComplianceExport::index_of(xml, "SurfaceType=\"Slab\"");
    ASSERT_GE(slab, 0);
    const std::vector<std::string> expected = {
        "                        <Insulation SurfaceType=\"Slab\" Area=\"   1600.00\" Length=\"    160.00\" UFactor=\"0\" "
        "F2Factor=\"    0.730\" Orientation=\"0\" CavityInsulationRValue=\"       0.\" FrameType=\"None\"  "
        "AddedIntInsulation=\"  2.0\" AddedExtInsulation=\"0\" JAIVIndex=\"4.4.7-A1\" CRRCCertified=\"false\" "
        "Reflectance=\"0\" Emittance=\"0\" RadiantBarrier=\"None\" RoofWeight=\"0\" AirSpace=\"false\" "
        "EnhancedVent=\"false\" VentHigh=\"0\" UndergroundWallDepth=\"0\" SlabPerimeter=\"    160.00\" "
        "ExternalMassType=\"None\" ExternalMassThickness=\"3.5\" ExternalMassExposed=\"false\" "
        "ConstructionStatus=\"New\"      Tilt=\"0\"  Name=\"SLAB FLOOR carpeted\"     />",
        "                     </Room>",
        "                     <Dwelling FloorArea=\"  1600.00\" NumberOfUnits=\"     1.00\" "
        "NumberOfBedrooms=\"         2\" RefrigeratorIncluded=  \"true\" RefrigeratorkWh=\"   666.00\" "
        "DishwasherIncluded=  \"true\" RangeIncluded=  \"true\" RangeFuel=  \"Electricity\" WasherIncluded=  \"true\" "
        "DryerIncluded=  \"true\" DryerFuel=  \"Electricity\" IAQFanIncluded= \"false\" IAQFanType=      \"Exhaust\" "
        "IAQFanAirflow=\"    15.00\" IAQFanWatts=\"     6.00\" IAQFanHeatRecovery=\"     0.00\" "
        "Name=                 \"House\" />",
        "                 </Zone>",
        "                 <NewDistribution  HeatingDistribution=\"Ducted\"  CoolingDistribution=\"Ducted\"  "
        "TestedDuctLeakage=\"true\"     DuctLeakageTarget=\"     6.00\"  Measured=\"false\"  LessThan12=\"true\"  "
        "AtticInsulationType=\"Fiberglass\"  AtticInsulR=\"    38.00\" />",
        "             </HVAC >",
        "         </Plant >",
        "         <Crawlspace  Type=\"Vented\"     Height=\"    2.000\"  Perimeter=\"  160.000\" />",
        "         <Attic  Conditioned=\"false\"  RadiantBarrier=\"true\"  />",
        "     </Building >",
    };
    const std::vector<std::string> got(xml.begin() + slab, xml.begin() + slab + 10);
    EXPECT_EQ(got, expected);
    EXPECT_EQ(txt_line("  50:   SLAB ON GRADE"), "  50:   SLAB ON GRADE");
    EXPECT_EQ(txt_line("    Area =\""), "    Area =\"   1600.00\" sq.ft.");
    EXPECT_EQ(txt_line("Slab Edge Lenght"), "    Slab Edge Lenght =\"   160.00\" feet");
    EXPECT_EQ(txt_line("     JAIV index ="), "     JAIV index =\"4.4.7-A1\"   (see Joint Appendix JA4)");
    EXPECT_EQ(txt_line("= Slab On Grade, Carpeted"), "     6 = Slab On Grade, Carpeted");
    EXPECT_EQ(txt_count("  51: RAISED FLOOR"), 0);
}

TEST_F(ComplianceExport, ExposedSlabAndOtherAtticAndCrawlspace) {
    STRATEGY(33, 3) = 7.0f;
    STRATEGY(35, 3) = 0.0f;
    EWDIM = 50.0f;
    NSDIM = 30.0f;
    run();
    const std::string slab = xml_line("SurfaceType=\"Slab\"");
    EXPECT_EQ(attribute(slab, "AddedIntInsulation"), "\"  0.0\"");
    EXPECT_NE(slab.find("Name=\"SLAB FLOOR exposed\"      />"), std::string::npos);
    EXPECT_EQ(xml_line("<Crawlspace "),
              "         <Crawlspace  Type=\"Vented\"     Height=\"    2.000\"  Perimeter=\"  160.000\" />");
    EXPECT_EQ(xml_line("<Attic "), "         <Attic  Conditioned=\"false\"  RadiantBarrier=\"false\" />");
}

TEST_F(ComplianceExport, BasementWritesNoFloorElementButItsInstructions) {
    STRATEGY(33, 3) = 12.0f;
    AREA(13) = 40.0f;
    AREA(14) = 80.0f;
    AREA(17) = 1600.0f;
    run();
    EXPECT_EQ(xml_count("SurfaceType=\"Slab\""), 0);
    EXPECT_EQ(xml_count("SurfaceType=\"Floor\""), 0);
    const int room_end = ComplianceExport::index_of(xml, "</Room>");
    EXPECT_EQ(xml[static_cast<std::size_t>(room_end) - 1], "                         </Insulation >");
    EXPECT_EQ(attribute(xml_line("<Building "), "ConditionedSlabArea"), "\"      0.00\"");
    const int basement = ComplianceExport::index_of(txt, "  49:   BASEMENT");
    ASSERT_GE(basement, 2);
    EXPECT_EQ(txt[static_cast<std::size_t>(basement) - 1], "");
    EXPECT_EQ(txt[static_cast<std::size_t>(basement) + 2], " MAVO thinks this basement type is = \"      12.\" ");
    EXPECT_EQ(txt[static_cast<std::size_t>(basement) + 3], "   10 = Basement Occupied Unfinished");
    EXPECT_EQ(txt_line("Area of first 2 feet"), "    Area of first 2 feet=\"     80.00\" square feet");
    EXPECT_EQ(txt_line("Area of Exposed two feet"), "    Area of Exposed two feet of basement=\"      40.\" ");
    AREA(13) = 0.0f;
    run();
    EXPECT_EQ(txt_count("exposed basement wall above grade"), 0);
}

TEST_F(ComplianceExport, RaisedFloorsByTypeAndUFactor) {
    STRATEGY(33, 3) = 4.0f;
    UVAL(11) = 0.03f;
    AREA(11) = 1600.0f;
    RVAL(11) = 19.0f;
    run();
    EXPECT_EQ(xml_line("SurfaceType=\"Floor\""),
              "                        <Insulation SurfaceType=\"Floor\" Area=\"   1600.00\" Length=\"0\" "
              "UFactor=\"    0.030\" F2Factor=\"0\" Orientation=\"0\" CavityInsulationRValue=\"      19.\" "
              "FrameType=\"Wood\"   AddedIntInsulation=\"  0.0\" AddedExtInsulation=\"0\" JAIVIndex=\"4.4.1-A7\"  "
              "CRRCCertified=\"false\" Reflectance=\"0\" Emittance=\"0\" RadiantBarrier=\"None\" RoofWeight=\"0\" "
              "AirSpace=\"false\" EnhancedVent=\"false\" VentHigh=\"0\" UndergroundWallDepth=\"0\" SlabPerimeter=\"0\" "
              "ExternalMassType=\"WoodCavityWall\"        ExternalMassThickness=\" 1.0\" ExternalMassExposed=\"true\"  "
              "ConstructionStatus=\"New\"      Tilt=\"0\"  Name=\"FLOOR Raised Wood Tiled\" />");
    EXPECT_EQ(txt_line("  51: RAISED FLOOR"), "  51: RAISED FLOOR");
    EXPECT_EQ(txt_line("= Basement Occupied Finished"), "   13 = Basement Occupied Finished");
    EXPECT_EQ(attribute(xml_line("<Building "), "ConditionedSlabArea"), "\"      0.00\"");

    STRATEGY(33, 3) = 8.0f;  // structural concrete: its own assembly whatever the U-factor
    run();
    EXPECT_NE(xml_line("SurfaceType=\"Floor\"").find("JAIVIndex=\"4.4.1-A1\"  CRRC"), std::string::npos);
    EXPECT_NE(xml_line("SurfaceType=\"Floor\"").find("ExternalMassType=\"ConcreteHeavyweight\"   "),
              std::string::npos);

    STRATEGY(33, 3) = 2.5f;  // between codes: the row of its whole part
    run();
    EXPECT_NE(xml_line("SurfaceType=\"Floor\"").find("Name=\"FLOOR RaisedWood+Carpet\" />"), std::string::npos);

    for (float code : {0.0f, 1.0f}) {  // no floor losses
        STRATEGY(33, 3) = code;
        run();
        EXPECT_EQ(xml_count("SurfaceType=\"Floor\""), 0) << code;
    }
    STRATEGY(33, 3) = 2.0f;
    STRATEGY(7, 3) = 3.0f;  // attached, floor shared with the unit below
    STRATEGY(9, 3) = 2.0f;
    run();
    EXPECT_EQ(xml_count("SurfaceType=\"Floor\""), 0);
    STRATEGY(9, 3) = 1.0f;  // only the roof shared
    run();
    EXPECT_EQ(xml_count("SurfaceType=\"Floor\""), 1);
}

}  // namespace
}  // namespace mavo
