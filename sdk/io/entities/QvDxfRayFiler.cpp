#include <array>

#include "sdk/db/QvDbRay.h"
#include "sdk/db/QvDbXline.h"
#include "sdk/io/entities/QvDxfTableEntityFiler.h"

namespace {

constexpr std::string_view kRayMarkers[] = {"AcDbEntity", "AcDbRay"};
constexpr std::string_view kXlineMarkers[] = {"AcDbEntity", "AcDbXline"};

// Rays and construction lines: base point (10) and unit direction (11), in world coordinates.
template <class Line>
constexpr std::array<QvDxfField, 2> unboundedLineFields() {
  using F = QvDxfFieldsOf<Line>;
  return {
      F::template point<&Line::basePoint, &Line::setBasePoint>(2, 10),
      F::template vector<&Line::unitDir, &Line::setUnitDir>(2, 11, 1.0)
          .refusal("the direction (11) is zero"),
  };
}

constexpr auto kRayFields = unboundedLineFields<QvDbRay>();
constexpr auto kXlineFields = unboundedLineFields<QvDbXline>();

}  // namespace

QvDxfFilerPtr qvDxfRayFiler() {
  return qvDxfTableEntityFiler<QvDbRay>("RAY", kRayMarkers, kRayFields);
}

QvDxfFilerPtr qvDxfXlineFiler() {
  return qvDxfTableEntityFiler<QvDbXline>("XLINE", kXlineMarkers, kXlineFields);
}
