#include "cmdutil/blocks/XqBlockSettings.h"

#include <optional>

#include "cmdutil/blocks/XqBlockVars.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/ed/IVexaBuildInCommandContext.h"
#include "sdk/ed/VexaPickfirstProcessor.h"
#include "xqcmdutil/CreateBlockData.h"
#include "xqcmdutil/XqObjectAnnotation.h"

namespace XqBlockSettings {

int insertUnits(const CreateBlockData& data) {
  const int drawing = XqBlockVars::getShort(L"INSUNITS").value_or(1);
  const int index = data.getSelectedUnitsIndex();
  return index != drawing && static_cast<unsigned>(index) <= 24u ? index : drawing;
}

Vexa::ErrorStatus apply(const CreateBlockData& data, QvDbBlockTableRecord& record) {
  const bool annotative = data.getAnnotative();
  if (const Vexa::ErrorStatus es = SetObjectAnnotative(&record, annotative); es != Vexa::eOk)
    return es;
  if (const Vexa::ErrorStatus es = SetObjectPaperOrientation(&record, data.getRelativeToSheet());
      es != Vexa::eOk)
    return es;
  const auto units = static_cast<QvDb::UnitsValue>(insertUnits(data));
  if (const Vexa::ErrorStatus es = record.setBlockInsertUnits(units); es != Vexa::eOk) return es;
  const bool uniform = annotative || data.getScaleUniformly();
  record.setBlockScaling(uniform ? QvDb::kUniform : QvDb::kAny);
  record.setExplodable(data.getAllowExploding());
  if (!data.getDescription().isEmpty()) record.setComments(data.getDescription().c_str());
  return record.setOrigin(QvGePoint3d::kOrigin);
}

QvGeMatrix3d placement(const IVexaBuildInCommandContext& context, const CreateBlockData& data) {
  QvGePoint3d base;
  data.getBasePoint(base);
  QvGePoint3d worldBase = base;
  context.ucsToWorld(base, worldBase);
  const QvGePoint3d ucsOrigin = XqBlockVars::getPoint(L"UCSORG").value_or(QvGePoint3d::kOrigin);
  QvGeMatrix3d ucs = QvGeMatrix3d::kIdentity;
  context.getCurrentUcs(ucs);
  return ucs.inverse() * QvGeMatrix3d::translation(ucsOrigin - worldBase);
}

bool isRedefinable(const QvDbBlockTableRecord& record) {
  return !record.isLayout() && !record.isFromExternalReference() &&
         !record.isFromOverlayReference();
}

}  // namespace XqBlockSettings

XqPickfirstSuspension::XqPickfirstSuspension() : proc_(vexaGetPickfirstProc()) {
  if (proc_) proc_->suspendPickfirstMNotify();
}

XqPickfirstSuspension::~XqPickfirstSuspension() {
  if (proc_) proc_->resumePickfirstMNotify();
}
