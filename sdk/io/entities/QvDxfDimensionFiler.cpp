#include <memory>
#include <span>

#include "sdk/db/QvDb2LineAngularDimension.h"
#include "sdk/db/QvDb3PointAngularDimension.h"
#include "sdk/db/QvDbAlignedDimension.h"
#include "sdk/db/QvDbArcDimension.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDiametricDimension.h"
#include "sdk/db/QvDbOrdinateDimension.h"
#include "sdk/db/QvDbProxyEntity.h"
#include "sdk/db/QvDbRadialDimension.h"
#include "sdk/db/QvDbRadialDimensionLarge.h"
#include "sdk/db/QvDbRotatedDimension.h"
#include "sdk/db/QvDbSymbolTableRecord.h"
#include "sdk/io/QvDxfClassRecord.h"
#include "sdk/io/QvDxfError.h"
#include "sdk/io/QvDxfFields.h"
#include "sdk/io/QvDxfFilerRegistry.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfNumber.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/QvDxfWriteSession.h"
#include "sdk/io/entities/QvDxfEntityFiler.h"
#include "sdk/rx/QvRxClass.h"

namespace {

// The dimension type: the low bits of 70. The bits above (a block of its own, a text moved by
// the user) are kept as read; an ordinate models bit 64, its x axis.
constexpr int64_t kTypeMask = 0x0F;
constexpr int64_t kOrdinateXAxis = 64;

// What a record holds of its kind: the class, its type, the groups of subclass 2 that are its
// points (10) and those of its own subclasses, and the last subclass it writes (a rotated
// dimension ends with an empty one).
struct DimensionKind {
  QvRxClass* (*desc)();
  QvDbDimension* (*make)();
  int64_t type;
  std::span<const QvDxfField> head;
  std::span<const QvDxfField> body;
  int lastSubclass;
};

template <class Dimension>
QvDbDimension* makeDimension() {
  return new Dimension();
}

// DIMENSION: the common subclasses, then those of the kinds. A record has its kind's markers
// only; the numbers are those of this list, in reading and writing alike.
constexpr std::string_view kMarkers[] = {"AcDbEntity",
                                         "AcDbDimension",
                                         "AcDbAlignedDimension",
                                         "AcDbRotatedDimension",
                                         "AcDb2LineAngularDimension",
                                         "AcDbDiametricDimension",
                                         "AcDbRadialDimension",
                                         "AcDb3PointAngularDimension",
                                         "AcDbOrdinateDimension"};
constexpr std::string_view kArcMarkers[] = {"AcDbEntity", "AcDbDimension", "AcDbArcDimension"};
constexpr std::string_view kLargeRadialMarkers[] = {"AcDbEntity", "AcDbDimension",
                                                    "AcDbRadialDimensionLarge"};

// Linear kinds: the dimension line's point (10), the extension line origins (13, 14, world)
// and, for a rotated one, the dimension line's angle (50, degrees).
using Length = QvDxfFieldsOf<QvDbLengthDimension>;
constexpr QvDxfField kLengthHead[] = {
    Length::point<&QvDbLengthDimension::dimLinePoint, &QvDbLengthDimension::setDimLinePoint>(2,
                                                                                             10)};
constexpr QvDxfField kAlignedBody[] = {
    Length::point<&QvDbLengthDimension::xLine1Point, &QvDbLengthDimension::setXLine1Point>(3, 13),
    Length::point<&QvDbLengthDimension::xLine2Point, &QvDbLengthDimension::setXLine2Point>(3, 14),
};
using Rotated = QvDxfFieldsOf<QvDbRotatedDimension>;
constexpr QvDxfField kRotatedBody[] = {
    kAlignedBody[0], kAlignedBody[1],
    Rotated::angle<&QvDbRotatedDimension::rotation, &QvDbRotatedDimension::setRotation>(3, 50)};

// Two-line angular: the first line (13, 14), the second (15, 10), the arc point (16, in the
// OCS of the normal).
using TwoLine = QvDb2LineAngularDimension;
using TwoLineFields = QvDxfFieldsOf<TwoLine>;
void readArcPointOcs(QvDxfObjectReader& in, TwoLine& dimension) {
  dimension.setArcPoint(QvDxfEntityFiler::ocsPoint(in, 16, dimension.normal()));
}
void writeArcPointOcs(QvDxfObjectWriter& out, const TwoLine& dimension) {
  QvDxfEntityFiler::writeOcsPoint(out, 16, dimension.arcPoint(), dimension.normal());
}
constexpr QvDxfField kTwoLineHead[] = {
    TwoLineFields::point<&TwoLine::xLine2End, &TwoLine::setXLine2End>(2, 10)};
constexpr QvDxfField kTwoLineBody[] = {
    TwoLineFields::point<&TwoLine::xLine1Start, &TwoLine::setXLine1Start>(5, 13),
    TwoLineFields::point<&TwoLine::xLine1End, &TwoLine::setXLine1End>(5, 14),
    TwoLineFields::point<&TwoLine::xLine2Start, &TwoLine::setXLine2Start>(5, 15),
    TwoLineFields::custom<&readArcPointOcs, &writeArcPointOcs>(5),
};

// Diametric and radial: the far chord point or the center (10), the chord point (15) and the
// leader length (40, left out when 0).
using Chord = QvDxfFieldsOf<QvDbChordDimension>;
template <int Subclass>
constexpr QvDxfField kChordBody[] = {
    Chord::point<&QvDbChordDimension::chordPoint, &QvDbChordDimension::setChordPoint>(Subclass, 15),
    Chord::real<&QvDbChordDimension::leaderLength, &QvDbChordDimension::setLeaderLength>(Subclass,
                                                                                         40)
        .unlessDefault()
        .refusal("the leader length (40) is negative or not finite"),
};
using Diametric = QvDbDiametricDimension;
constexpr QvDxfField kDiametricHead[] = {
    QvDxfFieldsOf<Diametric>::point<&Diametric::farChordPoint, &Diametric::setFarChordPoint>(2,
                                                                                             10)};
using Radial = QvDbRadialDimension;
constexpr QvDxfField kRadialHead[] = {
    QvDxfFieldsOf<Radial>::point<&Radial::center, &Radial::setCenter>(2, 10)};

// Three-point angular and arc: the arc point (10), the extension line origins (13, 14) and the
// center (15).
using Centered = QvDbCenteredSectorDimension;
using CenteredFields = QvDxfFieldsOf<Centered>;
constexpr QvDxfField kCenteredHead[] = {
    CenteredFields::point<&Centered::arcPoint, &Centered::setArcPoint>(2, 10)};
template <int Subclass>
constexpr QvDxfField kCenteredBody[] = {
    CenteredFields::point<&Centered::xLine1Point, &Centered::setXLine1Point>(Subclass, 13),
    CenteredFields::point<&Centered::xLine2Point, &Centered::setXLine2Point>(Subclass, 14),
    CenteredFields::point<&Centered::centerPoint, &Centered::setCenterPoint>(Subclass, 15),
};
// The arc's parameters (40, 41), partial (70), leader (71) and the leader's points (16, 17).
using Arc = QvDbArcDimension;
using ArcFields = QvDxfFieldsOf<Arc>;
constexpr QvDxfField kArcBody[] = {
    kCenteredBody<3>[0],
    kCenteredBody<3>[1],
    kCenteredBody<3>[2],
    ArcFields::real<&Arc::arcStartParam, &Arc::setArcStartParam>(3, 40),
    ArcFields::real<&Arc::arcEndParam, &Arc::setArcEndParam>(3, 41),
    ArcFields::integer<&Arc::isPartial, &Arc::setIsPartial>(3, 70, 0, 0, 1),
    ArcFields::integer<&Arc::hasLeader, &Arc::setHasLeader>(3, 71, 0, 0, 1),
    ArcFields::point<&Arc::leader1Point, &Arc::setLeader1Point>(3, 16),
    ArcFields::point<&Arc::leader2Point, &Arc::setLeader2Point>(3, 17),
};

// Ordinate: the origin (10), the defining point (13) and the leader's end (14).
using Ordinate = QvDbOrdinateDimension;
using OrdinateFields = QvDxfFieldsOf<Ordinate>;
constexpr QvDxfField kOrdinateHead[] = {
    OrdinateFields::point<&Ordinate::origin, &Ordinate::setOrigin>(2, 10)};
constexpr QvDxfField kOrdinateBody[] = {
    OrdinateFields::point<&Ordinate::definingPoint, &Ordinate::setDefiningPoint>(9, 13),
    OrdinateFields::point<&Ordinate::leaderEndPoint, &Ordinate::setLeaderEndPoint>(9, 14),
};

// Large radial: the center (10), the chord point (13), the center shown (14), the jog (15) and
// its angle (40, radians).
using Large = QvDbRadialDimensionLarge;
using LargeFields = QvDxfFieldsOf<Large>;
constexpr QvDxfField kLargeHead[] = {LargeFields::point<&Large::center, &Large::setCenter>(2, 10)};
constexpr QvDxfField kLargeBody[] = {
    LargeFields::point<&Large::chordPoint, &Large::setChordPoint>(3, 13),
    LargeFields::point<&Large::overrideCenter, &Large::setOverrideCenter>(3, 14),
    LargeFields::point<&Large::jogPoint, &Large::setJogPoint>(3, 15),
    LargeFields::real<&Large::jogAngle, &Large::setJogAngle>(3, 40, 0.7853981633974483)
        .refusal("the jog angle (40) is not finite"),
};

const DimensionKind kDimensionKinds[] = {
    {&QvDbRotatedDimension::desc, &makeDimension<QvDbRotatedDimension>, 0, kLengthHead,
     kRotatedBody, 4},
    {&QvDbAlignedDimension::desc, &makeDimension<QvDbAlignedDimension>, 1, kLengthHead,
     kAlignedBody, 3},
    {&TwoLine::desc, &makeDimension<TwoLine>, 2, kTwoLineHead, kTwoLineBody, 5},
    {&Diametric::desc, &makeDimension<Diametric>, 3, kDiametricHead, kChordBody<6>, 6},
    {&Radial::desc, &makeDimension<Radial>, 4, kRadialHead, kChordBody<7>, 7},
    {&QvDb3PointAngularDimension::desc, &makeDimension<QvDb3PointAngularDimension>, 5,
     kCenteredHead, kCenteredBody<8>, 8},
    {&Ordinate::desc, &makeDimension<Ordinate>, 6, kOrdinateHead, kOrdinateBody, 9},
};
// Files of R2018 give an arc dimension type 8, older ones 5; it is written as 8.
const DimensionKind kArcKinds[] = {
    {&Arc::desc, &makeDimension<Arc>, 8, kCenteredHead, kArcBody, 3}};
const DimensionKind kLargeRadialKinds[] = {
    {&Large::desc, &makeDimension<Large>, 9, kLargeHead, kLargeBody, 3}};

// The dimension records. Subclass 2 holds what every kind has: its block by name (2), the
// kind's point 10 (world), the text position (11, in the OCS of the normal), the type (70),
// the measurement (42, written as the dimension measures), the text's horizontal direction
// (51, degrees), the user's text (1) and its rotation (53, degrees) and the normal (210); the
// kind's subclass holds its other points. The style (3) and what else a dimension record holds
// are kept.
class DimensionFiler : public QvDxfEntityFiler {
 public:
  DimensionFiler(std::string_view recordName, std::span<const std::string_view> markers,
                 std::span<const DimensionKind> kinds, const QvDxfClassRecord* classRecord)
      : recordName_(recordName), markers_(markers), kinds_(kinds), classRecord_(classRecord) {}

