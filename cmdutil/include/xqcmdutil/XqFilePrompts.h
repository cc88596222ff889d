#pragma once

#include <cstddef>

#include "sdk/base/QvString.h"
#include "sdk/base/resbuf.h"
#include "xqcmdutil/XqCmdUtilExport.h"

// File names, the host's file dialog and its file search.

// `name` gets the file-name part of `path`, without drive, folder or extension ("door" for
// "C:\parts\door.dwg"; "/" and "\" both separate folders; the extension starts at the last
// "."). An empty name for a null path.
XQCMDUTIL_EXPORT void xqcmdExtractFileName(const wchar_t* path, QvString& name);

// The text after the last backslash of `path`, once every "/" is a backslash and blanks around
// the text are dropped. Empty for a null path.
XQCMDUTIL_EXPORT QvString GetFileName(const wchar_t* path);

// Shows the host's file dialog with the title, default name, extension filter ("dwg;dxf") and
// flags; the flag kFileDialogDefaultName (0x100) is added when a default name is given.
// `dialogName` is passed on to the host as it is. Results:
//   kQvNormal  a file was chosen: `result`, when given, becomes a string buffer (kRbString)
//              holding it (the string is the caller's, released with the buffer; a string the
//              buffer held before is not released)
//   kQvNone    the dialog closed without a file
//   kQvCancel  the user cancelled
//   kQvError   the dialog failed
XQCMDUTIL_EXPORT int vexaGetFileDialog(const wchar_t* title, const wchar_t* defaultName,
                                       const wchar_t* extensions, int flags, resbuf* result,
                                       const wchar_t* dialogName = nullptr);
// The same, with the position of the chosen file's extension in the filter passed back through
// `filterIndex` (when given; see vexaFileNavDialog), and kQvError for every answer but a chosen
// file.
XQCMDUTIL_EXPORT int xqGetFileDialog(const wchar_t* title, const wchar_t* defaultName,
                                     const wchar_t* extensions, int flags, resbuf* result,
                                     int* filterIndex, const wchar_t* dialogName = nullptr);

// Finds a file with the host's search (qvedFindFile) and copies its full path into `found`, a
// buffer of `size` characters. Returns the host's code; kQvError for a null `found`, and for a
// path that does not fit (then `found` is emptied when it has room for that).
XQCMDUTIL_EXPORT int VexaFindFile(const wchar_t* name, wchar_t* found, size_t size);
