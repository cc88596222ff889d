#include "sdk/app/VexaAttributeSync.h"

#include <memory>

#include "sdk/db/QvDbAttribute.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbObjectIterator.h"
#include "sdk/db/QvDbObjectPointer.h"

int UpdataBlkAttribute(QvDbBlockReference* reference) {
  if (!reference || !reference->objectId().isValid()) return 1;
  {
    QvDbObjectPointer<QvDbBlockTableRecord> block(reference->blockTableRecord(), QvDb::kForRead);
    if (block.openStatus() != Vexa::eOk) return 1;
  }
  const std::unique_ptr<QvDbObjectIterator> it(reference->attributeIterator());
  if (!it) return 0;
  for (; !it->done(); it->step()) {
    QvDbObjectPointer<QvDbAttribute> att(it->objectId(), QvDb::kForRead);
    if (att.openStatus() != Vexa::eOk || !att->isMTextAttribute()) continue;
    if (att->upgradeOpen() == Vexa::eOk) att->updateMTextAttribute();
  }
  return 0;
}