  std::string_view recordName() const override { return recordName_; }
  std::span<const std::string_view> subclassMarkers() const override { return markers_; }
  const QvRxClass* objectClass() const override { return kinds_.front().desc(); }

  QvDbObject* create(QvDxfObjectReader& in) const override {
    if (lacksDimensionSubclass(in)) return proxies().create(in);
    if (kinds_.size() == 1) return kinds_.front().make();
    const int64_t type = dimensionType(in);
    for (const DimensionKind& kind : kinds_)
      if (kind.type == type) return kind.make();
    return proxies().create(in);
  }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    if (QvDbProxyEntity::cast(&object)) {
      proxies().read(in, object);
      return;
    }
    auto& dimension = static_cast<QvDbDimension&>(object);
    const DimensionKind& kind = kindOf(object);
    readCommon(in, dimension);
    in.select(2);
    const QvDbObjectId block = readBlock(in);
    const QvGeVector3d normal = readNormal(in);
    dimension.setNormal(normal);
    dimension.setTextPosition(ocsPoint(in, 11, normal));
    auto* ordinate = QvDbOrdinateDimension::cast(&object);
    const int64_t flags = in.flags(70, 0, kTypeMask | (ordinate ? kOrdinateXAxis : 0));
    if (ordinate) (flags & kOrdinateXAxis) ? ordinate->useXAxis() : ordinate->useYAxis();
    dimension.setHorizontalRotation(in.angle(51, 0.0));
    dimension.setDimensionText(in.text(1));
    dimension.setTextRotation(in.angle(53, 0.0));
    const size_t measurementAt = in.find(42);
    QvDxfFields::read(in, object, kind.head);
    QvDxfFields::read(in, object, kind.body);
    // Last, so that the block counts as drawing the dimension as read.
    if (!block.isNull()) dimension.setDimBlockId(block);
    const double measurement = dimension.measurement();
    keepDerived(in, measurementAt, 1, &measurement);
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& dimension = static_cast<const QvDbDimension&>(object);
    const DimensionKind& kind = kindOf(object);
    beginEntity(out, dimension);
    out.subclass(2);
    const QvDbObjectId block = dimension.dimBlockId();
    if (out.session().isWritten(block))
      out.text(2, QvDbSymbolTableRecord::nameOf(block));
    else if (out.writesGroup(2, false))
      out.raw(2, "");
    QvDxfFields::write(out, object, kind.head, 2, 2);
    writeOcsPoint(out, 11, dimension.textPosition(), dimension.normal());
    int64_t type = kind.type;
    if (const auto* ordinate = QvDbOrdinateDimension::cast(&object))
      type |= ordinate->isUsingXAxis() ? kOrdinateXAxis : 0;
    out.flags(70, type);
    const double measurement = dimension.measurement();
    writeDerived(out, 42, 1, &measurement);
    if (out.writesGroup(1, !dimension.dimensionText().isEmpty()))
      out.text(1, dimension.dimensionText());
    if (out.writesGroup(53, dimension.textRotation() != 0.0))
      out.angle(53, dimension.textRotation());
    if (out.writesGroup(51, dimension.horizontalRotation() != 0.0))
      out.angle(51, dimension.horizontalRotation());
    writeNormal(out, dimension.normal());
    QvDxfFields::write(out, object, kind.body, kind.body.front().subclass - 1, kind.lastSubclass);
    out.end();
  }

