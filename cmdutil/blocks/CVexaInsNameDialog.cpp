#include "cmdutil/blocks/CVexaInsNameDialog.h"

#include "sdk/base/resbuf.h"
#include "sdk/db/QvDbSymbolUtilities.h"
#include "sdk/ed/qvdbEntData.h"
#include "sdk/win/VexaMessageBox.h"
#include "xqcmdutil/XqCmdResourceString.h"

namespace {

constexpr int kLongestName = 255;

}  // namespace

BOOL CVexaInsNameDialog::OnInitDialog() {
  SetWindowText(m_caption);
  SetDlgItemText(kMessage, m_message);
  SetDlgItemLabel(kNameEdit, m_message);
  return CDialog::OnInitDialog();
}

void CVexaInsNameDialog::DoDataExchange(CDataExchange* dx) {
  DDX_Text(dx, kNameEdit, m_name);
}

void CVexaInsNameDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  m_exists = false;
  m_redefine = false;
  CString name = m_name;
  name.Trim();
  if (name.IsEmpty() || name.GetLength() > kLongestName ||
      qvdbGetSymbolSvc()->validateSymbolName(name.GetString(), false) != Vexa::eOk) {
    CString text;
    text.FormatMessage(qvcmdCResourceString(10876), kLongestName);
    MessageBox(nullptr, text, qvcmdCResourceString(10877), MB_OK | MB_ICONERROR);
    return;
  }
  m_name = name;
  if (resbuf* found = qvdbTblSearch(L"BLOCK", name.GetString(), 0)) {
    qvutRelRb(found);
    m_exists = true;
    const CString question = qvcmdCResourceStringF(10979, name.GetString());
    if (MessageBox(nullptr, question, qvcmdCResourceString(10879),
                   MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
      return;
    m_redefine = true;
  }
  EndDialog(IDOK);
}
