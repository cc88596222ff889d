// The sub-entities sub-entity paths name.
#include "sdk/db/QvDbSubentPath.h"

#include <memory>

#include "sdk/db/QvDb2dPolyline.h"
#include "sdk/db/QvDb3dPolyline.h"
#include "sdk/db/QvDbCurve.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbObjectIterator.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/db/detail/CurveFromGe.h"
#include "sdk/db/qvdbModelToWorld.h"
#include "sdk/ge/QvGeCircArc3d.h"
#include "sdk/ge/QvGeLineSeg3d.h"

namespace {

using EntityPtr = std::unique_ptr<QvDbEntity>;

// A lightweight polyline's segment of marker index + 1, as a line or an arc.
QvDbEntity* lightSegment(const QvDbPolyline& polyline, int64_t marker) {
  const unsigned int n = polyline.numVerts();
  const unsigned int segments = polyline.isClosed() ? n : (n > 0 ? n - 1 : 0);
  if (marker < 1 || n < 2 || marker > static_cast<int64_t>(segments)) return nullptr;
  const auto index = static_cast<unsigned int>(marker - 1);
  const QvGeVector3d normal = polyline.normal();
  QvDbCurve* made = nullptr;
  if (polyline.segType(index) == QvDbPolyline::kArc) {
    QvGeCircArc3d arc;
    if (polyline.getArcSegAt(index, arc) == Vexa::eOk)
      made = qvdb_detail::curveFromGe(arc, &normal);
  } else {
    QvGeLineSeg3d line;
    if (polyline.getLineSegAt(index, line) == Vexa::eOk)
      made = qvdb_detail::curveFromGe(line, &normal);
  }
  if (made) made->setPropertiesFrom(&polyline);
  return made;
}

// A 2D or 3D polyline's segment leaving the vertex whose id is the marker: that piece of its
// explosion.
QvDbEntity* vertexSegment(const QvDbEntity& polyline, QvDbObjectIterator* vertices,
                          int64_t marker) {
  const std::unique_ptr<QvDbObjectIterator> walk(vertices);
  if (!walk) return nullptr;
  int index = -1;
  int at = 0;
  for (walk->start(); !walk->done() && index < 0; walk->step(), ++at)
    if (walk->objectId().asOldId() == marker) index = at;
  QvArray<QvDbEntity*> pieces;
  if (index < 0 || polyline.explode(pieces) != Vexa::eOk) return nullptr;
  QvDbEntity* piece = nullptr;
  for (int i = 0; i < pieces.length(); ++i) {
    if (i == index)
      piece = pieces[i];
    else
      delete pieces[i];
  }
  return piece;
}

// The sub-entity an id names within an entity, in the entity's coordinates.
QvDbEntity* subentOf(const QvDbEntity& entity, const QvDbSubentId& id) {
  if (const auto* holder = dynamic_cast<const QvDbSubentHolder*>(&entity))
    return holder->subentPtr(id);
  if (id.type() != QvDb::kEdgeSubentType) return nullptr;
  if (const auto* light = QvDbPolyline::cast(&entity)) return lightSegment(*light, id.index());
  if (const auto* p2 = QvDb2dPolyline::cast(&entity))
    return vertexSegment(*p2, p2->vertexIterator(), id.index());
  if (const auto* p3 = QvDb3dPolyline::cast(&entity))
    return vertexSegment(*p3, p3->vertexIterator(), id.index());
  if (QvDbCurve::cast(&entity)) return QvDbEntity::cast(entity.clone());
  return nullptr;
}

}  // namespace

QvDbEntity* QvDbPointRef::subentPtr(const QvDbFullSubentPath& path, bool& madeForCall) {
  madeForCall = false;
  const QvDbObjectIdArray& ids = path.objectIds();
  if (ids.isEmpty()) return nullptr;
  QvGeMatrix3d toWorld;
  if (qvdbGetModelToWorldTransform(ids, toWorld) != Vexa::eOk) return nullptr;
  QvDbObjectPointer<QvDbEntity> entity(ids.last(), QvDb::kForRead);
  if (!entity) return nullptr;
  const bool inWorld = toWorld.isEqualTo(QvGeMatrix3d::kIdentity);
  const bool whole = path.subentId().type() == QvDb::kNullSubentType;
  if (whole && inWorld) return entity.release();

  EntityPtr made;
  if (whole) {
    QvDbEntity* copy = nullptr;
    if (entity->getTransformedCopy(toWorld, copy) != Vexa::eOk) return nullptr;
    made.reset(copy);
  } else {
    made.reset(subentOf(*entity, path.subentId()));
    if (!made) return nullptr;
    if (!inWorld && made->transformBy(toWorld) != Vexa::eOk) {
      QvDbEntity* copy = nullptr;
      if (made->getTransformedCopy(toWorld, copy) != Vexa::eOk) return nullptr;
      made.reset(copy);
    }
  }
  madeForCall = true;
  return made.release();
}
