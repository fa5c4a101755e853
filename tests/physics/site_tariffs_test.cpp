#include <gtest/gtest.h>

#include <vector>

#include "blocks/blocks.h"
#include "physics/physics.h"

namespace mavo {
namespace {

// One scheme's site and choices before the call, and what it must end with.
struct Case {
    const char* what;
    bool nonres;
    int scheme;
    bool california;
    float zip;
    int zone;
    std::vector<int> flags;  // user changes: 26, 29, 81, 82, 83
    float s1, s3;            // tariff choices before
    int zip_electric_zone;   // ERATEZONEZ of the zip record
    int erate_in, grate_in;  // rate zones in force before
    float want_s1, want_s3;
    int want_erate, want_grate;
    float want_fuel;
};

TEST(SiteTariffs, ChoicesRateZonesAndFuelOfTheSite) {
    const std::vector<Case> cases = {
        {"residential design scheme outside California", false, 1, false, -1, 9, {}, 0, 0, 10, 10, 1,
         5, 5, 10, 1, 1},
        {"non-residential design scheme outside California", true, 1, false, -1, 9, {}, 0, 0, 10, 10, 1,
         15, 15, 36, 15, 1},
        {"residential site known by its zone 7", false, 1, true, -1, 7, {}, 0, 0, 10, 10, 1, 2, 2, 10, 1, 0},
        {"residential zip record zones in force", false, 1, true, 93401, 5, {}, 0, 0, 10, -12, -5,
         3, 3, -12, -5, 0},
        {"non-residential zip record, zone 12", true, 1, true, 95814, 12, {}, 0, 0, 2, 10, 1,
         12, 13, 33, 13, 0},
        {"non-residential site known by its zone 12", true, 2, true, -1, 12, {}, 0, 0, 10, 10, 1,
         13, 13, 35, 13, 0},
        {"non-residential unknown zone reads as zone 9", true, 1, true, -1, 0, {}, 0, 0, 10, 10, 1,
         11, 11, 32, 11, 0},
        {"non-residential user code 15", true, 3, true, 95814, 12, {}, 15, 11, 10, 10, 1, 15, 11, 36, 11, 0},
        {"non-residential user code 16", true, 3, true, 95814, 12, {}, 16, 11, 10, 10, 1, 16, 11, 36, 11, 0},
        {"non-residential advanced electric rates", true, 3, true, 95814, 12, {82}, 12, 11, 10, 10, 1,
         15, 11, 36, 11, 0},
        {"non-residential user gas 13 outside California", true, 1, false, -1, 9, {26, 29}, 14, 13, 10, 10, 1,
         15, 15, 36, 15, 1},
        // Gas 14 names no zone: the fuel 0 an earlier site left decides nothing.
        {"non-residential user rates 13 and 14 outside California", true, 1, false, -1, 9, {26, 29}, 13, 14, 10,
         10, 1, 13, 14, 34, 15, 1},
        {"residential all-electric scheme", false, 3, true, 93401, 5, {}, 1, 0, 10, 10, 1, 1, 0, 10, 1, 4},
        {"residential user fuel choice 6", false, 3, true, 93401, 5, {29}, 1, 6, 10, 10, 1, 1, 6, 10, 1, 10},
        {"residential user fuel choice 8.5", false, 3, true, 93401, 5, {29}, 1, 8.5f, 10, 10, 1,
         1, 8.5f, 10, 1, 3},
        {"residential user fuel choice 9", false, 3, true, 93401, 5, {29}, 1, 9, 10, 10, 1, 1, 9, 10, 1, 2},
        // Gas 5 burns the fuel type every later run of it settles.
        {"residential user fuel outside California", false, 3, false, -1, 9, {29}, 7, 6, 10, 10, 1,
         5, 5, 10, 1, 1},
        // The user's choices stay; the zones were the previous site's.
        {"residential user's rates moved outside California", false, 1, false, -1, 9, {26, 29}, 4, 1, 10, -14,
         3, 4, 1, 10, 1, 0},
        {"residential advanced fuel rates", false, 3, true, 93401, 5, {83}, 2, 2, 10, 10, 1, 2, 5, 10, 1, 1},
    };
    for (const Case& c : cases) {
        reset_all_blocks();
        NFLAG(29) = false;
        for (int f : c.flags) NFLAG(f) = true;
        NFLAG(24) = c.nonres;
        NFLAG(58) = c.california;
        IDNUM1 = c.scheme;
        ZIPCODE = c.zip;
        CECZONE = c.zone;
        STRATEGY(1, c.scheme) = c.s1;
        STRATEGY(3, c.scheme) = c.s3;
        ERATEZONEZ = c.zip_electric_zone;
        ERATEZONE = c.erate_in;
        GRATEZONE = c.grate_in;
        FUELTYPE = 0.0f;
        default_tariffs_and_fuel_of_the_site();
        EXPECT_EQ(STRATEGY(1, c.scheme), c.want_s1) << c.what;
        EXPECT_EQ(STRATEGY(3, c.scheme), c.want_s3) << c.what;
        EXPECT_EQ(ERATEZONE, c.want_erate) << c.what;
        EXPECT_EQ(GRATEZONE, c.want_grate) << c.what;
        EXPECT_EQ(FUELTYPE, c.want_fuel) << c.what;
    }
    // A slot without a parameter column has no tariffs to settle.
    reset_all_blocks();
    IDNUM1 = 0;
    ERATEZONE = 17;
    default_tariffs_and_fuel_of_the_site();
    EXPECT_EQ(ERATEZONE, 17);
}

}  // namespace
}  // namespace mavo
