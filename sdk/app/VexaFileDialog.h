#pragma once

#include <vector>

#include "sdk/base/QvString.h"
#include "sdk/base/VexaHost.h"

// What a program asks of the host's file dialog.
struct VexaFileDialogRequest {
  QvString title;
  QvString defaultName;
  QvString extensions;  // the filter: extensions separated by ";" ("dwg;dxf"), "" for any file
  int flags = 0;        // kFileDialog* bits; the others are the caller's and passed through
  QvString dialogName;  // the name the host keeps the dialog's settings under
};

// Flags (bit values).
inline constexpr int kFileDialogDefaultName = 0x100;  // offer the default name

// Answers.
inline constexpr int kFileDialogChosen = 0;      // a file was chosen
inline constexpr int kFileDialogNothing = -1;    // the dialog closed without a file
inline constexpr int kFileDialogFailed = -2;     // the dialog could not be shown (no host)
inline constexpr int kFileDialogCancelled = -4;  // the user cancelled

// The host's file dialog, answered from the input script. The prompt is the title on a new
// line, then, under kFileDialogDefaultName with a default name, the default in angle brackets,
// then ": " ("\nInsert Block <door>: "). One line answers it: a path chooses that file
// (`chosen` gets it as typed, blanks around it dropped); an empty line chooses nothing; "^C",
// or a script that has run out, cancels. Prompt and answer go to the transcript, and the
// request to the host's dialog history. `filterIndex`, when given, gets the 1-based position
// in the filter of the chosen file's extension (in any case), or 0 when it has none of them
// or nothing was chosen. `chosen` is left alone unless a file is chosen.
int vexaFileNavDialog(const VexaFileDialogRequest& request, QvString& chosen,
                      int* filterIndex = nullptr);

// The requests the host's file dialog was shown with, oldest first.
class VexaFileDialogHistory : public VexaHostService {
 public:
  const std::vector<VexaFileDialogRequest>& requests() const { return requests_; }
  void add(const VexaFileDialogRequest& request) { requests_.push_back(request); }

 private:
  std::vector<VexaFileDialogRequest> requests_;
};
