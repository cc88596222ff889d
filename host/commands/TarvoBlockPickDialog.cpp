#include "host/commands/TarvoBlockPickDialog.h"

#include "host/commands/TarvoCommandInput.h"
#include "sdk/db/QvDbBlockReference.h"

namespace {

constexpr int kComboId = 200;
constexpr int kPreviewId = 201;

QvString upper(QvString text) {
  return text.trim().makeUpper();
}

}  // namespace

TarvoBlockPickDialog::TarvoBlockPickDialog(QvDbDatabase* db) : db_(db) {}

TarvoBlockPickDialog::~TarvoBlockPickDialog() {
  DestroyWindow();  // the controls go with the dialog, the preview before what it draws
}

bool TarvoBlockPickDialog::Open(const std::map<QvString, QvDbObjectId>& blocks,
                                const std::vector<QvString>& recent) {
  for (const auto& [name, id] : blocks) blocks_[upper(name)] = {name, id};
  if (!CreateEx(0, L"#32770", L"Pick a block", WS_POPUP | WS_VISIBLE | WS_BORDER,
                RECT{0, 0, 362, 222}, nullptr, 0))
    return false;
  if (!label_.Create(L"Block name:", WS_CHILD | WS_VISIBLE, RECT{10, 10, 190, 26}, this) ||
      !combo_.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, RECT{10, 30, 190, 52}, this, kComboId) ||
      !preview_.Create(L"", WS_CHILD | WS_VISIBLE | WS_BORDER, RECT{200, 10, 350, 170}, this,
                       kPreviewId) ||
      !ok_.Create(L"Button", L"OK", WS_CHILD | WS_VISIBLE, RECT{200, 185, 270, 209}, this, IDOK) ||
      !cancel_.Create(L"Button", L"Cancel", WS_CHILD | WS_VISIBLE, RECT{280, 185, 350, 209}, this,
                      IDCANCEL))
    return false;
  combo_.SetTitle(L"Recent", L"All blocks");
  for (const QvString& name : recent) combo_.AddSpecialItem(name);
  for (const auto& [name, id] : blocks) combo_.InsertString(name);
  ::SetFocus(::GetDlgItem(combo_.m_hWnd, 1001));  // the box's edit field
  return true;
}

BOOL TarvoBlockPickDialog::PreTranslateMessage(MSG* msg) {
  return IsDialogMessage(m_hWnd, msg);
}

bool TarvoBlockPickDialog::Lookup(const QvString& text, QvString& name, QvDbObjectId& id) const {
  const auto it = blocks_.find(upper(text));
  if (it == blocks_.end()) return false;
  name = it->second.first;
  id = it->second.second;
  return true;
}

QvString TarvoBlockPickDialog::NamedNow() {
  CString text;
  const int selected = combo_.GetListBox().GetCurSel();
  if (combo_.GetDroppedState() && selected >= 0) {
    combo_.GetListBox().GetText(selected, text);
    return text.toQvString();
  }
  return combo_.GetWindowText().toQvString();
}

void TarvoBlockPickDialog::RefreshPreview() {
  QvString name;
  QvDbObjectId id;
  if (!Lookup(NamedNow(), name, id)) name.empty();
  if (name == previewed_) return;
  previewed_ = name;
  preview_.uninitPreviewer();
  shown_.reset();
  if (name.isEmpty()) {
    preview_.Invalidate();
    return;
  }
  shown_ = std::make_unique<QvDbBlockReference>();
  shown_->setBlockTableRecord(id);
  preview_.initialPreviewer(preview_.m_hWnd, db_, XqVector<QvGiDrawable*>{shown_.get()}, false);
  preview_.zoom();
  preview_.invalidate(true);
}

BOOL TarvoBlockPickDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (lParam) {  // a control's notification: the box may name another block now
    RefreshPreview();
    return TRUE;
  }
  if (LOWORD(wParam) == IDCANCEL) {
    state_ = State::kCancelled;
    return TRUE;
  }
  if (LOWORD(wParam) != IDOK) return FALSE;
  QvString name;
  QvDbObjectId id;
  const QvString typed = combo_.GetWindowText().toQvString();
  if (!Lookup(typed, name, id)) {
    TarvoCommandInput::say(L"\nNo block is named \"" + typed + L"\".");
    return TRUE;
  }
  chosen_ = name;
  state_ = State::kChosen;
  return TRUE;
}
