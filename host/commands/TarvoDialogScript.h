#pragma once

#include "sdk/win/VexaWindowTypes.h"

// Dialog lines of the input script, which answer an open dialog one action a line:
//   @type TEXT   types TEXT (everything after one blank) into the focused control
//   @key NAME    presses a key: Enter, Escape, Up, Down, Left, Right, Home, End, Delete,
//                Back or F4 (any case)
//   @wait MS     lets MS milliseconds pass on the clock (timers fire)
//   @ok          presses the dialog's OK button; @cancel its Cancel button
namespace TarvoDialogScript {

// Takes the next line of the script and acts on the dialog. False when the script has no
// dialog line for it: it has run out, cancels (^C), or holds another line, which is reported
// and used up. A dialog line that cannot be done (an unknown key) is reported and passed over.
bool step(HWND dialog);

}  // namespace TarvoDialogScript
