#include "sdk/app/VexaAnnoScaleDialog.h"

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbScale.h"
#include "sdk/win/VexaMessageBox.h"

namespace {

constexpr int kScaleEdit = 100;

class AnnoScaleDialog : public CDialog {
 public:
  explicit AnnoScaleDialog(QvDbDatabase& db) : db_(db), name_(db.cannoscaleName()) {}

 protected:
  BOOL OnInitDialog() override {
    SetWindowText(L"Select Annotation Scale");
    SetDlgItemLabel(kScaleEdit, L"Annotation scale");
    return CDialog::OnInitDialog();
  }
  void DoDataExchange(CDataExchange* dx) override { DDX_Text(dx, kScaleEdit, name_); }
  void OnOK() override {
    if (!UpdateData(TRUE)) return;
    const QvDbObjectId id = db_.findScale(QvString(name_.GetString()).trim());
    QvDbObjectPointer<QvDbScale> scale(id, QvDb::kForRead);
    if (scale.openStatus() != Vexa::eOk) {
      const QvString text = L"The drawing has no annotation scale \"" + name_.toQvString() + L"\".";
      MessageBox(nullptr, text.c_str(), L"Select Annotation Scale", MB_OK | MB_ICONERROR);
      return;
    }
    const double value = scale->scale();
    scale.close();
    if (db_.setCannoscaleValue(value) == Vexa::eOk) EndDialog(IDOK);
  }

 private:
  QvDbDatabase& db_;
  CString name_;
};

}  // namespace

INT_PTR ShowSelAnnoScaleDlg() {
  QvDbDatabase* db =
      qvdbHostApplicationServices() ? qvdbHostApplicationServices()->workingDatabase() : nullptr;
  if (!db) return -1;
  AnnoScaleDialog dialog(*db);
  return dialog.DoModal();
}
