// PATHINFO and CVDIST from a script: what they print and how they end.
#include <gtest/gtest.h>

#include "tests/host/CommandModuleFixture.h"

namespace {

class PathAndDistanceCommandsTest : public CommandModuleFixture {};

TEST_F(PathAndDistanceCommandsTest, PathInfoShowsPartsArgumentsAndTheRelativeForm) {
  const auto summary =
      run(L"PATHINFO\n\"C:\\Program Files\\Tarvo\\tarvo.exe\" /a \"x y\" -b z\nc:\\program files\n"
          L"PATHINFO\nplans/site.v2.dxf\nD:\\jobs\n");
  EXPECT_EQ(summary.done, 2) << transcript();
  for (const char* line :
       {"Drive: C:", "Directory: \\Program Files\\Tarvo\\", "File title: tarvo", "Extension: exe",
        "Local: yes  Relative: no  File: yes", "Arguments: 2", "name \"a\" value \"x y\"",
        "name \"b\" value \"z\"", "Relative: Tarvo\\tarvo.exe", "File title: site.v2",
        "Local: no  Relative: yes  File: yes", "Absolute: D:\\jobs\\plans\\site.v2.dxf"})
    EXPECT_TRUE(contains(line)) << line << "\n" << transcript();
}

TEST_F(PathAndDistanceCommandsTest, DistancesArePrintedOrRefused) {
  const auto summary =
      run(L"CVDIST\n1'-6 1/2\"\nCVDIST\n-1.5e3\nCVDIST\n2x\nCVDIST\n1/0\nCVDIST\n1e400\n");
  EXPECT_EQ(summary.done, 3) << transcript();
  EXPECT_TRUE(contains("Distance: 18.5")) << transcript();
  EXPECT_TRUE(contains("Distance: -1500")) << transcript();
  EXPECT_TRUE(contains("Distance: 2\n")) << transcript();
  EXPECT_TRUE(contains("Not a distance.")) << transcript();
  EXPECT_TRUE(contains("out of range")) << transcript();
}

}  // namespace
