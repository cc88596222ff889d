#include "cmdutil/geometry/XqSelectionPath.h"

#include "sdk/db/QvDbDimension.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbProxyEntity.h"
#include "sdk/rx/QvRxClass.h"

XqVector<QvDbObjectId> withoutLeadingViewport(const XqVector<QvDbObjectId>& path) {
  if (path.isEmpty()) return path;
  QvDbObjectPointer<QvDbObject> first(path.first(), QvDb::kForRead);
  if (!first || !isViewport(first.object())) return path;
  XqVector<QvDbObjectId> rest;
  for (int i = 1; i < path.length(); ++i) rest.append(path[i]);
  return rest;
}

bool isOfHostClass(const QvDbObject* object, const wchar_t* className, const wchar_t* dxfName) {
  if (!object) return false;
  if (const QvRxClass* cls = qvrxFindQvRxClass(className); cls && object->isKindOf(cls))
    return true;
  const auto* proxy = QvDbProxyEntity::cast(object);
  return proxy && proxy->originalDxfName().isEqualNoCase(dxfName);
}

bool isViewport(const QvDbObject* object) {
  return isOfHostClass(object, L"QvDbViewport", L"VIEWPORT");
}

bool isTable(const QvDbObject* object) {
  return isOfHostClass(object, L"QvDbTable", L"ACAD_TABLE");
}

bool isDimension(const QvDbObject* object) {
  return QvDbDimension::cast(object) || isOfHostClass(object, L"QvDbDimension", L"DIMENSION");
}

bool isMline(const QvDbObject* object) {
  return isOfHostClass(object, L"QvDbMline", L"MLINE");
}

bool is3dSolid(const QvDbObject* object) {
  return isOfHostClass(object, L"QvDb3dSolid", L"3DSOLID");
}
