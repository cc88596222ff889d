#pragma once

#include "sdk/db/QvDbObject.h"

// A layout (a tab): a name, a place among the tabs and the block table record that holds its
// entities. "Model" shows model space; the others are paper layouts. Layouts live in the
// "ACAD_LAYOUT" dictionary under their names; QvDbLayoutManager makes, switches, renames and
// deletes them.
class QvDbLayout : public QvDbObject {
  QVDB_DECLARE_MEMBERS(QvDbLayout);

  QvDbLayout() = default;

  Vexa::ErrorStatus getLayoutName(QvString& name) const;
  QvString layoutName() const;
  // A valid symbol name (eInvalidSymbolName). A layout in a dictionary keeps its key equal to
  // its name (eDuplicateKey when another entry has it).
  Vexa::ErrorStatus setLayoutName(const wchar_t* name);
  QvDbObjectId getBlockTableRecordId() const;
  Vexa::ErrorStatus setBlockTableRecordId(QvDbObjectId blockId);
  int getTabOrder() const;
  Vexa::ErrorStatus setTabOrder(int order);
  // The layout of model space.
  bool modelType() const;

  void visitIds(QvDbIdVisitor& visitor) override;

 private:
  friend class QvDbDatabase;
  friend class QvDbLayoutManager;

  QvString name_;
  QvDbObjectId block_;
  int tabOrder_ = 0;
};
