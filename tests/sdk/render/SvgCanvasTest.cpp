#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <numbers>
#include <regex>
#include <sstream>

#include "sdk/gi/QvGiAciColors.h"
#include "sdk/render/QvGiSvgCanvas.h"
#include "tests/sdk/render/SvgTestSupport.h"

namespace {

using testing::HasSubstr;
using testing::Not;
constexpr double kPi = std::numbers::pi;

std::string written(const QvGiSvgCanvas& canvas, const wchar_t* title = L"t") {
  std::ostringstream out;
  canvas.write(out, title);
  return out.str();
}

TEST(AciColors, TheStandardTable) {
  // The nine named colours, then from the hue rows full and half saturation and their shades.
  const std::pair<int, uint32_t> colours[] = {
      {1, 0xFF0000u},   {2, 0xFFFF00u},   {3, 0x00FF00u},   {4, 0x00FFFFu},   {5, 0x0000FFu},
      {6, 0xFF00FFu},   {7, 0xFFFFFFu},   {8, 0x808080u},   {9, 0xC0C0C0u},   {10, 0xFF0000u},
      {11, 0xFF7F7Fu},  {12, 0xA50000u},  {13, 0xA55252u},  {18, 0x260000u},  {19, 0x261313u},
      {20, 0xFF3F00u},  {30, 0xFF7F00u},  {50, 0xFFFF00u},  {90, 0x00FF00u},  {130, 0x00FFFFu},
      {170, 0x0000FFu}, {210, 0xFF00FFu}, {240, 0xFF003Fu}, {250, 0x333333u}, {255, 0xFFFFFFu}};
  for (const auto& [index, rgb] : colours) EXPECT_EQ(qvgiAciToRgb(index), rgb) << index;
  // By block, by layer and out of range answer the colour of 7.
  for (int odd : {0, 256, -1, 1000}) EXPECT_EQ(qvgiAciToRgb(odd), 0xFFFFFFu);
  // Every hue row darkens from its first to its ninth entry.
  for (int row = 10; row < 250; row += 10)
    for (int shade = 0; shade + 2 < 10; shade += 2) {
      const uint32_t brighter = qvgiAciToRgb(row + shade), darker = qvgiAciToRgb(row + shade + 2);
      const int maxBright = std::max({brighter >> 16, (brighter >> 8) & 0xFF, brighter & 0xFF});
      const int maxDark = std::max({darker >> 16, (darker >> 8) & 0xFF, darker & 0xFF});
      EXPECT_GT(maxBright, maxDark) << row + shade;
    }
}

TEST(SvgCanvas, ViewBoxTurnsYUpAndKeepsAMargin) {
  QvGiSvgCanvas canvas;
  canvas.polyline({{0, 0}, {100, 0}, {100, 50}}, false, 0xFF0000);
  std::array<double, 4> box{};
  ASSERT_TRUE(canvas.bounds(box));
  EXPECT_EQ(box, (std::array<double, 4>{0, 0, 100, 50}));
  const std::string svg = written(canvas);
  // Margin 5: x from -5, width 110; y up, so the top (55) becomes -55 in the picture.
  EXPECT_THAT(svg, HasSubstr("viewBox=\"-5 -55 110 60\""));
  EXPECT_THAT(svg, HasSubstr("<polyline points=\"0,0 100,0 100,-50\" stroke=\"#ff0000\"/>"));
  EXPECT_THAT(svg, HasSubstr("width=\"1200\" height=\"655\""));

  // An empty picture still has a box.
  EXPECT_THAT(written(QvGiSvgCanvas()), HasSubstr("viewBox=\"0 -100 100 100\""));
}

TEST(SvgCanvas, ArcsRunTheRightWayRound) {
  QvGiSvgCanvas canvas;
  // A quarter counterclockwise from (10,0) to (0,10): seen with y up it turns left, so in SVG's
  // y-down terms it runs against the positive angle (sweep flag 0).
  canvas.arc({0, 0}, 10, 0, kPi / 2, 0x00FF00);
  // Three quarters clockwise from (0,10): the large-arc flag, sweep flag 1, ending at (-10,0).
  canvas.arc({0, 0}, 10, kPi / 2, -1.5 * kPi, 0x00FF00);
  // A whole turn is a circle.
  canvas.arc({5, 5}, 2, 1.0, 2 * kPi, 0x0000FF);
  const std::string svg = written(canvas);
  const auto paths = elements(svg, "path");
  ASSERT_EQ(paths.size(), 2u);
  EXPECT_THAT(paths[0], HasSubstr("d=\"M10,0A10,10 0 0,0 0,-10\""));
  EXPECT_THAT(paths[1], HasSubstr("d=\"M0,-10A10,10 0 1,1 -10,0\""));
  EXPECT_EQ(elements(svg, "circle").size(), 1u);
  // The box holds the arc's reach, not just its ends: the three-quarter arc passes (10,0) and
  // (0,-10).
  std::array<double, 4> box{};
  ASSERT_TRUE(canvas.bounds(box));
  EXPECT_NEAR(box[0], -10, 1e-12);
  EXPECT_NEAR(box[1], -10, 1e-12);
  EXPECT_NEAR(box[2], 10, 1e-12);
  EXPECT_NEAR(box[3], 10, 1e-12);
}

TEST(SvgCanvas, TextStandsUprightAndIsEscaped) {
  QvGiSvgCanvas canvas;
  canvas.beginGroup(L"2F", L"A&B <\"x\">");
  // Baseline along world Y (turned 90 degrees), capitals 2 high, letters twice as wide.
  canvas.text({10, 20}, {0, 1}, {-1, 0}, 2.0, 2.0, L"R&D <1>", 0x123456);
  canvas.endGroup();
  canvas.beginGroup(L"30", L"empty");  // a group that draws nothing is left out
  canvas.endGroup();
  const std::string svg = written(canvas);
  const auto texts = elements(svg, "text");
  ASSERT_EQ(texts.size(), 1u);
  // x of the letters -> (0, 2) turned over -> (0, -2); their y (downwards) -> (1, 0); origin at
  // (10, -20).
  EXPECT_THAT(texts[0], HasSubstr("transform=\"matrix(0 -2 1 0 10 -20)\""));
  EXPECT_THAT(texts[0], HasSubstr(">R&amp;D &lt;1&gt;</text>"));
  EXPECT_THAT(texts[0], HasSubstr("fill=\"#123456\""));
  EXPECT_THAT(texts[0], Not(HasSubstr("stroke=")));
  EXPECT_THAT(svg,
              HasSubstr("<g data-handle=\"2F\" data-layer=\"A&amp;B &lt;&quot;x&quot;&gt;\">"));
  EXPECT_THAT(svg, Not(HasSubstr("data-handle=\"30\"")));
}

TEST(SvgCanvas, UnboundedLinesAreCutToThePicture) {
  QvGiSvgCanvas canvas;
  canvas.polygon({{0, 0}, {10, 0}, {10, 10}}, 0xFF0000);
  canvas.infiniteLine({5, 5}, {1, 0}, false, 0x0000FF);    // across the whole box
  canvas.infiniteLine({5, 5}, {0, 1}, true, 0x0000FF);     // from (5,5) up to the top
  canvas.infiniteLine({50, 50}, {1, 0}, false, 0x0000FF);  // misses the box
  const std::string svg = written(canvas);
  const auto lines = elements(svg, "line");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_THAT(lines[0], HasSubstr("x1=\"-0.5\" y1=\"-5\" x2=\"10.5\" y2=\"-5\""));
  EXPECT_THAT(lines[1], HasSubstr("x1=\"5\" y1=\"-5\" x2=\"5\" y2=\"-10.5\""));
  const auto polygons = elements(svg, "polygon");
  ASSERT_EQ(polygons.size(), 1u);
  EXPECT_THAT(polygons[0], HasSubstr("fill=\"#ff0000\" stroke=\"#ff0000\""));
  // Unbounded lines do not widen the box.
  EXPECT_THAT(svg, HasSubstr("viewBox=\"-0.5 -10.5 11 11\""));
}

}  // namespace
