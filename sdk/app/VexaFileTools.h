#pragma once

#include <cstddef>

#include "sdk/base/QvString.h"

// Text files of the host.
namespace VexaFileTools {

// The text of `length` bytes: UTF-8 or UTF-16 (either order) by their byte-order mark, else
// UTF-8 (the hint 64) or, when the bytes are no UTF-8, Latin-1 so that no byte is lost.
void readString(const void* data, size_t length, int encodingHint, QvString& text);
// Appends `text` as UTF-8 to the file `name` (a Windows path), made when it is not there.
// kQvNormal; kQvError for an empty name or text, or a file that is no regular file or cannot
// be written.
int appendToTextFile(const QvString& name, const QvString& text);

}  // namespace VexaFileTools

// The colour index of a standard colour name (red 1 to white 7, "ByBlock" 0, "ByLayer" 256,
// in any case) or of a number from 0 to 256; -1 for anything else.
short standardColorIndex(const wchar_t* name);
