#include "sdk/db/QvDbUnderlayReference.h"
#include "sdk/io/QvDxfClassRecord.h"
#include "sdk/io/QvDxfFields.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/QvDxfWriteSession.h"
#include "sdk/io/entities/QvDxfEntityFiler.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbEntity", "AcDbUnderlayReference"};

using R = QvDbUnderlayReference;
using F = QvDxfFieldsOf<R>;

template <int Axis>
double scaleOf(const R& ref) {
  return ref.scaleFactors()[Axis];
}

template <int Axis>
Vexa::ErrorStatus setScaleOf(R& ref, double factor) {
  QvGeScale3d scale = ref.scaleFactors();
  scale[Axis] = factor;
  return ref.setScaleFactors(scale);
}

int64_t flagsOf(const R& ref) {
  return ref.underlayFlags();
}

Vexa::ErrorStatus setFlagsOf(R& ref, int64_t flags) {
  return ref.setUnderlayFlags(static_cast<uint8_t>(flags));
}

int64_t contrastOf(const R& ref) {
  return ref.contrast();
}

Vexa::ErrorStatus setContrastOf(R& ref, int64_t value) {
  return ref.setContrast(static_cast<int>(value));
}

int64_t fadeOf(const R& ref) {
  return ref.fade();
}

Vexa::ErrorStatus setFadeOf(R& ref, int64_t value) {
  return ref.setFade(static_cast<int>(value));
}

// The clip boundary: its vertices (11, 21), in order. The flags (280) say whether it clips.
void readBoundary(QvDxfObjectReader& in, R& ref) {
  QvGePoint2dArray points;
  for (size_t i = in.next(in.bodyBegin()); i != QvDxfObjectReader::npos; i = in.next(i + 1)) {
    if (in.code(i) != 11) continue;
    const double x = in.realAt(i);
    double y = 0.0;
    if (i + 1 < in.endIndex() && in.code(i + 1) == 21) y = in.realAt(++i);
    points.append(QvGePoint2d(x, y));
  }
  const uint8_t flags = ref.underlayFlags();
  QvDxfEntityFiler::check(in, ref.setClipBoundary(points),
                          "the clip boundary (11) needs two corners or three vertices or more");
  ref.setUnderlayFlags(flags);
}

void writeBoundary(QvDxfObjectWriter& out, const R& ref) {
  for (const QvGePoint2d& p : ref.clipBoundary()) out.point(11, QvGePoint3d(p.x, p.y, 0.0), false);
}

// An underlay: the definition (340), position (10, world), scale factors (41 to 43), rotation
// (50, degrees), normal (210), flags (280), contrast (281), fade (282) and clip boundary (11).
constexpr QvDxfField kFields[] = {
    F::pointer<&R::definitionId, &R::setDefinitionId>(2, 340).refusal(
        "the underlay definition (340) is of another kind"),
    F::point<&R::position, &R::setPosition>(2, 10),
    F::real<&scaleOf<0>, &setScaleOf<0>>(2, 41, 1.0).refusal("the x scale (41) is zero"),
    F::real<&scaleOf<1>, &setScaleOf<1>>(2, 42, 1.0).refusal("the y scale (42) is zero"),
    F::real<&scaleOf<2>, &setScaleOf<2>>(2, 43, 1.0).refusal("the z scale (43) is zero"),
    F::angle<&R::rotation, &R::setRotation>(2, 50),
    F::normal<&R::normal, &R::setNormal>(2),
    F::integer<&flagsOf, &setFlagsOf>(2, 280, R::kOn, 0, 255),
    F::integer<&contrastOf, &setContrastOf>(2, 281, 100, 20, 100),
    F::integer<&fadeOf, &setFadeOf>(2, 282, 0, 0, 80),
    F::custom<&readBoundary, &writeBoundary>(2),
};
static_assert(QvDxfFields::isValid(kFields));

template <class Reference>
class UnderlayReferenceFiler : public QvDxfEntityFilerOf<Reference> {
 public:
  UnderlayReferenceFiler(std::string_view recordName, const QvDxfClassRecord& classRecord)
      : recordName_(recordName), classRecord_(classRecord) {}

  std::string_view recordName() const override { return recordName_; }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    this->readCommon(in, static_cast<Reference&>(object));
    QvDxfFields::read(in, object, kFields);
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    this->beginEntity(out, static_cast<const Reference&>(object));
    QvDxfFields::write(out, object, kFields, 1, 2);
    out.end();
  }

  void noteClass(QvDxfWriteSession& session, const QvDbObject&) const override {
    session.noteClass(classRecord_);
  }

 private:
  std::string_view recordName_;
  QvDxfClassRecord classRecord_;
};

template <class Reference>
QvDxfFilerPtr makeFiler(std::string_view recordName, std::string_view className, int32_t flags) {
  return std::make_unique<UnderlayReferenceFiler<Reference>>(
      recordName, QvDxfClassRecord{recordName, className, "ObjectDBX Classes", flags, true});
}

}  // namespace

QvDxfFilerPtr qvDxfPdfReferenceFiler() {
  return makeFiler<QvDbPdfReference>("PDFUNDERLAY", "AcDbPdfReference", 4095);
}

QvDxfFilerPtr qvDxfDwfReferenceFiler() {
  return makeFiler<QvDbDwfReference>("DWFUNDERLAY", "AcDbDwfReference", 1153);
}

QvDxfFilerPtr qvDxfDgnReferenceFiler() {
  return makeFiler<QvDbDgnReference>("DGNUNDERLAY", "AcDbDgnReference", 1153);
}
