#include "sdk/render/QvGiSvgWriter.h"

#include <fstream>
#include <sstream>

#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbLayerTable.h"
#include "sdk/db/QvDbLayout.h"
#include "sdk/db/QvDbLayoutManager.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbSortentsTable.h"
#include "sdk/render/QvGiSvgCanvas.h"
#include "sdk/render/QvGiSvgWorldDraw.h"

namespace {

// The block table record of the layout to draw, and the layout's name.
Vexa::ErrorStatus findSpace(QvDbDatabase* db, const QvString& layoutName, QvDbObjectId& spaceId,
                            QvString& title) {
  QvDbLayoutManager layouts;
  const QvDbObjectId layoutId = layoutName.isEmpty() ? layouts.getActiveLayoutId(true, db)
                                                     : layouts.findLayoutNamed(layoutName, db);
  QvDbObjectPointer<QvDbLayout> layout(layoutId, QvDb::kForRead);
  if (!layout) return Vexa::eKeyNotFound;
  spaceId = layout->getBlockTableRecordId();
  title = layout->layoutName();
  return spaceId.isNull() ? Vexa::eKeyNotFound : Vexa::eOk;
}

// The space's entities in draw order, bottom first.
QvDbObjectIdArray drawOrder(QvDbObjectId spaceId) {
  QvDbObjectPointer<QvDbBlockTableRecord> space(spaceId, QvDb::kForRead);
  if (!space) return QvDbObjectIdArray();
  QvDbSortentsTable* raw = nullptr;
  if (space->getSortentsTable(raw, QvDb::kForRead) == Vexa::eOk) {
    QvDbObjectPointer<QvDbSortentsTable> order(raw);
    QvDbObjectIdArray ids;
    if (order->getFullDrawOrder(ids) == Vexa::eOk) return ids;
  }
  return space->entityIds();
}

QvDbObjectId layerZero(QvDbDatabase* db) {
  QvDbObjectPointer<QvDbLayerTable> table(db->layerTableId(), QvDb::kForRead);
  QvDbObjectId id;
  if (table) table->getAt(L"0", id);
  return id;
}

}  // namespace

Vexa::ErrorStatus QvGiSvgWriter::write(QvDbDatabase* db, const QvString& layoutName,
                                       std::ostream& out) {
  return write(db, layoutName, {}, out);
}

Vexa::ErrorStatus QvGiSvgWriter::write(QvDbDatabase* db, const QvString& layoutName,
                                       const std::vector<QvGiDrawable*>& overlay,
                                       std::ostream& out) {
  if (!db) return Vexa::eNullPtr;
  QvDbObjectId spaceId;
  QvString title;
  if (const Vexa::ErrorStatus es = findSpace(db, layoutName, spaceId, title); es != Vexa::eOk)
    return es;

  QvGiSvgCanvas canvas;
  QvDbLayerStates layers;
  QvGiSvgWorldDraw drawer(canvas, layers, layerZero(db));
  for (const QvDbObjectId id : drawOrder(spaceId)) {
    QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForRead);
    if (!entity) continue;
    canvas.beginGroup(id.handle().ascii(), entity->layer());
    drawer.drawTopLevel(entity.object());
    canvas.endGroup();
  }
  if (!overlay.empty()) {
    canvas.beginGroup(L"preview", L"");
    for (QvGiDrawable* drawable : overlay)
      if (drawable) drawer.drawTopLevel(drawable);
    canvas.endGroup();
  }
  canvas.write(out, title);
  return out.good() ? Vexa::eOk : Vexa::eFileAccessError;
}

Vexa::ErrorStatus QvGiSvgWriter::writeFile(QvDbDatabase* db, const QvString& layoutName,
                                           const std::string& path) {
  // Drawn first, so a drawing that cannot be drawn leaves no file behind.
  std::ostringstream picture;
  if (const Vexa::ErrorStatus es = write(db, layoutName, picture); es != Vexa::eOk) return es;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << picture.str();
  out.close();
  return out ? Vexa::eOk : Vexa::eFileAccessError;
}
