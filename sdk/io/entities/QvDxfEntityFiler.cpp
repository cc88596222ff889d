#include "sdk/io/entities/QvDxfEntityFiler.h"

#include "sdk/db/QvDbEntity.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"

void QvDxfEntityFiler::readCommon(QvDxfObjectReader& in, QvDbEntity& entity) const {
  in.select(1);
  const size_t layerAt = in.find(8);
  const QvDbObjectId layer = in.session().layer(
      layerAt == QvDxfObjectReader::npos ? std::string_view("0") : in.value(layerAt),
      layerAt == QvDxfObjectReader::npos ? in.line() : in.lineAt(layerAt));
  entity.setLayer(layer);
}

QvString QvDxfEntityFiler::layerName(const QvDbEntity& entity) {
  QvString name = entity.layer();
  return name.isEmpty() ? QvString(L"0") : name;
}

void QvDxfEntityFiler::writePlacement(QvDxfObjectWriter& out, const QvDbEntity& entity) {
  if (out.session().isPaperSpaceBlock(entity.ownerId())) out.integer(67, 1);
}

void QvDxfEntityFiler::beginEntity(QvDxfObjectWriter& out, const QvDbEntity& entity) const {
  out.begin(recordName());
  out.subclass(1);
  writePlacement(out, entity);
  out.text(8, layerName(entity));
}
