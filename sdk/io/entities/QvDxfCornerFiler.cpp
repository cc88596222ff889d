#include <array>

#include "sdk/db/QvDbFace.h"
#include "sdk/db/QvDbSolid.h"
#include "sdk/db/QvDbTrace.h"
#include "sdk/io/entities/QvDxfTableEntityFiler.h"

namespace {

constexpr std::string_view kTraceMarkers[] = {"AcDbEntity", "AcDbTrace"};
constexpr std::string_view kFaceMarkers[] = {"AcDbEntity", "AcDbFace"};

// Corners by index. A triangle repeats its third corner as its fourth: the third is set as the
// fourth too, and a fourth read after it takes its place.
template <class Entity, int Index>
QvGePoint3d cornerOf(const Entity& entity) {
  QvGePoint3d corner;
  if constexpr (std::is_base_of_v<QvDbFace, Entity>) {
    entity.getVertexAt(Index, corner);
  } else {
    entity.getPointAt(Index, corner);
  }
  return corner;
}

template <class Entity, int Index>
Vexa::ErrorStatus setCorner(Entity& entity, const QvGePoint3d& corner) {
  if constexpr (std::is_base_of_v<QvDbFace, Entity>) {
    return entity.setVertexAt(Index, corner);
  } else {
    return entity.setPointAt(Index, corner);
  }
}

template <class Entity>
Vexa::ErrorStatus setThirdCorner(Entity& entity, const QvGePoint3d& corner) {
  const Vexa::ErrorStatus es = setCorner<Entity, 2>(entity, corner);
  return es == Vexa::eOk ? setCorner<Entity, 3>(entity, corner) : es;
}

// Solids and traces: four corners (10 to 13) in the OCS of the normal (210) and a thickness (39).
template <class Entity>
constexpr std::array<QvDxfField, 6> cornerFields() {
  using F = QvDxfFieldsOf<Entity>;
  return {
      F::template real<&Entity::thickness, &Entity::setThickness>(2, 39).unlessDefault(),
      F::template ocsPoint<&cornerOf<Entity, 0>, &setCorner<Entity, 0>>(2, 10),
      F::template ocsPoint<&cornerOf<Entity, 1>, &setCorner<Entity, 1>>(2, 11),
      F::template ocsPoint<&cornerOf<Entity, 2>, &setThirdCorner<Entity>>(2, 12),
      F::template ocsPoint<&cornerOf<Entity, 3>, &setCorner<Entity, 3>>(2, 13).optional(),
      F::template normal<&Entity::normal, &Entity::setNormal>(2),
  };
}

constexpr auto kSolidFields = cornerFields<QvDbSolid>();
constexpr auto kTraceFields = cornerFields<QvDbTrace>();
static_assert(QvDxfFields::isValid(kSolidFields));

// The edges of a 3D face drawn invisible: bit i for edge i.
int64_t hiddenEdges(const QvDbFace& face) {
  int64_t hidden = 0;
  for (int i = 0; i < 4; ++i) {
    bool visible = true;
    face.isEdgeVisibleAt(i, visible);
    if (!visible) hidden |= int64_t{1} << i;
  }
  return hidden;
}

Vexa::ErrorStatus setHiddenEdges(QvDbFace& face, int64_t hidden) {
  for (int i = 0; i < 4; ++i) {
    const Vexa::ErrorStatus es =
        (hidden & (int64_t{1} << i)) ? face.makeEdgeInvisibleAt(i) : face.makeEdgeVisibleAt(i);
    if (es != Vexa::eOk) return es;
  }
  return Vexa::eOk;
}

// A 3D face: four corners in world coordinates (10 to 13) and its hidden edges (70).
using Face = QvDxfFieldsOf<QvDbFace>;
constexpr QvDxfField kFaceFields[] = {
    Face::point<&cornerOf<QvDbFace, 0>, &setCorner<QvDbFace, 0>>(2, 10),
    Face::point<&cornerOf<QvDbFace, 1>, &setCorner<QvDbFace, 1>>(2, 11),
    Face::point<&cornerOf<QvDbFace, 2>, &setThirdCorner<QvDbFace>>(2, 12),
    Face::point<&cornerOf<QvDbFace, 3>, &setCorner<QvDbFace, 3>>(2, 13).optional(),
    Face::flags<&hiddenEdges, &setHiddenEdges>(2, 70, 15),
};
static_assert(QvDxfFields::isValid(kFaceFields));

}  // namespace

QvDxfFilerPtr qvDxfSolidFiler() {
  return qvDxfTableEntityFiler<QvDbSolid>("SOLID", kTraceMarkers, kSolidFields);
}

QvDxfFilerPtr qvDxfTraceFiler() {
  return qvDxfTableEntityFiler<QvDbTrace>("TRACE", kTraceMarkers, kTraceFields);
}

QvDxfFilerPtr qvDxfFaceFiler() {
  return qvDxfTableEntityFiler<QvDbFace>("3DFACE", kFaceMarkers, kFaceFields);
}
