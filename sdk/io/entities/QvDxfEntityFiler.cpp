#include "sdk/io/entities/QvDxfEntityFiler.h"

#include <iterator>

#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbSymbolTableRecord.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/io/QvDxfError.h"
#include "sdk/io/QvDxfNumber.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/QvDxfSlot.h"

namespace {

bool isZAxis(const QvGeVector3d& normal) {
  return normal.x == 0.0 && normal.y == 0.0 && normal.z == 1.0;
}

bool sameExactly(const QvGePoint3d& a, const QvGePoint3d& b) {
  return a.x == b.x && a.y == b.y && a.z == b.z;
}

}  // namespace

void QvDxfEntityFiler::readCommon(QvDxfObjectReader& in, QvDbEntity& entity) const {
  in.select(1);
  const size_t layerAt = in.find(8);
  const bool hasLayer = layerAt != QvDxfObjectReader::npos;
  entity.setLayer(in.session().layer(hasLayer ? in.value(layerAt) : std::string_view("0"),
                                     hasLayer ? in.lineAt(layerAt) + 1 : in.line()));
  const size_t linetypeAt = in.find(6);
  if (linetypeAt != QvDxfObjectReader::npos) {
    const QvString name = in.textAt(linetypeAt);
    if (name.compareNoCase(L"ByLayer") != 0)
      entity.setLinetype(in.session().linetype(in.value(linetypeAt), in.lineAt(linetypeAt) + 1),
                         false);
  }
  const size_t colorAt = in.find(62);
  if (colorAt != QvDxfObjectReader::npos) {
    const int64_t color = in.integerAt(colorAt, INT16_MIN, INT16_MAX);
    if (color < QvDbEntity::kColorByBlock || color > QvDbEntity::kColorByLayer ||
        entity.setColorIndex(static_cast<uint16_t>(color), false) != Vexa::eOk)
      in.session().repair(in.lineAt(colorAt) + 1, QvDxfDiagnostic::kColourReplaced,
                          "the colour " + std::to_string(color) +
                              " is no colour index; the entity takes "
                              "its layer's colour");
  }
  const size_t scaleAt = in.find(48);
  if (scaleAt != QvDxfObjectReader::npos) {
    const double scale = in.realAt(scaleAt);
    if (entity.setLinetypeScale(scale, false) != Vexa::eOk)
      in.session().repair(
          in.lineAt(scaleAt) + 1, QvDxfDiagnostic::kLinetypeScaleReplaced,
          "the linetype scale " + QvDxfNumber::realText(scale) + " is not positive; 1 is taken");
  }
  const size_t visibilityAt = in.find(60);
  if (visibilityAt != QvDxfObjectReader::npos && in.integerAt(visibilityAt, 0, 1) == 1)
    entity.setVisibility(QvDb::kInvisible, false);
  // Groups that leave their property at the default are not written back.
  const bool written[] = {!entity.linetypeId().isNull(),
                          entity.colorIndex() != QvDbEntity::kColorByLayer,
                          entity.linetypeScale() != 1.0, entity.visibility() == QvDb::kInvisible};
  const size_t at[] = {linetypeAt, colorAt, scaleAt, visibilityAt};
  for (size_t k = 0; k < std::size(at); ++k)
    if (!written[k]) in.keepBeforeRepeat(at[k]);
}

QvString QvDxfEntityFiler::layerName(const QvDbEntity& entity) {
  QvString name = entity.layer();
  return name.isEmpty() ? QvString(L"0") : name;
}

void QvDxfEntityFiler::writePlacement(QvDxfObjectWriter& out, const QvDbEntity& entity) {
  if (out.session().isPaperSpaceBlock(entity.ownerId())) out.integer(67, 1);
}

void QvDxfEntityFiler::beginEntity(QvDxfObjectWriter& out, const QvDbEntity& entity) const {
  beginEntity(out, entity, recordName());
}

void QvDxfEntityFiler::beginEntity(QvDxfObjectWriter& out, const QvDbEntity& entity,
                                   std::string_view recordName) const {
  out.begin(recordName);
  out.subclass(1);
  writePlacement(out, entity);
  QvDxfWriteSession& session = out.session();
  const std::string_view layer = session.recordName(entity.layerId());
  out.raw(8, layer.empty() ? std::string_view("0") : layer);
  const QvDbObjectId linetype = entity.linetypeId();
  if (session.isWritten(linetype)) out.raw(6, session.recordName(linetype));
  if (entity.colorIndex() != QvDbEntity::kColorByLayer) out.integer(62, entity.colorIndex());
  if (entity.linetypeScale() != 1.0) out.real(48, entity.linetypeScale());
  if (entity.visibility() == QvDb::kInvisible) out.integer(60, 1);
}

