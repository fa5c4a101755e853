// Two small buildings for the design generator's tests, described the way
// the host leaves them before a design command, with a scratch project
// directory for the files the window-list builder saves.
//
// The house: a 1500 ft2 one-story detached single-family home (type 19),
// new, in climate zone 12 (California, latitude 38.5, 2700 degree days),
// with a sloped roof (choice 4) and a raised floor (choice 2).
// The clinic: a 4000 ft2 one-story clinic (type 3) on the ground, new, in
// the same zone.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "blocks/blocks.h"
#include "test_support.h"

namespace mavo::design_test {

// Monthly mean maxima and minima of the site, F: hot dry summers with cool
// nights (May: 80 / 51), no month at or below 27 F, no month of 90 F with
// more than 35 F swing.
inline constexpr REAL kSiteTmax[12] = {54, 60, 65, 72, 80, 88, 93, 92, 88, 78, 64, 54};
inline constexpr REAL kSiteTmin[12] = {39, 41, 44, 46, 51, 56, 58, 58, 56, 50, 43, 38};

class DesignFixture : public ::testing::Test {
protected:
    testing::ScratchDir project;
    testing::ScratchDir util;

    void SetUp() override {
        testing::use_directories(project.str(), util.str(), util.str());
        BLK0B.DISKPROJ = 32;
        BLK0B.DISKKEEP2 = 26;
        BLK0B.DISKKSCHED = 45;
        BLK0B.DISKDAT = 21;
        BLK0B.DISKHET = 20;
        CECZONE = 12;
        NFLAG(58) = true;  // California
        SLAT = 38.5f;
        HDD = 2700.0f;
        DESMAX = 100.0f;
        for (int m = 1; m <= 12; ++m) {
            TMAX(m) = kSiteTmax[m - 1];
            TMIN(m) = kSiteTmin[m - 1];
        }
        NFLAG(90) = false;
    }

    // The house in slot k, as the host describes it.
    void house(INTEGER k) {
        NFLAG(24) = false;
        NTYPE = 19;
        AREAT = 1500.0f;
        FLOORS = 1.0f;
        STRATEGY(6, k) = 1.0f;   // new
        STRATEGY(7, k) = 1.0f;   // detached
        STRATEGY(8, k) = 1500.0f;
        STRATEGY(9, k) = 0.0f;
        STRATEGY(11, k) = 0.0f;  // year not given
        STRATEGY(32, k) = 4.0f;  // sloped roof
        STRATEGY(33, k) = 2.0f;  // raised floor
        STRATEGY(34, k) = 0.0f;  // no garage
    }

    // The clinic in slot k.
    void clinic(INTEGER k) {
        NFLAG(24) = true;
        NTYPE = 3;
        AREAT = 4000.0f;
        FLOORS = 1.0f;
        STRATEGY(6, k) = 1.0f;
        STRATEGY(7, k) = 1.0f;
        STRATEGY(9, k) = 0.0f;
        STRATEGY(10, k) = 4.0f;  // on the ground, roof exposed
        STRATEGY(11, k) = 0.0f;
    }

    // Everything the trace log of the run holds.
    std::string trace_text() const {
        std::string trace;
        for (const auto& e : std::filesystem::directory_iterator(project.path()))
            if (e.path().filename().string().rfind("v7trace", 0) == 0) trace += testing::read_file(e.path());
        return trace;
    }

    // The design command of the run sequence for slot k.
    void command(INTEGER k, bool code_minimum, bool efficient) {
        IDNUM1 = k;
        NFLAG(8) = code_minimum;
        NFLAG(9) = efficient;
    }
};

}  // namespace mavo::design_test
