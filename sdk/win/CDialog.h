#pragma once

#include <map>
#include <optional>
#include <vector>

#include "sdk/win/CString.h"
#include "sdk/win/VexaWindowTypes.h"

using INT_PTR = std::intptr_t;

class CDialog;

// The direction of one data exchange between a dialog's members and its controls.
class CDataExchange {
 public:
  CDataExchange(CDialog* dialog, BOOL saveAndValidate)
      : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}
  // Marks the exchange as failed (a value that does not validate): UpdateData answers FALSE.
  void Fail() { failed_ = true; }
  bool failed() const { return failed_; }

  BOOL m_bSaveAndValidate;  // TRUE: controls to members
  CDialog* m_pDlgWnd;

 private:
  bool failed_ = false;
};

// Exchanges the text of edit control `id` with `value`; the control becomes one of the
// fields the modal loop asks.
void DDX_Text(CDataExchange* dx, int id, CString& value);

// A modal dialog of the class library, answered headless from the host's dialog input.
// DoModal runs OnInitDialog, then asks one line per exchanged edit control, showing its
// label and current value (Enter keeps the value, "^C" is Cancel), and runs OnOK; while OnOK
// keeps the dialog open the fields are asked again. A dialog without fields asks one line:
// Enter (or any text) is OK. Without dialog input DoModal answers -1.
class CDialog {
 public:
  explicit CDialog(UINT templateId = 0) : templateId_(templateId) {}
  CDialog(const CDialog&) = delete;
  CDialog& operator=(const CDialog&) = delete;
  virtual ~CDialog() = default;

  // IDOK, IDCANCEL or the value given to EndDialog; -1 when the dialog cannot be shown.
  virtual INT_PTR DoModal();
  // Closes the modal loop with `result` once the running step returns.
  void EndDialog(int result) { result_ = result; }
  // Runs DoDataExchange: controls to members when `saveAndValidate`, else members to
  // controls. FALSE when a value did not validate.
  BOOL UpdateData(BOOL saveAndValidate = TRUE);

  UINT templateId() const { return templateId_; }
  void SetWindowText(const wchar_t* text) { caption_ = text ? text : L""; }
  CString GetWindowText() const { return caption_; }
  void SetDlgItemText(int id, const wchar_t* text) { items_[id] = text ? text : L""; }
  CString GetDlgItemText(int id) const;
  // The label asked with an edit control (by default the dialog's caption).
  void SetDlgItemLabel(int id, const wchar_t* text) { labels_[id] = text ? text : L""; }

  // Used by DDX_Text.
  void noteField(int id);

 protected:
  // Sets the controls from the members; TRUE.
  virtual BOOL OnInitDialog();
  // Takes the controls into the members and closes with IDOK when they validate.
  virtual void OnOK();
  virtual void OnCancel() { EndDialog(IDCANCEL); }
  virtual void DoDataExchange(CDataExchange* dx) { (void)dx; }

 private:
  CString labelOf(int id) const;

  UINT templateId_;
  CString caption_;
  std::map<int, CString> items_;
  std::map<int, CString> labels_;
  std::vector<int> fields_;  // exchanged edit controls, in exchange order
  std::optional<int> result_;
};
