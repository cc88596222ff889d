#include "sdk/db/QvDbSymbolUtilities.h"

#include <cwctype>

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbHostApplicationServices.h"

namespace {

bool isForbiddenExtended(wchar_t c) {
  switch (c) {
    case L'<':
    case L'>':
    case L'/':
    case L'\\':
    case L'"':
    case L':':
    case L'?':
    case L'*':
    case L'|':
    case L',':
    case L'=':
    case L'`':
    case L';':
      return true;
    default:
      return false;
  }
}

bool isOldNameCharacter(wchar_t c) {
  return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9') ||
         c == L'$' || c == L'-' || c == L'_';
}

const QvDbDatabase* orWorking(const QvDbDatabase* db) {
  if (db) return db;
  const QvDbHostApplicationServices* services = qvdbHostApplicationServices();
  return services ? services->workingDatabase() : nullptr;
}

}  // namespace

int QvDbSymbolUtilities::Services::compareSymbolName(const wchar_t* a, const wchar_t* b) const {
  return QvString(a).compareNoCase(QvString(b));
}

Vexa::ErrorStatus QvDbSymbolUtilities::Services::getMaxSymbolNameLength(
    int& maxLength, const QvDbDatabase* db) const {
  db = orWorking(db);
  if (!db) {
    maxLength = 0;
    return Vexa::eNoDatabase;
  }
  maxLength = db->extnames() ? kMaxExtendedNameLength : kMaxOldNameLength;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbSymbolUtilities::Services::validateSymbolName(const wchar_t* name,
                                                                    bool allowVerticalBar,
                                                                    const QvDbDatabase* db) const {
  db = orWorking(db);
  return validateSymbolName(QvString(name), allowVerticalBar, db ? db->extnames() : true);
}

Vexa::ErrorStatus QvDbSymbolUtilities::Services::validateSymbolName(const QvString& name,
                                                                    bool allowVerticalBar,
                                                                    bool extendedNames) const {
  const int length = name.length();
  if (length == 0) return Vexa::eInvalidSymbolName;
  if (extendedNames) {
    if (length > kMaxExtendedNameLength) return Vexa::eInvalidSymbolName;
    if (name.getAt(0) == L' ' || name.getAt(length - 1) == L' ') return Vexa::eInvalidSymbolName;
    for (int i = 0; i < length; ++i) {
      const wchar_t c = name.getAt(i);
      if (c < 0x20 || c == 0x7F) return Vexa::eInvalidSymbolName;
      if (c == L'|' && allowVerticalBar) continue;
      if (isForbiddenExtended(c)) return Vexa::eInvalidSymbolName;
    }
    return Vexa::eOk;
  }
  if (length > kMaxOldNameLength) return Vexa::eInvalidSymbolName;
  for (int i = 0; i < length; ++i) {
    const wchar_t c = name.getAt(i);
    if (c == L'|' && allowVerticalBar) continue;
    if (!isOldNameCharacter(c)) return Vexa::eInvalidSymbolName;
  }
  return Vexa::eOk;
}

bool QvDbSymbolUtilities::Services::isAnonymousBlockName(const QvString& name) const {
  if (name.length() < 2 || name.getAt(0) != L'*') return false;
  if (name.compareNoCase(kQvDbModelSpace) == 0) return false;
  if (name.left(12).compareNoCase(kQvDbPaperSpace) == 0) return false;
  return std::iswalpha(static_cast<wint_t>(name.getAt(1))) != 0;
}

QvDbObjectId QvDbSymbolUtilities::Services::blockModelSpaceId(const QvDbDatabase* db) const {
  return db ? db->modelSpaceId() : QvDbObjectId();
}

QvDbObjectId QvDbSymbolUtilities::Services::blockPaperSpaceId(const QvDbDatabase* db) const {
  return db ? db->paperSpaceId() : QvDbObjectId();
}

const QvDbSymbolUtilities::Services* QvDbSymbolUtilities::servicesPtr() {
  static const Services services;
  return &services;
}

const QvDbSymbolUtilities::Services* qvdbGetSymbolSvc() {
  return QvDbSymbolUtilities::servicesPtr();
}
