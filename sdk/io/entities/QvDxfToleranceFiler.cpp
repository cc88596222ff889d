#include "sdk/db/QvDbFcf.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/entities/QvDxfTableEntityFiler.h"

namespace {

using F = QvDxfFieldsOf<QvDbFcf>;

constexpr std::string_view kMarkers[] = {"AcDbEntity", "AcDbFcf"};

// The rows of a frame's text are separated by line feeds ("^J" in files, decoded by the reader).
Vexa::ErrorStatus setRows(QvDbFcf& frame, const QvString& text) {
  return frame.setText(text.c_str());
}

// The normal (210) and the direction (11, world) make the orientation together. The class
// keeps the direction a unit vector perpendicular to the normal; the text read stands while
// that gives the same direction.
void readOrientation(QvDxfObjectReader& in, QvDbFcf& frame) {
  const QvGeVector3d normal = QvDxfEntityFiler::readNormal(in);
  const size_t directionAt = in.find(11);
  if (directionAt != QvDxfObjectReader::npos) in.release(directionAt);
  const QvGeVector3d direction = in.vector(11, QvGeVector3d::kXAxis);
  QvDxfEntityFiler::check(in, frame.setOrientation(normal, direction),
                          "the direction (11) is zero or along the normal (210)");
  const QvGeVector3d now = frame.direction();
  const double values[3] = {now.x, now.y, now.z};
  QvDxfEntityFiler::keepDerived(in, directionAt, 3, values);
}

void writeOrientation(QvDxfObjectWriter& out, const QvDbFcf& frame) {
  QvDxfEntityFiler::writeNormal(out, frame.normal());
  const QvGeVector3d direction = frame.direction();
  const double values[3] = {direction.x, direction.y, direction.z};
  QvDxfEntityFiler::writeDerived(out, 11, 3, values);
}

// A feature control frame (TOLERANCE): its location (10, world), text (1) and orientation. The
// style (3) is kept.
constexpr QvDxfField kFields[] = {
    F::point<&QvDbFcf::location, &QvDbFcf::setLocation>(2, 10),
    F::text<&QvDbFcf::text, &setRows>(2, 1),
    F::custom<&readOrientation, &writeOrientation>(2),
};
static_assert(QvDxfFields::isValid(kFields));

}  // namespace

QvDxfFilerPtr qvDxfToleranceFiler() {
  return qvDxfTableEntityFiler<QvDbFcf>("TOLERANCE", kMarkers, kFields);
}
