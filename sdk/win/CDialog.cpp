#include "sdk/win/CDialog.h"

#include <algorithm>

#include "sdk/win/IVexaDialogInput.h"

void DDX_Text(CDataExchange* dx, int id, CString& value) {
  if (!dx || !dx->m_pDlgWnd) return;
  CDialog& dialog = *dx->m_pDlgWnd;
  dialog.noteField(id);
  if (dx->m_bSaveAndValidate)
    value = dialog.GetDlgItemText(id);
  else
    dialog.SetDlgItemText(id, value);
}

void CDialog::noteField(int id) {
  if (std::find(fields_.begin(), fields_.end(), id) == fields_.end()) fields_.push_back(id);
}

CString CDialog::GetDlgItemText(int id) const {
  const auto it = items_.find(id);
  return it == items_.end() ? CString() : it->second;
}

CString CDialog::labelOf(int id) const {
  const auto it = labels_.find(id);
  if (it != labels_.end() && !it->second.IsEmpty()) return it->second;
  return caption_.IsEmpty() ? CString(L"Value") : caption_;
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  CDataExchange dx(this, saveAndValidate);
  DoDataExchange(&dx);
  return dx.failed() ? FALSE : TRUE;
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (UpdateData(TRUE)) EndDialog(IDOK);
}

INT_PTR CDialog::DoModal() {
  IVexaDialogInput* input = vexaDialogInput();
  if (!input) return -1;
  result_.reset();
  OnInitDialog();
  while (!result_) {
    bool cancelled = false;
    if (fields_.empty()) {
      const VexaDialogReply reply = input->askLine(L"\n" + labelOf(0).toQvString() + L" <OK>: ");
      cancelled = reply.kind == VexaDialogReply::Kind::kCancel;
    }
    for (const int id : fields_) {
      const VexaDialogReply reply = input->askLine(QvString::format(
          L"\n%ls <%ls>: ", labelOf(id).GetString(), GetDlgItemText(id).GetString()));
      if (reply.kind == VexaDialogReply::Kind::kCancel) {
        cancelled = true;
        break;
      }
      if (reply.kind == VexaDialogReply::Kind::kText) items_[id] = CString(reply.text);
    }
    if (cancelled)
      OnCancel();
    else
      OnOK();
    // A dialog that ignores Cancel still ends: nothing is left to answer it.
    if (cancelled && !result_) EndDialog(IDCANCEL);
  }
  return *result_;
}
