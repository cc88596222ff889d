#include "sdk/base/VexaErrorStatus.h"

#include <cstdio>

#include "sdk/base/VexaFileStatus.h"

namespace Vexa {

const char* errorStatusName(ErrorStatus es) {
  switch (es) {
#define TARVO_STATUS_NAME(n) \
  case n:                    \
    return #n;
    TARVO_STATUS_NAME(eOk)
    TARVO_STATUS_NAME(eNotImplemented)
    TARVO_STATUS_NAME(eNotApplicable)
    TARVO_STATUS_NAME(eInvalidInput)
    TARVO_STATUS_NAME(eOutOfMemory)
    TARVO_STATUS_NAME(eNullPtr)
    TARVO_STATUS_NAME(eNullObjectId)
    TARVO_STATUS_NAME(eWrongObjectType)
    TARVO_STATUS_NAME(eKeyNotFound)
    TARVO_STATUS_NAME(eDuplicateKey)
    TARVO_STATUS_NAME(eWasErased)
    TARVO_STATUS_NAME(eWasOpenForRead)
    TARVO_STATUS_NAME(eNotOpenForRead)
    TARVO_STATUS_NAME(eNotOpenForWrite)
    TARVO_STATUS_NAME(eWasOpenForNotify)
    TARVO_STATUS_NAME(eNotInDatabase)
    TARVO_STATUS_NAME(eAlreadyInDb)
    TARVO_STATUS_NAME(eWrongDatabase)
    TARVO_STATUS_NAME(eInvalidSymbolName)
    TARVO_STATUS_NAME(eBadDxfFile)
    TARVO_STATUS_NAME(eFileAccessError)
    TARVO_STATUS_NAME(eDegenerateGeometry)
    TARVO_STATUS_NAME(eOutOfRange)
    TARVO_STATUS_NAME(eLockedLayer)
    TARVO_STATUS_NAME(eInvalidIndex)
    TARVO_STATUS_NAME(eNotThatKindOfClass)
    TARVO_STATUS_NAME(eNoActiveTransaction)
    TARVO_STATUS_NAME(eInvalidOpenMode)
    TARVO_STATUS_NAME(eUnknownSystemVariable)
    TARVO_STATUS_NAME(eInvalidExtents)
    TARVO_STATUS_NAME(eIncompleteResult)
    TARVO_STATUS_NAME(eFileNotFound)
    TARVO_STATUS_NAME(eWasOpenForWrite)
    TARVO_STATUS_NAME(eNoDatabase)
    TARVO_STATUS_NAME(eRegAppNotFound)
    TARVO_STATUS_NAME(eCannotBeErased)
    TARVO_STATUS_NAME(eRemoteFetched)
    TARVO_STATUS_NAME(eRemoteInCache)
    TARVO_STATUS_NAME(eRemoteUnchanged)
#undef TARVO_STATUS_NAME
  }
  if (es == eNotThisFileFormat) return "eNotThisFileFormat";
  if (es == eDamagedFile) return "eDamagedFile";
  if (es == ePasswordNeeded) return "ePasswordNeeded";
  if (es == eFileVersionNotSupported) return "eFileVersionNotSupported";
  if (es == eRemoteFileNotFound) return "eRemoteFileNotFound";
  if (es == eRemoteCannotConnect) return "eRemoteCannotConnect";
  if (es == eRemoteRefused) return "eRemoteRefused";
  if (es == eRemoteTransferFailed) return "eRemoteTransferFailed";
  static thread_local char buffer[32];
  std::snprintf(buffer, sizeof buffer, "eUnknown(%d)", static_cast<int>(es));
  return buffer;
}

}  // namespace Vexa
