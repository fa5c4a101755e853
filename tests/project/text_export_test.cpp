#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "blocks/blocks.h"
#include "project/text_export.h"
#include "test_support.h"

namespace mavo {
namespace {

using testing::read_lines;
using testing::ScratchDir;

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> out;
    std::stringstream in(line);
    std::string f;
    while (std::getline(in, f, ',')) out.push_back(f);
    return out;
}

// File position k (1 to 27) of a data row: after index, month and hour.
float column_at(const std::string& row, int k) { return std::stof(fields(row).at(2 + k)); }

class TextExport : public ::testing::Test {
protected:
    void SetUp() override {
        testing::use_directories(project.str(), project.str(), project.str());
        BLK0B.DISKKEEP1 = 25;
        IDNUM1 = 5;
        IDNUM2 = 0;
        CHARTSCALE = 1.0f;
    }
    std::vector<std::string> file(const char* name = "scheme5.TXT") { return read_lines(project / name); }
    ScratchDir project;
};

TEST_F(TextExport, HeaderAndRowLayout) {
    OATEMP(1, 2) = 64.0078125f;
    HEAT(1, 1, 2) = 1500.25f;
    KEEP1TXT();
    const auto l = file();
    ASSERT_EQ(l.size(), 3u + 288u);
    EXPECT_EQ(l[0], ",,,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27");
    const auto units = fields(l[1]);
    const auto labels = fields(l[2]);
    ASSERT_EQ(units.size(), 30u);
    ASSERT_EQ(labels.size(), 30u);
    EXPECT_EQ(units[0], "Hourly Totals");
    EXPECT_EQ(labels[0] + "," + labels[1] + "," + labels[2], "Index,Month,Hour");
    // Columns in file order: outdoor and indoor temperature, the 16 heat-flow
    // components, HVAC, air changes, furnace, fan, costs, total energy, total loads.
    EXPECT_EQ(labels[3], "Outdoor Temp    ");
    EXPECT_EQ(units[3], "Degrees F       ");
    EXPECT_EQ(labels[4], "Indoor Air      ");
    EXPECT_EQ(labels[5], "South Window    ");
    EXPECT_EQ(units[5], "KBTU            ");
    EXPECT_EQ(labels[19], "Occupants       ");
    EXPECT_EQ(units[19], std::string(16, ' '));
    EXPECT_EQ(labels[21], "HVAC            ");
    EXPECT_EQ(labels[22], "Air Changes     ");
    EXPECT_EQ(units[22], std::string(16, ' '));
    EXPECT_EQ(labels[24], "Fan             ");
    EXPECT_EQ(units[24], "KiloWatts       ");
    EXPECT_EQ(labels[28], "Total Energy    ");
    EXPECT_EQ(labels[29], "Total Loads     ");
    EXPECT_EQ(units[29], "KWHR            ");

    EXPECT_EQ(l[3].substr(0, 9), "  1, 1, 1");
    // Row 25 is month 2, hour 1; the outdoor temperature's whole degrees,
    // then its fraction x 10000.
    EXPECT_EQ(l[27].substr(0, 9 + 2 * 16 + 16),
              " 25, 2, 1,       64.00000,       78.12500,     1500.25000");
    EXPECT_EQ(l[290].substr(0, 9), "288,12,24");
    EXPECT_EQ(l[290].size(), 9u + 27u * 16u);
}

TEST_F(TextExport, ElectricTotalFollowsTheHeatingEquipment) {
    // Lights 3412 Btu/h = 1000 Wh, equipment 1706 Btu/h = 500 Wh, fans 0.5 kWh.
    HEAT(13, 1, 1) = 3412.0f;
    HEAT(14, 1, 1) = 1706.0f;
    KWHRFA(1, 1) = 0.5f;
    HVACLD(1, 1) = -3412.0f;  // heating hour
    HVACLD(2, 1) = 10236.0f;  // cooling hour, same lights and equipment
    HEAT(13, 2, 1) = 3412.0f;
    HEAT(14, 2, 1) = 1706.0f;
    KWHRFA(2, 1) = 0.5f;
    COPAC = 3.0f;

    COPHT = 0.75f;  // fuel furnace: no electricity for heat
    KEEP1TXT();
    EXPECT_NEAR(column_at(file()[3], 27), 2000.0f, 1e-3f);
    EXPECT_NEAR(column_at(file()[3], 22), 500.0f, 1e-3f);  // fan, Wh
    EXPECT_NEAR(column_at(file()[4], 27), 3000.0f, 1e-3f);  // 10236 Btu / (3 x 3.412)

    // Electric heaters as the bills count them, rated in Btu per Wh:
    // resistance 3.412, a heat pump its seasonal rating.
    STRATEGY(18, IDNUM1) = 6.0f;
    COPHT = 3.412f;
    KEEP1TXT();
    EXPECT_NEAR(column_at(file()[3], 27), 3000.0f, 1e-2f);
    STRATEGY(18, IDNUM1) = 7.0f;
    COPHT = 8.53f;  // heat pump: 3412 Btu / 8.53 = 400 Wh
    KEEP1TXT();
    EXPECT_NEAR(column_at(file()[3], 27), 2400.0f, 1e-2f);
    FREEZHRS(1, 1) = 1.0f;  // below freezing: no better than resistance heat
    KEEP1TXT();
    EXPECT_NEAR(column_at(file()[3], 27), 3000.0f, 1e-2f);

    // No air conditioner (cooling efficiency 0): the cooling hour draws
    // lights, equipment and fans only, not a column of asterisks.
    COPAC = 0.0f;
    KEEP1TXT();
    const std::string cooling_row = file()[4];
    EXPECT_EQ(cooling_row.find('*'), std::string::npos);
    EXPECT_NEAR(column_at(cooling_row, 27), 2000.0f, 1e-3f);
}

TEST_F(TextExport, ColumnScales) {
    HEAT(1, 1, 1) = 1000.0f;
    HEAT(3, 1, 1) = 2.0f;
    HEAT(9, 1, 1) = 3.0f;
    STORED(1, 1) = 400.0f;
    COSTEL(1, 1) = 0.25f;
    COSTFUEL(1, 1) = 0.5f;

    CHARTSCALE = -0.5f;  // per-area view
    KEEP1TXT();
    auto row = file()[3];
    EXPECT_FLOAT_EQ(column_at(row, 3), 500.0f);   // south window
    EXPECT_FLOAT_EQ(column_at(row, 19), 200.0f);  // HVAC
    EXPECT_FLOAT_EQ(column_at(row, 23), 500.0f);  // gas cost x 1000, never scaled
    EXPECT_FLOAT_EQ(column_at(row, 24), 250.0f);  // electricity cost
    EXPECT_FLOAT_EQ(column_at(row, 25), 750.0f);  // total cost

    IDNUM2 = 3;  // library comparison: unscaled
    NFLAG(35) = true;
    NFLAG(36) = true;
    NFLAG(10) = true;
    KEEP1TXT();
    row = file()[3];
    EXPECT_FLOAT_EQ(column_at(row, 3), 1000.0f);
    EXPECT_FLOAT_EQ(column_at(row, 5), 2000.0f);   // north window: measured data x 1000
    EXPECT_FLOAT_EQ(column_at(row, 11), 3000.0f);  // east wall x 1000
}

TEST_F(TextExport, ComparisonIndoorAirComesFromItsArray) {
    OATEMP(3, 1) = 50.25f;
    INDOORAIR(3, 1) = 71.5f;
    IDNUM2 = 10;
    KEEP1TXT();
    EXPECT_FLOAT_EQ(column_at(file()[5], 2), 71.5f);
    IDNUM2 = 9;
    KEEP1TXT();
    EXPECT_FLOAT_EQ(column_at(file()[5], 2), 2500.0f);
}

TEST_F(TextExport, FileNameBySlot) {
    IDNUM1 = 0;
    KEEP1TXT();
    EXPECT_EQ(file("scheme0.TXT").size(), 291u);
    std::filesystem::remove(project / "scheme0.TXT");
    IDNUM1 = 23;  // a combination has no export
    KEEP1TXT();
    EXPECT_TRUE(std::filesystem::is_empty(project.path()));
    IDNUM1 = 5;
    DIRPATHS(2) = (project / "missing").string();
    KEEP1TXT();  // unopenable: nothing, no crash
    EXPECT_TRUE(std::filesystem::is_empty(project.path()));
}

TEST_F(TextExport, ErasureSavesTheProjectStateOnlyForSlotsWithAFileName) {
    BLK0B.DISKPROJ = 32;
    IDNUM1 = 10;
    ERASE2();  // the default scheme's input file is never marked
    IDNUM1 = 11;
    ERASE1();  // a combination has no results file name
    EXPECT_TRUE(std::filesystem::is_empty(project.path()));

    IDNUM1 = 4;
    ERASE1();
    EXPECT_TRUE(std::filesystem::exists(project / "master.dir"));
    std::filesystem::remove_all(project.path());
    std::filesystem::create_directories(project.path());
    ERASE2();
    EXPECT_TRUE(std::filesystem::exists(project / "master.dir"));
}

}  // namespace
}  // namespace mavo