QvGeVector3d QvDxfEntityFiler::readNormal(QvDxfObjectReader& in) {
  const QvGeVector3d normal = in.vector(210, QvGeVector3d::kZAxis);
  if (normal.length() == 0.0)
    in.failObject(QvDxfDiagnostic::kRefusedValue, "the extrusion direction (210) is zero");
  return normal;
}

void QvDxfEntityFiler::writeNormal(QvDxfObjectWriter& out, const QvGeVector3d& normal) {
  if (out.writesGroup(210, !isZAxis(normal))) out.vector(210, normal);
}

QvGePoint3d QvDxfEntityFiler::toWorld(const QvGePoint3d& ocs, const QvGeVector3d& normal) {
  if (isZAxis(normal)) return ocs;
  QvGePoint3d world = ocs;
  return world.transformBy(QvGeMatrix3d::planeToWorld(normal));
}

QvGePoint3d QvDxfEntityFiler::toOcs(const QvGePoint3d& world, const QvGeVector3d& normal) {
  if (isZAxis(normal)) return world;
  QvGePoint3d ocs = world;
  return ocs.transformBy(QvGeMatrix3d::worldToPlane(normal));
}

QvGePoint3d QvDxfEntityFiler::ocsPoint(QvDxfObjectReader& in, int code, const QvGeVector3d& normal,
                                       const QvGePoint3d& def) {
  const size_t at = in.find(code);
  if (at == QvDxfObjectReader::npos) return def;
  in.release(at);
  const size_t first = at;
  const QvGePoint3d ocs = in.point(code, QvGePoint3d::kOrigin);
  const QvGePoint3d world = toWorld(ocs, normal);
  // Off the z axis the conversion may not come back exactly: then the text read is kept.
  if (!isZAxis(normal)) {
    const QvGePoint3d back = toOcs(world, normal);
    for (int k = 0; k < 3; ++k) {
      const size_t i = first + static_cast<size_t>(k);
      if (i >= in.endIndex() || in.code(i) != code + 10 * k) break;
      const double read = k == 0 ? ocs.x : k == 1 ? ocs.y : ocs.z;
      const double again = k == 0 ? back.x : k == 1 ? back.y : back.z;
      if (read != again) in.keep(code + 10 * k, QvDxfSlot::kHint, std::string(in.value(i)));
    }
  }
  return world;
}

void QvDxfEntityFiler::writeOcsPoint(QvDxfObjectWriter& out, int code, const QvGePoint3d& world,
                                     const QvGeVector3d& normal, bool is3d) {
  const QvGePoint3d ocs = toOcs(world, normal);
  // The texts kept stand while, with the other coordinates, they still give this very point.
  std::string_view kept[3];
  QvGePoint3d hinted = ocs;
  bool anyKept = false;
  for (int k = 0; k < 3; ++k) {
    kept[k] = out.keptText(QvDxfSlot::kHint, code + 10 * k);
    double read = 0.0;
    if (kept[k].empty() || !QvDxfNumber::parseReal(kept[k], read)) {
      kept[k] = {};
      continue;
    }
    (k == 0 ? hinted.x : k == 1 ? hinted.y : hinted.z) = read;
    anyKept = true;
  }
  const bool useKept = anyKept && sameExactly(toWorld(hinted, normal), world);
  const double values[3] = {ocs.x, ocs.y, ocs.z};
  for (int k = 0; k < (is3d ? 3 : 2); ++k) {
    if (useKept && !kept[k].empty()) {
      out.raw(code + 10 * k, kept[k]);
    } else {
      out.real(code + 10 * k, values[k]);
    }
  }
}

void QvDxfEntityFiler::keepDerived(QvDxfObjectReader& in, size_t at, int count, const double* now) {
  if (at == QvDxfObjectReader::npos) return;
  const int code = in.code(at);
  for (int k = 0; k < count; ++k) {
    const size_t i = at + static_cast<size_t>(k);
    if (i >= in.endIndex() || in.code(i) != code + 10 * k) return;
    if (QvDxfNumber::isRealText(in.value(i), now[k])) continue;
    in.keep(code + 10 * k, QvDxfSlot::kHint, std::string(in.value(i)));
    in.keep(code + 10 * k, QvDxfSlot::kBasis, QvDxfNumber::realText(now[k]));
  }
}

void QvDxfEntityFiler::writeDerived(QvDxfObjectWriter& out, int code, int count,
                                    const double* now) {
  for (int k = 0; k < count; ++k) {
    const int c = code + 10 * k;
    const std::string_view basis = out.keptText(QvDxfSlot::kBasis, c);
    if (!basis.empty() && QvDxfNumber::isRealText(basis, now[k])) {
      out.raw(c, out.keptText(QvDxfSlot::kHint, c));
    } else {
      out.real(c, now[k]);
    }
  }
}

void QvDxfEntityFiler::check(QvDxfObjectReader& in, Vexa::ErrorStatus es, const char* what) {
  if (es != Vexa::eOk) in.failObject(QvDxfDiagnostic::kRefusedValue, what);
}
