#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "sdk/base/QvString.h"
#include "sdk/db/QvDbObjectId.h"
#include "sdk/win/CDialog.h"

class QvDbAttribute;
class QvDbMText;

// The host's attribute edit dialog for one block reference: one field per attribute that is
// not constant, asked as "TAG (prompt) <current>: " (Enter keeps the value; "\P" separates
// the lines of a multi-line value). Each showing starts from the values of the last one.
class CDDAttEditDialog : public CDialog {
 public:
  explicit CDDAttEditDialog(QvDbObjectId referenceId);
  ~CDDAttEditDialog() override;

  // After a showing that ended with `result`: true when the dialog is done, false when it
  // must be shown again (an OK with a value longer than its attribute's field length, which
  // is named on the command line).
  bool postDoModal(INT_PTR result);

  // After OK: (attribute id, text) of each attribute shown, in the reference's order.
  std::vector<std::pair<QvDbObjectId, QvString>>& attributeTexts() { return texts_; }
  // After OK, beside each pair: the attribute's multi-line text holding the value (owned by
  // the dialog; null for a single-line attribute or once taken).
  std::vector<std::unique_ptr<QvDbMText>>& multilineTexts() { return multiline_; }

  // The attribute's "TEXT" field, when it refers to a block reference, refers to the one the
  // attribute belongs to.
  void UpdateAttributeFieldToBlockReference(QvDbAttribute* attribute);

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  void OnOK() override;

 private:
  struct Row {
    QvDbObjectId id;
    QvString label;
    CString value;
    bool multiline = false;
    int fieldLength = 0;
  };
  void load();

  QvDbObjectId referenceId_;
  bool loaded_ = false;
  std::vector<Row> rows_;
  std::vector<std::pair<QvDbObjectId, QvString>> texts_;
  std::vector<std::unique_ptr<QvDbMText>> multiline_;
};
