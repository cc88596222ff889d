#include "host/commands/TarvoLayerPickDialog.h"

namespace {

constexpr int kComboId = 300;

}  // namespace

bool TarvoLayerPickDialog::Open(const std::vector<QvString>& layers) {
  if (!CreateEx(0, L"#32770", L"Pick a layer", WS_POPUP | WS_VISIBLE | WS_BORDER,
                RECT{0, 0, 262, 202}, nullptr, 0))
    return false;
  if (!label_.Create(L"Layer:", WS_CHILD | WS_VISIBLE, RECT{10, 10, 120, 26}, this) ||
      !combo_.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, RECT{10, 30, 80, 52}, this,
                     kComboId) ||
      !ok_.Create(L"Button", L"OK", WS_CHILD | WS_VISIBLE, RECT{100, 165, 170, 189}, this, IDOK) ||
      !cancel_.Create(L"Button", L"Cancel", WS_CHILD | WS_VISIBLE, RECT{180, 165, 250, 189}, this,
                      IDCANCEL))
    return false;
  combo_.InitListBox();
  for (const QvString& name : layers) combo_.AddString(name.c_str());
  combo_.SetCurSel(0);
  combo_.SetFocus();
  return true;
}

BOOL TarvoLayerPickDialog::PreTranslateMessage(MSG* msg) {
  return IsDialogMessage(m_hWnd, msg);
}

BOOL TarvoLayerPickDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (lParam) return TRUE;  // the box's notifications: nothing to do here
  if (LOWORD(wParam) == IDCANCEL) {
    state_ = State::kCancelled;
    return TRUE;
  }
  if (LOWORD(wParam) != IDOK) return FALSE;
  const int selected = combo_.GetCurSel();
  if (selected < 0) return TRUE;
  CString name;
  combo_.GetLBText(selected, name);
  chosen_ = name.toQvString();
  state_ = State::kChosen;
  return TRUE;
}
