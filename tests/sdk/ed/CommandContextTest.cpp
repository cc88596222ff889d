#include <gtest/gtest.h>

#include "sdk/ed/VexaBuildInCommandContext.h"
#include "sdk/ed/VexaSysVarService.h"
#include "tests/support/HostFixture.h"

namespace {

class CommandContextTest : public HostFixture {};

TEST_F(CommandContextTest, BlanksInNamesFollowExtendedNames) {
  VexaBuildInCommandContext context;
  VexaSysVarService& vars = host().service<VexaSysVarService>();
  ASSERT_EQ(vars.set(L"EXTNAMES", VexaSysVarValue::ofShort(1)), VexaSysVarResult::kOk);
  EXPECT_TRUE(context.isSpaceAllowedInNames());
  ASSERT_EQ(vars.set(L"EXTNAMES", VexaSysVarValue::ofShort(0)), VexaSysVarResult::kOk);
  EXPECT_FALSE(context.isSpaceAllowedInNames());
}

TEST(CommandContextNoHostTest, NoBlanksWithoutAHost) {
  EXPECT_FALSE(VexaBuildInCommandContext().isSpaceAllowedInNames());
}

}  // namespace
