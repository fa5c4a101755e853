// The reference projects, made and run as a host makes and runs them, give
// the figures of the table of reference results: a slip in a U-factor, a
// curve, a coefficient, a schedule or a load table moves a figure of some
// reference past the float noise of the build. `mavo-reference --write`
// writes the table anew; README says what a commit that changes it owes.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "every_zone_weather.h"
#include "reference/references.h"
#include "reference/table.h"
#include "test_support.h"

namespace mavo::reference {
void PrintTo(const Reference& r, std::ostream* os) { *os << r.name; }
}  // namespace mavo::reference

namespace mavo {
namespace {

namespace fs = std::filesystem;
using namespace reference;

const fs::path kTable = MAVO_SOURCE_DIR "/tests/data/reference/results.txt";

class ReferenceResults : public ::testing::TestWithParam<Reference> {};

TEST_P(ReferenceResults, MatchTheTable) {
    static const Table table = read_table(kTable);
    testing::ScratchDir dir;
    const Directories dirs{testing::sample_data() / "util",
                           host::every_zone_weather(testing::sample_data() / "weather", dir / "weather")};
    Results got;
    try {
        got = run_reference(GetParam(), dirs, dir / GetParam().name);
    } catch (const std::exception& e) {
        FAIL() << e.what();
    }
    ASSERT_FALSE(got.empty());
    for (const std::string& d : differences(table, got)) ADD_FAILURE() << d;
}

INSTANTIATE_TEST_SUITE_P(Reference, ReferenceResults, ::testing::ValuesIn(references()),
                         [](const ::testing::TestParamInfo<Reference>& info) {
                             std::string name;
                             for (const char c : info.param.name) name += c == '-' ? '_' : c;
                             return name;
                         });

}  // namespace
}  // namespace mavo