  void noteClass(QvDxfWriteSession& session, const QvDbObject& object) const override {
    if (classRecord_)
      session.noteClass(*classRecord_);
    else
      QvDxfEntityFiler::noteClass(session, object);
  }

 private:
  static const QvDxfClassFiler& proxies() { return QvDxfFilerRegistry::instance().proxyEntities(); }

  const DimensionKind& kindOf(const QvDbObject& object) const {
    for (const DimensionKind& kind : kinds_)
      if (object.isA() == kind.desc()) return kind;
    return kinds_.front();
  }

  static int64_t dimensionType(QvDxfObjectReader& in) {
    in.select(2);
    const size_t at = in.find(70);
    if (at == QvDxfObjectReader::npos) return 0;
    int64_t flags = 0;
    QvDxfNumber::parseInteger(in.value(at), flags);
    in.release(at);
    return flags & kTypeMask;
  }

  // A record with subclass markers but no dimension subclass: its groups say nothing a
  // dimension can take (a proxy read from a file without markers is written back so), and it
  // stays a proxy.
  bool lacksDimensionSubclass(QvDxfObjectReader& in) const {
    bool marked = false;
    for (size_t i = in.bodyBegin(); i < in.endIndex(); ++i) {
      if (in.code(i) != 100) continue;
      if (in.value(i) == markers_[1]) return false;
      marked = true;
    }
    return marked;
  }

