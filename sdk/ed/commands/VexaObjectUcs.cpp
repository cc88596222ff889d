#include "sdk/ed/commands/VexaObjectUcs.h"

#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/VexaHost.h"
#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbEllipse.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbMText.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbPoint.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/db/QvDbText.h"
#include "sdk/ed/IVexaAlignedUcsSource.h"
#include "sdk/ed/VexaSelectionQuestion.h"
#include "sdk/ed/VexaSysVarService.h"
#include "sdk/ed/VexaTranscript.h"
#include "sdk/ge/QvGePlane.h"

namespace {

// Where the host keeps the source a module sets.
struct AlignedUcsSlot : VexaHostService {
  IVexaAlignedUcsSource* source = nullptr;
};

IVexaAlignedUcsSource* alignedUcsSource() {
  const VexaHost* host = VexaHost::current();
  const AlignedUcsSlot* slot = host ? host->findService<AlignedUcsSlot>() : nullptr;
  return slot ? slot->source : nullptr;
}

// The source's UCS for the entity, starting from the current UCS; nothing when it does not
// answer or its frame makes no UCS.
std::optional<VexaUcs> sourceUcs(IVexaAlignedUcsSource& source, QvDbEntity* entity,
                                 const QvGePoint3d* pickPoint) {
  const VexaSysVarService* vars = VexaSysVarService::current();
  const VexaUcs current = vars ? vars->currentUcs() : VexaUcs();
  QvGeMatrix3d ucs;
  ucs.setCoordSystem(current.origin(), current.xAxis(), current.yAxis(), current.zAxis());
  if (source.alignedUcs(entity, pickPoint, ucs) != Vexa::eOk) return std::nullopt;
  QvGePoint3d origin;
  QvGeVector3d x, y, z;
  ucs.getCoordSystem(origin, x, y, z);
  return VexaUcs::fromAxes(origin, x, y);
}

void say(const QvString& text) {
  if (VexaTranscript* transcript = VexaTranscript::current()) transcript->addMessage(text);
}

// The UCS at `origin` whose Z axis is `z` (world Z when it has no length) and whose X axis is
// `xHint` laid into that plane (the arbitrary axis of Z when the hint stands on it).
std::optional<VexaUcs> frame(const QvGePoint3d& origin, QvGeVector3d z, const QvGeVector3d& xHint) {
  z = z.isZeroLength() ? QvGeVector3d::kZAxis : z.normal();
  QvGeVector3d x = xHint - z * xHint.dotProduct(z);
  x = x.isZeroLength() ? z.perpVector() : x.normal();
  return VexaUcs::fromAxes(origin, x, z.crossProduct(x));
}

// The X axis of an object's own coordinate system turned by `rotation` about its normal.
QvGeVector3d turnedAxis(const QvGeVector3d& normal, double rotation) {
  const QvGeVector3d z = normal.isZeroLength() ? QvGeVector3d::kZAxis : normal.normal();
  QvGeVector3d x = z.perpVector();
  return x.rotateBy(rotation, z);
}

std::optional<VexaUcs> lineUcs(const QvDbLine& line) {
  const QvGeVector3d along = line.endPoint() - line.startPoint();
  if (along.isZeroLength())
    return frame(line.startPoint(), line.normal(), line.normal().perpVector());
  // A line standing on its normal lies in the plane of its own arbitrary axis.
  const QvGeVector3d z = along.isParallelTo(line.normal()) ? along.perpVector() : line.normal();
  return frame(line.startPoint(), z, along);
}

std::optional<VexaUcs> curveUcs(const QvDbCurve& curve) {
  QvGePoint3d start;
  if (curve.getStartPoint(start) != Vexa::eOk) return std::nullopt;
  QvGePlane plane;
  QvDb::Planarity planarity = QvDb::kNonPlanar;
  const QvGeVector3d z = curve.getPlane(plane, planarity) == Vexa::eOk && planarity == QvDb::kPlanar
                             ? plane.normal()
                             : QvGeVector3d::kZAxis;
  // A polyline's X axis runs to its second vertex; other curves run along their start.
  QvGeVector3d along;
  QvGePoint3d second;
  if (const QvDbPolyline* polyline = QvDbPolyline::cast(&curve);
      polyline && polyline->numVerts() > 1 && polyline->getPointAt(1u, second) == Vexa::eOk)
    along = second - start;
  else if (curve.getFirstDeriv(start, along) != Vexa::eOk)
    along = z.perpVector();
  return frame(start, z, along);
}

}  // namespace

