// Every test starts from freshly initialised blocks and no open file, so
// no test relies on state another one left behind.
#include <gtest/gtest.h>

#include "blocks/blocks.h"
#include "front/units.h"

namespace {

class FreshBlocks : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        mavo::unit_close_all();
        mavo::reset_all_blocks();
    }
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshBlocks);
    return RUN_ALL_TESTS();
}
