// The window, door and skylight list and the south overhang: window counts
// and sizes, the line layout of dwellings and other buildings, the vintage
// glazing, the area-weighted glazing per facade and the overhang geometry,
// each against hand calculations.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "blocks/blocks.h"
#include "design/glazing_areas.h"
#include "design/overhang.h"
#include "design/sizing.h"
#include "design/window_list.h"
#include "design_fixture.h"

namespace mavo {
namespace {

constexpr float kDoor = 20.01f;

TEST(WindowCount, NarrowerAndHigherWindowsUntilTwoHoldTheGoal) {
    // 30 ft2 under a 9-ft head: 6 x 6.33 = 38 ft2 is more than the goal, so
    // (3, 2.67) and (3, 3.17) give one window; (2.5, 3.17) gives two of
    // 14.575 ft2.
    const WindowCount w = count_windows(30.0f, 100.0f, 1.0f, 9.0f, 6.0f, 2.67f);
    EXPECT_EQ(w.count, 2);
    EXPECT_EQ(w.width_ft, 2.5f);
    EXPECT_EQ(w.sill_ft, 3.17f);
    EXPECT_NEAR(w.unit_area_ft2, 2.5f * 5.83f, 1e-4f);
}

TEST(WindowCount, EdgeCasesOfTheSearch) {
    // No glass wanted: no window.
    EXPECT_EQ(count_windows(0.0f, 40.0f, 1.0f, 6.67f, 3.0f, 2.67f).count, 0);
    // A goal too small for two windows of any size: one 0.5 x 0.5 ft window.
    const WindowCount tiny = count_windows(0.1f, 40.0f, 1.0f, 6.67f, 3.0f, 2.67f);
    EXPECT_EQ(tiny.count, 1);
    EXPECT_EQ(tiny.width_ft, 0.5f);
    EXPECT_EQ(tiny.sill_ft, 6.17f);
    // 1000 ft2 of 12-ft2 windows on a 40-ft facade: no more than 80 % of
    // its length, 10 windows of 3 ft.
    EXPECT_EQ(count_windows(1000.0f, 40.0f, 1.0f, 6.67f, 3.0f, 2.67f).count, 10);
    // On two stories the windows share the length: 21 windows, 31.5 ft a story.
    EXPECT_EQ(count_windows(1000.0f, 40.0f, 2.0f, 6.67f, 3.0f, 2.67f).count, 21);
    // A 3-ft head: the third try's sill passes the head, so the search
    // ends with the try before it.
    const WindowCount low = count_windows(1.0f, 40.0f, 1.0f, 3.0f, 3.0f, 2.67f);
    EXPECT_EQ(low.count, 1);
    EXPECT_EQ(low.width_ft, 3.0f);
    EXPECT_EQ(low.sill_ft, 2.67f);
}

TEST(VintageGlazing, ByYearAndZone) {
    const VintageGlazing old = vintage_glazing(1991.0f, 12, true);
    EXPECT_EQ(old.u, 1.27f);
    EXPECT_EQ(old.shgc, 0.75f);
    EXPECT_EQ(old.tvis, 0.77f);
    EXPECT_EQ(old.code, -1.0f);
    const VintageGlazing nineties = vintage_glazing(1992.0f, 12, true);
    EXPECT_EQ(nineties.u, 0.81f);
    EXPECT_EQ(nineties.code, -2.0f);
    const VintageGlazing z2_home = vintage_glazing(2004.0f, 2, true);
    const VintageGlazing z2_shop = vintage_glazing(2004.0f, 2, false);
    EXPECT_EQ(z2_home.u, 0.57f);
    EXPECT_EQ(z2_home.shgc, 0.67f);
    EXPECT_EQ(z2_shop.shgc, 0.40f);
    EXPECT_EQ(z2_shop.tvis, 0.40f);
    EXPECT_EQ(z2_home.code, -22.0f);
    EXPECT_EQ(vintage_glazing(2010.0f, 16, true).u, 0.55f);
    EXPECT_EQ(vintage_glazing(2010.0f, 8, true).shgc, 0.40f);
}

class WindowList : public design_test::DesignFixture {
protected:
    // The house in slot 1 after the sizing and the glazing areas of the
    // code-minimum design: a 40 x 40 ft plan of 9-ft stories, 20 % glass.
    void code_house(INTEGER s7, INTEGER s9) {
        house(1);
        STRATEGY(7, 1) = static_cast<REAL>(s7);
        STRATEGY(9, 1) = static_cast<REAL>(s9);
        FLTOFL = 9.0f;
        FLTOCE = 8.0f;
        command(1, true, true);
        BLDGSZ();
        GLZVAL();
    }
    // The clinic in slot 1: a 64 x 64 ft plan of 10.125-ft stories, 40 %
    // glass south and north, window type 2 of the current era.
    void code_clinic() {
        clinic(1);
        FLTOFL = 10.125f;
        FLTOCE = 9.0f;
        ERA = 4;
        WTYPE = 2;
        command(1, true, true);
        BLDGSZ();
        GLZVAL();
    }
};

TEST_F(WindowList, CodeHouseLinesDoorsAndWalls) {
    code_house(1, 0);
    GLZSHD();
    // Each facade: 75 ft2 of glass goal (a quarter of 300 ft2) in windows
    // of 3 x 4 ft under a 6.67-ft head: six of them.
    const struct {
        int line, items, qty;
        float facing, trans;
    } lines[] = {{1, 1, 6, 0.0f, 0.5f}, {2, 1, 1, 0.0f, 0.0f},   {3, 2, 6, 90.0f, 0.5f},
                 {4, 3, 6, 180.0f, 0.5f}, {5, 3, 1, 180.0f, 0.0f}, {6, 4, 6, -90.0f, 0.5f}};
    for (const auto& l : lines) {
        EXPECT_EQ(ITEMS(l.line), l.items) << l.line;
        EXPECT_EQ(QTY(l.line), static_cast<float>(l.qty)) << l.line;
        EXPECT_EQ(FACING(l.line), l.facing) << l.line;
        EXPECT_EQ(TRANS(l.line), l.trans) << l.line;
    }
    EXPECT_EQ(WIDTH(1), 3.0f);
    EXPECT_EQ(SILL(1), 2.67f);
    EXPECT_EQ(HEAD(1), 6.67f);
    EXPECT_EQ(UWINDO(1), 0.32f);  // zone 12 code window
    EXPECT_EQ(SCOEF(1), 0.25f);
    EXPECT_EQ(HEAD(2), 6.67f);
    EXPECT_EQ(WIDTH(2), 3.0f);
    EXPECT_EQ(UWINDO(5), 0.5f);
    for (int j = 7; j <= 25; ++j) EXPECT_EQ(QTY(j), 0.0f) << j;
    EXPECT_EQ(STRATEGY(60, 1), 25.0f);
    EXPECT_EQ(OHANGD(1), 0.0f);  // no overhang on the code house

    // South: 72 ft2 of windows and a 20.01 ft2 door on a 360 ft2 wall.
    EXPECT_NEAR(AREA(1), 72.0f + kDoor, 1e-3f);
    EXPECT_NEAR(PERCNT(1), (72.0f + kDoor) / 360.0f * 100.0f, 1e-3f);
    EXPECT_NEAR(AREA(6), 360.0f - 72.0f - kDoor, 1e-3f);
    EXPECT_NEAR(AREA(2), 72.0f, 1e-3f);
    EXPECT_NEAR(PERCNT(2), 20.0f, 1e-4f);
    EXPECT_NEAR(AREA(7), 288.0f, 1e-3f);
    EXPECT_NEAR(PERCNT(7), 80.0f, 1e-4f);
    EXPECT_EQ(AREA(5), 0.0f);

    // Area-weighted: 72 ft2 of (0.32, 0.5, 0.25) and the door (0.5, 0, 0.5).
    EXPECT_NEAR(UVAL(1), (0.32f * 72.0f + 0.5f * kDoor) / 92.01f, 1e-5f);
    EXPECT_NEAR(ABSORB(1), 0.5f * 72.0f / 92.01f, 1e-5f);
    EXPECT_NEAR(SC(1), (0.25f * 72.0f + 0.5f * kDoor) / 92.01f, 1e-5f);
    EXPECT_FLOAT_EQ(UVAL(2), 0.32f);
    EXPECT_FLOAT_EQ(ABSORB(2), 0.5f);
    EXPECT_EQ(UVAL(5), 0.0f);  // no skylight line

    EXPECT_TRUE(std::filesystem::exists(project / "stratb.dat"));
    EXPECT_TRUE(std::filesystem::exists(project / "scheme1b.dat"));
}

TEST_F(WindowList, AttachedCodesAndPacking) {
    // Side walls shared: 150 ft2 of glass south and north, 12 windows cut
    // to 10 by the 40-ft facade; no west or east line. After the shift the
    // north window and door pack up into lines 3 and 4, and only their
    // groups are rewritten.
    for (int g = 1; g <= 25; ++g) STRATEGY(61 + 10 * (g - 1), 1) = 99.0f;
    code_house(2, 1);
    GLZSHD();
    EXPECT_EQ(QTY(1), 10.0f);
    EXPECT_EQ(TRANS(2), 0.0f);
    EXPECT_EQ(ITEMS(3), 3);
    EXPECT_EQ(QTY(3), 10.0f);
    EXPECT_EQ(IPOINT(3), 3);
    EXPECT_EQ(ITEMS(4), 3);
    EXPECT_EQ(TRANS(4), 0.0f);
    for (int j = 5; j <= 25; ++j) EXPECT_EQ(QTY(j), 0.0f) << j;
    EXPECT_EQ(STRATEGY(61, 1), 99.0f);
    EXPECT_EQ(STRATEGY(71, 1), 99.0f);
    EXPECT_EQ(STRATEGY(81, 1), 3.0f);
    EXPECT_EQ(STRATEGY(82, 1), 10.0f);
    EXPECT_EQ(STRATEGY(83, 1), 3.0f);
    EXPECT_NEAR(STRATEGY(84, 1), 4.0f, 1e-5f);
    EXPECT_EQ(STRATEGY(85, 1), 2.67f);
    EXPECT_EQ(STRATEGY(91, 1), 3.0f);
    EXPECT_EQ(STRATEGY(92, 1), 1.0f);
    EXPECT_EQ(STRATEGY(94, 1), 6.67f);
    EXPECT_EQ(STRATEGY(101, 1), 99.0f);
    EXPECT_EQ(UVAL(2), 0.0f);  // no west glass

    // Attachment 3: no doors at all.
    code_house(3, 0);
    GLZSHD();
    for (int j = 1; j <= 25; ++j) EXPECT_NE(TRANS(j) == 0.0f && QTY(j) > 0.0f, true) << j;

    // Attachment 4: one door, on the south.
    code_house(4, 0);
    GLZSHD();
    EXPECT_EQ(QTY(1), 10.0f);
    EXPECT_NEAR(AREA(1), 120.0f + kDoor, 1e-3f);
    EXPECT_NEAR(AREA(3), 120.0f, 1e-3f);
    int doors = 0;
    for (int j = 1; j <= 25; ++j) {
        if (!(QTY(j) > 0.0f && TRANS(j) == 0.0f)) continue;
        ++doors;
        EXPECT_EQ(ITEMS(j), 1) << j;
    }
    EXPECT_EQ(doors, 1);
}

TEST_F(WindowList, ApartmentWindowsHoldTheCodeGlassAndNoDoorAreaMore) {
    // A three-story unit of 600 ft2, 20 x 13 ft, 9-ft stories: 120 ft2 of
    // code glass in 3 x 4 ft windows, few enough that the facade length
    // cuts none. The door area the glazing areas count is exactly the area
    // of the door lines, and no door area the window list leaves out turns
    // into windows.
    const struct {
        INTEGER s7;
        float south_glass, north_glass, doors;  // ft2, ft2, door lines
    } cases[] = {{3, 120.0f, 0.0f, 0}, {4, 60.0f, 60.0f, 1}};
    for (const auto& c : cases) {
        house(1);
        STRATEGY(7, 1) = static_cast<REAL>(c.s7);
        AREAT = 600.0f;
        FLOORS = 3.0f;
        FLTOFL = 9.0f;
        FLTOCE = 8.0f;
        EWDIM = 20.0f;
        NSDIM = 13.0f;
        AREA(6) = AREA(8) = 20.0f * 3.0f * 9.0f;
        AREA(7) = AREA(9) = 13.0f * 3.0f * 9.0f;
        command(1, true, true);
        GLZVAL();
        const float counted_door_ft2 = AREA(21) + AREA(23);
        GLZSHD();
        float window_ft2[6] = {}, door_ft2 = 0.0f;
        for (int j = 1; j <= 25; ++j) {
            if (!(QTY(j) > 0.0f)) continue;
            const float a = (HEAD(j) - SILL(j)) * WIDTH(j) * QTY(j);
            if (TRANS(j) > 0.0f) window_ft2[ITEMS(j)] += a;
            else door_ft2 += a;
        }
        EXPECT_NEAR(window_ft2[1], c.south_glass, 1e-3f) << c.s7;
        EXPECT_NEAR(window_ft2[3], c.north_glass, 1e-3f) << c.s7;
        EXPECT_NEAR(door_ft2, c.doors * kDoor, 1e-3f) << c.s7;
        EXPECT_NEAR(counted_door_ft2, c.doors * kDoor, 1e-3f) << c.s7;
    }
}

TEST_F(WindowList, ClinicLinesInTurnWithDoorsAfterSouthAndNorth) {
    // 40 % of a 648 ft2 wall, 259.2 ft2, in 6 x 6.33 ft windows: six.
    code_clinic();
    GLZSHD();
    EXPECT_EQ(ITEMS(1), 1);
    EXPECT_EQ(QTY(1), 6.0f);
    EXPECT_EQ(WIDTH(1), 6.0f);
    EXPECT_EQ(HEAD(1), 9.0f);
    EXPECT_EQ(UWINDO(1), 0.46f);  // era 4, window type 2
    EXPECT_EQ(SCOEF(1), 0.22f);
    EXPECT_EQ(TRANS(1), 0.32f);
    EXPECT_EQ(ITEMS(2), 1);
    EXPECT_EQ(TRANS(2), 0.0f);
    EXPECT_EQ(UWINDO(2), 0.7f);  // current-code door
    EXPECT_EQ(ITEMS(3), 3);
    EXPECT_EQ(FACING(3), 180.0f);
    EXPECT_EQ(ITEMS(4), 3);
    EXPECT_EQ(FACING(4), 180.0f);
    for (int j = 5; j <= 25; ++j) EXPECT_EQ(QTY(j), 0.0f) << j;
    EXPECT_EQ(STRATEGY(60, 1), -41.0f);
    EXPECT_EQ(STRATEGY(70, 1), -48.0f);
    EXPECT_EQ(STRATEGY(80, 1), -41.0f);
    EXPECT_EQ(STRATEGY(90, 1), -48.0f);
    EXPECT_EQ(STRATEGY(72, 1), 1.0f);
    EXPECT_EQ(STRATEGY(74, 1), 6.67f);
    for (int k = 2; k <= 9; ++k) EXPECT_EQ(STRATEGY(60 + 10 * (k - 1), k), 0.0f) << k;  // other schemes untouched

    const float window_ft2 = 6.0f * 6.0f * 6.33f;  // 227.88
    EXPECT_NEAR(AREA(1), window_ft2 + kDoor, 1e-2f);
    EXPECT_NEAR(AREA(6), 648.0f - window_ft2 - kDoor, 1e-2f);
    EXPECT_NEAR(PERCNT(1), (window_ft2 + kDoor) / 648.0f * 100.0f, 2e-3f);
    EXPECT_NEAR(PERCNT(6), (648.0f - window_ft2 - kDoor) / 648.0f * 100.0f, 2e-3f);
    EXPECT_NEAR(UVAL(1), (0.46f * window_ft2 + 0.7f * kDoor) / (window_ft2 + kDoor), 1e-5f);
    EXPECT_NEAR(ABSORB(1), 0.32f * window_ft2 / (window_ft2 + kDoor), 1e-5f);
    EXPECT_EQ(UVAL(2), 0.0f);
    EXPECT_TRUE(std::filesystem::exists(project / "schedule1.dat"));
}

TEST_F(WindowList, ClinicDoorWithoutSouthGlass) {
    code_clinic();
    PERCNT(1) = 0.0f;
    GLZSHD();
    EXPECT_EQ(ITEMS(1), 1);
    EXPECT_EQ(TRANS(1), 0.0f);  // the south door
    EXPECT_EQ(ITEMS(2), 3);
    EXPECT_GT(TRANS(2), 0.0f);
    EXPECT_EQ(ITEMS(3), 3);
    EXPECT_EQ(TRANS(3), 0.0f);
    EXPECT_NEAR(AREA(1), kDoor, 1e-4f);
}

TEST_F(WindowList, SkylightSideByRoofArea) {
    clinic(1);
    NTYPE = 2;
    FLTOFL = 22.5f;
    ERA = 4;
    WTYPE = 2;
    command(1, true, true);
    for (int i = 1; i <= 9; ++i) AREA(i) = PERCNT(i) = 0.0f;
    AREA(10) = 16.0f;  // 16 ft2 of roof: skylights of 1.17 ft
    PERCNT(5) = 50.0f;
    GLZSHD();
    EXPECT_EQ(ITEMS(1), 5);
    EXPECT_EQ(TILT(1), 0.0f);
    EXPECT_EQ(HEAD(1), 1.17f);
    EXPECT_EQ(QTY(1), 1.0f);

    AREA(10) = 1.0f;  // too small for a skylight
    PERCNT(5) = 50.0f;
    GLZSHD();
    EXPECT_EQ(QTY(1), 0.0f);
    EXPECT_EQ(AREA(5), 0.0f);
}

TEST_F(WindowList, ZoneOutsideTheTablesIsZoneNine) {
    code_house(1, 0);
    CECZONE = 0;
    GLZSHD();
    EXPECT_EQ(CECZONE, 9);
}

TEST(SouthOverhang, LateSummerNoonShadesTheWindowToItsSill) {
    // Latitude 38: noon altitude 90 - 38 + 11.75 = 63.75 degrees; a 5-ft
    // window takes a 1-ft gap: depth (6.67 + 1 - 1.67) / tan(63.75).
    const SouthOverhang o = overhang_for_late_summer_noon(6.67f, 1.67f, 12.0f, 38.0f);
    EXPECT_NEAR(o.depth_ft, 6.0 / std::tan(63.75 * M_PI / 180.0), 1e-4);
    EXPECT_NEAR(o.depth_ft, 2.96f, 5e-3f);
    EXPECT_EQ(o.height_above_head_ft, 1.0f);

    // Latitude 80: altitude 21.75 degrees; a 6-ft window would need more
    // than 10 ft, so the overhang is 10 ft deep right on the head.
    const SouthOverhang far = overhang_for_late_summer_noon(8.0f, 2.0f, 12.0f, 80.0f);
    EXPECT_EQ(far.depth_ft, 10.0f);
    EXPECT_EQ(far.height_above_head_ft, 0.0f);

    // A head 0.5 ft below the next story: the gap is 0.5 ft.
    EXPECT_EQ(overhang_for_late_summer_noon(8.5f, 2.0f, 9.0f, 38.0f).height_above_head_ft, 0.5f);
    // Small windows: 3-ft gets 0.5, 2-ft 0.25.
    EXPECT_EQ(overhang_for_late_summer_noon(6.0f, 3.0f, 12.0f, 38.0f).height_above_head_ft, 0.5f);
    EXPECT_EQ(overhang_for_late_summer_noon(6.0f, 4.0f, 12.0f, 38.0f).height_above_head_ft, 0.25f);
}

TEST(SouthOverhang, LatitudeKeptOffEquatorAndPoles) {
    EXPECT_EQ(overhang_latitude(-0.05f), 0.1f);
    EXPECT_EQ(overhang_latitude(0.1f), 0.1f);
    EXPECT_EQ(overhang_latitude(89.95f), 89.9f);
    EXPECT_EQ(overhang_latitude(-90.0f), -89.9f);
    EXPECT_EQ(overhang_latitude(38.0f), 38.0f);
}

class OverhangStep : public design_test::DesignFixture {
protected:
    void south_window_line() {
        HEAD(1) = 6.67f;
        SILL(1) = 1.67f;
        FACING(1) = 0.0f;
        FLTOFL = 12.0f;
        OHANGD(1) = OHANGDIS(1) = 0.0f;
    }
};

TEST_F(OverhangStep, OnlyTheEfficientSchemeGetsOne) {
    NTYPE = 7;
    south_window_line();
    command(2, false, true);
    SLAT = -0.05f;
    size_south_overhang(2);
    EXPECT_EQ(SLAT, 0.1f);  // stored back
    // At the equator the late-summer noon sun stands north of the zenith:
    // the south window needs no overhang.
    EXPECT_EQ(OHANGD(1), 0.0f);
    SLAT = 38.0f;
    size_south_overhang(2);
    EXPECT_NEAR(OHANGD(1), 2.96f, 5e-3f);
    EXPECT_EQ(OHANGDIS(1), 1.0f);

    for (const bool code_minimum : {true, false}) {
        south_window_line();
        NTYPE = code_minimum ? 7 : 20;  // the code scheme and the sunspace keep none
        command(2, code_minimum, true);
        size_south_overhang(2);
        EXPECT_EQ(OHANGD(1), 0.0f);
        EXPECT_EQ(OHANGDIS(1), 0.0f);
    }
}

TEST_F(OverhangStep, DwellingsWithoutCoolingNeedOrExistingFacadeGetNone) {
    NTYPE = 19;
    south_window_line();
    command(2, false, true);
    COMHI = 75.0f;
    DESMAX = 70.0f;  // the design day stays below the comfort limit
    size_south_overhang(2);
    EXPECT_EQ(OHANGD(1), 0.0f);
    EXPECT_EQ(OHANGDIS(1), 1.0f);

    DESMAX = 100.0f;
    STRATEGY(6, 2) = 2.0f;  // remodel: the existing facade stays
    south_window_line();
    size_south_overhang(2);
    EXPECT_EQ(OHANGD(1), 0.0f);
    EXPECT_EQ(OHANGDIS(1), 0.0f);

    STRATEGY(6, 2) = 1.0f;
    south_window_line();
    size_south_overhang(2);
    EXPECT_NEAR(OHANGD(1), 6.0 / std::tan((90.0 - 38.5 + 11.75) * M_PI / 180.0), 1e-4);
}

}  // namespace
}  // namespace mavo