int VexaObjectUcs::ask(std::optional<VexaUcs>& ucs) {
  VexaSelectionQuestion::Setup setup;
  setup.prompt = L"\nSelect object to align UCS: ";
  setup.single = true;
  setup.pickAtPoint = true;
  VexaSelectSet selected;
  VexaSelectionQuestion question(setup);
  const int rc = question.ask(selected);
  if (rc == kQvCancel) return kQvCancel;
  if (rc != kQvNormal) {
    say(L"\nNo object selected.");
    return kQvError;
  }
  const std::optional<QvGePoint3d>& pick = question.pickPoint();
  ucs = of(selected.firstId(), pick ? &*pick : nullptr);
  if (!ucs) {
    say(L"\nThe object does not define a coordinate system.");
    return kQvError;
  }
  return kQvNormal;
}

std::optional<VexaUcs> VexaObjectUcs::of(QvDbObjectId entityId, const QvGePoint3d* pickPoint) {
  QvDbObjectPointer<QvDbEntity> entity(entityId, QvDb::kForRead);
  if (!entity) return std::nullopt;
  if (IVexaAlignedUcsSource* source = alignedUcsSource())
    if (std::optional<VexaUcs> ucs = sourceUcs(*source, entity.object(), pickPoint)) return ucs;
  const QvDbEntity* e = entity.object();
  if (const auto* reference = QvDbBlockReference::cast(e))
    return frame(reference->position(), reference->normal(),
                 turnedAxis(reference->normal(), reference->rotation()));
  if (const auto* text = QvDbText::cast(e))
    return frame(text->position(), text->normal(), text->direction());
  if (const auto* mtext = QvDbMText::cast(e))
    return frame(mtext->location(), mtext->normal(), mtext->direction());
  if (const auto* line = QvDbLine::cast(e)) return lineUcs(*line);
  if (const auto* arc = QvDbArc::cast(e))
    return frame(arc->center(), arc->normal(), turnedAxis(arc->normal(), arc->startAngle()));
  if (const auto* circle = QvDbCircle::cast(e))
    return frame(circle->center(), circle->normal(), turnedAxis(circle->normal(), 0.0));
  if (const auto* ellipse = QvDbEllipse::cast(e))
    return frame(ellipse->center(), ellipse->normal(), ellipse->majorAxis());
  if (const auto* point = QvDbPoint::cast(e))
    return frame(point->position(), point->normal(),
                 turnedAxis(point->normal(), point->ecsRotation()));
  if (const auto* curve = QvDbCurve::cast(e)) return curveUcs(*curve);
  // Any other flat entity: its plane, from its first grip point.
  QvGePlane plane;
  QvDb::Planarity planarity = QvDb::kNonPlanar;
  if (e->getPlane(plane, planarity) != Vexa::eOk || planarity != QvDb::kPlanar) return std::nullopt;
  QvGePoint3dArray grips;
  QvDbIntArray snaps, ids;
  const QvGePoint3d origin = e->getGripPoints(grips, snaps, ids) == Vexa::eOk && !grips.isEmpty()
                                 ? grips[0]
                                 : plane.pointOnPlane();
  return frame(origin, plane.normal(), plane.normal().perpVector());
}

IVexaAlignedUcsSource* vexaSetAlignedUcsSource(IVexaAlignedUcsSource* source) {
  VexaHost* host = VexaHost::current();
  if (!host) return nullptr;
  AlignedUcsSlot& slot = host->service<AlignedUcsSlot>();
  IVexaAlignedUcsSource* previous = slot.source;
  slot.source = source;
  return previous;
}
