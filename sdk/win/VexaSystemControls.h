#pragma once

#include <vector>

#include "sdk/base/QvString.h"
#include "sdk/win/VexaWindowRegistry.h"

// The system window classes of the headless window layer and the state they keep:
//   "Static"     a text; transparent to the mouse unless SS_NOTIFY;
//   "Edit"       one line of text with a selection; characters, Backspace and Delete edit it
//                and EN_CHANGE tells the parent;
//   "ListBox"    items with a current selection, a top index clamped to what fits, item
//                rectangles and hit-testing, prefix and exact search (case-insensitive);
//   "ComboLBox"  the drop-down list of a combo box: a list box that follows the mouse and
//                chooses on a click;
//   "ComboBox"   CBS_DROPDOWN, an edit field and a drop-down list; CBS_DROPDOWNLIST, the list
//                alone. Drop-down and close-up are notified (CBN_DROPDOWN before the list
//                shows, CBN_CLOSEUP after it hides);
//   "#32770"     a dialog, "Button" a push button.
struct VexaListItem {
  QvString text;
  LONG_PTR data = 0;
};

class VexaListBoxData : public VexaControlData {
 public:
  std::vector<VexaListItem> items;
  int current = -1;
  int top = 0;
  int horizontalExtent = 0;
  HWND combo = nullptr;  // the combo box whose list this is
};

class VexaComboBoxData : public VexaControlData {
 public:
  HWND edit = nullptr;
  HWND list = nullptr;
  bool dropped = false;
  int minVisible = 30;
};

class VexaEditData : public VexaControlData {
 public:
  int selStart = 0;
  int selEnd = 0;
};

void registerSystemClasses(VexaWindowRegistry& windows);

// The height of one list item in a font: a line of text.
int vexaItemHeight(HFONT font);

// The window procedure shared by "ListBox" and "ComboLBox", and the message by which a
// combo box's list tells the combo box that an item was chosen (wParam: the item).
WNDPROC vexaListBoxProc();
UINT vexaComboChooseMessage();
WNDPROC vexaComboBoxProc();
