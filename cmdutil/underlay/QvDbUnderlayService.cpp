#include "xqcmdutil/QvDbUnderlayService.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/win/VexaFileServices.h"
#include "xqcmdutil/XqFilePrompts.h"

namespace {

// Extensions are read up to this many characters.
constexpr int kMaxExtension = 256;

bool sameNoCase(const CString& a, const wchar_t* b) {
  return QvString(static_cast<const wchar_t*>(a)).compareNoCase(QvString(b)) == 0;
}

bool nameTaken(const std::vector<XqUnderlayItemInfo>& items, const wchar_t* name) {
  return std::any_of(items.begin(), items.end(), [name](const XqUnderlayItemInfo& item) {
    return sameNoCase(item.name, name);
  });
}

}  // namespace

QvDbObjectId QvDbUnderlayService::underlayDictionary(QvDbDatabase* db) const {
  if (!db) return QvDbObjectId();
  QvDbObjectPointer<QvDbDictionary> root(db->namedObjectsDictionaryId(), QvDb::kForRead);
  if (!root) return QvDbObjectId();
  QvDbObjectId id;
  root->getAt(underlayDictName(), id);
  return id;
}

Vexa::ErrorStatus QvDbUnderlayService::createUnderlayDictionary(QvDbDatabase* db,
                                                                QvDbObjectId& id) const {
  if (!db) return Vexa::eNoDatabase;
  QvDbObjectPointer<QvDbDictionary> root(db->namedObjectsDictionaryId(), QvDb::kForWrite);
  if (!root) return root.openStatus();
  if (root->has(underlayDictName())) return Vexa::eOk;
  auto* dict = new QvDbDictionary();
  QvDbObjectId made;
  const Vexa::ErrorStatus es = root->setAt(underlayDictName(), dict, made);
  if (es != Vexa::eOk) {
    delete dict;
    id.setNull();
    return es;
  }
  dict->close();
  id = made;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbUnderlayService::removeUnderlayDictionary(QvDbDatabase* db) const {
  if (!db) return Vexa::eNoDatabase;
  QvDbObjectPointer<QvDbDictionary> root(db->namedObjectsDictionaryId(), QvDb::kForWrite);
  if (!root) return root.openStatus();
  QvDbObjectId id;
  const Vexa::ErrorStatus es = root->getAt(underlayDictName(), id);
  if (es == Vexa::eOk) root->remove(underlayDictName());
  return es;
}

void QvDbUnderlayService::defaultDictName(QvString& out, const wchar_t* path,
                                          const wchar_t* suffix) {
  xqcmdExtractFileName(path, out);
  out += L" - ";
  out += QvString(suffix ? suffix : L"");
}

eUnderlayNameStatus QvDbUnderlayService::getDictName(const wchar_t* path, const wchar_t* /*second*/,
                                                     const wchar_t* name, QvString& out,
                                                     std::vector<XqUnderlayItemInfo>& items) {
  out = QvString();
  const QvString file(path ? path : L"");
  if (name)
    for (const XqUnderlayItemInfo& item : items)
      if (QvString(static_cast<const wchar_t*>(item.foundPath)) == file &&
          sameNoCase(item.name, name)) {
        out = QvString(static_cast<const wchar_t*>(item.name));
        return kUnderlayNameReused;
      }
  if (!name || items.empty() || !nameTaken(items, name)) {
    out = QvString(name ? name : L"");
    return kUnderlayNameFree;
  }
  // Dictionary keys ignore case: a numbered name must differ from every name in that way.
  for (int n = 1;; ++n) {
    CString candidate;
    candidate.Format(L"%ls_%d", name, n);
    if (!nameTaken(items, candidate)) {
      out = QvString(static_cast<const wchar_t*>(candidate));
      return kUnderlayNameNumbered;
    }
  }
}

bool QvDbUnderlayService::GetUnderLayItemInfo(const wchar_t* path, XqUnderlayItemInfo& item) {
  VexaFileInformation info;
  if (!path || !GetFileInformation(path, info)) return false;
  item.size = static_cast<int32_t>(std::min<uint64_t>(info.size() >> 10, INT32_MAX));
  item.date = CTime(info.creationTime);
  const QvString text(path);
  const int slash = std::max(text.findRev(L'\\'), text.findRev(L'/'));
  const int dot = text.findRev(L'.');
  QvString extension = dot > slash ? text.mid(dot + 1) : QvString();
  if (extension.length() > kMaxExtension - 1) extension = extension.left(kMaxExtension - 1);
  item.type = CString(extension);
  item.type.MakeUpper();
  return true;
}

Vexa::ErrorStatus QvDbUnderlayService::itemFromPath(XqUnderlayItemInfo& item, const wchar_t* path) {
  item.name = CString();
  item.foundPath = CString(path ? path : L"");
  item.secondFlag = false;
  return Vexa::eOk;
}
