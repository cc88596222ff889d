#pragma once

#include "sdk/win/CDialog.h"

// The host's annotation scale dialog for the working drawing: one line, the name of a scale
// of the drawing's scale list ("1:50", any case); Enter keeps the current one. OK makes the
// scale current ("CANNOSCALE"); a name the list lacks is refused in a box and asked again.
// IDOK or IDCANCEL; -1 without a working drawing or dialog input.
INT_PTR ShowSelAnnoScaleDlg();
