// The three formats: their dictionaries, items and loading.
#include <memory>

#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbDictionaryIterator.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbUnderlayDefinition.h"
#include "sdk/db/QvDbUnderlayReference.h"
#include "xqcmdutil/QvDbUnderlayService.h"

namespace {

// The entries of a dictionary, taken while it is open for read.
std::unique_ptr<QvDbDictionaryIterator> entriesOf(QvDbObjectId dictId) {
  QvDbObjectPointer<QvDbDictionary> dict(dictId, QvDb::kForRead);
  if (!dict) return nullptr;
  return std::unique_ptr<QvDbDictionaryIterator>(dict->newIterator());
}

// DWF and DGN: an item per definition of exactly that class, appended.
template <class Definition>
void collectPlain(QvDbObjectId dictId, std::vector<XqUnderlayItemInfo>& items) {
  const std::unique_ptr<QvDbDictionaryIterator> it = entriesOf(dictId);
  if (!it) return;
  for (; !it->done(); it->next()) {
    QvDbObjectPointer<QvDbObject> object(it->objectId(), QvDb::kForRead);
    if (!object || object->isA() != Definition::desc()) continue;
    const auto* def = static_cast<const Definition*>(object.object());
    XqUnderlayItemInfo item;
    item.name = CString(it->name());
    item.savedPath = CString(def->getSourceFileName());
    QvString found;
    def->getActiveFileName(found);
    item.foundPath = CString(found);
    item.status = def->isLoaded() ? XqUnderlayItemInfo::kLoaded : XqUnderlayItemInfo::kNotLoaded;
    item.initialStatus = item.status;
    item.definitionId = it->objectId();
    items.push_back(item);
  }
}

Vexa::ErrorStatus loadWith(const QvDbUnderlayFormatService* service, const wchar_t* path,
                           QvDbUnderlayFile*& file) {
  if (!service) return Vexa::eInvalidInput;
  return service->getFile(path, L"", file);
}

}  // namespace

// DWF.

const wchar_t* QvDbDwfUnderlayService::underlayDictName() const {
  return QvDbUnderlayDefinition::dictionaryKey(QvDbUnderlayFormat::kDwf);
}

Vexa::ErrorStatus QvDbDwfUnderlayService::dwfItemFromPath(XqUnderlayItemInfo& item,
                                                          const wchar_t* path) const {
  return itemFromPath(item, path);
}

void QvDbDwfUnderlayService::collectUnderlayItems(QvDbDatabase* db,
                                                  std::vector<XqUnderlayItemInfo>& items) const {
  const QvDbObjectId dictId = underlayDictionary(db);
  if (!dictId.isNull()) collectPlain<QvDbDwfDefinition>(dictId, items);
}

Vexa::ErrorStatus QvDbDwfUnderlayService::LoadDwfUnderlayFile(const wchar_t* path,
                                                              QvDbUnderlayFile*& file) {
  return loadWith(qvdbDwfSerive(), path, file);
}

// DGN.

const wchar_t* QvDbDgnUnderlayService::underlayDictName() const {
  return QvDbUnderlayDefinition::dictionaryKey(QvDbUnderlayFormat::kDgn);
}

Vexa::ErrorStatus QvDbDgnUnderlayService::dgnItemFromPath(XqUnderlayItemInfo& item,
                                                          const wchar_t* path) const {
  return itemFromPath(item, path);
}

void QvDbDgnUnderlayService::collectUnderlayItems(QvDbDatabase* db,
                                                  std::vector<XqUnderlayItemInfo>& items) const {
  const QvDbObjectId dictId = underlayDictionary(db);
  if (!dictId.isNull()) collectPlain<QvDbDgnDefinition>(dictId, items);
}

Vexa::ErrorStatus QvDbDgnUnderlayService::LoadDgnUnderlayFile(const wchar_t* path,
                                                              QvDbUnderlayFile*& file) {
  return loadWith(qvdbDgnSerive(), path, file);
}

// PDF.

const wchar_t* QvDbPdfUnderlayService::underlayDictName() const {
  return QvDbUnderlayDefinition::dictionaryKey(QvDbUnderlayFormat::kPdf);
}

Vexa::ErrorStatus QvDbPdfUnderlayService::pdfItemFromPath(XqUnderlayItemInfo& item,
                                                          const wchar_t* path) const {
  return itemFromPath(item, path);
}

void QvDbPdfUnderlayService::getRefsIdFromDef(const QvDbPdfDefinition* def,
                                              QvArray<QvDbObjectId>& ids) {
  if (!def) return;
  for (const QvDbReactorEntry& entry : def->reactors()) {
    if (!entry.isPersistent()) continue;
    QvDbObjectPointer<QvDbObject> object(entry.persistentId, QvDb::kForRead);
    if (object && QvDbUnderlayReference::cast(object.object())) ids.append(entry.persistentId);
  }
}

void QvDbPdfUnderlayService::collectUnderlayItems(QvDbDatabase* db,
                                                  std::vector<XqUnderlayItemInfo>& items) const {
  if (!db) return;
  items.clear();
  const QvDbObjectId dictId = underlayDictionary(db);
  if (dictId.isNull()) return;
  const std::unique_ptr<QvDbDictionaryIterator> it = entriesOf(dictId);
  if (!it) return;
  for (; !it->done(); it->next()) {
    QvDbObjectPointer<QvDbObject> object(it->objectId(), QvDb::kForRead);
    if (!object || object->isA() != QvDbPdfDefinition::desc()) continue;
    const auto* def = static_cast<const QvDbPdfDefinition*>(object.object());
    XqUnderlayItemInfo item;
    item.name = CString(it->name());
    item.savedPath = CString(def->getSourceFileName());
    item.status = def->isLoaded() ? XqUnderlayItemInfo::kLoaded : XqUnderlayItemInfo::kPdfNotLoaded;
    if (def->isLoaded()) {
      QvArray<QvDbObjectId> refs;
      getRefsIdFromDef(def, refs);
      if (refs.isEmpty()) item.status = XqUnderlayItemInfo::kPdfUnreferenced;
    }
    item.initialStatus = item.status;
    QvString found;
    if (def->getActiveFileName(found) == Vexa::eFileNotFound) {
      item.status = item.initialStatus = XqUnderlayItemInfo::kPdfFileNotFound;
    } else {
      item.foundPath = CString(found);
    }
    item.definitionId = it->objectId();
    GetUnderLayItemInfo(found.c_str(), item);
    items.push_back(item);
  }
}

Vexa::ErrorStatus QvDbPdfUnderlayService::LoadPdfUnderlayFile(const wchar_t* path,
                                                              QvDbUnderlayFile*& file) {
  return loadWith(qvdbPdfSerive(), path, file);
}
