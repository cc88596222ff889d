#include <array>

#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/io/entities/QvDxfTableEntityFiler.h"

namespace {

constexpr std::string_view kCircleMarkers[] = {"AcDbEntity", "AcDbCircle"};
constexpr std::string_view kArcMarkers[] = {"AcDbEntity", "AcDbCircle", "AcDbArc"};

// The circle part of circles and arcs (subclass 2): thickness (39), centre (10, in the OCS of
// the normal), radius (40) and normal (210).
template <class Curve>
constexpr std::array<QvDxfField, 4> circleFields() {
  using F = QvDxfFieldsOf<Curve>;
  return {
      F::template real<&Curve::thickness, &Curve::setThickness>(2, 39).unlessDefault(),
      F::template ocsPoint<&Curve::center, &Curve::setCenter>(2, 10),
      F::template real<&Curve::radius, &Curve::setRadius>(2, 40, 1.0)
          .refusal("the radius (40) is not positive"),
      F::template normal<&Curve::normal, &Curve::setNormal>(2),
  };
}

constexpr auto kCircleFields = circleFields<QvDbCircle>();

// An arc: the circle part, then the start and end angles (50, 51, degrees) in its OCS.
using A = QvDxfFieldsOf<QvDbArc>;
constexpr auto kArcFields =
    QvDxfFields::join(circleFields<QvDbArc>(),
                      std::array{A::angle<&QvDbArc::startAngle, &QvDbArc::setStartAngle>(3, 50),
                                 A::angle<&QvDbArc::endAngle, &QvDbArc::setEndAngle>(3, 51)});

static_assert(QvDxfFields::isValid(kCircleFields));
static_assert(QvDxfFields::isValid(kArcFields));

}  // namespace

QvDxfFilerPtr qvDxfCircleFiler() {
  return qvDxfTableEntityFiler<QvDbCircle>("CIRCLE", kCircleMarkers, kCircleFields);
}

QvDxfFilerPtr qvDxfArcFiler() {
  return qvDxfTableEntityFiler<QvDbArc>("ARC", kArcMarkers, kArcFields);
}