  // The block that draws the dimension (2). A name no block of the file has is noted and
  // left: the dimension draws itself again.
  static QvDbObjectId readBlock(QvDxfObjectReader& in) {
    const size_t at = in.find(2);
    if (at == QvDxfObjectReader::npos) return QvDbObjectId();
    const QvString name = in.textAt(at);
    const QvDbObjectId block = in.session().findRecord(QvDxfReadSession::kBlock, name);
    if (block.isNull() || block.objectClass() != QvDbBlockTableRecord::desc()) {
      in.session().repair(in.lineAt(at) + 1, QvDxfDiagnostic::kDimensionBlockDropped,
                          "the dimension block " + qvDxfQuoted(name.utf8()) +
                              " is not defined; the dimension is read "
                              "without it");
      return QvDbObjectId();
    }
    return block;
  }

  std::string_view recordName_;
  std::span<const std::string_view> markers_;
  std::span<const DimensionKind> kinds_;
  const QvDxfClassRecord* classRecord_;
};

constexpr QvDxfClassRecord kArcClass{"ARC_DIMENSION", "AcDbArcDimension", "ObjectDBX Classes", 1025,
                                     true};
constexpr QvDxfClassRecord kLargeRadialClass{"LARGE_RADIAL_DIMENSION", "AcDbRadialDimensionLarge",
                                             "ObjectDBX Classes", 1025, true};

}  // namespace

QvDxfFilerPtr qvDxfDimensionFiler() {
  return std::make_unique<DimensionFiler>("DIMENSION", kMarkers, kDimensionKinds, nullptr);
}

QvDxfFilerPtr qvDxfArcDimensionFiler() {
  return std::make_unique<DimensionFiler>("ARC_DIMENSION", kArcMarkers, kArcKinds, &kArcClass);
}

QvDxfFilerPtr qvDxfLargeRadialDimensionFiler() {
  return std::make_unique<DimensionFiler>("LARGE_RADIAL_DIMENSION", kLargeRadialMarkers,
                                          kLargeRadialKinds, &kLargeRadialClass);
}
