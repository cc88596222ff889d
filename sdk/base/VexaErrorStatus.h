#pragma once

// Status of object-level calls of the host. 0 is success; every other value is passed up
// unchanged by callers. The values that travel through the module's interfaces are fixed.
namespace Vexa {

enum ErrorStatus : int {
  eOk = 0,
  eNotImplemented = 1,  // an operation with no behaviour for this kind
  eNotApplicable = 2,   // not applicable to this data, or a failed query
  eInvalidInput = 3,
  eOutOfMemory = 4,
  eNullPtr = 5,
  eNullObjectId = 6,
  eWrongObjectType = 7,  // an open or a cast asked for a class the object is not
  eKeyNotFound = 8,
  eDuplicateKey = 9,
  eWasErased = 10,         // the object is erased and the call did not ask for erased objects
  eWasOpenForRead = 11,    // a write open of an object that readers hold
  eNotOpenForRead = 12,    // a read of an object that is not open
  eNotOpenForWrite = 13,   // a change of an object that is not open for write
  eWasOpenForNotify = 14,  // an open refused while the object sends notifications
  eNotInDatabase = 15,
  eAlreadyInDb = 16,
  eWrongDatabase = 17,
  eInvalidSymbolName = 18,
  eBadDxfFile = 19,        // a drawing file that is not DXF text, or is cut short or garbled
  eFileAccessError = 20,   // a file that cannot be opened, read or written
  eDegenerateGeometry = 21,
  eOutOfRange = 22,        // a parameter or value outside the allowed interval
  eLockedLayer = 23,
  eInvalidIndex = 24,
  eNotThatKindOfClass = 25,
  eNoActiveTransaction = 26,
  eInvalidOpenMode = 27,
  eUnknownSystemVariable = 28,
  eInvalidExtents = 30,
  eIncompleteResult = 31,  // a computation stopped at its work limit: its results are partial
  eFileNotFound = 76,
  eWasOpenForWrite = 87,   // an open refused because the object is open for write
  eNoDatabase = 124,
  eRegAppNotFound = 150,   // extended data of an application the drawing has not registered
  eCannotBeErased = 151,   // an object the drawing cannot do without (layer "0", a space, ...)
  eRemoteFetched = 20000,   // a remote file was fetched
  eRemoteInCache = 20001,   // a remote file is at hand in the cache
  eRemoteUnchanged = 20012, // a remote file is cached and still current
};

// Short English name of a status, for messages ("eWasErased"); "eUnknown(<n>)" otherwise.
const char* errorStatusName(ErrorStatus es);

}  // namespace Vexa
