#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "blocks/blocks.h"
#include "project/project.h"
#include "support/fortran_format.h"
#include "test_support.h"

namespace mavo {
namespace {

using testing::ScratchDir;
using testing::write_file;

struct Site {
    int zip;
    const char* city;
    int gas_zone, climate_zone;
    float latitude;
    int electric_zone;
};

// One table line as the table keeps it: (I5,3X,6A4,I4,I5,I8,5X,F6.0,I8).
std::string table_line(const Site& s) {
    return ffmt::I(s.zip, 5) + "   " + std::string(FString<24>(s.city).view()) + ffmt::I(s.gas_zone, 4) +
           ffmt::I(3, 5) + ffmt::I(s.climate_zone, 8) + "     " + ffmt::F(s.latitude, 6, 2) +
           ffmt::I(s.electric_zone, 8);
}

class ZipTable : public ::testing::Test {
protected:
    void SetUp() override {
        testing::use_directories(weather.str(), weather.str(), weather.str());
        BLK0B.DISKPROJ = 32;
        NFLAG(6) = true;
        NFLAG(37) = true;
        NFLAG(81) = true;
        ITEMY = 50;
        IDNUM1 = 3;
        STRATEGY(1, 3) = 1.0f;
        STRATEGY(3, 3) = 1.0f;
        SLAT = 30.0f;
    }
    void table(const std::vector<Site>& sites) {
        std::string text;
        for (const Site& s : sites) text += table_line(s) + "\n";
        write_file(weather / "zipcodes.sce", text);
    }
    void look_up(float strategy_zip, float block_zip) {
        STRATEGY(4, IDNUM1) = strategy_zip;
        ZIPCODE = block_zip;
        AADISK(-4);
    }
    ScratchDir weather;
};

const std::vector<Site> kSanLuisObispo = {
    {93312, "BAKERSFIELD", 5, 13, 35.4f, 13},
    {93401, "SAN LUIS OBISPO", 2, 5, 35.3f, -13},
    {93401, "SLO HILLS", 2, 5, 35.31f, -13},
    {93401, "SLO COAST", 2, 4, 35.32f, -14},
    {95814, "SACRAMENTO", 3, 12, 38.58f, -2},
};

TEST_F(ZipTable, CityDigitPicksTheLineOfItsZipCode) {
    table(kSanLuisObispo);
    look_up(93401.2f, 93401.0f);
    EXPECT_EQ(ZIPCODE, 93401.2f);
    EXPECT_EQ(TITLE3.trimmed(), "SLO COAST");
    EXPECT_EQ(CECZONE, 4);
    EXPECT_EQ(ERATEZONEZ, -14);
    EXPECT_EQ(ERATEZONE, -14);  // residential: the site's zones are in force
    EXPECT_EQ(GRATEZONE, 2);
    EXPECT_EQ(SLAT, 30.0f);  // a climate-zone site keeps the latitude of the call's start
    EXPECT_FALSE(NFLAG(89));
    EXPECT_TRUE(NFLAG(18));
    EXPECT_FALSE(NFLAG(65));
}

TEST_F(ZipTable, TooFewCitiesOrUnknownZipTakeTheDefaultLocation) {
    std::vector<Site> two = kSanLuisObispo;
    two.erase(two.begin() + 3);
    two.insert(two.begin() + 3, {93402, "LOS OSOS", 2, 5, 35.3f, -13});
    table(two);
    TITLE3 = "SITE BEFORE";
    look_up(93401.2f, 93401.0f);
    EXPECT_TRUE(NFLAG(89));
    EXPECT_EQ(TITLE3.trimmed(), "LOS ANGELES WESTWOOD");  // not the site before's
    EXPECT_EQ(ZIPCODE, 90024.0f);
    EXPECT_EQ(CECZONE, 9);
    EXPECT_EQ(ERATEZONE, 10);
    EXPECT_EQ(GRATEZONE, 1);
    EXPECT_TRUE(NFLAG(18));  // the search was asked for

    table(kSanLuisObispo);
    look_up(99999.0f, 99999.0f);  // beyond the last line
    EXPECT_TRUE(NFLAG(89));
    look_up(123456.0f, 123456.0f);
    EXPECT_TRUE(NFLAG(89));
    NFLAG(24) = true;
    look_up(93500.0f, 93500.0f);  // between two lines
    EXPECT_TRUE(NFLAG(89));
    EXPECT_EQ(ERATEZONE, 32);
    EXPECT_EQ(GRATEZONE, 11);
}

TEST_F(ZipTable, BlockZipCodeWinsOverTheSchemeColumn) {
    table(kSanLuisObispo);
    look_up(93401.2f, 95814.0f);
    EXPECT_EQ(TITLE3.trimmed(), "SACRAMENTO");
    EXPECT_EQ(ZIPCODE, 95814.0f);
    EXPECT_EQ(CECZONE, 12);
}

TEST_F(ZipTable, ZoneNumberTakesTheFirstLineOfThatNumber) {
    table({{12, "ZONE 12 A", 3, 12, 38.5f, -2}, {12, "ZONE 12 B", 3, 12, 38.6f, -2}});
    look_up(12.4f, 12.7f);
    EXPECT_EQ(TITLE3.trimmed(), "ZONE 12 A");
    EXPECT_EQ(ZIPCODE, 12.0f);
}

TEST_F(ZipTable, SiteWithoutRateZonesInheritsTheNearestEarlierOnes) {
    table({{93311, "EARLIER", 5, 13, 35.4f, 13}, {93401, "NO ZONES", 0, 5, 35.3f, 0}});
    look_up(93401.0f, 93401.0f);
    EXPECT_EQ(GRATEZONEZ, 5);
    EXPECT_EQ(ERATEZONEZ, 13);
    EXPECT_TRUE(NFLAG(65));  // its own line gave none
    EXPECT_TRUE(NFLAG(66));

    // With no earlier zone at all the site has none: the previous site's
    // zones do not stay in force.
    ERATEZONEZ = ERATEZONE = 17;
    GRATEZONEZ = GRATEZONE = 2;
    table({{93401, "NO ZONES", 0, 5, 35.3f, 0}});
    look_up(93401.0f, 93401.0f);
    EXPECT_EQ(ERATEZONE, 0);
    EXPECT_EQ(GRATEZONE, 0);
}

TEST_F(ZipTable, LowLatitudeFlagAndOutOfStateLatitude) {
    table({{96701, "AIEA", 1, 0, 21.4f, 10}});
    NFLAG(37) = true;
    look_up(96701.0f, 96701.0f);
    EXPECT_TRUE(NFLAG(84));
    EXPECT_EQ(CECZONE, 9);  // no climate zone given
    EXPECT_EQ(SLAT, 30.0f);  // zone 9 is a climate-zone site: the latitude returns
    table({{93401, "LOW", 2, 5, 22.9f, -13}});
    look_up(93401.0f, 93401.0f);
    EXPECT_TRUE(NFLAG(84));
}

TEST_F(ZipTable, LookupOnlyForAChangedLocationWithAZoneFile) {
    table(kSanLuisObispo);
    NFLAG(37) = false;
    NFLAG(89) = true;
    look_up(93401.2f, 93401.0f);
    EXPECT_FALSE(NFLAG(89));
    EXPECT_EQ(ZIPCODE, 93401.0f);
    NFLAG(6) = false;  // no zip-code input: the default location, even with an EPW file
    look_up(93401.2f, 93401.0f);
    EXPECT_TRUE(NFLAG(89));
    EXPECT_EQ(SLAT, 34.07f);
}

TEST_F(ZipTable, StartOfRunDropsTheCityAndKeepsTheTitle) {
    table(kSanLuisObispo);
    ITEMY = 40;
    TITLE3 = "KEPT TITLE";
    look_up(93401.2f, 93401.2f);
    EXPECT_EQ(ZIPCODE, 93401.0f);
    EXPECT_EQ(TITLE3.trimmed(), "KEPT TITLE");
    EXPECT_EQ(BLK33A.ZIPFIELD5, 0);
}

TEST_F(ZipTable, MissingTableIsNeverCreated) {
    look_up(93401.0f, 93401.0f);
    EXPECT_TRUE(NFLAG(89));
    EXPECT_FALSE(std::filesystem::exists(weather / "zipcodes.sce"));
}

TEST_F(ZipTable, SchemeTwoSharesTheSiteOfSchemeOne) {
    table(kSanLuisObispo);
    IDNUM1 = 2;
    STRATEGY(4, 1) = 95814.0f;
    STRATEGY(4, 2) = 93401.0f;
    ZIPCODE = 95814.0f;
    AADISK(-4);
    EXPECT_EQ(STRATEGY(4, 2), 95814.0f);
    EXPECT_EQ(TITLE3.trimmed(), "SACRAMENTO");
    EXPECT_FALSE(NFLAG(65));
}

}  // namespace
}  // namespace mavo
