#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "blocks/blocks.h"
#include "front/units.h"
#include "results/reports/hourly_print.h"
#include "results/results.h"
#include "test_support.h"

namespace mavo {
namespace {

using testing::read_lines;
using testing::ScratchDir;

std::string padded(const std::string& s, std::size_t n) { return s + std::string(n - s.size(), ' '); }

class ClimateLink : public ::testing::Test {
protected:
    void SetUp() override {
        testing::use_directories(project.str(), project.str(), weather.str());
        BLK0B.DISKCCL = 43;
        IDNUM1 = 4;
        SLAT = 33.93f;
        COMHI = 75.0f;
        COMLOW = 68.5f;
        CLIMATEFILENAME = "LAX.epw";
        NFLAG(80) = true;  // the run read valid climate data
    }
    ScratchDir project;
    ScratchDir weather;
};

TEST_F(ClimateLink, EpwRunLinksTheWeatherFilePath) {
    NFLAG(37) = false;
    KEEPCCL();
    const auto l = read_lines(project / "scheme4.cclink");
    ASSERT_EQ(l.size(), 5u);
    EXPECT_EQ(l[0], "1");
    EXPECT_EQ(l[1], " 33.93");
    EXPECT_EQ(l[2], " 75");
    EXPECT_EQ(l[3], " 68.5");
    EXPECT_EQ(l[4], padded(weather.str() + "/LAX.epw", 255));
}

TEST_F(ClimateLink, ZoneRunLinksTheZoneName) {
    NFLAG(37) = true;
    CECZONE = 8;
    KEEPCCL();
    const auto l = read_lines(project / "scheme4.cclink");
    ASSERT_EQ(l.size(), 5u);
    EXPECT_EQ(l[4], padded("ZONE 08", 255));

    // A zone outside 1-16 links the zone the weather reader falls back to.
    CECZONE = 0;
    KEEPCCL();
    EXPECT_EQ(read_lines(project / "scheme4.cclink").at(4), padded("ZONE 09", 255));
    EXPECT_EQ(CECZONE, 0);
}

TEST_F(ClimateLink, FileNameBySlotAndUnopenableFile) {
    NFLAG(37) = true;
    CECZONE = 12;
    IDNUM1 = 10;
    KEEPCCL();
    EXPECT_TRUE(std::filesystem::exists(project / "scheme0.cclink"));
    std::filesystem::remove(project / "scheme0.cclink");
    IDNUM1 = 11;
    KEEPCCL();
    EXPECT_TRUE(std::filesystem::is_empty(project.path()));

    IDNUM1 = 4;  // unopenable: nothing written, the unit left free
    DIRPATHS(2) = (project / "missing").string();
    KEEPCCL();
    EXPECT_TRUE(std::filesystem::is_empty(project.path()));
    EXPECT_EQ(unit_file(43), nullptr);
}

class HourlyRadiationFile : public ::testing::Test {
protected:
    void SetUp() override {
        testing::use_directories(project.str(), project.str(), project.str());
        BLK0B.DISKPRN = 38;
        IDNUM1 = 2;
        for (int d = 1; d <= 12; ++d) {
            TMON(d) = d;
            TDAY(d) = 17;
        }
        for (int h = 1; h <= 24; ++h) {
            THOUR(h) = h;
            TEMP(h) = 50.0f;
            tin(h) = 70.0f;
        }
        BLKT38B.BEAMKJ(1) = 2500;
        BLKT38B.HORIZKJ(1) = 1800;
        TEMP(1) = 68.0f;
        tin(1) = 77.0f;
    }
    std::vector<std::string> file() { return read_lines(project / "scheme2.prn"); }
    FArray<REAL, 24> tin{};
    ScratchDir project;
};

TEST_F(HourlyRadiationFile, StartThenAppendDays) {
    KEEPSS(0, tin);
    auto l = file();
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[0], "Month,Day,Hour,Beam Radiation,Horizontal Radiation,Outdoor Temp,Indoor Temp");
    EXPECT_EQ(l[1], ",,,Kj/m^2,Kj/m^2,C,C");

    KEEPSS(1, tin);
    KEEPSS(12, tin);
    l = file();
    ASSERT_EQ(l.size(), 2u + 48u);
    // 68 F is 20 C, 77 F is 25 C, 50 F is 10 C, 70 F is 21.11 C.
    EXPECT_EQ(l[2], " 1,17, 1,2500,1800,20.00,25.00");
    EXPECT_EQ(l[3], " 1,17, 2,   0,   0,10.00,21.11");
    EXPECT_EQ(l[49], "12,17,24,   0,   0,10.00,21.11");

    // A new start empties the file again.
    KEEPSS(-1, tin);
    EXPECT_EQ(file().size(), 2u);
}

TEST_F(HourlyRadiationFile, TemperatureOutsideTheFieldIsStarred) {
    KEEPSS(0, tin);
    tin(1) = -40.0f;  // -40 C needs six columns
    KEEPSS(3, tin);
    EXPECT_EQ(file().at(2), " 3,17, 1,2500,1800,20.00,*****");
}

TEST_F(HourlyRadiationFile, OnlyDesignSlotsAndRepresentativeDays) {
    IDNUM1 = 10;
    KEEPSS(0, tin);
    EXPECT_TRUE(std::filesystem::is_empty(project.path()));

    IDNUM1 = 2;
    KEEPSS(0, tin);
    KEEPSS(13, tin);
    EXPECT_EQ(file().size(), 2u);
}

}  // namespace
}  // namespace mavo
