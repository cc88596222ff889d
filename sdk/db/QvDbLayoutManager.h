#pragma once

#include <utility>
#include <vector>

#include "sdk/base/QvArray.h"
#include "sdk/base/QvString.h"
#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDbObjectId.h"

class QvDbDatabase;

// The host's layout manager, reached through qvdbHostApplicationServices(). Every operation
// works on the given database, or on the working database when none is given.
//
// The active layout is "Model" while tile mode is on, otherwise the paper layout whose block
// table record is "*Paper_Space". Switching to "Model" turns tile mode on with "CVPORT" 2;
// switching to a paper layout turns it off with "CVPORT" 1 and gives that layout's record the
// name "*Paper_Space" (the record that had it takes the other's former name).
class QvDbLayoutManager {
 public:
  static constexpr const wchar_t* kModelLayoutName = L"Model";

  // The name of the active layout; with allowModel false, the paper layout that was active
  // last when "Model" is active. Empty when there is no database or layout.
  QvString findActiveLayout(bool allowModel, const QvDbDatabase* db = nullptr) const;
  QvDbObjectId getActiveLayoutId(bool allowModel = true, const QvDbDatabase* db = nullptr) const;
  // The block table record of the active layout (model space while "Model" is active).
  QvDbObjectId getActiveLayoutBTRId(const QvDbDatabase* db = nullptr) const;
  // The layout of that name (case-insensitive), or null.
  QvDbObjectId findLayoutNamed(const wchar_t* name, const QvDbDatabase* db = nullptr) const;
  bool layoutExists(const wchar_t* name, const QvDbDatabase* db = nullptr) const;
  int countLayouts(const QvDbDatabase* db = nullptr) const;
  // The layouts' names in tab order.
  QvArray<QvString> layoutNames(const QvDbDatabase* db = nullptr) const;

  // eKeyNotFound for an unknown name; the objects involved must open for write.
  Vexa::ErrorStatus setCurrentLayout(const wchar_t* name, QvDbDatabase* db = nullptr);
  Vexa::ErrorStatus setCurrentLayoutId(QvDbObjectId layoutId);
  // A new paper layout with a new "*Paper_Space<n>" record, last among the tabs.
  Vexa::ErrorStatus createLayout(const wchar_t* name, QvDbObjectId& layoutId,
                                 QvDbObjectId& blockTableRecordId, QvDbDatabase* db = nullptr);
  // Erases a paper layout and its record. "Model" and the last paper layout cannot be deleted
  // (eCannotBeErased); deleting the active layout first activates the next one.
  Vexa::ErrorStatus deleteLayout(const wchar_t* name, QvDbDatabase* db = nullptr);
  Vexa::ErrorStatus renameLayout(const wchar_t* oldName, const wchar_t* newName,
                                 QvDbDatabase* db = nullptr);

 private:
  static QvDbDatabase* orWorking(const QvDbDatabase* db);
  static QvDbObjectId layoutOfBlock(QvDbObjectId blockId);
  // The live layouts with their tab order, in tab order.
  static std::vector<std::pair<int, QvDbObjectId>> layoutsOf(const QvDbDatabase* db);
  static int tabOrderOf(const class QvDbLayout* layout);
  static Vexa::ErrorStatus activate(QvDbDatabase* db, QvDbObjectId layoutId);
  static Vexa::ErrorStatus swapPaperSpaceNames(QvDbDatabase* db, QvDbObjectId newPaperSpace);
};
