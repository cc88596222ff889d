#include "sdk/db/QvDbEllipse.h"
#include "sdk/ge/QvGe.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/entities/QvDxfTableEntityFiler.h"

namespace {

using F = QvDxfFieldsOf<QvDbEllipse>;

constexpr std::string_view kMarkers[] = {"AcDbEntity", "AcDbEllipse"};

// The centre (10) and end of the major axis from it (11) in world coordinates, the normal
// (210) and the ratio of the minor to the major axis (40) make the ellipse together.
void readAxes(QvDxfObjectReader& in, QvDbEllipse& ellipse) {
  const QvGePoint3d center = in.point(10, QvGePoint3d::kOrigin);
  const QvGeVector3d major = in.vector(11, QvGeVector3d::kXAxis);
  const QvGeVector3d normal = QvDxfEntityFiler::readNormal(in);
  const double ratio = in.real(40, 1.0);
  QvDxfEntityFiler::check(in, ellipse.set(center, normal.normal(), major, ratio),
                          "the axes (11, 210) or the ratio (40) make no ellipse");
}

void writeAxes(QvDxfObjectWriter& out, const QvDbEllipse& ellipse) {
  out.point(10, ellipse.center());
  out.vector(11, ellipse.majorAxis());
  QvDxfEntityFiler::writeNormal(out, ellipse.normal());
  out.real(40, ellipse.radiusRatio());
}

// An ellipse: its axes, then its start and end parameters (41, 42).
constexpr QvDxfField kFields[] = {
    F::custom<&readAxes, &writeAxes>(2),
    F::real<&QvDbEllipse::startParam, &QvDbEllipse::setStartParam>(2, 41).refusal(
        "the start parameter (41) is not valid"),
    F::real<&QvDbEllipse::endParam, &QvDbEllipse::setEndParam>(2, 42, QvGe::k2Pi)
        .refusal("the end parameter (42) is not valid"),
};
static_assert(QvDxfFields::isValid(kFields));

}  // namespace

QvDxfFilerPtr qvDxfEllipseFiler() {
  return qvDxfTableEntityFiler<QvDbEllipse>("ELLIPSE", kMarkers, kFields);
}
