// Texts and multi-line texts: the font metric, bounding points, alignment and maps.
#include <gtest/gtest.h>

#include <cmath>

#include "sdk/db/QvDbMText.h"
#include "sdk/db/QvDbText.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/render/QvGiWorldDrawRecorder.h"
#include "tests/sdk/db/EntityTestSupport.h"

namespace {

using QvGe::kHalfPi;
using Vexa::eOk;

// The bounding points of a text or a multi-line text.
template <class Text>
QvGePoint3dArray boxOf(const Text& text) {
  QvGePoint3dArray points;
  EXPECT_EQ(text.getBoundingPoints(points), eOk);
  return points;
}

TEST(TextTest, BoundingPointsFollowTheFontMetric) {
  // Four characters of height 2 advance 4 x 0.6 x 2 = 4.8.
  const QvDbText text(QvGePoint3d(1, 1, 0), L"ABCD", QvDbObjectId(), 2.0);
  // Top left, top right, bottom left, bottom right.
  EXPECT_POINTS_NEAR(boxOf(text), {{1, 3, 0}, {5.8, 3, 0}, {1, 1, 0}, {5.8, 1, 0}}, 1e-12);

  // Rotated a quarter turn, slanted and stretched.
  QvDbText turned(QvGePoint3d(), L"AB", QvDbObjectId(), 1.0, kHalfPi);
  turned.setWidthFactor(2.0);
  turned.setOblique(std::atan(0.5));
  const QvGePoint3dArray t = boxOf(turned);
  EXPECT_POINT_NEAR(t[3], QvGePoint3d(0, 2.4, 0), 1e-12);   // 2 x 0.6 x 2 along +y
  EXPECT_POINT_NEAR(t[0], QvGePoint3d(-1, 0.5, 0), 1e-12);  // up is -x, slanted by 0.5
  EXPECT_EQ(turned.setOblique(1.5), Vexa::eInvalidInput);   // beyond 85 degrees
  EXPECT_EQ(turned.setHeight(0.0), Vexa::eInvalidInput);
}

TEST(TextTest, AlignmentPlacesTheBoxOnTheAlignmentPoint) {
  QvDbText text(QvGePoint3d(), L"ABCD", QvDbObjectId(), 2.0);  // 4.8 wide
  ASSERT_EQ(text.setHorizontalMode(kTextCenter), eOk);
  ASSERT_EQ(text.setAlignmentPoint(QvGePoint3d(10, 0, 0)), eOk);
  EXPECT_POINT_NEAR(text.position(), QvGePoint3d(7.6, 0, 0), 1e-12);
  ASSERT_EQ(text.setHorizontalMode(kTextRight), eOk);
  ASSERT_EQ(text.setVerticalMode(kTextTop), eOk);
  EXPECT_POINT_NEAR(boxOf(text)[1], QvGePoint3d(10, 0, 0), 1e-12);
  ASSERT_EQ(text.setHorizontalMode(kTextMid), eOk);
  const QvGePoint3dArray mid = boxOf(text);
  EXPECT_POINT_NEAR(mid[0] + (mid[3] - mid[0]) * 0.5, QvGePoint3d(10, 0, 0), 1e-12);
  // Moving the text moves its alignment point with it.
  ASSERT_EQ(text.setPosition(text.position() + QvGeVector3d(0, 5, 0)), eOk);
  EXPECT_POINT_NEAR(text.alignmentPoint(), QvGePoint3d(10, 5, 0), 1e-12);

  // Aligned text fits between its two points by its height, fit text by its width factor.
  QvDbText aligned(QvGePoint3d(), L"ABCD", QvDbObjectId(), 1.0);
  aligned.setHorizontalMode(kTextAlign);
  aligned.setAlignmentPoint(QvGePoint3d(0, 12, 0));
  EXPECT_NEAR(aligned.height(), 5.0, 1e-12);  // 12 / (4 x 0.6)
  EXPECT_NEAR(aligned.rotation(), kHalfPi, 1e-12);
  QvDbText fit(QvGePoint3d(), L"ABCD", QvDbObjectId(), 1.0);
  fit.setHorizontalMode(kTextFit);
  fit.setAlignmentPoint(QvGePoint3d(12, 0, 0));
  EXPECT_NEAR(fit.height(), 1.0, 0);
  EXPECT_NEAR(fit.widthFactor(), 5.0, 1e-12);
  EXPECT_POINT_NEAR(boxOf(fit)[3], QvGePoint3d(12, 0, 0), 1e-12);
}

TEST(TextTest, AffineMapsCarryTheCornersExactly) {
  QvDbText original(QvGePoint3d(2, 1, 0), L"Hello", QvDbObjectId(), 1.5, 0.4);
  original.setOblique(0.2);
  QvGeMatrix3d shear;
  shear.entry[0][1] = 0.3;
  shear.entry[1][1] = 2.0;
  const QvGeMatrix3d maps[] = {
      QvGeMatrix3d::rotation(0.9, QvGeVector3d(1, 1, 1)) * QvGeMatrix3d::scaling(3.0),
      QvGeMatrix3d::mirroring(QvGePlane(QvGePoint3d(0, 0, 0), QvGeVector3d(1, 0, 0))),
      QvGeMatrix3d::mirroring(QvGePlane(QvGePoint3d(0, 5, 0), QvGeVector3d(0, 1, 0))),
      shear,
  };
  const QvGePoint3dArray before = boxOf(original);
  for (const QvGeMatrix3d& m : maps) {
    QvDbText text(original);
    ASSERT_EQ(text.transformBy(m), eOk);
    const QvGePoint3dArray after = boxOf(text);
    for (int i = 0; i < 4; ++i) {
      QvGePoint3d expected = before[i];
      EXPECT_POINT_NEAR(after[i], expected.transformBy(m), 1e-9) << i;
    }
    EXPECT_EQ(text.isMirroredInX(), m.det() < 0);
  }
}

TEST(TextTest, TurnsAndUniformScalesKeepTheTextUpright) {
  // Rounding in the image of the frame once slanted one text in ten by some 1e-15 degrees.
  for (int step = 0; step < 36; ++step) {
    for (const double scale : {0.5, 0.75, 1.25, 1.5}) {
      QvDbText text(QvGePoint3d(0, -1.2, 0), L"T", QvDbObjectId(), 0.3);
      const double angle = step * 10.0 * M_PI / 180.0;
      ASSERT_EQ(text.transformBy(QvGeMatrix3d::rotation(angle, QvGeVector3d::kZAxis) *
                                 QvGeMatrix3d::scaling(scale)),
                eOk);
      EXPECT_EQ(text.oblique(), 0.0) << step << " " << scale;
      EXPECT_NEAR(text.height(), 0.3 * scale, 1e-15);
    }
  }
  // A shear still slants it.
  QvDbText sheared(QvGePoint3d(), L"T", QvDbObjectId(), 1.0);
  QvGeMatrix3d shear;
  shear.entry[0][1] = 0.5;
  ASSERT_EQ(sheared.transformBy(shear), eOk);
  EXPECT_NEAR(sheared.oblique(), std::atan(0.5), 1e-12);
}

TEST(TextTest, TurnsInItsPlaneKeepThePlainZAxis) {
  // Turns whose sine is negative used to leave -0.0 in the normal: equal, but not the same
  // bytes, so every later text of a block missed the shared plane axes.
  for (const double angle : {0.3, 2.0, 3.5, 5.0}) {
    QvDbText text(QvGePoint3d(1, 2, 0), L"T", QvDbObjectId(), 0.5, 0.25);
    ASSERT_EQ(text.transformBy(QvGeMatrix3d::rotation(angle, QvGeVector3d::kZAxis) *
                               QvGeMatrix3d::scaling(0.75)),
              eOk);
    const QvGeVector3d n = text.normal();
    EXPECT_TRUE(n.x == 0.0 && !std::signbit(n.x) && n.y == 0.0 && !std::signbit(n.y) && n.z == 1.0)
        << angle << ": " << n.x << " " << n.y << " " << n.z;
    EXPECT_NEAR(text.rotation(), std::fmod(0.25 + angle, 2 * M_PI), 1e-12) << angle;
    EXPECT_NEAR(text.height(), 0.375, 1e-15) << angle;
  }
}

TEST(TextTest, MultiLineTextHeightsWidthsAndBox) {
  QvDbMText mtext;
  mtext.setContents(L"ab\\Pcdef");
  mtext.setTextHeight(1.0);
  mtext.setLocation(QvGePoint3d(0, 10, 0));
  EXPECT_EQ(mtext.numLines(), 2);
  EXPECT_NEAR(mtext.actualWidth(), 2.4, 1e-12);
  EXPECT_NEAR(mtext.actualHeight(), 1 + 5.0 / 3.0, 1e-12);
  EXPECT_EQ(mtext.text(), QvString(L"ab\r\ncdef"));
  QvGePoint3dArray p = boxOf(mtext);
  EXPECT_POINT_NEAR(p[0], QvGePoint3d(0, 10, 0), 1e-12);
  EXPECT_POINT_NEAR(p[1], QvGePoint3d(2.4, 10, 0), 1e-12);
  EXPECT_POINT_NEAR(p[3], QvGePoint3d(2.4, 10 - 8.0 / 3.0, 0), 1e-12);

  // Centered in the middle, the box is centered on the location.
  mtext.setAttachment(QvDbMText::kMiddleCenter);
  p = boxOf(mtext);
  EXPECT_POINT_NEAR(p[0] + (p[3] - p[0]) * 0.5, QvGePoint3d(0, 10, 0), 1e-12);

  // A box of width 3 wraps between words: "one two" would be 4.2 wide.
  QvDbMText wrapped;
  wrapped.setTextHeight(1.0);
  wrapped.setContents(L"one two three");
  wrapped.setWidth(3.0);
  EXPECT_EQ(wrapped.numLines(), 3);
  EXPECT_EQ(wrapped.setWidth(-1.0), Vexa::eInvalidInput);

  // Drawn as one text per line, a line spacing apart.
  QvGiWorldDrawRecorder recorder;
  mtext.setAttachment(QvDbMText::kTopLeft);
  recorder.drawTopLevel(&mtext);
  ASSERT_EQ(recorder.count(QvGiWorldDrawRecorder::kText), 2);
  EXPECT_POINT_NEAR(recorder.primitives()[0].points[0], QvGePoint3d(0, 9, 0), 1e-12);
  EXPECT_POINT_NEAR(recorder.primitives()[1].points[0], QvGePoint3d(0, 9 - 5.0 / 3.0, 0), 1e-12);
  EXPECT_EQ(recorder.primitives()[1].text, QvString(L"cdef"));
}

TEST(TextTest, MultiLineTextFollowsUniformMapsAndStaysUpright) {
  QvDbMText mtext;
  mtext.setContents(L"abc");
  mtext.setTextHeight(2.0);
  mtext.setWidth(10.0);
  mtext.setLocation(QvGePoint3d(1, 1, 0));
  ASSERT_EQ(mtext.transformBy(QvGeMatrix3d::rotation(kHalfPi, QvGeVector3d::kZAxis) *
                              QvGeMatrix3d::scaling(2.0)),
            eOk);
  EXPECT_NEAR(mtext.textHeight(), 4.0, 1e-12);
  EXPECT_NEAR(mtext.width(), 20.0, 1e-12);
  EXPECT_POINT_NEAR(mtext.location(), QvGePoint3d(-2, 2, 0), 1e-12);
  EXPECT_VECTOR_NEAR(mtext.direction(), QvGeVector3d(0, 1, 0), 1e-12);
  ASSERT_EQ(
      mtext.transformBy(QvGeMatrix3d::mirroring(QvGePlane(QvGePoint3d(), QvGeVector3d(0, 1, 0)))),
      eOk);
  // Upright after the mirror: its up direction is the image of the old one.
  EXPECT_VECTOR_NEAR(mtext.normal().crossProduct(mtext.direction()), QvGeVector3d(-1, 0, 0), 1e-12);
  QvGeMatrix3d shear;
  shear.entry[0][1] = 1.0;
  EXPECT_EQ(mtext.transformBy(shear), Vexa::eNotApplicable);
}

}  // namespace
