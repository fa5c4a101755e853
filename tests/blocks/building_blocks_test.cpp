#include <gtest/gtest.h>

#include "blocks/block_words.h"

#include <cstring>
#include <set>
#include <string>

#include "blocks/blocks.h"

namespace mavo {
namespace {

using testing::int_word;
using testing::real_word;
using testing::word_as;

// Word n (from 1) of a block as a REAL, the way the scheme input file and
// the hourly consumers address it.

// Initial values of the design data ---------------------------------------

TEST(BuildingBlocks, TitlesLocationAndPeriod) {
    EXPECT_EQ(std::string(TITLE1.view()), "DEMONSTRATION           ");
    EXPECT_EQ(std::string(TITLE2.view()), "SINGLE FAMILY RESIDENCE ");
    EXPECT_EQ(std::string(TITLE3.view()), "LOS ANGELES CENTER  CZ08");
    EXPECT_EQ(int_word(BLK1B, 1), 2);   // LOCATE
    EXPECT_EQ(int_word(BLK1B, 2), -1);  // TMYDAY
    EXPECT_EQ(int_word(BLK1B, 3), -1);  // TMYMON
    EXPECT_EQ(EXPDAY, -1);
    EXPECT_EQ(EXPMON, -1);
    EXPECT_EQ(TMYFLAG(3), 0);
    EXPECT_EQ(int_word(BLK1B, 9), 0);  // DATSTAMP
    EXPECT_TRUE(TMYCODE.is_blank());
}

TEST(BuildingBlocks, DimensionsEnvelopeAndGains) {
    EXPECT_EQ(real_word(BLK2, 1), 2000.0f);  // AREAT
    EXPECT_EQ(EWDIM, 61.08f);
    EXPECT_EQ(NSDIM, 32.75f);
    EXPECT_EQ(FLOORS, 2.0f);
    EXPECT_EQ(FLTOFL, 12.0f);
    EXPECT_EQ(FLTOCE, 10.0f);
    EXPECT_EQ(real_word(BLK2, 11), 0.65f);     // REMITT
    EXPECT_EQ(real_word(BLK2, 12), 24000.0f);  // VOLUMEAG
    EXPECT_EQ(int_word(BLK2, 13), 1);      // NMULTI

    const float area[11] = {270, 0, 270, 0, 0, 463, 393, 463, 393, 2000, 2000};
    const float percnt[11] = {36.8f, 0, 36.8f, 0, 0, 63.2f, 100, 63.2f, 100, 100, 100};
    for (int i = 1; i <= 27; ++i) {
        EXPECT_EQ(AREA(i), i <= 11 ? area[i - 1] : 0.0f) << "AREA(" << i << ")";
        EXPECT_EQ(PERCNT(i), i <= 11 ? percnt[i - 1] : 0.0f) << "PERCNT(" << i << ")";
    }
    // PERCNT follows the 27 areas directly: the file's item loop relies on it.
    EXPECT_EQ(real_word(BLK3, 28), 36.8f);

    const float gains[15] = {0.5f, 8, 0.3f, 18, 1.5f, 18, 18, 8, 8, 100, 230, 20, 2046, 10203, 4800};
    for (int w = 1; w <= 15; ++w) EXPECT_EQ(real_word(BLK5, w), gains[w - 1]) << "BLK5 word " << w;
    EXPECT_EQ(HRLITEON, 8.0f);
    EXPECT_EQ(TOLOAD, 4800.0f);
}

TEST(BuildingBlocks, WaterHeaterAppliancesHoodsAndCarriedWords) {
    EXPECT_EQ(int_word(BLK5A, 1), 1);  // WHTYPE: gas
    EXPECT_EQ(real_word(BLK5A, 2), 0.58f);
    EXPECT_EQ(real_word(BLK5A, 3), 1.0f);
    for (int w = 4; w <= 19; ++w) EXPECT_EQ(real_word(BLK5A, w), 0.0f) << "BLK5A word " << w;
    EXPECT_EQ(real_word(BLK5A, 20), 50.0f);
    for (int w = 1; w <= 64; ++w) EXPECT_EQ(real_word(BLK5C, w), 0.0f) << "BLK5C word " << w;
    for (int w = 1; w <= 12; ++w) EXPECT_EQ(real_word(BLK5D, w), 0.0f) << "BLK5D word " << w;
    for (int w = 1; w <= 14; ++w) EXPECT_EQ(real_word(BLK8, w), 0.0f) << "BLK8 word " << w;
    EXPECT_FALSE(FLAG150(1));
    EXPECT_FALSE(FLAG150(2));

    // The appliance table runs rows first: column 6 (the elevator) is words 51-60.
    APPLIANCE(1, 6) = 12.5f;
    EXPECT_EQ(real_word(BLK5C, 51), 12.5f);
}

TEST(BuildingBlocks, WindowLinesAtLoad) {
    // Line 1: a south window with an overhang.
    EXPECT_EQ(QTY(1), 6.0f);
    EXPECT_EQ(WIDTH(1), 6.0f);
    EXPECT_EQ(HEAD(1), 10.0f);
    EXPECT_EQ(SILL(1), 2.5f);
    EXPECT_EQ(OHANGD(1), 5.06f);
    EXPECT_EQ(TILT(1), 90.0f);
    EXPECT_EQ(SCOEF(1), 0.76f);
    EXPECT_EQ(TRANS(1), 0.88f);
    EXPECT_EQ(UWINDO(1), 1.04f);
    EXPECT_EQ(IPOINT(1), 1);
    // Line 3: north, geometry only.
    EXPECT_EQ(QTY(3), 6.0f);
    EXPECT_EQ(SILL(3), 2.5f);
    EXPECT_EQ(IPOINT(3), 2);
    EXPECT_EQ(TILT(3), 0.0f);
    EXPECT_EQ(UWINDO(3), 0.0f);
    EXPECT_EQ(OHANGD(3), 0.0f);

    const float facing[4] = {0, 90, 180, -90};
    for (int j = 1; j <= 25; ++j) {
        EXPECT_EQ(ITEMS(j), j <= 4 ? j : 5) << j;
        EXPECT_EQ(FACING(j), j <= 4 ? facing[j - 1] : 0.0f) << j;
        EXPECT_EQ(GROUND(j), j == 5 ? 0.0f : 0.5f) << j;
        EXPECT_EQ(SKY(j), j == 5 ? 1.0f : 0.5f) << j;
        EXPECT_EQ(LINEXTRA1(j), 90.0f) << j;
        EXPECT_EQ(LINEXTRA2(j), 100.0f) << j;
        EXPECT_EQ(ITEMSII(j), 0) << j;
        if (j != 1 && j != 3) {
            EXPECT_EQ(QTY(j), 0.0f) << j;
        }
    }
    for (REAL f : SUNLIT) ASSERT_EQ(f, 1.0f);
    for (REAL f : SUNLITCHM) ASSERT_EQ(f, 1.0f);
    EXPECT_EQ(ERA, 4);
    EXPECT_EQ(WTYPE, 1);
    EXPECT_EQ(DTYPE, 8);
    EXPECT_EQ(STYPE, 5);
}

TEST(BuildingBlocks, GlazingTableByEraPropertyAndType) {
    const float era3_u[7] = {0.321f, 0.322f, 0.323f, 0.324f, 0.325f, 0.326f, 0.327f};
    for (int t = 1; t <= 7; ++t) {
        EXPECT_EQ(NRGLAZING(1, 1, t), 1.1f) << t;
        EXPECT_EQ(NRGLAZING(1, 2, t), 0.9f) << t;
        EXPECT_EQ(NRGLAZING(1, 3, t), 0.85f) << t;
        EXPECT_EQ(NRGLAZING(3, 1, t), era3_u[t - 1]) << t;
        EXPECT_EQ(NRGLAZING(3, 2, t), 0.25f) << t;
        EXPECT_EQ(NRGLAZING(3, 3, t), 0.25f) << t;
    }
    EXPECT_EQ(NRGLAZING(1, 1, 9), 1.81f);
    EXPECT_EQ(NRGLAZING(3, 1, 8), 1.2f);
    EXPECT_EQ(NRGLAZING(3, 3, 9), 0.0f);
    const float era4[9][3] = {{0.36f, 0.25f, 0.42f}, {0.46f, 0.22f, 0.32f}, {0.41f, 0.26f, 0.46f},
                              {0.45f, 0.23f, 0.17f}, {0.58f, 0.25f, 0.49f}, {0.46f, 0.25f, 0.49f},
                              {0.88f, 1.0f, 0.64f},  {0.7f, 0.5f, 0.0f},    {1.45f, 0.5f, 0.0f}};
    for (int t = 1; t <= 9; ++t)
        for (int p = 1; p <= 3; ++p) EXPECT_EQ(NRGLAZING(4, p, t), era4[t - 1][p - 1]) << p << "," << t;
    for (int era : {2, 5, 6})
        for (int p = 1; p <= 3; ++p)
            for (int t = 1; t <= 9; ++t) EXPECT_EQ(NRGLAZING(era, p, t), 0.0f);
    // Era varies fastest: era 4's window U sits three reals after era 1's.
    EXPECT_EQ((&NRGLAZING(1, 1, 1))[3], 0.36f);
}

TEST(BuildingBlocks, BuildingTypeNamesAndCodes) {
    const char* names[20][2] = {
        {"THEATER AUDITORIUM      ", "ASSE"}, {"INDUSTRIAL  FACTORY     ", "FACT"},
        {"CLINIC  DOCTORS DENTISTS", "DOCT"}, {"STORE   STOREFRONT      ", "STOR"},
        {"Data Center             ", "Data"}, {"SHOPPING CENTER         ", "MALL"},
        {"OFFICE BUILDING HIGHRISE", "OBHR"}, {"Laboratory              ", "Lab "},
        {"TROMBE WALL             ", "TROM"}, {"RESTAURANT  KITCHEN     ", "CAFE"},
        {"WAREH0USE  .            ", "WARE"}, {"SCHOOL  Classroom       ", "Scho"},
        {"Parking                 ", "Park"}, {"Residential Living  HOTE", "Resi"},
        {"Residential Common  Area", "Comm"}, {"MULTIFAMILY HIGHRISE    ", "MFHR"},
        {"MULTIFAMILY LOWRISE     ", "MFLR"}, {"SINGLE FAMILY ATTACHED  ", "ROWH"},
        {"SINGLE FAMILY RESIDENCE ", "HOUS"}, {"SUNSPACE    GREEN HOUSE ", "SUN "},
    };
    for (int t = 1; t <= 20; ++t) {
        std::string name;
        for (int w = 1; w <= 6; ++w) name += std::string(BTNAME(w, t).view());
        EXPECT_EQ(name, names[t - 1][0]) << t;
        EXPECT_EQ(std::string(BTNAME(7, t).view()), names[t - 1][1]) << t;
    }
    // The type of the initial title line is the single-family house.
    std::string title2 = std::string(TITLE2.view());
    std::string type19;
    for (int w = 1; w <= 6; ++w) type19 += std::string(BTNAME(w, 19).view());
    EXPECT_EQ(title2, type19);
}

TEST(BuildingBlocks, TypeDefaultsKeepTheDesignColumns) {
    EXPECT_EQ(int_word(BLK21B, 1), 8);  // NTYPE: laboratory
    EXPECT_EQ(PEAK, 0.0f);
    const float type1[15] = {0.1f, 50, 18, 23, 1.8f, 17, 24, 1, 11, 24, 40, 0, 0, 0, 0};
    const float type8[15] = {0.1f, 100, 8, 17, 1.2f, 8, 18, 1, 8, 18, 10, 0, 40, 70, 0};
    for (int r = 1; r <= 15; ++r) {
        EXPECT_EQ(DVALUE(r, 1), type1[r - 1]) << r;
        EXPECT_EQ(DVALUE(r, 8), type8[r - 1]) << r;
    }
    const float ceiling[20] = {40, 20, 9, 10, 10, 12, 11.5f, 10, 9, 14, 20, 9, 11, 10, 10, 8, 8, 8, 8, 8};
    for (int t = 1; t <= 20; ++t) EXPECT_EQ(DVALUE(11, t), ceiling[t - 1]) << t;

    const float nr1[14] = {143, 245, 105, 1, 0.09f, 1.5f, 1.07f, 0, 0, 50, 1000, 1.5f, 2, 4};
    for (int r = 1; r <= 14; ++r) EXPECT_EQ(DVALUENR(r, 1), nr1[r - 1]) << r;
    for (int t : {5, 6, 8, 9, 13, 15, 16, 17, 18, 19, 20})
        for (int r = 1; r <= 14; ++r) EXPECT_EQ(DVALUENR(r, t), 0.0f) << r << "," << t;
    // Rows vary fastest: DVALUENR(1,2) follows DVALUENR(14,1).
    EXPECT_EQ(real_word(BLK21B, 2 + 300 + 15), DVALUENR(1, 2));
}

TEST(BuildingBlocks, FilledTypeDefaultsAreConsistent) {
    for (int t = 1; t <= 20; ++t) {
        const bool residential = t == 9 || t >= 16;
        EXPECT_GE(DVALUE(2, t), 0.0f) << t;
        for (int r : {3, 4, 9, 10}) EXPECT_TRUE(DVALUE(r, t) >= 1 && DVALUE(r, t) <= 24) << r << "," << t;
        // Lights may start at sunset (25) in homes.
        for (int r : {6, 7}) EXPECT_TRUE(DVALUE(r, t) >= 1 && DVALUE(r, t) <= 25) << r << "," << t;
        EXPECT_GT(DVALUE(5, t), 0.0f) << t;
        EXPECT_TRUE(DVALUE(13, t) <= DVALUE(14, t)) << t;
        if (residential) {
            EXPECT_EQ(DVALUE(1, t), 0.35f) << t;
            EXPECT_GE(DVALUE(2, t), 400.0f) << t;
        }
        if (DVALUENR(1, t) > 0) {
            // Outside air covers 15 cfm per person at half the occupant load
            // (given to two decimals).
            EXPECT_GE(DVALUENR(7, t) + 0.005f, 0.5f * DVALUENR(1, t) * 15.0f / 1000.0f) << t;
            EXPECT_GE(DVALUENR(7, t), 0.15f) << t;
            EXPECT_GT(DVALUENR(2, t), 200.0f) << t;
            EXPECT_GT(DVALUENR(6, t), 0.0f) << t;
            EXPECT_GT(DVALUENR(10, t), 0.0f) << t;
        }
    }
    // Only the restaurant cooks with gas and keeps walk-in coolers.
    for (int t = 1; t <= 20; ++t) {
        EXPECT_EQ(DVALUENR(8, t) > 0, t == 10) << t;
        EXPECT_EQ(DVALUENR(9, t) > 0, t == 10) << t;
    }
}

TEST(BuildingBlocks, ZoneTablesAndMonthNames) {
    const float desmin[16] = {32.18f, 29.3f, 35.06f, 30.56f, 32.18f, 38.84f, 37.58f, 36.14f,
                              37.22f, 32.54f, 28.76f, 29.3f, 30.2f, 21.56f, 33.44f, 14.0f};
    const float desmax[16] = {71.96f, 95.0f,  83.39f, 88.7f,   82.94f,  81.5f,   84.74f,  91.04f,
                              96.08f, 98.96f, 99.86f, 98.42f, 102.02f, 101.68f, 111.56f, 90.5f};
    for (int z = 1; z <= 16; ++z) {
        EXPECT_EQ(DESMINZ(z), desmin[z - 1]) << z;
        EXPECT_EQ(DESMAXZ(z), desmax[z - 1]) << z;
    }
    EXPECT_EQ(ERATEZONEZ, 10);
    EXPECT_EQ(GRATEZONEZ, 1);
    for (int m = 1; m <= 12; ++m) EXPECT_EQ(DAYFLAG(m), 0);
    for (REAL f : FREEZHRS) ASSERT_EQ(f, 0.0f);

    EXPECT_EQ(MONTH3(1), "JAN");
    EXPECT_EQ(MONTH3(12), "DEC");
    EXPECT_EQ(MONTH3(13), "TOT");
    EXPECT_EQ(MONTHNAME(1), "JANUARY");
    EXPECT_EQ(MONTHNAME(9), "SEPTEMBER");
    EXPECT_EQ(MONTHNAME(13), "ANNUAL");
}

TEST(BuildingBlocks, HvacWordsSitWhereTheFileAndTheSimulationLookForThem) {
    const float first20[20] = {3, 15, 6, 65, 60, 65, 85, 30, 3.1f, 0.75f, 160, 0, 0.58f, 0.14f, 0.4f, 0, 6, 0, 0, 0};
    for (int w = 1; w <= 20; ++w) EXPECT_EQ(real_word(BLK35, w), first20[w - 1]) << "BLK35 word " << w;
    for (int w = 21; w <= 48; ++w) EXPECT_EQ(real_word(BLK35, w), 0.0f) << "BLK35 word " << w;

    // Words named by position in the file and the hourly consumers.
    IAQHeatRec = 23.0f;
    wCFMceil = 33.0f;
    EvapEff = 37.0f;
    EvapCoolHrs = 38.0f;
    ACH50 = 39.0f;
    SurfaceRatio = 22.0f;
    KWHRattic = 21.0f;
    DuctInsul = 16.0f;
    AETOT = 12.0f;
    for (int w : {12, 16, 21, 22, 23, 33, 37, 38, 39}) EXPECT_EQ(real_word(BLK35, w), static_cast<float>(w)) << w;

    // The warm-up reset clears words 25-32, 34-36 and 38: fan energies and hours.
    const REAL* counters[] = {&AtticFanHrs, &KWHVENTYR, &KWHCEILYR, &KWHHVACYR, &KWHIAQYR, &KWHATTICYR,
                              &KWHLEAKYR,   &WHfanHrs,  &CeilFanHrs, &IAQFanHrs, &NatVentHrs, &EvapCoolHrs};
    std::set<long> words;
    for (const REAL* c : counters)
        words.insert((reinterpret_cast<const char*>(c) - reinterpret_cast<const char*>(&BLK35)) / 4 + 1);
    EXPECT_EQ(words, (std::set<long>{25, 26, 27, 28, 29, 30, 31, 32, 34, 35, 36, 38}));
}

TEST(BuildingBlocks, DaylightingAtLoad) {
    EXPECT_EQ(real_word(BLK48, 1), 100.0f);  // blinds not drawn
    EXPECT_EQ(DILLUM, 30.0f);
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(FCAVG(i), 0.0f);
    EXPECT_EQ(LENGTHDL, 30.0f);
    EXPECT_EQ(PERCENTDL, 0.0f);
    EXPECT_EQ(real_word(BLK48, 14), 100.0f);  // no shade
    EXPECT_EQ(REFLPCT, 70.0f);
    EXPECT_EQ(WIDTHDL, 16.0f);
    EXPECT_EQ(int_word(BLK48, 18), 0);  // NSKYUNITS
}

TEST(BuildingBlocks, SizesOfTheCarriedBlocks) {
    EXPECT_EQ(sizeof(BLK1A), 18u * 4);
    EXPECT_EQ(sizeof(BLK2), 13u * 4);
    EXPECT_EQ(sizeof(BLK3), 54u * 4);
    EXPECT_EQ(sizeof(BLK5), 15u * 4);
    EXPECT_EQ(sizeof(BLK5A), 20u * 4);
    EXPECT_EQ(sizeof(BLK5C), 64u * 4);
    EXPECT_EQ(sizeof(BLK5D), 12u * 4);
    EXPECT_EQ(sizeof(BLK8), 14u * 4);
    EXPECT_EQ(sizeof(BLK15), 9168u * 4);
    EXPECT_EQ(sizeof(BLK35), 48u * 4);
    EXPECT_EQ(sizeof(BLK48), 18u * 4);
    EXPECT_EQ(sizeof(BLK150), 2u);
    // The schedule file is a plain image of its block: 8640 words, 34560 bytes.
    EXPECT_EQ(sizeof(BLK32AA), 34560u);
    EXPECT_EQ(SCHEDULES.size(), 8640u);
}

// Schedules --------------------------------------------------------------

int filled_rows(int type) {
    int n = 0;
    for (int r = 1; r <= 16; ++r)
        if (SCHEDULES(0, r, type) != 0) n = r;
    return n;
}

TEST(BuildingSchedules, AssemblyOccupancyRow) {
    const int expected[24] = {0, 0, 0, 0, 0, 0, 0, 0, 20, 20, 20, 80, 80, 80, 80, 80, 80, 80, 20, 20, 20, 20, 10, 0};
    EXPECT_EQ(SCHEDULES(-1, 1, 1), 1);
    EXPECT_EQ(SCHEDULES(0, 1, 1), 1);
    for (int h = 1; h <= 24; ++h) EXPECT_EQ(SCHEDULES(h, 1, 1), expected[h - 1]) << h;
    EXPECT_EQ(SCHEDULES(25, 1, 1), 0);
    // Memory order is the file order: position fastest, then row, then type.
    EXPECT_EQ(SCHEDULES.data()[0], 1);
    EXPECT_EQ(SCHEDULES.data()[2 + 8], 20);
    EXPECT_EQ(&SCHEDULES(-1, 1, 2) - &SCHEDULES(-1, 1, 1), 27 * 16);
}

TEST(BuildingSchedules, RowsFilledPerType) {
    for (int t = 1; t <= 20; ++t) {
        int expected = 0;
        if (t <= 4 || t == 7 || t == 11 || t == 12 || t == 14 || t == 15) expected = 13;
        if (t == 5 || t == 8) expected = 16;
        if (t == 10) expected = 15;
        if (t == 13) expected = 11;
        EXPECT_EQ(filled_rows(t), expected) << "type " << t;
        for (int r = 1; r <= 16; ++r) {
            const bool filled = r <= expected;
            if (filled) {
                EXPECT_NE(SCHEDULES(0, r, t), 0) << r << "," << t;
                continue;
            }
            for (int p = -1; p <= 25; ++p) ASSERT_EQ(SCHEDULES(p, r, t), 0) << p << "," << r << "," << t;
        }
    }
}

TEST(BuildingSchedules, ValuesLieInTheirRanges) {
    std::set<int> identifiers;
    for (int t = 1; t <= 20; ++t) {
        for (int r = 1; r <= filled_rows(t); ++r) {
            const INTEGER kind = SCHEDULES(0, r, t);
            EXPECT_TRUE(identifiers.insert(SCHEDULES(-1, r, t)).second) << "duplicate id at " << r << "," << t;
            EXPECT_EQ(SCHEDULES(25, r, t), 0);
            for (int h = 1; h <= 24; ++h) {
                const INTEGER v = SCHEDULES(h, r, t);
                if (kind == schedule_rows::kPercent) {
                    EXPECT_TRUE(v >= 0 && v <= 100) << h << "," << r << "," << t;
                } else if (kind == schedule_rows::kOnOff) {
                    EXPECT_TRUE(v == 0 || v == 1) << h << "," << r << "," << t;
                }
            }
        }
        if (filled_rows(t) == 0) continue;
        // Set points as kinds 2 and their plausible ranges, F.
        EXPECT_EQ(SCHEDULES(0, schedule_rows::kHeatingSetpoint, t), schedule_rows::kDegreesF);
        EXPECT_EQ(SCHEDULES(0, schedule_rows::kCoolingSetpoint, t), schedule_rows::kDegreesF);
        EXPECT_EQ(SCHEDULES(0, schedule_rows::kOccupancy, t), schedule_rows::kPercent);
        EXPECT_EQ(SCHEDULES(0, schedule_rows::kInfiltration, t), schedule_rows::kPercent);
        for (int h = 1; h <= 24; ++h) {
            const INTEGER heat = SCHEDULES(h, schedule_rows::kHeatingSetpoint, t);
            const INTEGER cool = SCHEDULES(h, schedule_rows::kCoolingSetpoint, t);
            EXPECT_TRUE(heat >= 40 && heat <= 72) << h << "," << t;
            EXPECT_TRUE(cool >= 72 && cool <= schedule_rows::kCoolingOff) << h << "," << t;
            EXPECT_LT(heat + 3, cool) << "dead band at " << h << "," << t;
            // Cooling runs only while the fans move the air.
            if (cool < schedule_rows::kCoolingOff) {
                EXPECT_EQ(SCHEDULES(h, schedule_rows::kHvacFans, t), 1) << h << "," << t;
            }
        }
        if (filled_rows(t) >= schedule_rows::kTankSetpoint) {
            EXPECT_EQ(SCHEDULES(0, schedule_rows::kTankSetpoint, t), schedule_rows::kDegreesF);
            const INTEGER tank = SCHEDULES(1, schedule_rows::kTankSetpoint, t);
            EXPECT_TRUE(tank >= 120 && tank <= 160) << t;
        }
    }
}

TEST(BuildingSchedules, OfficeDayAndRestaurantHoods) {
    constexpr int kOffice = 7;
    // Fans run from 6 am to 10 pm; infiltration drops to a quarter while they run.
    for (int h = 1; h <= 24; ++h) {
        const bool on = h >= 7 && h <= 22;
        EXPECT_EQ(SCHEDULES(h, schedule_rows::kHvacFans, kOffice), on ? 1 : 0) << h;
        EXPECT_EQ(SCHEDULES(h, schedule_rows::kInfiltration, kOffice), on ? 25 : 100) << h;
        EXPECT_EQ(SCHEDULES(h, schedule_rows::kCoolingSetpoint, kOffice), on ? 75 : 99) << h;
        EXPECT_EQ(SCHEDULES(h, schedule_rows::kHeatingSetpoint, kOffice), on ? 70 : 60) << h;
    }
    EXPECT_EQ(SCHEDULES(10, schedule_rows::kOccupancy, kOffice), 95);
    EXPECT_EQ(SCHEDULES(13, schedule_rows::kOccupancy, kOffice), 50);
    EXPECT_EQ(SCHEDULES(1, schedule_rows::kTankSetpoint, kOffice), 140);

    constexpr int kRestaurant = 10;
    for (int h = 1; h <= 24; ++h) {
        EXPECT_EQ(SCHEDULES(h, schedule_rows::kLargeHood, kRestaurant),
                  SCHEDULES(h, schedule_rows::kGasEquipment, kRestaurant))
            << h;
        EXPECT_EQ(SCHEDULES(h, schedule_rows::kSmallHood, kRestaurant),
                  SCHEDULES(h, schedule_rows::kHotWater, kRestaurant))
            << h;
    }
    // The IT room's process load never stops.
    for (int h = 1; h <= 24; ++h) EXPECT_EQ(SCHEDULES(h, schedule_rows::kProcess, 5), 100) << h;
}

TEST(BuildingSchedules, ResetRestoresTheBuiltInTables) {
    SCHEDULES(12, 1, 1) = 7;
    SCHEDULES(-1, 16, 20) = 99;
    SUNLIT(25, 24, 12) = 0.25f;
    DVALUE(11, 3) = 99.0f;
    reset_all_blocks();
    EXPECT_EQ(SCHEDULES(12, 1, 1), 80);
    EXPECT_EQ(SCHEDULES(-1, 16, 20), 0);
    EXPECT_EQ(SUNLIT(25, 24, 12), 1.0f);
    EXPECT_EQ(DVALUE(11, 3), 9.0f);
    // The table built at run time equals the one built while compiling.
    constexpr ScheduleTable compiled = initial_schedules();
    EXPECT_EQ(std::memcmp(SCHEDULES.data(), compiled.data(), sizeof compiled), 0);
}

}  // namespace
}  // namespace mavo
