// The compliance-export document frame, project, building, plant, rates and
// the import instructions; the expected lines are written out by hand from
// the importer's layouts and the small house of compliance_scheme.h.
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "front/units.h"
#include "results/compliance/compliance_export.h"
#include "results/compliance_scheme.h"

namespace mavo {
namespace {

using testing::ComplianceExport;

TEST(ComplianceFileNames, OneDocumentAndOneInstructionFilePerSlot) {
    EXPECT_EQ(compliance::document_file_name(1), "scheme1.xml");
    EXPECT_EQ(compliance::document_file_name(9), "scheme9.xml");
    EXPECT_EQ(compliance::document_file_name(10), "scheme0.xml");
    EXPECT_EQ(compliance::notes_file_name(3).view(), "scheme3.txt     ");
    EXPECT_EQ(compliance::notes_file_name(10), "scheme0.txt");
    // The default scheme reached as slot 0 has the same files, as with every
    // report file.
    EXPECT_EQ(compliance::document_file_name(0), "scheme0.xml");
    EXPECT_EQ(compliance::notes_file_name(0), "scheme0.txt");
    // A library slot or a combination: no name.
    EXPECT_TRUE(compliance::document_file_name(-1).is_blank());
    EXPECT_TRUE(compliance::notes_file_name(11).is_blank());
}

TEST_F(ComplianceExport, TwelveDayRunGetsTheOneLineRefusal) {
    NFLAG(38) = false;
    run();
    ASSERT_EQ(xml.size(), 1u);
    EXPECT_EQ(xml[0],
              "<................. ERROR......................This Scheme is not a full 365 day calculation,"
              "so you can NOT use EnergyPro/>");
    const std::vector<std::string> expected = {"   ", "   ", "................. ERROR......................",
                                               "This Scheme is not a full 365 day calculation,",
                                               "so you can NOT use EnergyPro", "   ", "   ", ""};
    EXPECT_EQ(txt, expected);
    EXPECT_EQ(unit_file(40), nullptr);
    EXPECT_EQ(unit_file(41), nullptr);
}

TEST_F(ComplianceExport, DocumentFrameAndElementOrder) {
    run();
    ASSERT_GT(xml.size(), 40u);
    EXPECT_EQ(xml.front(), "<?xml  version=\"1.0\"  encoding=\"utf-8\" ?>");
    EXPECT_EQ(xml[1].rfind("   <Title24XML  xmlns=\"", 0), 0u);
    EXPECT_EQ(xml[1].substr(xml[1].size() - 3), "\" >");
    EXPECT_EQ(xml.back(), "</Title24XML>");
    EXPECT_EQ(txt.back(), "END OF FILE scheme3.txt     ");
    // The skeleton, in order.
    const char* order[] = {"<RunDetails ", "<Loan ", "<Project ", "<ProjectTitle ", "<DocumentationAuthorTitle",
                           "</Project>", "<Building ", "<Appliance ", "<IntLuminaire ", "<ExtLuminaire ",
                           "<Plant >", "<Renewables ", "<RenewableMonthly ", "<WaterHeating ", "<HVAC ", "<Zone ",
                           "<Room ", "SurfaceType=\"Roof\"", "SurfaceType=\"Wall\"", "SurfaceType=\"Slab\"",
                           "</Room>", "<Dwelling ", "</Zone>", "<NewDistribution ", "</HVAC >", "</Plant >",
                           "<Crawlspace ", "<Attic ", "</Building >", "<UtilityRate ", "<BillingStartDate "};
    int last = -1;
    for (const char* part : order) {
        const int at = ComplianceExport::index_of(xml, part);
        EXPECT_GT(at, last) << part;
        last = at;
    }
    EXPECT_EQ(xml[static_cast<std::size_t>(ComplianceExport::index_of(xml, "</Plant >"))], "         </Plant >");
    EXPECT_EQ(xml[static_cast<std::size_t>(ComplianceExport::index_of(xml, "</Building >"))], "     </Building >");
    EXPECT_EQ(xml_count("<IntLuminaire "), 3);
    EXPECT_EQ(xml_count("<ExtLuminaire "), 3);
    EXPECT_EQ(xml_count("<RenewableMonthly "), 12);
}

TEST_F(ComplianceExport, RunDetailsProjectAndBuildingLines) {
    run();
    EXPECT_EQ(xml[2],
              "     <RunDetails  SoftwareName=\"EnergyPro\"  SoftwareVersion=\"6.3.0.0\"  Compliance2015=\"false\"  "
              "xmlns=\"\" />");
    EXPECT_EQ(xml[3], "     <Loan  InterestRate=\"6\"  Term=\"30\"  TaxBracket=\"30\"  xmlns=\"\" />");
    EXPECT_EQ(xml_line("<Project "),
              "       <Project  ProjectType=\"New\"  ConstructionStatus=\"New\"       CAZone=\"  12\"  "
              "Country=\"UNITED STATES\"  State=\"California\"  City=\"Sacramento AP\"   "
              "PlanName=\"Efficient Ranch         \"  ProjectName=\"Efficient Ranch         \"  xmlns=\"\" >");
    EXPECT_EQ(xml_line("<ProjectTitle "),
              "         <ProjectTitle  Address=\"1234 Streetname Avenue\"  City=\"Your Town\"  State=\"CA\"  "
              "Zip=\" 90000\"  Company=\" \"  Name=\"SMALL RANCH             \"  Phone=\" \"  Fax=\" \"  "
              "Email=\" \" />");
    EXPECT_EQ(xml_line("<Building "),
              "       <Building  BuildingType=\"SingleFamily\"       ConditionedFloorArea=\"    1600.\"  "
              "NumberOfDwellingUnits=\"1\"  Stories=\"  1\"  HighMassBuilding=\"false\"  "
              "ConditionedSlabArea=\"   1600.00\"  FrontOrientation=\"180\"  QualityInsulation=\"true\"  xmlns=\"\" >");
    EXPECT_EQ(xml_line("<Appliance "),
              "         <Appliance  WasherLocation=\"Conditioned\"  DryerType=\"Gas\"  RangeType=\"GasNoPilot\"  "
              "garageRefrigeratorkWh=\"0\"  DishwasherEF=\"0.42\"  InsideRefrigeratorkWh=\"800\"  WellPump=\"true\"  "
              "SewerGrinderPump=\"false\"  PoolType=\"Solar\"  SpaType=\"Gas\"  DryerLocation=\"Unconditioned\" />");
    EXPECT_EQ(xml_line("FrontEntry"),
              "         <ExtLuminaire  Type=\"Incandescent\"  Location=\"FrontEntry\"  Quantity=\"2\"  "
              "Control=\"Sensor\" />");
}

// Names arrive in the host's code page (Windows-1252); the document is
// UTF-8: o-umlaut 0xF6 is C3 B6, the euro sign 0x80 is E2 82 AC (Unicode
// CP1252.TXT), e-acute 0xE9 is C3 A9. A control character is dropped and the
// name keeps its 24 columns; the instructions keep the host's bytes.
TEST_F(ComplianceExport, TypedNamesStayReadableMarkup) {
    SCHEMENAME(3) = "Smith & S\xF6ns <A>\x01\x80";
    TITLE1 = "Caf\xE9 \"Oaks\"";
    run();
    EXPECT_NE(xml_line("<Project ").find("PlanName=\"Smith &amp; S\xC3\xB6ns &lt;A&gt;\xE2\x82\xAC       \""),
              std::string::npos);
    EXPECT_NE(xml_line("<ProjectTitle ").find("Name=\"Caf\xC3\xA9 &quot;Oaks&quot;             \""), std::string::npos);
    EXPECT_EQ(txt_line("Your Scheme Name"), "     Your Scheme Name \"Smith & S\xF6ns <A>\x01\x80      \" ");
}

TEST_F(ComplianceExport, StatusCityStoriesAndOrientationFollowTheScheme) {
    STRATEGY(6, 3) = 2.0f;
    CECZONE = 2;
    FLOORS = 2.9f;
    SFACES = -200.0f;
    run();
    EXPECT_NE(xml_line("<Project ").find("ConstructionStatus=\"Existing\"  CAZone=\"   2\""), std::string::npos);
    EXPECT_NE(xml_line("<Project ").find("City=\"Santa Rosa    \"  PlanName"), std::string::npos);
    EXPECT_NE(xml_line("<WaterHeating ").find("ConstructionStatus=\"Existing\"  EnergyFactor"), std::string::npos);
    EXPECT_NE(xml_line("<Building ").find("Stories=\"  2\""), std::string::npos);
    EXPECT_NE(xml_line("<Building ").find("FrontOrientation=\"340\""), std::string::npos);
}

TEST_F(ComplianceExport, ZoneOutsideCaliforniaStillGivesADocumentWithAWarning) {
    CECZONE = 0;
    NFLAG(44) = false;
    run();
    EXPECT_NE(xml_line("<Project ").find("City=\" cecZone<1    \"  PlanName"), std::string::npos);
    EXPECT_EQ(xml.back(), "</Title24XML>");
    const int warning = ComplianceExport::index_of(txt, "................. WARNING......................");
    ASSERT_GE(warning, 0);
    EXPECT_EQ(txt[static_cast<std::size_t>(warning) + 1], "This Scheme does not use one of the 16 \"official\" ");
    EXPECT_LT(warning, ComplianceExport::index_of(txt, "   Open EnergyPro and Click on:"));
}

TEST_F(ComplianceExport, RenewablesAndWaterHeating) {
    PVSYSPEAK = 3.25f;
    PVCOST(1) = -12.4f;
    PVDEMAND(1) = 101.5f;
    PVKWH(1) = 380.0f;
    STHERMEFF(2) = 20.0f;  // below the importer's range: 0.4
    WHTYPE = 7;
    run();
    EXPECT_EQ(xml_line("<Renewables "), "             <Renewables  DCRating=\"      3.25\" />");
    EXPECT_EQ(xml_line("Month=\" 1\""),
              "             <RenewableMonthly  Month=\" 1\"  Cost=\"      -12.\"  Demand=\"    101.50\"  "
              "Energy=\"       380.\" />");
    EXPECT_EQ(xml_line("Month=\"12\""),
              "             <RenewableMonthly  Month=\"12\"  Cost=\"        0.\"  Demand=\"      0.00\"  "
              "Energy=\"         0.\" />");
    EXPECT_EQ(xml_line("<WaterHeating "),
              "             <WaterHeating  ConstructionStatus=\"New\"       EnergyFactor=\"     0.60\"  "
              "SolarFraction=\"     0.00\"  ExternalTankInsulation=\"      12.\"  RatedInput=\"       40.\"  "
              "RecoveryEfficiency=\"     0.40\"  StandbyLoss=\"0\"  TankSize=\"    50.0\"  MFCentral=\"false\"  "
              "RecircControl=\"RecircD\"  PumpQuantity=\"0\"  PumpHP=\"0\"  PremimumMotor=\"false\"  "
              "PipingOutsideFt=\"0\"  PipingUnderGroundFt=\"0\"  PipingPlenumFt=\"0\"  "
              "ExtraHalfInchPipeInsulation=\"false\"  PipingDiameterFt=\"0.5\"  InsulationThickness=\"0.5\"  "
              "DistributionType=\"Standard\"  DHWType=\"HeatPump\"      Quantity=\" 1\"  QualityInsulation=\"true\" />");
}

TEST_F(ComplianceExport, SolarFractionAndRecoveryEfficiency) {
    STHERMEFF(2) = 78.0f;  // 0.78: two decimals, not rounded to a whole 1
    // The water heater's fuel is what remained after the sun's share:
    // 30 displaced of 30 + 90.
    SUMARY(64, 3) = 30.0f;
    SUMARY(65, 3) = 90.0f;
    run();
    EXPECT_NE(xml_line("<WaterHeating ").find("SolarFraction=\"    25.00\""), std::string::npos);
    EXPECT_NE(xml_line("<WaterHeating ").find("RecoveryEfficiency=\"     0.78\""), std::string::npos);
    EXPECT_EQ(txt_line("Recovery Efficiency %"), "    Recovery Efficiency % =\"     0.78\" ");
    EXPECT_NE(xml_line("<WaterHeating ").find("DHWType=\"GasFired\"      Quantity"), std::string::npos);

    // Electricity displaced replaces the fuel fraction.
    SUMARY(74, 3) = 50.0f;
    SUMARY(75, 3) = 150.0f;
    run();
    EXPECT_NE(xml_line("<WaterHeating ").find("SolarFraction=\"    25.00\""), std::string::npos);
    // More displaced than the heater still used: a share below 100.
    SUMARY(75, 3) = 12.5f;
    run();
    EXPECT_NE(xml_line("<WaterHeating ").find("SolarFraction=\"    80.00\""), std::string::npos);

    // The sun covers the whole load: the heater burned nothing.
    SUMARY(74, 3) = 0.0f;
    SUMARY(65, 3) = 0.0f;
    run();
    EXPECT_NE(xml_line("<WaterHeating ").find("SolarFraction=\"   100.00\""), std::string::npos);
}

TEST_F(ComplianceExport, UtilityRatesAreTheFixedTables) {
    run();
    const int first = ComplianceExport::index_of(xml, "<UtilityRate ");
    ASSERT_GE(first, 0);
    const std::vector<std::string> expected = {
        "       <UtilityRate  EnergyType=\"Electricity\"  MonthCharge=\"5\"  DemandCharge=\"0\"  MinMonthCharge=\"0\"  "
        "MinDemandCharge=\"0\"  Tax=\"0\"  CO2=\"0.805\" >",
        "           <BlockCharge  Label=\"Winter\" >",
        "             <EnergyCharge  Charge=\"0.10287000238895416\"  Limit=\"581\" />",
        "             <EnergyCharge  Charge=\"0.1168999969959259\"  Limit=\"756\" />",
        "             <EnergyCharge  Charge=\"0.18292999267578125\"  Limit=\"9999\" />",
        "             <DemandCharge  Charge=\"0\"  Limit=\"0\" />",
        "         </BlockCharge >",
        "           <BlockCharge  Label=\"Summer\" >",
        "             <EnergyCharge  Charge=\"0.10287000238895416\"  Limit=\"317\" />",
        "             <EnergyCharge  Charge=\"0.1168999969959259\"  Limit=\"412\" />",
        "             <EnergyCharge  Charge=\"0.18292999267578125\"  Limit=\"9999\" />",
        "             <DemandCharge  Charge=\"0\"  Limit=\"0\" />",
        "         </BlockCharge >",
        "     </UtilityRate >",
        "       <UtilityRate  EnergyType=\"Gas\"  Name=\"Gas PG&amp;E P\"  MonthCharge=\"0\"  DemandCharge=\"0\"  "
        "MinMonthCharge=\"0\"  MinDemandCharge=\"0\"  Tax=\"0\"  CO2=\"11.7\" >",
        "           <BlockCharge  Label=\"Winter\" >",
        "             <EnergyCharge  Charge=\"1.2435100078582764\"  Limit=\"61\" />",
        "             <EnergyCharge  Charge=\"1.4681799411773682\"  Limit=\"999\" />",
        "             <DemandCharge  Charge=\"0\"  Limit=\"0\" />",
        "         </BlockCharge >",
        "           <BlockCharge  Label=\"Summer\" >",
        "             <EnergyCharge  Charge=\"1.2435100078582764\"  Limit=\"15\" />",
        "             <EnergyCharge  Charge=\"1.4681799411773682\"  Limit=\"999\" />",
        "             <EnergyCharge  Charge=\"1.4681799411773682\"  Limit=\"0\" />",
        "             <DemandCharge  Charge=\"0\"  Limit=\"0\" />",
        "         </BlockCharge >",
        "     </UtilityRate >",
        "      <BillingStartDate  xmlns=\"\" >0001-01-01T00:00:00</BillingStartDate >",
        "</Title24XML>",
    };
    const std::vector<std::string> tail(xml.begin() + first, xml.end());
    EXPECT_EQ(tail, expected);
}

TEST_F(ComplianceExport, InstructionsRepeatTheSchemeValues) {
    run();
    EXPECT_EQ(txt[0], "  CALIFORNIA ENERGY CODE COMPLIANCE:");
    EXPECT_EQ(txt_line("Project Name:"), "         Project Name:  \"SMALL RANCH             \"  ");
    EXPECT_EQ(txt_line("Scheme Number:"), "         Scheme Number: \" 3\"   ");
    EXPECT_EQ(txt_line("City Name:     "), "         City Name:     \"\"Sacramento AP\" \"  ");
    EXPECT_EQ(txt_count("WARNING"), 0);
    // The status with its own quotes shows them doubled.
    const int name_at = ComplianceExport::index_of(txt, "     Your Scheme Name \"Efficient Ranch         \" ");
    ASSERT_GE(name_at, 0);
    EXPECT_EQ(ComplianceExport::index_of(txt, "     \"\"New\"     \" "), name_at + 6);
    EXPECT_EQ(txt_line("Front Orientation ="), "     Front Orientation =\"180\" degrees from North");
    // Twelve monthly sections before the annual totals.
    EXPECT_EQ(txt_count("  19: RenewableMonthly "), 12);
    EXPECT_LT(ComplianceExport::index_of(txt, "   Month=\"12\" "), ComplianceExport::index_of(txt, "  20: Renewable"));
    EXPECT_EQ(txt_line("Cost dollars     =\" "), "   Cost dollars     =\"       0.00\" ");
    // Water heater, with its legend.
    EXPECT_EQ(txt_line("Water Heater Type is"), "    MAVO says the Water Heater Type is \"  1\" where: ");
    EXPECT_EQ(txt_line("=Heat Pump Electric"), "      7=Heat Pump Electric Water Heater");
    EXPECT_EQ(txt_line("DHWtype="), "    DHWtype=\"\"GasFired\"    \" ");
    EXPECT_EQ(txt_line("Recovery Efficiency %"), "    Recovery Efficiency % =\"     0.76\" ");
    // The last sections.
    EXPECT_EQ(txt_count(" 415: NORMAL ENDING: Print Out Reports "), 1);
    EXPECT_EQ(txt_line("Dwelling Comment"), " Dwelling Comment 3285  here");
    const int crawl = ComplianceExport::index_of(txt, "  KEEPXML reached Added Crawlspace 3398");
    EXPECT_EQ(txt[static_cast<std::size_t>(crawl) + 1], "3073: Crawlspace Comment here");
    EXPECT_EQ(txt[static_cast<std::size_t>(crawl) + 2], "3074: Attic Comment here");
}

TEST_F(ComplianceExport, DefaultSchemeSlotAndCombinations) {
    IDNUM1 = 10;
    STRATEGY(6, 10) = 3.0f;
    run();
    EXPECT_NE(xml_line("<Project ").find("ConstructionStatus=\"Addition\"  "), std::string::npos);
    EXPECT_NE(xml_line("<Project ").find("PlanName=\"Default scheme (scheme0)\""), std::string::npos);
    EXPECT_EQ(txt.back(), "END OF FILE scheme0.txt     ");

    // Slot 0 runs without a parameter column: no document describes it, and
    // the default scheme's export of an earlier run goes, as slot 0's other
    // reports are written fresh under the same names. A combination has no
    // column either: nothing is written.
    for (INTEGER id : {0, 35}) {
        IDNUM1 = id;
        KEEPXML();
        EXPECT_TRUE(std::filesystem::is_empty(project.path())) << id;
    }
}

TEST_F(ComplianceExport, ASecondCallReplacesBothFiles) {
    run();
    ASSERT_GT(xml.size(), 1u);
    NFLAG(38) = false;
    run();
    EXPECT_EQ(xml.size(), 1u);
    EXPECT_EQ(txt.size(), 8u);
}

// A number too wide for its field (a cooling size of 65,536,000 Btu/h in an
// eight-column field) is written in full: the importer reads the value,
// never a row of stars.
TEST_F(ComplianceExport, NumberTooWideForItsFieldIsWrittenInFull) {
    SUMARY(19, 3) = 40960.0f;  // Btu/h per ft2, over 1600 ft2
    run();
    const std::string& hvac = xml[static_cast<std::size_t>(ComplianceExport::index_of(xml, "<HVAC "))];
    EXPECT_NE(hvac.find("MaximumCoolingSize=\"65536000.\""), std::string::npos) << hvac;
    for (const std::string& line : xml) EXPECT_EQ(line.find('*'), std::string::npos) << line;
}

TEST_F(ComplianceExport, AFailedWriteStopsAtTheErrorExit) {
    // A write fails as on a full disk: a file-size limit (in a child process
    // of its own) stops the import notes, written ahead of the document,
    // after 512 bytes. The export stops there: the document holds its first
    // line alone, the notes that could not be written whole are not put in
    // place, and neither unit stays open.
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        const rlimit small{512, 512};
        std::signal(SIGXFSZ, SIG_IGN);
        if (setrlimit(RLIMIT_FSIZE, &small) != 0) _exit(2);
        KEEPXML();
        const std::vector<std::string> first_line = {"<?xml  version=\"1.0\"  encoding=\"utf-8\" ?>"};
        const bool stopped = testing::read_lines(project / "scheme3.xml") == first_line &&
                             !std::filesystem::exists(project / "scheme3.txt") && unit_file(40) == nullptr &&
                             unit_file(41) == nullptr;
        _exit(stopped ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the export went on past the failed write, or a unit stayed open";
}

TEST_F(ComplianceExport, AnInstructionsFileThatCannotBeOpenedLeavesNoOpenUnit) {
    std::filesystem::create_directory(project / "scheme3.txt");
    KEEPXML();
    EXPECT_EQ(unit_file(40), nullptr);
    EXPECT_EQ(unit_file(41), nullptr);
    EXPECT_TRUE(testing::read_file(project / "scheme3.xml").empty());
}

}  // namespace
}  // namespace mavo
