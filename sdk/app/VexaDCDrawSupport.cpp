#include "sdk/app/VexaDCDrawSupport.h"

#include <sstream>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbAttributeDefinition.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbLayerStates.h"
#include "sdk/db/QvDbLayerTable.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/render/QvGiSvgCanvas.h"
#include "sdk/render/QvGiSvgWorldDraw.h"
#include "sdk/win/CDC.h"

namespace {

QvDbObjectId layerZero(QvDbDatabase* db) {
  QvDbObjectId id;
  QvDbObjectPointer<QvDbLayerTable> table(db->layerTableId(), QvDb::kForRead);
  if (table) table->getAt(L"0", id);
  return id;
}

bool hidden(const QvDbEntity& entity, int flags) {
  const QvDbAttributeDefinition* definition = QvDbAttributeDefinition::cast(&entity);
  return definition && !definition->isConstant() &&
         !(flags & VexaDCDrawSupportInternal::kShowAttributeDefinitions);
}

}  // namespace

int VexaDCDrawSupportInternal::drawBlockToDC(CDC* dc, const RECT& rect, QvDbObjectId block,
                                             int flags) const {
  const long width = rect.right - rect.left;
  const long height = rect.bottom - rect.top;
  if (!dc || !dc->GetSafeHdc() || width <= 0 || height <= 0) return kQvError;
  QvDbObjectPointer<QvDbBlockTableRecord> record(block, QvDb::kForRead);
  if (record.openStatus() != Vexa::eOk) return kQvError;

  QvGiSvgCanvas canvas;
  QvDbLayerStates layers;
  QvGiSvgWorldDraw drawer(canvas, layers, layerZero(record->database()));
  for (const QvDbObjectId id : record->entityIds()) {
    QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForRead);
    if (entity.openStatus() != Vexa::eOk || hidden(*entity, flags)) continue;
    canvas.beginGroup(id.handle().ascii(), entity->layer());
    drawer.drawTopLevel(entity.object());
    canvas.endGroup();
  }
  QvGiSvgCanvas::View view;
  view.pixelWidth = static_cast<int>(width);
  view.pixelHeight = static_cast<int>(height);
  canvas.fit(view.pixelWidth, view.pixelHeight, view);  // nothing bounded: the unit box
  std::ostringstream svg;
  canvas.write(svg, record->name(), &view);
  return dc->DrawPicture(&rect, svg.str()) ? kQvNormal : kQvError;
}

VexaDCDrawSupportInternal* getVexaDCDrawSupportInternalInterface() {
  VexaHost* host = VexaHost::current();
  return host ? &host->service<VexaDCDrawSupportInternal>() : nullptr;
}
