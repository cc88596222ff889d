#pragma once

#include <memory>
#include <vector>

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbUnderlayDefinition.h"
#include "sdk/db/QvDbUnderlayHost.h"
#include "sdk/db/QvDbUnderlayReference.h"
#include "tests/support/DbSetup.h"

// A format service that opens every file as one item, 8.5 x 11.
class OneItemUnderlayService : public QvDbUnderlayFormatService {
 public:
  Vexa::ErrorStatus getFile(const wchar_t* path, const wchar_t*,
                            QvDbUnderlayFile*& file) const override {
    file =
        new QvDbUnderlayFile(QvString(path), {QvDbUnderlayItem(QvString(L"1"), {0, 0}, {8.5, 11})});
    return Vexa::eOk;
  }
};

// A definition of `path` stored under `key` in its format's dictionary (loaded when asked).
template <class Definition>
QvDbObjectId addUnderlayDefinition(QvDbDatabase* db, const wchar_t* key, const QvString& path,
                                   bool load = false) {
  auto* def = new Definition();
  def->setSourceFileName(path.c_str());
  QvDbObjectId id;
  if (QvDbUnderlayDefinition::addToDatabase(db, key, def, id) != Vexa::eOk) {
    delete def;
    return QvDbObjectId();
  }
  if (load) {
    QvDbObjectPointer<QvDbUnderlayDefinition> open(id, QvDb::kForWrite);
    if (open) open->load();
  }
  return id;
}

// A reference of the definition in model space.
template <class Reference>
QvDbObjectId addUnderlayReference(QvDbDatabase* db, QvDbObjectId definitionId) {
  auto* ref = new Reference();
  ref->setDefinitionId(definitionId);
  return appendToModelSpace(db, ref);
}

// The references a definition lists as its persistent reactors, in order.
inline std::vector<QvDbObjectId> reactorsOf(QvDbObjectId definitionId) {
  std::vector<QvDbObjectId> ids;
  QvDbObjectPointer<QvDbUnderlayDefinition> def(definitionId, QvDb::kForRead);
  if (!def) return ids;
  for (const QvDbReactorEntry& e : def->reactors())
    if (e.isPersistent()) ids.push_back(e.persistentId);
  return ids;
}
