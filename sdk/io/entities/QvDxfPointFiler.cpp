#include "sdk/db/QvDbPoint.h"
#include "sdk/io/entities/QvDxfTableEntityFiler.h"

namespace {

using F = QvDxfFieldsOf<QvDbPoint>;

constexpr std::string_view kMarkers[] = {"AcDbEntity", "AcDbPoint"};

// A point: position (10, world), thickness (39), normal (210) and the angle of its x axis
// (50, degrees).
constexpr QvDxfField kFields[] = {
    F::point<&QvDbPoint::position, &QvDbPoint::setPosition>(2, 10),
    F::real<&QvDbPoint::thickness, &QvDbPoint::setThickness>(2, 39).unlessDefault(),
    F::normal<&QvDbPoint::normal, &QvDbPoint::setNormal>(2),
    F::angle<&QvDbPoint::ecsRotation, &QvDbPoint::setEcsRotation>(2, 50).unlessDefault(),
};
static_assert(QvDxfFields::isValid(kFields));

}  // namespace

QvDxfFilerPtr qvDxfPointFiler() {
  return qvDxfTableEntityFiler<QvDbPoint>("POINT", kMarkers, kFields);
}
