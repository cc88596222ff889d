#include <memory>
#include <string>

#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbFcf.h"
#include "sdk/db/QvDbLeader.h"
#include "sdk/db/QvDbMText.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/QvDxfSlot.h"
#include "sdk/io/entities/QvDxfEntityFiler.h"
#include "sdk/rx/QvRxClass.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbEntity", "AcDbLeader"};

// The annotation type (73) a leader's annotation gives.
int annotationType(QvDbObjectId annotation) {
  const QvRxClass* cls = annotation.objectClass();
  if (cls == QvDbMText::desc()) return 0;
  if (cls == QvDbFcf::desc()) return 1;
  if (cls && cls->isDerivedFrom(QvDbBlockReference::desc())) return 2;
  return 3;
}

// A leader (LEADER): its vertices (76 and 10 for each, world), the annotation (340) and the
// normal (210). The style (3), arrowhead, path and hook line settings, the text size and the
// offsets are kept as read and written before the vertices; the annotation type (73) is
// written from the annotation for a leader that was not read with one.
class LeaderFiler : public QvDxfEntityFilerOf<QvDbLeader> {
 public:
  std::string_view recordName() const override { return "LEADER"; }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& leader = static_cast<QvDbLeader&>(object);
    readCommon(in, leader);
    in.select(2);
    // The vertices first: the reader takes the groups of a code from where it last took one,
    // here the start of the subclass, so they come in the order of the file.
    // A leader read again (from an entity data list) drops the vertices it had.
    while (leader.numVertices() > 0) leader.removeLastVertex();
    while (in.has(10)) leader.appendVertex(in.point(10, QvGePoint3d::kOrigin));
    const size_t countAt = in.find(76);
    if (countAt != QvDxfObjectReader::npos) {
      const int64_t count = in.integerAt(countAt, 0, INT32_MAX);
      if (count != leader.numVertices())
        in.session().repair(in.lineAt(countAt) + 1, QvDxfDiagnostic::kVertexCountCorrected,
                            "the leader counts " + std::to_string(count) + " vertices (76) but " +
                                std::to_string(leader.numVertices()) + " follow; they are read");
    }
    leader.setNormal(readNormal(in));
    check(in, leader.attachAnnotation(in.pointer(340)), "the annotation (340) cannot be attached");
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& leader = static_cast<const QvDbLeader&>(object);
    beginEntity(out, leader);
    out.subclass(2);
    // The settings kept come before the vertices, as in the files of other writers.
    const bool hasType = out.hasKept(2, 73);
    out.subclassKeptNow(2);
    const QvDbObjectId annotation = leader.annotationObjId();
    const bool annotated = out.session().isWritten(annotation);
    if (annotated && !hasType) out.integer(73, annotationType(annotation));
    out.integer(76, leader.numVertices());
    for (int i = 0; i < leader.numVertices(); ++i) {
      QvGePoint3d vertex;
      leader.getVertexAt(i, vertex);
      out.point(10, vertex);
    }
    if (annotated) out.pointer(340, annotation);
    writeNormal(out, leader.normal());
    out.end();
  }
};

}  // namespace

QvDxfFilerPtr qvDxfLeaderFiler() {
  return std::make_unique<LeaderFiler>();
}
