#pragma once

#include "sdk/base/QvString.h"
#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDbObjectId.h"

class QvDbDatabase;

// The host's services for symbol names.
class QvDbSymbolUtilities {
 public:
  static constexpr int kMaxExtendedNameLength = 255;  // "EXTNAMES" 1
  static constexpr int kMaxOldNameLength = 31;        // "EXTNAMES" 0

  class Services {
   public:
    virtual ~Services() = default;

    // Symbol names compare without regard to case: <0, 0, >0.
    virtual int compareSymbolName(const wchar_t* a, const wchar_t* b) const;
    // The longest name allowed in `db` (the working database when null), by its "EXTNAMES";
    // eNoDatabase when there is no database to ask.
    virtual Vexa::ErrorStatus getMaxSymbolNameLength(int& maxLength,
                                                     const QvDbDatabase* db = nullptr) const;
    // Checks a name by the rules of `db` (the working database when null; extended names when
    // there is none). Extended names: 1 to 255 characters, no control characters, none of
    // < > / \ " : ? * | , = ` ;, no space at either end. Old names: 1 to 31 letters, digits,
    // "$", "-" and "_". The vertical bar is allowed when asked (names of external references).
    // eInvalidSymbolName when the name breaks them.
    virtual Vexa::ErrorStatus validateSymbolName(const wchar_t* name, bool allowVerticalBar,
                                                 const QvDbDatabase* db = nullptr) const;
    Vexa::ErrorStatus validateSymbolName(const QvString& name, bool allowVerticalBar,
                                         bool extendedNames) const;

    // Whether a block name is anonymous ("*U12", "*D3", ...).
    bool isAnonymousBlockName(const QvString& name) const;
    // The block table records of a database's spaces (null when absent).
    QvDbObjectId blockModelSpaceId(const QvDbDatabase* db) const;
    QvDbObjectId blockPaperSpaceId(const QvDbDatabase* db) const;
  };

  static const Services* servicesPtr();
};

// The symbol service of the host.
const QvDbSymbolUtilities::Services* qvdbGetSymbolSvc();

// The standard names.
inline constexpr const wchar_t* kQvDbModelSpace = L"*Model_Space";
inline constexpr const wchar_t* kQvDbPaperSpace = L"*Paper_Space";
