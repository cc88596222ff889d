// The entity's geometric operations: the checks around the class hooks, intersections through
// the outline curves, highlighting and the implementation object.
#include <memory>
#include <vector>

#include "sdk/base/VexaHost.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbExtents.h"
#include "sdk/db/detail/Tolerance.h"
#include "sdk/ge/QvGeCurve3d.h"
#include "sdk/ge/QvGeCurveCurveInt3d.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/gi/IVexaHighlighter.h"

namespace {

// Owns the curves of an outline.
struct CurveList {
  QvArray<QvGeCurve3d*> curves;
  ~CurveList() {
    for (int i = 0; i < curves.length(); ++i) delete curves[i];
  }
};

}  // namespace

Vexa::ErrorStatus QvDbEntity::getGripPoints(QvGePoint3dArray& gripPoints, QvDbIntArray& osnapModes,
                                            QvDbIntArray& geomIds) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  return subGetGripPoints(gripPoints, osnapModes, geomIds);
}

Vexa::ErrorStatus QvDbEntity::getPlane(QvGePlane& plane, QvDb::Planarity& planarity) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  return subGetPlane(plane, planarity);
}

bool QvDbEntity::isPlanar() const {
  QvGePlane plane;
  QvDb::Planarity planarity = QvDb::kNonPlanar;
  return getPlane(plane, planarity) == Vexa::eOk && planarity != QvDb::kNonPlanar;
}

Vexa::ErrorStatus QvDbEntity::getOutlineCurves(bool extended, QvArray<QvGeCurve3d*>& curves) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  CurveList made;
  if (const Vexa::ErrorStatus es = subGetOutlineCurves(extended, made.curves); es != Vexa::eOk)
    return es;
  for (int i = 0; i < made.curves.length(); ++i) curves.append(made.curves[i]);
  made.curves.removeAll();
  return Vexa::eOk;
}

namespace {

Vexa::ErrorStatus intersect(const QvDbEntity& self, const QvDbEntity* other,
                            QvDb::Intersect intType, const QvGePlane* plane,
                            QvGePoint3dArray& points) {
  if (!other) return Vexa::eNullPtr;
  if (const Vexa::ErrorStatus es = other->assertReadEnabled(); es != Vexa::eOk) return es;
  if (plane && !plane->isValid()) return Vexa::eInvalidInput;
  const bool extendThis = intType == QvDb::kExtendThis || intType == QvDb::kExtendBoth;
  const bool extendArg = intType == QvDb::kExtendArg || intType == QvDb::kExtendBoth;
  CurveList mine, theirs;
  if (const Vexa::ErrorStatus es = self.getOutlineCurves(extendThis, mine.curves); es != Vexa::eOk)
    return es;
  if (const Vexa::ErrorStatus es = other->getOutlineCurves(extendArg, theirs.curves);
      es != Vexa::eOk)
    return es;
  QvGePoint3dArray found;
  for (int i = 0; i < mine.curves.length(); ++i) {
    for (int j = 0; j < theirs.curves.length(); ++j) {
      QvGeCurveCurveInt3d crossing;
      if (plane)
        crossing.set(*mine.curves[i], *theirs.curves[j], *plane);
      else
        crossing.set(*mine.curves[i], *theirs.curves[j]);
      // Points may be missing: a partial answer is not passed off as the whole one.
      if (crossing.status() == Vexa::eIncompleteResult) return Vexa::eIncompleteResult;
      for (int k = 0; k < crossing.numIntPoints(); ++k) {
        const QvGePoint3d p = plane ? crossing.pointOnCurve1(k) : crossing.intPoint(k);
        const QvGeTol tol(qvdb_detail::pointTolerance(p), QvGeContext::gTol.equalVector());
        bool known = false;
        for (int m = 0; m < found.length() && !known; ++m) known = found[m].isEqualTo(p, tol);
        if (!known) found.append(p);
      }
    }
  }
  for (int i = 0; i < found.length(); ++i) points.append(found[i]);
  return Vexa::eOk;
}

}  // namespace

Vexa::ErrorStatus QvDbEntity::intersectWith(const QvDbEntity* other, QvDb::Intersect intType,
                                            QvGePoint3dArray& points, int64_t, int64_t) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  return intersect(*this, other, intType, nullptr, points);
}

Vexa::ErrorStatus QvDbEntity::intersectWith(const QvDbEntity* other, QvDb::Intersect intType,
                                            const QvGePlane& projPlane, QvGePoint3dArray& points,
                                            int64_t, int64_t) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  return intersect(*this, other, intType, &projPlane, points);
}

Vexa::ErrorStatus QvDbEntity::highlight(int64_t marker) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (VexaHost* host = VexaHost::current())
    host->service<IVexaHighlighter>().highlight(objectId(), this, marker);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbEntity::unhighlight(int64_t marker) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (VexaHost* host = VexaHost::current())
    host->service<IVexaHighlighter>().unhighlight(objectId(), this, marker);
  return Vexa::eOk;
}

// Hooks.

Vexa::ErrorStatus QvDbEntity::subGetGripPoints(QvGePoint3dArray&, QvDbIntArray&,
                                               QvDbIntArray&) const {
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbEntity::subGetPlane(QvGePlane&, QvDb::Planarity&) const {
  return Vexa::eNotApplicable;
}

Vexa::ErrorStatus QvDbEntity::subGetOutlineCurves(bool, QvArray<QvGeCurve3d*>&) const {
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbEntity::subAppendedToDatabase() {
  return Vexa::eOk;
}

QvDbImpObject* QvDbEntity::createImpObject() {
  return nullptr;
}

QvDbImpObject* QvDbEntity::impObject() const {
  if (!imp_.get()) imp_.set(const_cast<QvDbEntity*>(this)->createImpObject());
  return imp_.get();
}

QvDbImpObject* QvDbSystemInternals::getImpObject(const QvDbObject* object) {
  const QvDbEntity* entity = QvDbEntity::cast(object);
  return entity ? entity->impObject() : nullptr;
}
