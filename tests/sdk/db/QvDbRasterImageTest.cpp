// Raster images and wipeouts: the frame, clip boundaries in pixels and the boundary vertices.
#include <gtest/gtest.h>

#include <memory>

#include "sdk/db/QvDbExtents.h"
#include "sdk/db/QvDbWipeout.h"
#include "sdk/db/qvdbCalDynamicTol.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/render/QvGiWorldDrawRecorder.h"
#include "tests/sdk/db/DbTestHelpers.h"
#include "tests/support/HostFixture.h"
#include "tests/support/PointChecks.h"

namespace {

using Vexa::eOk;

QvGePoint3dArray verticesOf(const QvDbRasterImage& image) {
  QvGePoint3dArray vertices;
  EXPECT_EQ(image.getVertices(vertices), eOk);
  return vertices;
}

// An image of 100 x 50 pixels shown 10 x 5 units large at (1, 1, 0).
std::unique_ptr<QvDbRasterImage> placedImage() {
  auto image = std::make_unique<QvDbRasterImage>();
  EXPECT_EQ(
      image->setOrientation(QvGePoint3d(1, 1, 0), QvGeVector3d(10, 0, 0), QvGeVector3d(0, 5, 0)),
      eOk);
  EXPECT_EQ(image->setImageSize(100, 50), eOk);
  return image;
}

std::unique_ptr<QvDbRasterImage> copyOf(const QvDbRasterImage& image) {
  return std::unique_ptr<QvDbRasterImage>(QvDbRasterImage::cast(image.clone()));
}

TEST(QvDbRasterImageTest, FrameAndClipBoundaries) {
  const std::unique_ptr<QvDbRasterImage> placed = placedImage();
  QvDbRasterImage& image = *placed;
  EXPECT_FALSE(image.isClipped());
  EXPECT_POINTS_NEAR(verticesOf(image), {{1, 1, 0}, {11, 1, 0}, {11, 6, 0}, {1, 6, 0}}, 1e-12);

  // A rectangle given by two corners, in pixels: its four corners in order.
  ASSERT_EQ(image.setClipBoundary(QvDbRasterImage::kRect, {{20, 10}, {60, 40}}), eOk);
  EXPECT_TRUE(image.isClipped());
  EXPECT_POINTS_NEAR(verticesOf(image), {{3, 2, 0}, {7, 2, 0}, {7, 5, 0}, {3, 5, 0}}, 1e-12);

  // A polygon; a last point repeating the first is dropped.
  ASSERT_EQ(image.setClipBoundary(QvDbRasterImage::kPoly, {{0, 0}, {100, 0}, {50, 50}, {0, 0}}),
            eOk);
  EXPECT_EQ(image.clipBoundary().length(), 3);
  EXPECT_POINTS_NEAR(verticesOf(image), {{1, 1, 0}, {11, 1, 0}, {6, 6, 0}}, 1e-12);

  // Bad boundaries change nothing.
  EXPECT_EQ(image.setClipBoundary(QvDbRasterImage::kRect, {{20, 10}, {20, 40}}),
            Vexa::eInvalidInput);
  EXPECT_EQ(image.setClipBoundary(QvDbRasterImage::kPoly, {{0, 0}, {1, 1}, {0, 0}}),
            Vexa::eInvalidInput);
  EXPECT_EQ(image.setClipBoundary(QvDbRasterImage::kInvalid, {{0, 0}, {1, 1}, {2, 0}}),
            Vexa::eInvalidInput);
  EXPECT_EQ(image.clipBoundaryType(), QvDbRasterImage::kPoly);
  EXPECT_EQ(image.clipBoundary().length(), 3);
  EXPECT_EQ(image.setOrientation(QvGePoint3d(), QvGeVector3d(1, 0, 0), QvGeVector3d(2, 0, 0)),
            Vexa::eInvalidInput);
  EXPECT_EQ(image.setImageSize(0, 5), Vexa::eInvalidInput);
  EXPECT_EQ(image.imageSize().x, 100.0);

  ASSERT_EQ(image.resetClipBoundary(), eOk);
  EXPECT_EQ(verticesOf(image).length(), 4);

  // Drawn as its boundary, closed.
  QvGiWorldDrawRecorder recorder;
  ASSERT_TRUE(recorder.drawTopLevel(&image));
  ASSERT_EQ(recorder.primitives().size(), 1u);
  QvGePoint3dArray outline = verticesOf(image);
  outline.append(outline.first());
  EXPECT_POINTS_NEAR(recorder.primitives()[0].points, outline, 1e-12);
}

// The vertices move as the points they are, under any matrix that keeps a frame.
TEST(QvDbRasterImageTest, TransformationCarriesTheBoundary) {
  const std::unique_ptr<QvDbRasterImage> placed = placedImage();
  QvDbRasterImage& image = *placed;
  ASSERT_EQ(image.setClipBoundary(QvDbRasterImage::kPoly, {{10, 5}, {90, 10}, {40, 45}}), eOk);
  QvGeMatrix3d shear;
  shear.setCoordSystem(QvGePoint3d(3, 4, 5), QvGeVector3d(1, 0.5, 0), QvGeVector3d(0, 2, 1),
                       QvGeVector3d(0, 0, 1));
  const QvGeMatrix3d xforms[] = {
      QvGeMatrix3d::rotation(0.7, QvGeVector3d(1, -1, 2).normal(), QvGePoint3d(2, 2, 2)), shear};
  for (const QvGeMatrix3d& xform : xforms) {
    const std::unique_ptr<QvDbRasterImage> moved = copyOf(image);
    QvGePoint3dArray expected = verticesOf(image);
    for (QvGePoint3d& p : expected) p.transformBy(xform);
    ASSERT_EQ(moved->transformBy(xform), eOk);
    EXPECT_POINTS_NEAR(verticesOf(*moved), expected, 1e-12);
  }
  const std::unique_ptr<QvDbRasterImage> flattened = copyOf(image);
  EXPECT_EQ(flattened->transformBy(QvGeMatrix3d::scaling(0.0)), Vexa::eDegenerateGeometry);
  EXPECT_POINTS_NEAR(verticesOf(*flattened), verticesOf(image), 1e-12);

  QvDbExtents extents;
  ASSERT_EQ(image.getGeomExtents(extents), eOk);
  EXPECT_NEAR(extents.minPoint().distanceTo(QvGePoint3d(2, 1.5, 0)), 0.0, 1e-12);
  EXPECT_NEAR(extents.maxPoint().distanceTo(QvGePoint3d(10, 5.5, 0)), 0.0, 1e-12);
}

// A wipeout's boundary is its polygon, carried into the world by its plane's frame.
TEST(QvDbWipeoutTest, PolygonInItsPlane) {
  const QvGeVector3d normals[] = {QvGeVector3d::kZAxis, QvGeVector3d(1, 2, 2).normal()};
  const QvGePoint2dArray polygon = {{2, 1}, {8, 1}, {8, 4}, {5, 7}, {2, 4}, {2, 1}};
  for (const QvGeVector3d& normal : normals) {
    QvDbWipeout wipeout;
    ASSERT_EQ(wipeout.setFrom(polygon, normal), eOk);
    EXPECT_EQ(wipeout.clipBoundaryType(), QvDbRasterImage::kPoly);
    QvGePoint3dArray expected;
    for (int i = 0; i + 1 < polygon.length(); ++i)
      expected.append(QvGePoint3d(polygon[i].x, polygon[i].y, 0)
                          .transformBy(QvGeMatrix3d::planeToWorld(normal)));
    EXPECT_POINTS_NEAR(verticesOf(wipeout), expected, 1e-12);
  }

  QvDbWipeout wipeout;
  EXPECT_EQ(QvDbRasterImage::cast(&wipeout), &wipeout);
  EXPECT_EQ(wipeout.setFrom({{0, 0}, {4, 0}, {0, 0}}, QvGeVector3d::kZAxis), Vexa::eInvalidInput);
  EXPECT_EQ(wipeout.setFrom({{0, 0}, {4, 0}, {9, 0}}, QvGeVector3d::kZAxis), Vexa::eInvalidInput);
  EXPECT_EQ(wipeout.setFrom({{0, 0}, {4, 0}, {0, 3}}, QvGeVector3d(0, 0, 0)), Vexa::eInvalidInput);
  EXPECT_FALSE(wipeout.isClipped());
}

class QvDbDynamicTolTest : public HostFixture {};

// The tolerance grows with the size of the coordinates and never falls below the seed.
TEST_F(QvDbDynamicTolTest, SizeRelativeAboveTheSeed) {
  const std::unique_ptr<QvDbRasterImage> image = placedImage();  // coordinates up to 11
  double tol = 1e-6;
  ASSERT_EQ(qvdbCalDynamicTol(image.get(), tol), eOk);
  EXPECT_EQ(tol, 1e-6);

  ASSERT_EQ(image->transformBy(QvGeMatrix3d::translation(QvGeVector3d(0, -5e6, 0))), eOk);
  tol = 1e-6;
  ASSERT_EQ(qvdbCalDynamicTol(image.get(), tol), eOk);
  EXPECT_NEAR(tol, 1e-9 * (5e6 - 1), 1e-15);

  tol = -1;
  EXPECT_EQ(qvdbCalDynamicTol(image.get(), tol), Vexa::eInvalidInput);
  EXPECT_EQ(tol, -1);
  tol = 1e-6;
  EXPECT_EQ(qvdbCalDynamicTol(nullptr, tol), Vexa::eNullPtr);
  EXPECT_EQ(tol, 1e-6);

  // A resident entity is measured while open.
  const QvDbObjectId id = addTestEntity(db()->modelSpaceId(), 1);
  QvDbObjectPointer<TestEntity> entity(id, QvDb::kForRead);
  tol = 0.0;
  ASSERT_EQ(qvdbCalDynamicTol(entity.object(), tol), eOk);
  EXPECT_EQ(tol, 1e-9);  // the test entity's box reaches (1, 1, 0)
}

}  // namespace
