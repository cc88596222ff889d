#include "xqcmdutil/XqAnnotation.h"

#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/resbuf.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbDimStyleTableRecord.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbTextStyleTable.h"

namespace {

constexpr const wchar_t* kAnnotativeApp = L"AcadAnnotative";
constexpr const wchar_t* kAnnotativeData = L"AnnotativeData";

}  // namespace

bool IsDimStyleAnnotative(const QvDbDimStyleTableRecord* record) {
  if (!record) return false;
  const QvRbListPtr data(record->xData(kAnnotativeApp));
  // The name record, "AnnotativeData", "{", 1: the fifth record is the flag.
  const resbuf* rb = data.get();
  for (int i = 0; i < 4 && rb; ++i) rb = rb->next;
  return rb && rb->type == kGcXDataShort && rb->value.int16 == 1;
}

bool IsDimStyleAnnotative(QvDbObjectId dimStyleId) {
  QvDbObjectPointer<QvDbDimStyleTableRecord> record(dimStyleId, QvDb::kForRead);
  return record.openStatus() == Vexa::eOk && IsDimStyleAnnotative(record.object());
}

Vexa::ErrorStatus SetDimStyleAnnotative(QvDbDimStyleTableRecord* record, bool on) {
  if (!record) return Vexa::eNullPtr;
  if (!record->isWriteEnabled()) return Vexa::eNotOpenForWrite;
  if (QvDbDatabase* db = record->database()) {
    const Vexa::ErrorStatus es = db->registerApplication(kAnnotativeApp);
    if (es != Vexa::eOk) return es;
  }
  // The section's five records after the application's name: those in place are kept when
  // they match, the others replaced, and whatever follows them stays.
  const QvRbListPtr wanted(qvutBuildList(kGcXDataAppName, kAnnotativeApp, kGcXDataString,
                                         kAnnotativeData, kGcXDataControl, L"{", kGcXDataShort, 1,
                                         kGcXDataShort, on ? 1 : 0, kGcXDataControl, L"}", 0));
  if (!wanted) return Vexa::eOutOfMemory;
  const QvRbListPtr existing(record->xData(kAnnotativeApp));
  const resbuf* old = existing ? existing->next : nullptr;
  for (int i = 0; i < 5 && old; ++i) old = old->next;
  // `old` is now what follows the five records in place (null when there were fewer).
  QvRbListPtr data(qvutDupList(wanted.get()));
  if (old) {
    resbuf* tail = data.get();
    while (tail->next) tail = tail->next;
    tail->next = qvutDupList(old);
  }
  return record->setXData(data.get());
}

QvDbObjectId getTextStyleAnnotativeId(QvDbDatabase* db) {
  if (!db) return QvDbObjectId();
  QvDbTextStyleTable* raw = nullptr;
  if (db->getSymbolTable(raw, QvDb::kForRead) != Vexa::eOk) return QvDbObjectId();
  QvDbObjectPointer<QvDbTextStyleTable> table(raw);
  QvDbObjectId id;
  if (table->getAt(L"Annotative", id) != Vexa::eOk) return QvDbObjectId();
  return id;
}
