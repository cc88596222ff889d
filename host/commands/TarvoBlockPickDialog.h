#pragma once

#include <map>
#include <memory>
#include <vector>

#include "sdk/base/QvString.h"
#include "sdk/db/QvDbObjectId.h"
#include "sdk/win/CListBox.h"
#include "sdk/win/CWnd.h"
#include "xqcmdutil/CXqPreviewStatic.h"
#include "xqcmdutil/XqEditCombox.h"

class QvDbBlockReference;
class QvDbDatabase;

// The dialog that picks a block: an XqEditCombox of the drawing's block names (recent blocks
// as special items under their title) and a preview of the block the box names, with OK and
// Cancel. OK takes the typed name when a block has it (any case); otherwise the dialog says so
// and stays open.
class TarvoBlockPickDialog : public CWnd {
 public:
  enum class State { kOpen, kChosen, kCancelled };

  explicit TarvoBlockPickDialog(QvDbDatabase* db);
  ~TarvoBlockPickDialog() override;

  // Shows the dialog with the blocks (name -> id) and the recent names, the focus in the box.
  bool Open(const std::map<QvString, QvDbObjectId>& blocks, const std::vector<QvString>& recent);
  State state() const { return state_; }
  // The block's own name once chosen.
  const QvString& chosen() const { return chosen_; }
  // The name the preview shows (empty for none).
  const QvString& previewed() const { return previewed_; }
  XqEditCombox& combo() { return combo_; }
  CXqPreviewStatic& preview() { return preview_; }
  // Shows the block the box names now: the item selected in the open list, else the block whose
  // name is typed, else none.
  void RefreshPreview();

  BOOL PreTranslateMessage(MSG* msg) override;

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

 private:
  // The block (its own name and id) a text names; false for none.
  bool Lookup(const QvString& text, QvString& name, QvDbObjectId& id) const;
  QvString NamedNow();

  QvDbDatabase* db_;
  std::map<QvString, std::pair<QvString, QvDbObjectId>> blocks_;  // by upper-case name
  State state_ = State::kOpen;
  QvString chosen_;
  QvString previewed_;
  std::unique_ptr<QvDbBlockReference> shown_;  // what the preview draws; outlives it
  CStatic label_;
  XqEditCombox combo_;
  CXqPreviewStatic preview_;
  CWnd ok_;
  CWnd cancel_;
};
