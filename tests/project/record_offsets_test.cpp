// One value of each record file at its byte offset in the binary form: the
// round-trip tests would pass a writer and reader that swapped two records
// alike, the host and older files would not. Offsets count the 12-byte
// header and four bytes a value (one for a logical) in the file's order.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "blocks/blocks.h"
#include "project/project.h"
#include "test_support.h"

namespace mavo {
namespace {

using testing::read_file;
using testing::ScratchDir;

constexpr long kHeader = 12;

template <class T>
std::string bytes_of(T value) {
    std::string b(sizeof(T), '\0');
    std::memcpy(b.data(), &value, sizeof(T));
    return b;
}

TEST(RecordOffsets, OneValueOfEachFileWhereTheHostFindsIt) {
    ScratchDir project;
    testing::use_directories(project.str(), project.str(), project.str());
    BLK0B.DISKPROJ = 32;
    BLK0B.DISKKEEP1 = 25;
    BLK0B.DISKKEEP2 = 26;
    BLK0B.DISKKSCHED = 45;
    IDNUM1 = 1;
    struct Case {
        const char* file;
        std::function<void()> save;
        long offset;
        std::string value;
    };
    const Case cases[] = {
        // Run codes 28, four words 16, four placeholders 16, 50 flags, 15
        // titles of 56, 15 chart rows of 26 words, the chart set 4, rows
        // 1-48 of 18 columns: then row 49 of column 1.
        {"summaryb.dat", [] { SUMARY(49, 1) = 49.5f; AADISK(1); },
         kHeader + 28 + 16 + 16 + 50 + 15 * 56 + 15 * 26 * 4 + 4 + 48 * 18 * 4, bytes_of(49.5f)},
        // Rows 1-200 of nine columns, then rows 201-310: row 250 of column 3.
        {"stratb.dat", [] { STRATEGY(250, 3) = 250.5f; AADISK(6); },
         kHeader + 4 * (9 * 200 + 2 * 110 + 49), bytes_of(250.5f)},
        // The companion: the back-up columns 10 to 18 in the same order.
        {"stratb.bfr", [] { STRATEGY(250, 12) = 12.5f; AADISK(6); },
         kHeader + 4 * (9 * 200 + 2 * 110 + 49), bytes_of(12.5f)},
        // The trace switch the stand-in host sets: flag 90, the last of the
        // flags 51 to 90.
        {"scheme1b.dat", [] { NFLAG(90) = true; KEEP2(1); NFLAG(90) = false; }, 5621, std::string(1, '\1')},
        // The zip code opens the site section after 6912 hourly and 88
        // bar-chart records.
        {"scheme1b.het", [] { ZIPCODE = 93101.5f; KEEP1(); }, kHeader + 4 * (6912 + 88), bytes_of(93101.5f)},
        // Type 3, row 2, position 5: positions -1..25 fastest, 16 rows a type.
        {"schedule1.dat", [] { SCHEDULES(5, 2, 3) = 777; KEEPSCHED(); },
         kHeader + 4 * ((3 - 1) * 16 * 27 + (2 - 1) * 27 + (5 + 1)), bytes_of(INTEGER{777})},
    };
    for (const Case& c : cases) {
        c.save();
        const std::string bytes = read_file(project / c.file);
        ASSERT_GE(bytes.size(), static_cast<std::size_t>(c.offset) + c.value.size()) << c.file;
        EXPECT_EQ(bytes.substr(static_cast<std::size_t>(c.offset), c.value.size()), c.value) << c.file;
    }
}

}  // namespace
}  // namespace mavo
