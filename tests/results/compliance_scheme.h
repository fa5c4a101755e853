// A small single-storey house as scheme 3, simulated over the whole year,
// and a fixture that exports it and reads the two files back.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "blocks/blocks.h"
#include "results/results.h"
#include "test_support.h"

namespace mavo::testing {

// A 40 ft by 40 ft house facing south: one south window line (two units of
// 4 ft by 4 ft with an overhang), one west door, one skylight; a slab floor.
inline void build_small_house() {
    IDNUM1 = 3;
    NFLAG(24) = false;  // residential
    NFLAG(38) = true;   // all 365 days
    SUMARY(48, 3) = 365.0f;   // the days simulated
    SUMARY(48, 10) = 365.0f;  // (the default scheme, which some cases run)
    NFLAG(44) = true;   // a California zone
    NTYPE = 19;         // single family residence
    CECZONE = 12;
    TITLE1 = "SMALL RANCH";
    TITLE3 = "SACRAMENTO EXECUTIVE AP";
    SCHEMENAME(3) = "Efficient Ranch";

    STRATEGY(6, 3) = 1.0f;    // new
    STRATEGY(7, 3) = 1.0f;    // detached
    STRATEGY(9, 3) = 0.0f;
    STRATEGY(11, 2) = 1995.6f;
    STRATEGY(18, 3) = 2.0f;   // furnace
    STRATEGY(20, 3) = 2.0f;   // air conditioner
    STRATEGY(24, 3) = 3.0f;
    STRATEGY(31, 3) = 1.0f;   // stucco on wood studs
    STRATEGY(32, 3) = 6.0f;   // sloped light tile roof
    STRATEGY(33, 3) = -6.0f;  // carpeted slab (vintage sign)
    STRATEGY(35, 3) = 3.0f;   // radiant barrier
    STRATEGY(36, 3) = 1.0f;

    AREAT = 1600.0f;
    EWDIM = 40.0f;
    NSDIM = 40.0f;
    FLOORS = 1.0f;
    FLTOCE = 8.0f;
    SFACES = 0.0f;
    RAX = 1600.0f;
    VOLUME = 12800.0f;
    RSLOPE = 22.6f;
    REMITT = 0.85f;
    PEOPLE = 3.7f;

    for (int i = 1; i <= 27; ++i) AREA(i) = 0.0f;
    AREA(6) = 288.0f;  // 320 less the south windows
    AREA(7) = 299.0f;  // 320 less the door
    AREA(8) = 320.0f;
    AREA(9) = 320.0f;
    AREA(10) = 1600.0f;
    AREA(12) = 160.0f;
    for (int k = 6; k <= 9; ++k) {
        UVAL(k) = 0.102f;
        RVAL(k) = 13.0f;
        ABSORB(k) = 0.5f;
    }
    UVAL(10) = 0.031f;
    RVAL(10) = 38.0f;
    ABSORB(10) = 0.75f;
    UVAL(12) = 0.73f;

    COPHT = 0.78f;
    COPAC = 3.1f;
    DuctInsul = 6.0f;
    SLA = 4.3f;
    HEATGAIN(25) = 18000.0f;
    HEATGAIN(27) = 21000.0f;
    HEATLOSS(27) = -35000.0f;
    SUMARY(19, 3) = 10.5f;
    SUMARY(24, 3) = 1500.0f;

    for (int j = 1; j <= 25; ++j) {
        QTY(j) = 0.0f;
        OHANGD(j) = 0.0f;
    }
    // Line 1: two south windows.
    FACING(1) = 0.0f; ITEMS(1) = 1; QTY(1) = 2.0f; WIDTH(1) = 4.0f; HEAD(1) = 7.0f; SILL(1) = 3.0f;
    UWINDO(1) = 0.35f; SCOEF(1) = 0.25f; TRANS(1) = 0.6f; OHANGD(1) = 2.0f; OHANGDIS(1) = 0.5f;
    STRATEGY(60, 3) = 24.0f;
    // Line 2: the west door.
    FACING(2) = 90.0f; ITEMS(2) = 2; QTY(2) = 1.0f; WIDTH(2) = 3.0f; HEAD(2) = 7.0f; SILL(2) = 0.0f;
    UWINDO(2) = 0.5f; SCOEF(2) = 0.7f; TRANS(2) = 0.0f;
    STRATEGY(70, 3) = 0.0f;
    // Line 3: a skylight, facing south like every line of the roof.
    FACING(3) = 0.0f; ITEMS(3) = 5; QTY(3) = 1.0f; WIDTH(3) = 2.0f; HEAD(3) = 2.0f; SILL(3) = 0.0f;
    UWINDO(3) = 0.6f; SCOEF(3) = 0.4f; TRANS(3) = 0.5f;
    STRATEGY(80, 3) = -5.0f;
}

class ComplianceExport : public ::testing::Test {
protected:
    void SetUp() override {
        use_directories(project.str(), project.str(), project.str());
        BLK0B.DISKXML = 40;
        BLK0B.DISKNOTES = 41;
        build_small_house();
    }

    void run() {
        KEEPXML();
        const std::string digit = IDNUM1 == 10 ? "0" : std::to_string(IDNUM1);
        xml = read_lines(project / ("scheme" + digit + ".xml"));
        txt = read_lines(project / ("scheme" + digit + ".txt"));
    }

    // The first document line that contains `part` (empty when none does).
    std::string xml_line(const std::string& part) const { return first_with(xml, part); }
    std::string txt_line(const std::string& part) const { return first_with(txt, part); }
    int xml_count(const std::string& part) const { return count_with(xml, part); }
    int txt_count(const std::string& part) const { return count_with(txt, part); }
    // Index of the first line containing `part`, -1 when none does.
    static int index_of(const std::vector<std::string>& lines, const std::string& part) {
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (lines[i].find(part) != std::string::npos) return static_cast<int>(i);
        return -1;
    }

    ScratchDir project;
    std::vector<std::string> xml;
    std::vector<std::string> txt;

private:
    static std::string first_with(const std::vector<std::string>& lines, const std::string& part) {
        const int i = index_of(lines, part);
        return i < 0 ? std::string() : lines[static_cast<std::size_t>(i)];
    }
    static int count_with(const std::vector<std::string>& lines, const std::string& part) {
        return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const std::string& l) {
            return l.find(part) != std::string::npos;
        }));
    }
};

}  // namespace mavo::testing
