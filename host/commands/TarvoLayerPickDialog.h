#pragma once

#include <vector>

#include "sdk/base/QvString.h"
#include "sdk/win/CListBox.h"
#include "sdk/win/CWnd.h"
#include "xqcmdutil/CXqComboBoxWithTip.h"

// The dialog that picks a layer: a narrow CXqComboBoxWithTip (a drop-down list) of the layer
// names, so that names too wide for it show whole in a tip when the mouse rests on them, with
// OK and Cancel.
class TarvoLayerPickDialog : public CWnd {
 public:
  enum class State { kOpen, kChosen, kCancelled };

  // Shows the dialog with the names, the first one selected, the focus in the box.
  bool Open(const std::vector<QvString>& layers);
  State state() const { return state_; }
  const QvString& chosen() const { return chosen_; }
  CXqComboBoxWithTip& combo() { return combo_; }

  BOOL PreTranslateMessage(MSG* msg) override;

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

 private:
  State state_ = State::kOpen;
  QvString chosen_;
  CStatic label_;
  CXqComboBoxWithTip combo_;
  CWnd ok_;
  CWnd cancel_;
};
