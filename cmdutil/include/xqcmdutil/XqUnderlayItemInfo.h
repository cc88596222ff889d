#pragma once

#include <cstdint>

#include "sdk/db/QvDbObjectId.h"
#include "sdk/win/CString.h"
#include "sdk/win/CTime.h"

// One underlay definition as the external-references dialog shows it.
struct XqUnderlayItemInfo {
  // Statuses of an item.
  enum Status : int32_t {
    kLoaded = 1,
    kPdfNotLoaded = 4,
    kNotLoaded = 5,        // DWF, DGN
    kPdfUnreferenced = 6,  // loaded, shown by no underlay
    kPdfFileNotFound = 7,
  };

  CString name;  // the key of the definition in its format's dictionary
  int32_t status = 0;
  int32_t size = 0;   // KiB
  CString type;       // the file's extension, upper case, without its dot
  CTime date;         // the file's creation time
  CString savedPath;  // the source file name stored in the definition
  QvDbObjectId definitionId;
  CString foundPath;  // where the host found the file
  int32_t initialStatus = 0;
  bool firstFlag = false;   // the caller's
  bool secondFlag = false;  // the caller's
};

// What getDictName found for a new definition's name.
enum eUnderlayNameStatus {
  kUnderlayNameReused = 0,    // the file is attached under that name already
  kUnderlayNameNumbered = 1,  // another file has the name; a numbered one was made
  kUnderlayNameFree = 2,
};
