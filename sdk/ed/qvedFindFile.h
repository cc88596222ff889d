#pragma once

#include <cstddef>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/QvString.h"

// Looks for a file as the host's library search does. Both "/" and "\" separate folders.
//   - A name with a folder part (absolute, or relative to the current folder) is looked for
//     there only.
//   - A bare name is looked for in the folder of the current document's drawing file (a new
//     drawing never saved has none), then the current folder, then each folder of the
//     configuration's support path, in order.
// Only regular files count (a folder of that name does not); a file whose name differs only in
// case is found when none has the name exactly, as on the host's file systems. Returns kQvNormal
// with the full path (absolute, "." and ".." resolved) of the first file found; kQvError when none
// is found, for a null or empty name, or when no host runs. `result` is left alone on failure.
int qvedFindFile(const wchar_t* name, QvString& result);
// The same into a buffer of `size` characters; kQvError (and an empty buffer, when it has room)
// when the path does not fit.
int qvedFindFile(const wchar_t* name, wchar_t* result, size_t size);
