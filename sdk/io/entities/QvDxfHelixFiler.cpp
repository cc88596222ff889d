#include "sdk/db/QvDbHelix.h"
#include "sdk/io/QvDxfFilerRegistry.h"
#include "sdk/io/entities/QvDxfEntityClassFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/QvDxfWriteSession.h"
#include "sdk/io/entities/QvDxfSplineFiler.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbEntity", "AcDbSpline", "AcDbHelix"};
constexpr QvDxfClassRecord kClass{"HELIX", "AcDbHelix", "ObjectDBX Classes", 4095, true};

// The version of the helix data written (90, 91).
constexpr int kMajorVersion = 29;
constexpr int kMaintenanceVersion = 63;

// The helix data of a record.
struct HelixData {
  QvGePoint3d axisPoint;
  QvGePoint3d startPoint;
  QvGeVector3d axisVector;
  double topRadius = 1.0;
  double turns = 1.0;
  double turnHeight = 1.0;
  bool ccw = true;
  int64_t constrain = QvDbHelix::kTurns;

  Vexa::ErrorStatus makeInto(QvDbHelix& helix) const {
    const Vexa::ErrorStatus es =
        helix.setHelixData(axisPoint, startPoint, axisVector, topRadius, turns, turnHeight, ccw);
    if (es != Vexa::eOk) return es;
    return helix.setConstrain(static_cast<QvDbHelix::ConstrainType>(constrain));
  }
};

HelixData readHelixData(QvDxfObjectReader& in) {
  HelixData d;
  in.select(3);
  in.integer(90, kMajorVersion, INT32_MIN, INT32_MAX);
  in.integer(91, kMaintenanceVersion, INT32_MIN, INT32_MAX);
  d.axisPoint = in.point(10, QvGePoint3d::kOrigin);
  d.startPoint = in.point(11, QvGePoint3d(1.0, 0.0, 0.0));
  d.axisVector = in.vector(12, QvGeVector3d::kZAxis);
  d.topRadius = in.real(40, 1.0);
  d.turns = in.real(41, 1.0);
  d.turnHeight = in.real(42, 1.0);
  d.ccw = in.integer(290, 1, 0, 1) != 0;
  d.constrain = in.integer(280, QvDbHelix::kTurns, 0, 2);
  return d;
}

// A helix: its spline as a SPLINE has it, then the helix data: axis point (10), start point
// (11), axis vector (12), top radius (40), turns (41), rise of a turn (42), handedness (290: 1
// right-handed, counterclockwise about the axis) and what stays when the height changes (280).
// A helix whose data make no helix is kept as read, as a proxy, and the repair noted.
class HelixFiler : public QvDxfSplineFiler {
 public:
  std::string_view recordName() const override { return "HELIX"; }
  const QvRxClass* objectClass() const override { return QvDbHelix::desc(); }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }

  void noteClass(QvDxfWriteSession& session, const QvDbObject&) const override {
    session.noteClass(kClass);
  }

  QvDbObject* create(QvDxfObjectReader& in) const override {
    const QvDxfObjectReader::Mark mark = in.mark();
    const HelixData data = readHelixData(in);
    in.rewind(mark);
    QvDbHelix trial;
    if (data.makeInto(trial) == Vexa::eOk) return QvDxfSplineFiler::create(in);
    in.session().repair(in.line(), QvDxfDiagnostic::kEntityKeptAsProxy,
                        "the HELIX's axis, start point, radius and turns make no helix; it is "
                        "kept as read");
    return QvDxfFilerRegistry::instance().proxyEntities().create(in);
  }

 protected:
  QvDbSpline* newSpline() const override { return new QvDbHelix(); }

  void readOwn(QvDxfObjectReader& in, QvDbSpline& spline) const override {
    auto& helix = static_cast<QvDbHelix&>(spline);
    const HelixData d = readHelixData(in);
    check(in, d.makeInto(helix),
          "the axis (10, 12), start point (11), radius (40) and turns (41) make no helix");
  }

  void writeOwn(QvDxfObjectWriter& out, const QvDbSpline& spline) const override {
    const auto& helix = static_cast<const QvDbHelix&>(spline);
    out.subclass(3);
    out.integer(90, kMajorVersion);
    out.integer(91, kMaintenanceVersion);
    out.point(10, helix.axisPoint());
    out.point(11, helix.startPoint());
    out.vector(12, helix.axisVector());
    out.real(40, helix.topRadius());
    out.real(41, helix.turns());
    out.real(42, helix.turnHeight());
    out.integer(290, helix.twistCcw() ? 1 : 0);
    out.integer(280, helix.constrain());
  }
};

}  // namespace

QvDxfFilerPtr qvDxfHelixFiler() {
  return std::make_unique<HelixFiler>();
}
