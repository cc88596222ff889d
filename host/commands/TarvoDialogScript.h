#pragma once

#include <functional>
#include <string>

#include "sdk/win/VexaWindowTypes.h"

// Dialog lines of the input script, which answer an open dialog one action a line:
//   @type TEXT   types TEXT (everything after one blank) into the focused control
//   @key NAME    presses a key: Enter, Escape, Up, Down, Left, Right, Home, End, Delete,
//                Back or F4 (any case)
//   @wait MS     lets MS milliseconds pass on the clock (timers fire)
//   @move X,Y    moves the mouse to the point X,Y of the dialog (pixels from the top left of
//                its client area)
//   @click X,Y   moves there and presses the left button
//   @ok          presses the dialog's OK button; @cancel its Cancel button
namespace TarvoDialogScript {

// Takes the next line of the script and acts on the dialog. False when the script has no
// dialog line for it: it has run out, cancels (^C), or holds another line, which is reported
// and used up. A dialog line that cannot be done (an unknown key) is reported and passed over.
bool step(HWND dialog);

// Answers a dialog from the script while `open` says it is open: the dialog paints, then each
// dialog line acts on it, `afterLine` (when given) follows, and the dialog paints again. With
// pictures of dialogs on, each painted state is drawn as "PICTURE-NN.svg".
void answer(HWND dialog, const std::string& picture, const std::function<bool()>& open,
            const std::function<void()>& afterLine = {});

}  // namespace TarvoDialogScript
