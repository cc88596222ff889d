#include "sdk/db/QvDbLine.h"
#include "sdk/io/entities/QvDxfTableEntityFiler.h"

namespace {

using F = QvDxfFieldsOf<QvDbLine>;

constexpr std::string_view kMarkers[] = {"AcDbEntity", "AcDbLine"};

// A line: start (10) and end (11) in world coordinates, thickness (39) and normal (210).
constexpr QvDxfField kFields[] = {
    F::real<&QvDbLine::thickness, &QvDbLine::setThickness>(2, 39).unlessDefault(),
    F::point<&QvDbLine::startPoint, &QvDbLine::setStartPoint>(2, 10),
    F::point<&QvDbLine::endPoint, &QvDbLine::setEndPoint>(2, 11),
    F::normal<&QvDbLine::normal, &QvDbLine::setNormal>(2),
};
static_assert(QvDxfFields::isValid(kFields));

}  // namespace

QvDxfFilerPtr qvDxfLineFiler() {
  return qvDxfTableEntityFiler<QvDbLine>("LINE", kMarkers, kFields);
}
